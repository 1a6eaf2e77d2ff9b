#include "WarRig.h"

#include "settings/SettingsBlock.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace testing_war {
namespace {

using Column = std::vector<std::string>;

// A war page column: players, frags, frags interpol, frags needed, average
// frags, average ping.
Column col(const char* players, const char* frags, const char* interpol, const char* needed,
           const char* avgFrags, const char* avgPing) {
    return {players, frags, interpol, needed, avgFrags, avgPing};
}

TEST(War, TheWarPageShowsEachTeamsFigures) {
    struct Case {
        const char* what;
        Reply reply;
        Column red;
        Column blue;
    };
    const Case cases[] = {
        {"two red, one blue, frag limit 30",
         {{{"Ann", 0, 10, 50}, {"Bob", 0, 4, 101}, {"Cid", 1, 7, 80}}, 100, 0, 30},
         col("2", "14", "14", "16", "7", "75"),
         col("1", "7", "7", "23", "7", "80")},
        {"no frag limit; averages drop the fraction; spectators count for neither",
         {{{"Ann", 0, 5, 10}, {"Bob", 0, 4, 15}, {"Cid", 1, -3, 7}, {"Watcher", 255, 99, 999}}},
         col("2", "9", "9", "-", "4", "12"),
         col("1", "-3", "-3", "-", "-3", "7")},
        {"the limit passed",
         {{{"Ann", 0, 35, 10}, {"Cid", 1, 2, 20}}, 100, 0, 30},
         col("1", "35", "35", "-5", "35", "10"),
         col("1", "2", "2", "28", "2", "20")},
        {"sums beyond 32 bits",
         {{{"Ann", 0, std::numeric_limits<int>::max(), 10},
           {"Bob", 0, std::numeric_limits<int>::max(), 10},
           {"Cid", 1, 1, 20}}},
         col("2", "4294967294", "4294967294", "-", "2147483647", "10"),
         col("1", "1", "1", "-", "1", "20")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WarRig rig;
        rig.reply(c.reply);
        EXPECT_EQ(rig.red(), c.red);
        EXPECT_EQ(rig.blue(), c.blue);
    }
}

TEST(War, AnEmptyTeamLeavesTheAveragesAsTheyWere) {
    WarRig rig;
    rig.reply({{{"Ann", 0, 10, 50}, {"Cid", 1, 6, 80}}});
    rig.reply({{{"Ann", 0, 12, 40}}});
    EXPECT_EQ(rig.red(), col("1", "12", "12", "-", "10", "50"));
    EXPECT_EQ(rig.blue(), col("0", "0", "6", "-", "6", "80"));
    rig.reply({{}, 100, 0, 0, 16, 0});
    EXPECT_EQ(rig.red(), col("0", "0", "12", "-", "10", "50"));
    EXPECT_EQ(rig.blue(), col("0", "0", "6", "-", "6", "80"));
}

// Each step is one reply; the red team's figures after it.
TEST(War, FragsThatLeaveWithAPlayerStayInHisTeamsTotal) {
    struct Step {
        const char* what;
        std::vector<Player> players;
        const char* redFrags;
        const char* redInterpol;
        const char* blueFrags;
        int redDeparted;
    };
    const Step steps[] = {
        {"start", {{"Ann", 0, 12}, {"Bob", 0, 9}, {"Cid", 1, 3}}, "21", "21", "3", 0},
        {"Bob leaves with 9", {{"Ann", 0, 12}, {"Cid", 1, 3}}, "12", "21", "3", 9},
        {"frags fall without anyone leaving", {{"Ann", 0, 10}, {"Cid", 1, 3}}, "10", "19", "3", 9},
        {"Dan joins red", {{"Ann", 0, 10}, {"Dan", 0, 0}, {"Cid", 1, 3}}, "10", "19", "3", 9},
        {"Dan leaves without frags", {{"Ann", 0, 11}, {"Cid", 1, 3}}, "11", "20", "3", 9},
        {"Ann switches to blue", {{"Ann", 1, 11}, {"Cid", 1, 3}}, "0", "20", "14", 20},
    };
    WarRig rig;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        rig.reply({s.players});
        EXPECT_EQ(rig.rfrags.caption(), s.redFrags);
        EXPECT_EQ(rig.rinterpol.caption(), s.redInterpol);
        EXPECT_EQ(rig.bfrags.caption(), s.blueFrags);
        EXPECT_EQ(rig.record.redDeparted, s.redDeparted);
    }
    // The series keep each update's present and departed frags.
    EXPECT_EQ(rig.record.redSeries[1].frags, 12);
    EXPECT_EQ(rig.record.redSeries[1].departed, 9);
    EXPECT_EQ(rig.record.maxTeamTotal, 21);
    EXPECT_EQ(rig.record.sampleIndex, 6);
}

TEST(War, EveryPlayerKeepsHisOwnHistory) {
    const std::string longName(40, 'L');
    WarRig rig;
    rig.reply({{{"Ann", 0, 1}, {longName, 1, 2}}, 10});
    rig.reply({{{"Ann", 0, 3}, {longName, 1, 4}, {"Bob", 0, 5}}, 20});
    // Ann reconnects as herself; Bob renamed himself.
    rig.reply({{{longName, 1, 6}, {"Ann", 0, 0}, {"Bobby", 1, 5}}, 30});

    struct Slot {
        std::string name;
        int team, frags, count;
        std::vector<int> samples;
    };
    const Slot slots[] = {{"Ann", 0, 0, 3, {1, 3, 0}},
                          {longName.substr(0, 31), 1, 6, 3, {2, 4, 6}},
                          {"Bob", 0, 5, 1, {5}},
                          {"Bobby", 1, 5, 1, {5}}};
    for (std::size_t i = 0; i < std::size(slots); ++i) {
        SCOPED_TRACE(i);
        const war::PlayerHistory& h = rig.record.histories[i];
        EXPECT_EQ(h.name.view(), slots[i].name);
        EXPECT_EQ(h.team, slots[i].team);
        EXPECT_EQ(h.frags, slots[i].frags);
        ASSERT_EQ(h.count, slots[i].count);
        for (int k = 0; k < h.count; ++k) {
            EXPECT_EQ(h.samples[static_cast<std::size_t>(k)].frags, slots[i].samples[k]);
            EXPECT_EQ(h.samples[static_cast<std::size_t>(k)].departed, 0);
        }
    }
    EXPECT_EQ(rig.record.histories[1].samples[2].time, 30);
    EXPECT_EQ(rig.record.histories[4].count, 0);
    EXPECT_EQ(rig.record.histories[4].team, -1);
    EXPECT_EQ(rig.record.maxPlayerFrags, 6);
}

TEST(War, HistoriesAreBoundedByTheServersSlotsAndTheRecord) {
    struct Case {
        int maxplayers;
        int players;
        int histories;
    };
    const Case cases[] = {{0, 3, 0}, {2, 3, 2}, {-1, 2, 0}, {1000, 64, 64}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maxplayers);
        WarRig rig;
        Reply r;
        r.maxplayers = c.maxplayers;
        for (int i = 0; i < c.players; ++i) {
            r.players.push_back({"P" + std::to_string(i), i % 2, i});
        }
        rig.reply(r);
        // Those without a history still count for their team.
        EXPECT_EQ(std::stoi(rig.rplayer.caption()) + std::stoi(rig.bplayer.caption()), c.players);
        int used = 0;
        for (const war::PlayerHistory& h : rig.record.histories) {
            used += h.count > 0 ? 1 : 0;
        }
        EXPECT_EQ(used, c.histories);
    }
    // All 64 slots taken: newcomers get none, nothing is overwritten.
    WarRig rig;
    Reply r;
    r.maxplayers = 1000;
    for (int i = 0; i < 64; ++i) {
        r.players.push_back({"P" + std::to_string(i), 0, 1});
    }
    rig.reply(r);
    for (auto& p : r.players) {
        p.name = "New" + p.name;
    }
    rig.reply(r);
    EXPECT_EQ(rig.record.histories[63].name.view(), "P63");
    EXPECT_EQ(rig.record.histories[63].count, 1);
}

