#include "WatchRig.h"
#include "support/TempFolder.h"

#include "toolkit/ImageIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace testing_query {
namespace {

struct Player {
    Player(std::string name_, int frags_, int ping_, int team_ = 0, std::string ngsecret_ = {},
           std::string health_ = "0", int spree_ = 0, std::string weapon_ = "n/a",
           std::string inventory_ = "n/a")
        : name(std::move(name_)), frags(frags_), ping(ping_), team(team_),
          ngsecret(std::move(ngsecret_)), health(std::move(health_)), spree(spree_),
          weapon(std::move(weapon_)), inventory(std::move(inventory_)) {}

    std::string name;
    int frags;
    int ping;
    int team;
    std::string ngsecret;
    std::string health;
    int spree;
    std::string weapon;
    std::string inventory;
};

class ServerDisplayTest : public ::testing::Test {
protected:
    // Stores the players as the parser would (with its trailing empty
    // record) and shows the roster.
    void showPlayers(const std::vector<Player>& list) {
        std::size_t slot = 1;
        for (const Player& p : list) {
            auto& r = rig.records.players.at(slot++);
            r.name = p.name;
            r.frags = p.frags;
            r.ping = p.ping;
            r.team = p.team;
            r.ngsecret = p.ngsecret;
            r.health = p.health;
            r.spree = p.spree;
            r.weapon = p.weapon;
            r.inventory = p.inventory;
        }
        rig.records.players.at(slot) = {};
        rig.records.playerEnd = static_cast<int>(slot) + 1;
        rig.display.ShowRoster();
    }

    [[nodiscard]] std::vector<std::string> rosterRow(int row) const {
        return rowCells(rig.rooster, row);
    }

    [[nodiscard]] std::vector<std::string> rosterColumn(int col) const {
        std::vector<std::string> cells;
        for (int row = 1; row < rig.rooster.rowCount(); ++row) {
            cells.push_back(rig.rooster.cell(col, row));
        }
        return cells;
    }

