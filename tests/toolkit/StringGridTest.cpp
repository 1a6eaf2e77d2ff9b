#include "toolkit/StringGrid.h"
#include "toolkit/ImageIndex.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A grid with a header row and one data column, filled from the top.
tk::StringGrid gridOf(const std::vector<std::string>& values,
                      tk::StringGrid::SortMode mode = tk::StringGrid::SortMode::Numeric) {
    tk::StringGrid g(1, static_cast<int>(values.size()) + 1, 0, 1);
    g.setSortMode(mode);
    g.setCell(0, 0, "header");
    for (std::size_t i = 0; i < values.size(); ++i) {
        g.setCell(0, static_cast<int>(i) + 1, values[i]);
    }
    return g;
}

std::vector<std::string> column(const tk::StringGrid& g) {
    std::vector<std::string> out;
    for (int r = g.fixedRows(); r < g.rowCount(); ++r) {
        out.push_back(g.cell(0, r));
    }
    return out;
}

TEST(StringGrid, FirstSortIsDescendingAndEveryToggleFlips) {
    auto g = gridOf({"5", "30", "", "7"});
    g.toggleSort(0);
    EXPECT_EQ(column(g), (std::vector<std::string>{"30", "7", "5", ""}));
    g.toggleSort(0);
    EXPECT_EQ(column(g), (std::vector<std::string>{"5", "7", "30", ""}));
    EXPECT_EQ(g.cell(0, 0), "header");
}

TEST(StringGrid, ComparesNumbersAsNumbersOnlyWhenTheColumnIsNumeric) {
    struct Case {
        std::vector<std::string> values;
        tk::StringGrid::SortMode mode;
        std::vector<std::string> descending;
    };
    const Case cases[] = {
        {{"9", "10", "-3"}, tk::StringGrid::SortMode::Numeric, {"10", "9", "-3"}},
        {{"9", "10", "-3"}, tk::StringGrid::SortMode::Text, {"9", "10", "-3"}},
        {{"9", "10", "x"}, tk::StringGrid::SortMode::Numeric, {"x", "9", "10"}},
        {{"b", "", "a"}, tk::StringGrid::SortMode::Text, {"b", "a", ""}},
        {{"5/16", "10/16", "", "10/12"},
         tk::StringGrid::SortMode::LeadingNumber,
         {"10/16", "10/12", "5/16", ""}},
        {{"5/16", "10/16", "x/4"},
         tk::StringGrid::SortMode::LeadingNumber,
         {"x/4", "5/16", "10/16"}},
        {{"5/16", "10/16"}, tk::StringGrid::SortMode::Numeric, {"5/16", "10/16"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.descending.front());
        auto g = gridOf(c.values, c.mode);
        g.toggleSort(0);
        EXPECT_EQ(column(g), c.descending);
    }
}

TEST(StringGrid, SortingMovesTheMappingNotTheData) {
    auto g = gridOf({"1", "3", "2"});
    g.toggleSort(0);
    // Display row 1 now shows data row 2 ("3").
    EXPECT_EQ(g.dataRow(1), 2);
    EXPECT_EQ(g.displayRow(2), 1);
    for (int r = 0; r < g.rowCount(); ++r) {
        EXPECT_EQ(g.displayRow(g.dataRow(r)), r);
    }
    // Writing through the mapping lands in the row that shows the slot.
    g.setCell(0, g.displayRow(1), "100");
    EXPECT_EQ(g.cell(0, 3), "100");
}

TEST(StringGrid, RowCountChangesKeepTheSortedOrderAndGiveNewRowsOneRowEach) {
    auto g = gridOf({"1", "3", "2", "4"});
    g.toggleSort(0);  // 4 3 2 1 -> data rows 4 2 3 1
    g.setRowCount(3); // data rows 1 and 2 remain, in their display order
    EXPECT_EQ(column(g), (std::vector<std::string>{"3", "1"}));
    g.setRowCount(6); // three rows join; each appears exactly once, at the end
    std::vector<int> seen;
    for (int r = 1; r < g.rowCount(); ++r) {
        seen.push_back(g.dataRow(r));
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 3, 4, 5}));
}

TEST(StringGrid, ImagesFollowTheirRowAndOutOfRangeAccessIsHarmless) {
    auto g = gridOf({"1", "2"});
    g.setCellImage(0, 1, tk::images::kTick);
    g.toggleSort(0);
    EXPECT_EQ(g.cellImage(0, 2), tk::images::kTick);
    g.removeColumnImages(0);
    EXPECT_EQ(g.cellImage(0, 2), tk::images::kNone);

    g.setCell(5, 1, "x");
    g.setCell(0, 99, "x");
    g.setCell(0, -1, "x");
    EXPECT_EQ(g.cell(5, 1), "");
    EXPECT_EQ(g.cell(0, 99), "");
    EXPECT_EQ(g.dataRow(99), -1);
}

TEST(StringGrid, SelectionFollowsItsDataRowThroughASort) {
    auto g = gridOf({"1", "3", "2"});
    int selected = -1;
    g.onSelectCell = [&](int, int row) { selected = row; };
    g.select(0, 1); // "1"
    EXPECT_EQ(selected, 1);
    g.toggleSort(0);
    EXPECT_EQ(g.cell(0, g.selectedRow()), "1");
}

// The cells a grid told its observers about, as (col, display row).
using Cells = std::vector<std::pair<int, int>>;

