#include "WatchRig.h"

#include "toolkit/ImageIndex.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace testing_query {
namespace {

class ServerTablesTest : public ::testing::Test {
protected:
    [[nodiscard]] std::vector<std::string> favouriteRowAt(int row) const {
        return rowCells(rig.favouritestable, row);
    }
    [[nodiscard]] std::vector<std::string> favouriteRow(int slot) const {
        return favouriteRowAt(rig.favouritestable.displayRow(slot));
    }

    WatchRig rig;
};

// --- ShowFavouriteRow -------------------------------------------------------

struct FavouriteRowCase {
    const char* name;
    bool responded;
    int numplayers, maxplayers;
    std::vector<std::string> cells;
    friend void PrintTo(const FavouriteRowCase& c, std::ostream* os) { *os << c.name; }
};

class FavouriteRowTest : public ServerTablesTest,
                         public ::testing::WithParamInterface<FavouriteRowCase> {};

TEST_P(FavouriteRowTest, RowShowsTheSlot) {
    const int slot = rig.addFavourite("My Server", "192.0.2.1", "7777");
    auto& fav = rig.records.favourites[static_cast<std::size_t>(slot)];
    fav.gametype = "Botpack.CTFGame";
    fav.maptitle = "Test Arena";
    fav.ping = 80;
    fav.numplayers = GetParam().numplayers;
    fav.maxplayers = GetParam().maxplayers;
    fav.responded = GetParam().responded;
    rig.tables.ShowFavouriteRow(slot);
    EXPECT_EQ(favouriteRow(slot), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    States, FavouriteRowTest,
    ::testing::Values(
        FavouriteRowCase{
            "NeverAnswered", false, 5, 16, {"", "My Server", "No response", "", "", "9999"}},
        FavouriteRowCase{"Answered",
                         true,
                         5,
                         16,
                         {"", "My Server", "Capture The Flag", "Test Arena", "5/16", "80"}},
        FavouriteRowCase{"EmptyServer",
                         true,
                         0,
                         0,
                         {"", "My Server", "Capture The Flag", "Test Arena", "0/0", "80"}}),
    [](const ::testing::TestParamInfo<FavouriteRowCase>& info) { return info.param.name; });

TEST_F(ServerTablesTest, FavouriteRowIsFoundThroughTheSortedMapping) {
    rig.addFavourite("Alpha", "192.0.2.1", "7777");
    rig.addFavourite("Bravo", "192.0.2.2", "7777");
    rig.addFavourite("Charlie", "192.0.2.3", "7777");
    rig.favouritestable.toggleSort(1); // descending: Charlie, Bravo, Alpha
    ASSERT_EQ(rig.favouritestable.displayRow(1), 3);
    rig.records.favourites[1].hostname = "Alpha 2";
    rig.tables.ShowFavouriteRow(1);
    EXPECT_EQ(rig.favouritestable.cell(1, 3), "Alpha 2");
    EXPECT_EQ(rig.favouritestable.cell(1, 1), "Charlie");
}

TEST_F(ServerTablesTest, SlotOutsideTheFavouritesChangesNoRow) {
    rig.addFavourite("Alpha", "192.0.2.1", "7777");
    for (const int slot : {0, -1, 100, 4000}) {
        rig.tables.ShowFavouriteRow(slot);
    }
    EXPECT_EQ(favouriteRowAt(0), (std::vector<std::string>(6)));
    EXPECT_EQ(favouriteRowAt(1)[1], "Alpha");
    EXPECT_EQ(favouriteRowAt(99), (std::vector<std::string>(6)));
}

// --- WatchEntry -----------------------------------------------------------

TEST_F(ServerTablesTest, WatchingAFavouriteAfterAListedServer) {
    auto& listed = rig.records.serverList[12];
    listed.hostname = "Listed";
    listed.address = "198.51.100.12";
    const int fav = rig.addFavourite("Favourite", "192.0.2.7", "7777");
    rig.records.favourites[static_cast<std::size_t>(fav)].maptitle = "Test Arena";
    // A roster of the previous server, with an image.
    rig.rooster.setRowCount(5);
    rig.rooster.setRow(1, {"1", "Old Player"});
    rig.rooster.setCellImage(6, 1, tk::images::kTick);
    rig.records.playerEnd = 6;

    rig.tables.WatchEntry(query::WatchSource::ServerList, 12);
    EXPECT_EQ(rig.records.currentServer.hostname, "Listed");
    rig.tables.WatchEntry(query::WatchSource::Favourites, fav);

    EXPECT_EQ(rig.records.watchSource, query::WatchSource::Favourites);
    EXPECT_EQ(rig.records.watchSlot, fav);
    EXPECT_EQ(rig.records.currentServer.hostname, "Favourite");
    EXPECT_EQ(rig.records.currentServer.maptitle, "Test Arena");
    EXPECT_EQ(rig.rooster.rowCount(), 2);
    EXPECT_EQ(rig.rooster.cell(0, 0), "No.");
    for (int col = 0; col < rig.rooster.colCount(); ++col) {
        EXPECT_EQ(rig.rooster.cell(col, 1), "");
        EXPECT_EQ(rig.rooster.cellImage(col, 1), tk::images::kNone);
    }
    EXPECT_EQ(rig.serverInfos.cell(1, 1), "Favourite");
    EXPECT_EQ(rig.serverInfos.cell(1, 2), "192.0.2.7:7777");
    // The players stay until the first reply of the new server.
    EXPECT_EQ(rig.records.playerEnd, 6);
}

TEST_F(ServerTablesTest, WatchEntryIgnoresWhatNamesNoSlot) {
    const int fav = rig.addFavourite("Favourite", "192.0.2.7", "7777");
    rig.tables.WatchEntry(query::WatchSource::Favourites, fav);
    using S = query::WatchSource;
    for (const auto& [source, slot] :
         {std::pair{static_cast<S>(0), 1}, std::pair{static_cast<S>(3), 1},
          std::pair{S::Favourites, 0}, std::pair{S::Favourites, 100},
          std::pair{S::ServerList, 4000}, std::pair{S::ServerList, -1}}) {
        rig.tables.WatchEntry(source, slot);
        const int sourceNumber = static_cast<int>(source);
        EXPECT_EQ(rig.records.watchSource, S::Favourites) << sourceNumber << "," << slot;
        EXPECT_EQ(rig.records.watchSlot, fav) << sourceNumber << "," << slot;
        EXPECT_EQ(rig.records.currentServer.hostname, "Favourite") << sourceNumber << "," << slot;
    }
}

// --- favouritestableSelectCell --------------------------------------------

class FavouriteSelectTest : public ServerTablesTest {
protected:
    FavouriteSelectTest() {
        rig.addFavourite("Alpha", "192.0.2.1", "7777");
        rig.addFavourite("Bravo", "192.0.2.2", "7777");
        rig.addFavourite("Charlie", "192.0.2.3", "7777");
        rig.records.serverList[4].hostname = "Listed";
        rig.tables.WatchEntry(query::WatchSource::ServerList, 4);
    }
    // Whether selecting the display row made another server the watched one.
    [[nodiscard]] bool selectWatches(int row) {
        const auto before = rig.records.currentServer.hostname;
        rig.favouritestable.select(1, row);
        return rig.records.currentServer.hostname != before;
    }
};

TEST_F(FavouriteSelectTest, SelectedRowsSlotBecomesTheWatchedOne) {
    rig.favouritestable.toggleSort(1); // Charlie, Bravo, Alpha
    EXPECT_TRUE(selectWatches(1));
    EXPECT_EQ(rig.records.watchSource, query::WatchSource::Favourites);
    EXPECT_EQ(rig.records.watchSlot, 3);
    EXPECT_EQ(rig.records.currentServer.hostname, "Charlie");
}

TEST_F(FavouriteSelectTest, RowsThatShowNoFavouriteAreIgnored) {
    EXPECT_FALSE(selectWatches(0));
    EXPECT_FALSE(selectWatches(4)); // favouriteEnd
    EXPECT_FALSE(selectWatches(99));
    EXPECT_FALSE(selectWatches(-1));
    EXPECT_EQ(rig.records.watchSource, query::WatchSource::ServerList);
}

TEST_F(FavouriteSelectTest, NothingHappensWhileAWarIsRecorded) {
    rig.records.warRecording = true;
    EXPECT_FALSE(selectWatches(2));
    EXPECT_EQ(rig.records.watchSource, query::WatchSource::ServerList);
}

TEST_F(FavouriteSelectTest, TheWatchedFavouriteIsNotChosenAgain) {
    ASSERT_TRUE(selectWatches(2));
    // A reply has filled the roster since; choosing the same row keeps it.
    rig.rooster.setRowCount(4);
    rig.rooster.setRow(1, {"1", "Player"});
    rig.favouritestable.select(1, 2);
    EXPECT_EQ(rig.rooster.rowCount(), 4);
    EXPECT_EQ(rig.rooster.cell(1, 1), "Player");
    // The same slot number in the server list is another server.
    rig.tables.WatchEntry(query::WatchSource::ServerList, 2);
    EXPECT_TRUE(selectWatches(2));
}

} // namespace
} // namespace testing_query