    WatchRig rig;
};

// --- Roster cells ---------------------------------------------------------

struct RosterLayoutCase {
    const char* name;
    bool health, spree, weapon, inventory;
    std::vector<std::string> alice; // cells of row 1
    int imageColumn;
    friend void PrintTo(const RosterLayoutCase& c, std::ostream* os) { *os << c.name; }
};

class RosterLayoutTest : public ServerDisplayTest,
                         public ::testing::WithParamInterface<RosterLayoutCase> {};

TEST_P(RosterLayoutTest, CellsFollowTheColumnsSwitchedOn) {
    const auto& c = GetParam();
    rig.settings.Health = c.health;
    rig.settings.Spree = c.spree;
    rig.settings.Weapon = c.weapon;
    rig.settings.Inventory = c.inventory;
    rig.buildRosterColumns();
    showPlayers({{"Alice", 12, 61, 0, "Enabled", "87", 7, "ASMD", "Amplifier"},
                 {"Bob", -2, 140, 255, "", "0", 3, "unknown", ""}});

    EXPECT_EQ(rosterRow(1), c.alice);
    EXPECT_EQ(rig.display.ngStatsColumn(), c.imageColumn);
    for (int col = 0; col < rig.rooster.colCount(); ++col) {
        const int tick = col == c.imageColumn ? tk::images::kTick : tk::images::kNone;
        const int cross = col == c.imageColumn ? tk::images::kCross : tk::images::kNone;
        EXPECT_EQ(rig.rooster.cellImage(col, 1), tick) << "column " << col;
        EXPECT_EQ(rig.rooster.cellImage(col, 2), cross) << "column " << col;
        EXPECT_EQ(rig.rooster.cellImage(col, 0), tk::images::kNone) << "column " << col;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RosterLayoutTest,
    ::testing::Values(
        RosterLayoutCase{
            "Plain", false, false, false, false, {"1", "Alice", "12", "61", "red", " "}, 5},
        RosterLayoutCase{
            "Health", true, false, false, false, {"1", "Alice", "12", "87", "61", "red", " "}, 6},
        RosterLayoutCase{
            "All",
            true,
            true,
            true,
            true,
            {"1", "Alice", "12", "87", "61", "red", " ", "Killing Spree", "ASMD", "Amplifier"},
            6},
        RosterLayoutCase{"SpreeWithoutHealth",
                         false,
                         true,
                         false,
                         false,
                         {"1", "Alice", "12", "61", "red", " ", "Killing Spree"},
                         5}),
    [](const ::testing::TestParamInfo<RosterLayoutCase>& info) { return info.param.name; });

TEST_F(ServerDisplayTest, SecondPlayerRowShowsTeamNoneAndABlankSpree) {
    rig.settings.Spree = true;
    rig.buildRosterColumns();
    showPlayers({{"Alice", 12, 61, 1}, {"Bob", -2, 140, 255, "", "40", 3}});
    EXPECT_EQ(rosterRow(2),
              (std::vector<std::string>{"2", "Bob", "-2", "40", "140", "none", " ", " "}));
}

struct RowCountCase {
    int playerEnd;
    int rows;
    friend void PrintTo(const RowCountCase& c, std::ostream* os) {
        *os << "playerEnd " << c.playerEnd;
    }
};

class RosterRowCountTest : public ServerDisplayTest,
                           public ::testing::WithParamInterface<RowCountCase> {};

TEST_P(RosterRowCountTest, OneRowPerPlayerUnderTheHeader) {
    rig.records.playerEnd = GetParam().playerEnd;
    rig.display.ShowRoster();
    EXPECT_EQ(rig.rooster.rowCount(), GetParam().rows);
    EXPECT_EQ(rig.rooster.cell(0, 0), "No.");
}

// 2: no players; 0 and 1: nothing parsed or a negative count; 66: a full
// table of 64 players; 80: more than the table holds never reads past it.
INSTANTIATE_TEST_SUITE_P(PlayerEnds, RosterRowCountTest,
                         ::testing::Values(RowCountCase{2, 1}, RowCountCase{5, 4},
                                           RowCountCase{0, 1}, RowCountCase{1, 1},
                                           RowCountCase{34, 33}, RowCountCase{66, 65},
                                           RowCountCase{80, 65}));

TEST_F(ServerDisplayTest, ImagesOfAMovedNgStatsColumnGo) {
    showPlayers({{"Alice", 1, 50, 0, "Enabled"}});
    ASSERT_EQ(rig.rooster.cellImage(6, 1), tk::images::kTick);
    rig.settings.Health = false;
    rig.buildRosterColumns();
    showPlayers({{"Alice", 1, 50, 0, "Enabled"}});
    EXPECT_EQ(rig.rooster.cellImage(6, 1), tk::images::kNone);
    EXPECT_EQ(rig.rooster.cellImage(5, 1), tk::images::kTick);
}

// --- Sorting ----------------------------------------------------------------

class RosterSortTest : public ServerDisplayTest {
protected:
    RosterSortTest() {
        rig.settings.Health = false;
        rig.buildRosterColumns();
        showPlayers({{"Alice", 5, 50}, {"Bob", 100, 75}, {"Carol", 20, 300}});
    }
    void doubleClick(int col, int row) { rig.rooster.doubleClick(col, row); }
    static constexpr int kFrags = 2;
    static constexpr int kPing = 3;
};

TEST_F(RosterSortTest, HeaderDoubleClicksShareOneFlippingDirection) {
    doubleClick(kFrags, 0);
    EXPECT_EQ(rosterColumn(1), (std::vector<std::string>{"Bob", "Carol", "Alice"}));
    doubleClick(kFrags, 0);
    EXPECT_EQ(rosterColumn(1), (std::vector<std::string>{"Alice", "Carol", "Bob"}));
    doubleClick(kPing, 0);
    EXPECT_EQ(rosterColumn(1), (std::vector<std::string>{"Carol", "Bob", "Alice"}));
    doubleClick(kPing, 2); // a player row
    EXPECT_EQ(rosterColumn(1), (std::vector<std::string>{"Carol", "Bob", "Alice"}));
    EXPECT_FALSE(rig.rooster.sortAscending());
}

TEST_F(RosterSortTest, ARefreshKeepsTheRowsOfTheLastSort) {
    doubleClick(kFrags, 0); // Bob, Carol, Alice
    showPlayers({{"Alice", 500, 50}, {"Bob", 100, 75}, {"Carol", 20, 300}});
    EXPECT_EQ(rosterColumn(1), (std::vector<std::string>{"Bob", "Carol", "Alice"}));
    EXPECT_EQ(rosterColumn(kFrags), (std::vector<std::string>{"100", "20", "500"}));
    // The "No." column still names each player's slot.
    EXPECT_EQ(rosterColumn(0), (std::vector<std::string>{"2", "3", "1"}));
}

TEST_F(RosterSortTest, PlayersWhoJoinedSinceTheSortGetOneRowEach) {
    doubleClick(kFrags, 0);                            // Bob, Carol, Alice
    showPlayers({{"Alice", 5, 50}, {"Bob", 100, 75}}); // Carol left
    showPlayers({{"Alice", 5, 50},
                 {"Bob", 100, 75},
                 {"Dan", 1, 9}, // two joined
                 {"Eve", 2, 8}});
    std::vector<std::string> names = rosterColumn(1);
    EXPECT_EQ(names, (std::vector<std::string>{"Bob", "Alice", "Dan", "Eve"}));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

// --- Drawing ----------------------------------------------------------------

struct DrawCase {
    const char* name;
    bool usePlayerColor;
    int team;
    bool selected; // the cell is selected and its row is the selection's top row
    tk::Color font;
    tk::Color brush;
    friend void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }
};

constexpr tk::Color kGridBrush = 0x00EEDDCC;
constexpr tk::Color kHighlight = 0x6A2400; // the fake desktop's highlight colour

class RoosterDrawTest : public ServerDisplayTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(RoosterDrawTest, PlayerCellIsColouredAndWritten) {
    const auto& c = GetParam();
    rig.settings.usePlayerColor = c.usePlayerColor;
    showPlayers({{"Alice", 5, 50, 0}, {"Bob", 7, 60, c.team}});
    rig.rooster.doubleClick(2, 0); // Bob (slot 2) now shows in row 1
    ASSERT_EQ(rig.rooster.cell(1, 1), "Bob");
    if (c.selected) {
        rig.rooster.setSelectedRow(1);
    }
    fake::RecordingCanvas canvas;
    canvas.setBrushColor(kGridBrush);
    const tk::Rect rect{100, 40, 160, 58};
    rig.display.RoosterDrawCell(canvas, 1, 1, rect, tk::CellState{c.selected, false});

    ASSERT_EQ(canvas.fills.size(), 1U);
    EXPECT_EQ(canvas.fills[0].rect, rect);
    EXPECT_EQ(canvas.fills[0].color, c.brush);
    ASSERT_EQ(canvas.texts.size(), 1U);
    EXPECT_EQ(canvas.texts[0].text, "Bob");
    EXPECT_EQ(canvas.texts[0].x, 103);
    EXPECT_EQ(canvas.texts[0].y, 40);
    EXPECT_EQ(canvas.texts[0].color, c.font);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, RoosterDrawTest,
    ::testing::Values(DrawCase{"Red", true, 0, false, 0x000080, kGridBrush},
                      DrawCase{"Blue", true, 1, false, 0x800000, kGridBrush},
                      DrawCase{"Green", true, 2, false, 0x008000, kGridBrush},
                      DrawCase{"Gold", true, 3, false, tk::rgb(216, 211, 27), kGridBrush},
                      DrawCase{"NoTeam", true, 255, false, tk::colors::kBlack, kGridBrush},
                      DrawCase{"SelectedBlue", true, 1, true, tk::colors::kWhite, kHighlight},
                      DrawCase{"OffBlue", false, 1, false, tk::colors::kBlack, kGridBrush},
                      DrawCase{"OffSelected", false, 1, true, tk::colors::kBlack, kHighlight}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return info.param.name; });

TEST_F(ServerDisplayTest, HeaderAndNgStatsCellsKeepTheGridsDrawing) {
    showPlayers({{"Alice", 5, 50, 1, "Enabled"}});
    rig.rooster.setSelectedRow(1);
    for (const auto& [col, row] : {std::pair{1, 0}, std::pair{rig.display.ngStatsColumn(), 1}}) {
        fake::RecordingCanvas canvas;
        rig.display.RoosterDrawCell(canvas, col, row, tk::Rect{0, 0, 20, 18},
                                    tk::CellState{true, row == 0});
        EXPECT_TRUE(canvas.fills.empty()) << col << "," << row;
        EXPECT_TRUE(canvas.texts.empty()) << col << "," << row;
    }
}

// --- Server details -------------------------------------------------------

class ServerDetailsTest : public ServerDisplayTest {
protected:
    ServerDetailsTest() {
        auto& s = rig.records.currentServer;
        s.hostname = "Test Arena Server";
        s.address = "10.0.0.5";
        s.hostport = "7777";
        s.gamever = "451";
        s.minnetver = "432";
        s.gametype = "Botpack.CTFGame";
        s.maptitle = "Test Arena";
        s.mapname = "DM-Test";
        s.tournament = "No";
        s.gamestyle = "Hardcore";
        s.maxplayers = 16;
        s.numplayers = 5;
        s.goalteamscore = "3";
        s.balanceteams = "True";
        s.friendlyfire = "0%";
        s.maxteams = "2";
        rig.settings.UTDir = game.path();
    }
    [[nodiscard]] std::pair<std::string, std::string> infoRow(int row) const {
        return {rig.serverInfos.cell(0, row), rig.serverInfos.cell(1, row)};
    }

    fake::TempFolder game;
};

TEST_F(ServerDetailsTest, RowsInOrder) {
    rig.display.ShowServerDetails();
    const std::vector<std::pair<std::string, std::string>> expected{
        {"Variable", "Value"},
        {"Server", "Test Arena Server"},
        {"Address", "10.0.0.5:7777"},
        {"Game Version", "451"},
        {"Min Game Vers", "432"},
        {"GameType", "Capture The Flag"},
        {"Map", "Test Arena  ->  dm-test.unr (You don't have this map!)"},
        {"Tournament", "No"},
        {"Game style", "Hardcore"},
        {"Max Players", "16"},
        {"Players", "5"},
        {"Goal Team Score", "3"},
        {"Balanced Teams", "True"},
        {"Friendly Fire", "0%"},
        {"Max Teams", "2"},
        {"", ""}};
    for (int row = 0; row < static_cast<int>(expected.size()); ++row) {
        EXPECT_EQ(infoRow(row), expected[static_cast<std::size_t>(row)]) << "row " << row;
    }
}

struct LimitCase {
    int timelimit, fraglimit;
    std::pair<std::string, std::string> row15, row16;
    friend void PrintTo(const LimitCase& c, std::ostream* os) {
        *os << "time limit " << c.timelimit << ", frag limit " << c.fraglimit;
    }
};

class DetailLimitTest : public ServerDetailsTest,
                        public ::testing::WithParamInterface<LimitCase> {};

TEST_P(DetailLimitTest, LimitRowsOnlyWhenSet) {
    // Rows of an earlier server with both limits must not linger.
    rig.records.currentServer.timelimit = 15;
    rig.records.currentServer.fraglimit = 15;
    rig.display.ShowServerDetails();
    rig.records.currentServer.timelimit = GetParam().timelimit;
    rig.records.currentServer.fraglimit = GetParam().fraglimit;
    rig.display.ShowServerDetails();
    EXPECT_EQ(infoRow(15), GetParam().row15);
    EXPECT_EQ(infoRow(16), GetParam().row16);
    EXPECT_EQ(infoRow(17), (std::pair<std::string, std::string>{}));
}

INSTANTIATE_TEST_SUITE_P(Limits, DetailLimitTest,
                         ::testing::Values(LimitCase{20, 0, {"Time limit", "20"}, {}},
                                           LimitCase{0, 30, {"Frag limit", "30"}, {}},
                                           LimitCase{
                                               20, 30, {"Time limit", "20"}, {"Frag limit", "30"}},
                                           LimitCase{0, 0, {}, {}}, LimitCase{-1, -5, {}, {}}));

TEST_F(ServerDetailsTest, MapRowTellsWhetherTheMapIsInstalled) {
    rig.display.ShowServerDetails();
    EXPECT_EQ(rig.serverInfos.cell(1, 6), "Test Arena  ->  dm-test.unr (You don't have this map!)");
    game.addFile("maps/DM-Test.unr"); // checked at every call
    rig.display.ShowServerDetails();
    EXPECT_EQ(rig.serverInfos.cell(1, 6), "Test Arena  ->  dm-test.unr");
    rig.records.currentServer.mapname = "";
    rig.display.ShowServerDetails();
    EXPECT_EQ(rig.serverInfos.cell(1, 6), "Test Arena");
}

TEST_F(ServerDetailsTest, NoGameFolderMeansNoMap) {
    game.addFile("maps/DM-Test.unr");
    rig.settings.UTDir = "";
    rig.display.ShowServerDetails();
    EXPECT_EQ(rig.serverInfos.cell(1, 6), "Test Arena  ->  dm-test.unr (You don't have this map!)");
}

// --- Write-back -------------------------------------------------------------

class StoreWatchedEntryTest : public ServerDisplayTest {
protected:
    StoreWatchedEntryTest() {
        rig.addFavourite("First", "192.0.2.1", "7777");
        rig.addFavourite("Our Clan Server", "192.0.2.2", "7777");
        rig.addFavourite("Third", "192.0.2.3", "7777");
        auto& s = rig.records.currentServer;
        s.hostname = "Server From Reply";
        s.address = "203.0.113.9"; // a reply never changes a slot's address
        s.hostport = "7777";
        s.gametype = "Botpack.CTFGame";
        s.maptitle = "Test Arena";
        s.numplayers = 5;
        s.maxplayers = 16;
        s.ping = 80;
        s.responded = true;
        s.echoSlot = 2;
        rig.records.watchSource = query::WatchSource::Favourites;
        rig.records.watchSlot = 2;
    }
    [[nodiscard]] std::vector<std::string> favouriteRow(int slot) const {
        return rowCells(rig.favouritestable, rig.favouritestable.displayRow(slot));
    }
};

TEST_F(StoreWatchedEntryTest, FavouriteTakesTheServersNameOnlyWithHostAutoUpdate) {
    for (const bool autoUpdate : {false, true}) {
        rig.settings.HostAutoUpdate = autoUpdate;
        rig.display.StoreWatchedEntry();
        const std::string name = autoUpdate ? "Server From Reply" : "Our Clan Server";
        const auto& fav = rig.records.favourites[2];
        EXPECT_EQ(fav.hostname, name);
        EXPECT_EQ(fav.address, "192.0.2.2");
        EXPECT_EQ(fav.maptitle, "Test Arena");
        EXPECT_EQ(rig.records.currentServer.address, "192.0.2.2");
        EXPECT_EQ(favouriteRow(2), (std::vector<std::string>{"", name, "Capture The Flag",
                                                             "Test Arena", "5/16", "80"}));
    }
}

TEST_F(StoreWatchedEntryTest, ReplyForAnotherFavouriteGoesToThatSlot) {
    rig.records.currentServer.echoSlot = 3;
    rig.display.StoreWatchedEntry();
    EXPECT_EQ(rig.records.favourites[3].maptitle, "Test Arena");
    EXPECT_EQ(rig.records.favourites[2].maptitle, "");
}

TEST_F(StoreWatchedEntryTest, EchoSlotThatIsNoFavouriteInUseWritesNothing) {
    for (const int echoSlot : {0, -1, 4, 99, 100, 5000}) {
        rig.records.currentServer.echoSlot = echoSlot;
        rig.display.StoreWatchedEntry();
        for (std::size_t slot = 0; slot < rig.records.favourites.size(); ++slot) {
            EXPECT_EQ(rig.records.favourites[slot].maptitle, "") << echoSlot << " " << slot;
        }
        EXPECT_EQ(favouriteRow(2)[2], "No response") << echoSlot;
    }
}

TEST_F(StoreWatchedEntryTest, ServerListSlotAndItsSortedRow) {
    auto& list = rig.records.serverList;
    for (int slot = 1; slot <= 9; ++slot) {
        list[static_cast<std::size_t>(slot)].address = "198.51.100." + std::to_string(slot);
        rig.servertable.setRow(slot, {"", std::string(1, static_cast<char>('a' + slot))});
    }
    rig.servertable.toggleSort(1); // descending: slot 9 first
    rig.records.serverRows = 9;
    rig.records.watchSource = query::WatchSource::ServerList;
    rig.records.watchSlot = 7;
    rig.display.StoreWatchedEntry();

    EXPECT_EQ(list[7].hostname, "Server From Reply");
    EXPECT_EQ(list[7].address, "198.51.100.7");
    const int row = rig.servertable.displayRow(7);
    ASSERT_EQ(row, 3);
    EXPECT_EQ(rowCells(rig.servertable, row),
              (std::vector<std::string>{"", "Server From Reply", "Capture The Flag", "Test Arena",
                                        "5/16", "80"}));
    EXPECT_EQ(rig.servertable.cell(1, 7), "d"); // display row 7 shows slot 3
    EXPECT_EQ(rig.records.favourites[2].maptitle, "");
}

TEST_F(StoreWatchedEntryTest, TrayTooltipNamesTheServer) {
    rig.settings.HostAutoUpdate = false;
    rig.display.StoreWatchedEntry();
    EXPECT_EQ(rig.trayicon.hint(), "192.0.2.2:7777\nTest Arena Capture The Flag\n5 of 16 Players");
}

} // namespace
} // namespace testing_query