Cells recordChanges(tk::StringGrid& g, const std::function<void(tk::StringGrid&)>& write) {
    Cells seen;
    g.cellChanged.connect([&seen](int col, int row) { seen.emplace_back(col, row); });
    write(g);
    return seen;
}

TEST(StringGrid, TellsObserversOnlyOfCellsThatReallyChanged) {
    // Three columns under a header; row 1 holds "a" "b" "c" with an image in
    // column 2, row 2 holds "x" in column 0, row 3 is empty.
    auto prepared = [] {
        tk::StringGrid g(3, 4, 0, 1);
        g.setRow(1, {"a", "b", "c"});
        g.setCellImage(2, 1, tk::images::kTick);
        g.setCell(0, 2, "x");
        return g;
    };
    struct Case {
        const char* what;
        std::function<void(tk::StringGrid&)> write;
        Cells expected;
    };
    const Case cases[] = {
        {"the same text again", [](tk::StringGrid& g) { g.setCell(1, 1, "b"); }, {}},
        {"a new text", [](tk::StringGrid& g) { g.setCell(1, 1, "B"); }, {{1, 1}}},
        {"the same row again",
         [](tk::StringGrid& g) {
             g.setRow(1, {"a", "b", "c"});
         },
         {}},
        {"a row with one new cell",
         [](tk::StringGrid& g) {
             g.setRow(1, {"a", "b", "C"});
         },
         {{2, 1}}},
        {"a shorter row empties the cells that held something",
         [](tk::StringGrid& g) { g.setRow(1, {"a"}); },
         {{1, 1}, {2, 1}}},
        {"a row written into an empty one",
         [](tk::StringGrid& g) {
             g.setRow(3, {"", "y"});
         },
         {{1, 3}}},
        {"clearing a row with one filled cell", [](tk::StringGrid& g) { g.clearRow(2); }, {{0, 2}}},
        {"clearing an empty row", [](tk::StringGrid& g) { g.clearRow(3); }, {}},
        {"the same image again",
         [](tk::StringGrid& g) { g.setCellImage(2, 1, tk::images::kTick); },
         {}},
        {"another image",
         [](tk::StringGrid& g) { g.setCellImage(2, 1, tk::images::kCross); },
         {{2, 1}}},
        {"removing a column's images",
         [](tk::StringGrid& g) { g.removeColumnImages(2); },
         {{2, 1}}},
        {"removing the images of a column without any",
         [](tk::StringGrid& g) { g.removeColumnImages(0); },
         {}},
        {"writes outside the grid",
         [](tk::StringGrid& g) {
             g.setCell(3, 1, "z");
             g.setRow(4, {"z"});
             g.clearRow(-1);
             g.setCellImage(0, 7, tk::images::kTick);
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tk::StringGrid g = prepared();
        EXPECT_EQ(recordChanges(g, c.write), c.expected);
    }
}

TEST(StringGrid, ChangesAreToldInDisplayRowsOfASortedGrid) {
    auto g = gridOf({"1", "3", "2"});
    g.toggleSort(0); // 3 2 1: data row 1 ("1") shows in display row 3
    const Cells seen = recordChanges(g, [](tk::StringGrid& grid) {
        grid.setCell(0, grid.displayRow(1), "1"); // unchanged
        grid.setCell(0, grid.displayRow(1), "10");
        grid.setCellImage(0, grid.displayRow(2), tk::images::kTick);
    });
    EXPECT_EQ(seen, (Cells{{0, 3}, {0, 1}}));
}

TEST(StringGrid, SelectionStaysOnItsDataRowWhenRowsComeAndGo) {
    auto g = gridOf({"1", "3", "2", "4"});
    g.toggleSort(0);                   // 4 3 2 1 -> data rows 4 2 3 1
    g.setSelectedRow(g.displayRow(2)); // "3", in display row 2
    g.setRowCount(4);                  // data row 4 goes: 3 2 1 -> data rows 2 3 1
    EXPECT_EQ(g.selectedRow(), 1);
    EXPECT_EQ(g.cell(0, g.selectedRow()), "3");
    g.setRowCount(7); // rows join at the end
    EXPECT_EQ(g.cell(0, g.selectedRow()), "3");
    g.setRowCount(3); // data rows 1 and 2 remain: 3 1
    EXPECT_EQ(g.selectedRow(), 1);
    EXPECT_EQ(g.cell(0, g.selectedRow()), "3");

    // The selected row itself goes: the selection moves to the last row left,
    // or to none when only the header stays.
    auto h = gridOf({"1", "2", "3"});
    h.setSelectedRow(3);
    h.setRowCount(3);
    EXPECT_EQ(h.selectedRow(), 2);
    h.setRowCount(1);
    EXPECT_EQ(h.selectedRow(), -1);
}

TEST(StringGrid, ALayoutChangeIsToldOnlyWhenTheShapeChanges) {
    tk::StringGrid g(2, 3, 0, 1);
    int layouts = 0;
    g.layoutChanged.connect([&layouts] { ++layouts; });
    g.setRowCount(3);
    g.setColCount(2);
    EXPECT_EQ(layouts, 0);
    g.setRowCount(5);
    g.setColCount(3);
    EXPECT_EQ(layouts, 2);

    tk::StringGrid empty(2, 0, 0, 0);
    empty.layoutChanged.connect([&layouts] { ++layouts; });
    empty.setRowCount(0);
    EXPECT_EQ(layouts, 2);
}

} // namespace