TEST(War, OnlyThePlayersReallyStoredAreRead) {
    // The server announces more players than a reply can hold: the stored
    // 64 are read, nothing past them.
    WarRig rig;
    Reply r;
    r.maxplayers = 1000;
    r.numplayers = 100;
    for (int i = 0; i < 64; ++i) {
        r.players.push_back({"P" + std::to_string(i), 0, 1, 10});
    }
    rig.reply(r);
    EXPECT_EQ(rig.red(), col("64", "64", "64", "-", "", ""));
    EXPECT_EQ(rig.bplayer.caption(), "0");
    EXPECT_EQ(rig.record.histories[63].count, 1);

    // Slots past the stored players hold whatever an earlier reply left.
    WarRig rig2;
    query::ServerRecords& records = rig2.watch.records;
    records.currentServer.numplayers = 5;
    records.currentServer.maxplayers = 16;
    records.playerEnd = 4; // players in slots 1 and 2
    for (int slot = 1; slot <= 5; ++slot) {
        records.players[static_cast<std::size_t>(slot)].name = "P" + std::to_string(slot);
        records.players[static_cast<std::size_t>(slot)].frags = slot;
    }
    rig2.war.UpdateWar();
    EXPECT_EQ(rig2.red(), col("2", "3", "3", "-", "", ""));
    EXPECT_EQ(rig2.record.histories[2].count, 0);
    EXPECT_EQ(rig2.record.maxPlayerFrags, 2);

    // A player the server counts but does not list leaves an empty record:
    // it is no red player and gets no history.
    WarRig rig3;
    query::ServerRecords& listed = rig3.watch.records;
    listed.currentServer.numplayers = 3;
    listed.currentServer.maxplayers = 16;
    listed.playerEnd = 5; // slots 1 to 3, the last one empty
    listed.players[1].name = "Ann";
    listed.players[1].frags = 4;
    listed.players[2].name = "Bob";
    listed.players[2].frags = 6;
    rig3.war.UpdateWar();
    EXPECT_EQ(rig3.red(), col("2", "10", "10", "-", "", ""));
    EXPECT_EQ(rig3.record.histories[2].count, 0);
}

