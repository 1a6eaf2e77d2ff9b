#include "app/FindDialog.h"
#include "app/GridSearch.h"
#include "app/QueryMain.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using app::FindOptions;
using app::GridCell;

// A header row and a fixed first column, as the server tables have. The
// fixed cells hold words that the search must never find.
tk::StringGrid sampleGrid() {
    tk::StringGrid grid(4, 5, 1, 1);
    grid.setRow(0, {"Server", "Server", "Map", "Players"});
    grid.setRow(1, {"Server", "Alpha Arena", "DM-Deck16][", "2/16"});
    grid.setRow(2, {"", "deck party", "CTF-Face", "5/8"});
    grid.setRow(3, {"", "Beta_Deck", "DM-Morpheus", "0/16"});
    grid.setRow(4, {"", "DECK", "AS-Frigate", "12/16"});
    return grid;
}

struct SearchCase {
    const char* name;
    FindOptions options;
    GridCell from;
    std::optional<GridCell> found;
    bool wrapped = false;
};

FindOptions find(std::string text) {
    FindOptions o;
    o.text = std::move(text);
    return o;
}
FindOptions matchCase(FindOptions o) {
    o.matchCase = true;
    return o;
}
FindOptions wholeWords(FindOptions o) {
    o.wholeWords = true;
    return o;
}
FindOptions backward(FindOptions o) {
    o.backward = true;
    return o;
}
FindOptions inColumn(FindOptions o, int column) {
    o.currentColumnOnly = true;
    o.column = column;
    return o;
}

TEST(GridSearch, FindsTheNextDataCellInDisplayOrder) {
    const tk::StringGrid grid = sampleGrid();
    const std::vector<SearchCase> cases = {
        {"no current cell starts at the first data cell", find("deck"), {}, GridCell{2, 1}},
        {"the next cell in the same row", find("deck"), {1, 2}, GridCell{1, 3}},
        {"after the current cell", find("deck"), {2, 1}, GridCell{1, 2}},
        {"case sensitive skips other cases", matchCase(find("deck")), {}, GridCell{1, 2}},
        {"case sensitive exact", matchCase(find("DECK")), {}, GridCell{1, 4}},
        {"whole words: _ joins a word", wholeWords(find("deck")), {1, 2}, GridCell{1, 4}},
        {"whole words: ] and - end a word", wholeWords(find("deck16")), {}, GridCell{2, 1}},
        {"whole words: not inside a word", wholeWords(find("arena")), {}, GridCell{1, 1}},
        {"whole words: part of a word is no match", wholeWords(find("aren")), {}, std::nullopt},
        {"backward from a cell", backward(find("deck")), {1, 3}, GridCell{1, 2}},
        {"backward with no current cell starts at the last",
         backward(find("deck")),
         {},
         GridCell{1, 4}},
        {"backward wraps to the bottom", backward(find("deck")), {2, 1}, GridCell{1, 4}, true},
        {"forward wraps to the top", find("alpha"), {1, 3}, GridCell{1, 1}, true},
        {"the current cell itself comes last", find("face"), {2, 2}, GridCell{2, 2}, true},
        {"current column only", inColumn(find("deck"), 2), {2, 1}, GridCell{2, 1}, true},
        {"current column skips other columns", inColumn(find("16"), 3), {}, GridCell{3, 1}},
        {"a column left of the searched ones stands before its row",
         inColumn(find("16"), 3),
         {1, 3},
         GridCell{3, 3}},
        {"a fixed column is never searched", inColumn(find("server"), 0), {}, std::nullopt},
        {"fixed cells are never found", find("server"), {}, std::nullopt},
        {"not found", find("Facing Worlds"), {1, 2}, std::nullopt},
        {"an empty text finds nothing", find(""), {}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto hit = app::findInGrid(grid, c.options, c.from);
        ASSERT_EQ(hit.has_value(), c.found.has_value());
        if (hit) {
            EXPECT_EQ(hit->cell, *c.found);
            EXPECT_EQ(hit->wrapped, c.wrapped);
        }
    }
}

TEST(GridSearch, FollowsTheSortedDisplayOrder) {
    tk::StringGrid grid = sampleGrid();
    grid.toggleSort(1); // descending by name: deck party, DECK, Beta_Deck, Alpha Arena
    ASSERT_EQ(grid.cell(1, 1), "deck party");
    const auto first = app::findInGrid(grid, find("deck"), {});
    ASSERT_TRUE(first);
    EXPECT_EQ(grid.cell(first->cell.col, first->cell.row), "deck party");
    const auto second = app::findInGrid(grid, find("deck"), first->cell);
    ASSERT_TRUE(second);
    EXPECT_EQ(grid.cell(second->cell.col, second->cell.row), "DECK");
}

TEST(GridSearch, AGridWithoutDataRowsFindsNothing) {
    const tk::StringGrid grid(4, 1, 1, 1);
    EXPECT_FALSE(app::findInGrid(grid, find("Server"), {}));
}

// The dialog through the main window's actions, on the fake platform.
struct MainWindow {
    fake::TempFolder folder;
    fake::FakePlatform platform;
    std::unique_ptr<app::TQueryMain> main;

    app::TQueryMain& start() {
        main = std::make_unique<app::TQueryMain>(platform, folder.file("skarvell.ini").string());
        main->FormCreate();
        return *main;
    }
};

void fill(tk::StringGrid& grid, const std::vector<std::vector<std::string>>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        grid.setRow(static_cast<int>(i) + 1, rows[i]);
    }
}

