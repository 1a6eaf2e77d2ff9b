#include "toolkit/StringGrid.h"
#include "toolkit/ImageIndex.h"

#include <gtest/gtest.h>

#include <string>
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

} // namespace