TEST(War, SeriesAndHistoriesKeepTheLatest400AsARing) {
    WarRig rig;
    for (int i = 0; i < 400; ++i) {
        rig.reply({{{"Ann", 0, 10}, {"Bob", 0, 10}, {"Cid", 1, i}}, i});
    }
    ASSERT_EQ(rig.record.sampleIndex, 0);
    EXPECT_EQ(rig.record.redSeries[399].time, 399);
    // The 401st update: Bob leaves with his 10; the rule compares with slot 399.
    rig.reply({{{"Ann", 0, 10}, {"Cid", 1, 400}}, 400});
    EXPECT_EQ(rig.record.sampleIndex, 1);
    EXPECT_EQ(rig.record.redDeparted, 10);
    EXPECT_EQ(rig.record.redSeries[0].time, 400);
    EXPECT_EQ(rig.record.redSeries[0].departed, 10);
    EXPECT_EQ(rig.record.redSeries[1].time, 1);
    EXPECT_EQ(rig.rinterpol.caption(), "20");

    const war::PlayerHistory& cid = rig.record.histories[2];
    EXPECT_EQ(cid.count, 401);
    EXPECT_EQ(cid.samples[0].frags, 400); // the newest, over the oldest
    EXPECT_EQ(cid.samples[1].frags, 1);   // the oldest kept: 401 % 400
    EXPECT_EQ(cid.samples[399].frags, 399);
    const war::PlayerHistory& bob = rig.record.histories[1];
    EXPECT_EQ(bob.count, 400);
    EXPECT_EQ(bob.samples[399].time, 399);
    EXPECT_EQ(rig.record.histories[3].count, 0);
}

TEST(War, TheClockShowsTimeLeftOrPlayedInItsColours) {
    struct Step {
        int timelimit;
        int timeSeconds;
        const char* clock;
        tk::Color colour;
        const char* caption;
    };
    // Without a time limit the colour stays what it was.
    const Step steps[] = {
        {20, 1185, "00:15", war::kClockRed, "remaining"},
        {0, 75, "01:15", war::kClockRed, "elapsed"},
        {20, 1170, "00:30", war::kClockLime, "remaining"},
        {20, 1171, "00:29", war::kClockRed, "remaining"},
        {1, 61, "-00:01", war::kClockRed, "remaining"},
    };
    WarRig rig;
    EXPECT_EQ(rig.time.fontColor(), war::kClockLime);
    for (const Step& s : steps) {
        SCOPED_TRACE(s.timeSeconds);
        Reply r;
        r.timelimit = s.timelimit;
        r.timeSeconds = s.timeSeconds;
        rig.reply(r);
        EXPECT_EQ(rig.time.caption(), s.clock);
        EXPECT_EQ(rig.time.fontColor(), s.colour);
        EXPECT_EQ(rig.timeCaption.caption(), s.caption);
    }
}