TEST(FindDialog, SearchServFindsNextRepeatedlyInTheServerTable) {
    MainWindow w;
    auto& m = w.start();
    ASSERT_TRUE(m.actSearchServ.enabled());
    fill(m.servertable, {{"", "Alpha Arena", "DeathMatch", "DM-Deck16]["},
                         {"", "Clan War", "CTF", "CTF-Face"},
                         {"", "Deck Only", "DeathMatch", "DM-Deck16]["}});
    m.servertable.setSelectedRow(1);

    std::vector<int> rows;
    std::vector<std::string> results;
    w.platform.onModal = [&](tk::Form& form) {
        EXPECT_EQ(&form, &m.findDialog.form);
        m.findDialog.txtFindText.setText("deck");
        for (int i = 0; i < 3; ++i) {
            m.findDialog.cmdFindNext.click();
            rows.push_back(m.servertable.selectedRow());
            results.push_back(m.findDialog.lblResult.caption());
        }
    };
    m.actSearchServ.execute();

    EXPECT_EQ(w.platform.modalForms, std::vector<std::string>{"Search servers"});
    // From the row after the selected one: the two cells of row 3, then
    // round to row 1.
    EXPECT_EQ(rows, (std::vector<int>{3, 3, 1}));
    EXPECT_EQ(results[0], "");
    EXPECT_EQ(results[2], "Passed the end of the table, went on from the top.");

    // Backward in the current column (the map, found last in row 1): round
    // to the bottom.
    w.platform.onModal = [&](tk::Form&) {
        m.findDialog.rgrDirection.setItemIndex(1);
        m.findDialog.rgrScope.setItemIndex(1);
        m.findDialog.cmdFindNext.click();
    };
    m.actSearchServ.execute();
    EXPECT_EQ(m.servertable.selectedRow(), 3);
    EXPECT_EQ(m.findDialog.lblResult.caption(),
              "Passed the top of the table, went on from the bottom.");

    w.platform.onModal = [&](tk::Form&) {
        m.findDialog.txtFindText.setText("Facing Worlds");
        m.findDialog.cmdFindNext.click();
    };
    m.actSearchServ.execute();
    EXPECT_EQ(m.servertable.selectedRow(), 3);
    EXPECT_EQ(m.findDialog.lblResult.caption(), "\"Facing Worlds\" was not found.");
}

TEST(FindDialog, SearchFavPointsTheDialogAtTheFavouritesAndSelectsLikeAClick) {
    MainWindow w;
    auto& m = w.start();
    ASSERT_TRUE(m.actSearchFav.enabled());
    fill(m.favouritestable, {{"", "Alpha Arena"}, {"", "Clan War"}});
    fill(m.servertable, {{"", "Clan War"}});
    std::vector<std::pair<int, int>> clicks;
    m.favouritestable.onSelectCell = [&clicks](int col, int row) { clicks.emplace_back(col, row); };

    w.platform.onModal = [&](tk::Form&) {
        m.findDialog.txtFindText.setText("clan");
        m.findDialog.cmdFindNext.click();
    };
    m.actSearchFav.execute();

    EXPECT_EQ(w.platform.modalForms, std::vector<std::string>{"Search favourites"});
    EXPECT_EQ(m.findDialog.grid(), &m.favouritestable);
    EXPECT_EQ(m.favouritestable.selectedRow(), 2);
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{1, 2}}));
    EXPECT_EQ(m.servertable.selectedRow(), -1);
}

TEST(FindDialog, FindNextWithoutTextSaysWhatIsMissing) {
    app::TFindDialog dialog;
    tk::StringGrid grid = sampleGrid();
    dialog.Open(grid, "Search");
    dialog.cmdFindNext.click();
    EXPECT_EQ(dialog.lblResult.caption(), "Type the text to find.");
    EXPECT_EQ(grid.selectedRow(), -1);
}

} // namespace