TEST(War, TheClockRunsOnBetweenReplies) {
    WarRig rig;
    EXPECT_FALSE(rig.war.timeblinktimer.enabled());
    Reply r;
    r.timelimit = 20;
    r.timeSeconds = 1170;
    rig.reply(r);
    EXPECT_TRUE(rig.war.timeblinktimer.enabled());
    rig.watch.platform.clock.advance(3000);
    EXPECT_EQ(rig.record.clockSeconds, 1173);
    EXPECT_EQ(rig.time.caption(), "00:27");
    // The next reply sets the clock to the server's time again.
    r.timeSeconds = 1172;
    rig.reply(r);
    EXPECT_EQ(rig.time.caption(), "00:28");
    EXPECT_EQ(rig.record.clockSeconds, 1172);
}

TEST(War, TeamNamesComeFromTheEditsOnlyWhenBothAreFilled) {
    struct Case {
        const char* a;
        const char* b;
        const char* nameA;
        const char* nameB;
    };
    const Case cases[] = {{"Alpha", "", "Red", "Blue"},
                          {"", "Beta", "Red", "Blue"},
                          {"Alpha", "Beta", "Alpha", "Beta"},
                          {"A very long clan name indeed", "B", "A very long clan na", "B"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a);
        WarRig rig;
        rig.teamA.setText(c.a);
        rig.teamB.setText(c.b);
        rig.actWarRecord.execute();
        EXPECT_EQ(rig.record.teamAName.view(), "Red");
        rig.reply({});
        EXPECT_EQ(rig.record.teamAName.view(), c.nameA);
        EXPECT_EQ(rig.record.teamBName.view(), c.nameB);
    }
}

TEST(War, ALevelRestartStartsAFreshRecordEvenWithoutAWar) {
    WarRig rig;
    Reply r{{{"Ann", 0, 30}, {"Cid", 1, 20}}, 900};
    rig.reply(r);
    rig.reply({{{"Ann", 0, 31}}, 910});
    ASSERT_EQ(rig.record.redDeparted, 0);
    ASSERT_EQ(rig.record.blueDeparted, 20);
    EXPECT_FALSE(rig.record.active);
    EXPECT_EQ(rig.record.sampleIndex, 2);

    Reply next{{{"Ann", 0, 0}, {"Eve", 1, 0}}, 5};
    next.map = "DM-Deck16][";
    next.maptitle = "Deck 16";
    rig.reply(next);
    const war::WarRecord& w = rig.record;
    EXPECT_TRUE(w.active);
    EXPECT_FALSE(w.finished);
    EXPECT_FALSE(rig.watch.records.warRecording);
    EXPECT_EQ(w.teamAName.view(), "red");
    EXPECT_EQ(w.teamBName.view(), "blue");
    EXPECT_EQ(w.blueDeparted, 0);
    EXPECT_EQ(w.maxTeamTotal, 0);
    EXPECT_EQ(w.maxPlayerFrags, 0);
    EXPECT_EQ(w.sampleIndex, 1); // the update after the restart
    EXPECT_EQ(w.levelSeconds, 5);
    EXPECT_EQ(w.map.view(), "DM-Deck16][");
    EXPECT_EQ(w.histories[0].count, 1);
    EXPECT_EQ(w.histories[1].name.view(), "Eve");
    EXPECT_EQ(w.histories[2].count, 0);
    EXPECT_EQ(rig.binterpol.caption(), "0");
}

TEST(War, StartingAndStoppingAWar) {
    struct Case {
        bool autoSaveStats;
        bool autoPingFavs;
    };
    for (const Case c : {Case{false, true}, Case{true, false}}) {
        SCOPED_TRACE(c.autoSaveStats);
        WarRig rig;
        rig.watch.settings.AutoSaveStats = c.autoSaveStats;
        rig.watch.settings.AutoPingFavs = c.autoPingFavs;
        rig.watch.settings.MaxTimeout = 1000; // the server stays watched while silent
        rig.favouriteTimer.setEnabled(true);
        int exports = 0;
        rig.war.onExportGraphs = [&] { ++exports; };
        query::ServerEntry& server = rig.watch.records.currentServer;
        server.maptitle = "Facing Worlds";
        server.gametype = "CTFGame";
        server.hostname = "War Server";
        ASSERT_FALSE(rig.watch.qrytimer.enabled());

        EXPECT_TRUE(rig.actWarRecord.enabled());
        rig.actWarRecord.execute();
        EXPECT_TRUE(rig.actWarRecord.checked());
        EXPECT_TRUE(rig.watch.records.warRecording);
        EXPECT_EQ(rig.statusBar.panel(4).text, "Recording");
        EXPECT_TRUE(rig.record.active);
        EXPECT_EQ(rig.record.map.view(), "Facing Worlds");
        EXPECT_EQ(rig.record.gametype.view(), "CTFGame");
        EXPECT_EQ(rig.record.hostname.view(), "War Server");
        EXPECT_EQ(rig.record.teamBName.view(), "Blue");
        EXPECT_EQ(rig.war.timerStatsSave.enabled(), c.autoSaveStats);
        EXPECT_TRUE(rig.watch.qrytimer.enabled());
        EXPECT_TRUE(rig.watch.actQueryServer.checked());
        EXPECT_EQ(rig.favouriteTimer.enabled(), !c.autoPingFavs);

        // The war runs: replies fold in, the export timer ticks.
        rig.reply({{{"Ann", 0, 7}, {"Cid", 1, 3}}, 60});
        rig.watch.platform.clock.advance(60000);
        EXPECT_EQ(exports, c.autoSaveStats ? 1 : 0);
        EXPECT_TRUE(rig.war.timeblinktimer.enabled());

        rig.actWarRecord.execute();
        EXPECT_FALSE(rig.actWarRecord.checked());
        EXPECT_FALSE(rig.watch.records.warRecording);
        EXPECT_EQ(rig.statusBar.panel(4).text, "Watching");
        EXPECT_FALSE(rig.record.active);
        EXPECT_TRUE(rig.record.finished);
        EXPECT_EQ(rig.record.histories[0].name.view(), "Ann"); // the result stays
        EXPECT_FALSE(rig.war.timeblinktimer.enabled());
        EXPECT_TRUE(rig.favouriteTimer.enabled());
        // Watching goes on; the export saves the result once more, then rests.
        EXPECT_TRUE(rig.watch.qrytimer.enabled());
        EXPECT_EQ(exports, c.autoSaveStats ? 2 : 0);
        EXPECT_FALSE(rig.war.timerStatsSave.enabled());
        rig.watch.platform.clock.advance(120000);
        EXPECT_EQ(exports, c.autoSaveStats ? 2 : 0);

        // A new war starts afresh.
        rig.actWarRecord.execute();
        EXPECT_TRUE(rig.record.active);
        EXPECT_FALSE(rig.record.finished);
        EXPECT_EQ(rig.record.histories[0].count, 0);
    }
}

TEST(War, StartingAWarWhileWatchingKeepsTheQueriesRunning) {
    WarRig rig;
    rig.watch.actQueryServer.execute();
    rig.actWarRecord.execute();
    EXPECT_TRUE(rig.watch.qrytimer.enabled());
    EXPECT_TRUE(rig.watch.actQueryServer.checked());
}

TEST(War, EachUpdateRepaintsTheGraphsAndHandsTheRecordOn) {
    WarRig rig;
    int repaints = 0;
    std::vector<int> handedIndexes;
    rig.war.onRepaintGraphs = [&] { ++repaints; };
    rig.war.TakeWarRecord = [&](const war::WarRecord& r) {
        handedIndexes.push_back(r.sampleIndex);
    };
    rig.reply({});
    rig.reply({});
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(handedIndexes, (std::vector<int>{1, 2}));
}

TEST(War, TheExportIntervalNeverOverflows) {
    struct Case {
        std::int32_t seconds;
        int ms;
    };
    constexpr int kLongest = std::numeric_limits<int>::max() / 1000 * 1000;
    const Case cases[] = {{60, 60000},
                          {0, 0},
                          {-5, 0},
                          {2147483, 2147483000},
                          {2147484, kLongest},
                          {std::numeric_limits<std::int32_t>::max(), kLongest}};
    for (const Case& c : cases) {
        EXPECT_EQ(war::statsSaveIntervalMs(c.seconds), c.ms) << c.seconds;
    }
    WarRig rig;
    cfg::SettingsBlock settings;
    settings.SaveStatsInterval = std::numeric_limits<std::int32_t>::max();
    rig.war.timerStatsSave.setEnabled(true);
    rig.war.applySettings(settings);
    EXPECT_EQ(rig.war.timerStatsSave.interval(), kLongest);
    EXPECT_FALSE(rig.war.timerStatsSave.enabled());
}

} // namespace
} // namespace testing_war
