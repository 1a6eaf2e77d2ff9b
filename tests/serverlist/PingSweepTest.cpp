#include "ServerListRig.h"

#include "query/ReplyText.h"
#include "serverlist/PingSweep.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using serverlist::PingSweep;
using testing_serverlist::ServerListRig;

constexpr int kPlayersCol = 4;
constexpr int kPingCol = 5;

// A rig whose master list was opened from master.dat, so the sweep runs.
struct SweepRig : ServerListRig {
    explicit SweepRig(const std::string& list) {
        fake::writeFile(folder.file("master.dat"), list);
        actOpenServers.execute();
    }
    // One tick of the sweep; the send tick of the ping it sent.
    std::uint32_t tick() {
        platform.clock.advance(20);
        return platform.clock.tickCount();
    }
    void answer(const std::string& host, std::uint16_t port, const std::string& text) {
        list.udpping.deliver(text, host, port);
    }
    // The answer a server gives to a ping sent at sendTick.
    static std::string reply(std::uint32_t sendTick, const std::string& host,
                             const std::string& name, const std::string& players = "5",
                             const std::string& gametype = "DeathMatchPlus") {
        return "\\hostname\\" + name + "\\hostport\\7777\\gametype\\" + gametype +
               "\\maptitle\\Deck 16\\mapname\\DM-Deck16][\\numplayers\\" + players +
               "\\maxplayers\\16" + query::PingStamp(sendTick) + host + "\\final\\";
    }
    [[nodiscard]] std::vector<std::string> row(int r) const {
        std::vector<std::string> cells;
        for (int c = 0; c < servertable.colCount(); ++c) {
            cells.push_back(servertable.cell(c, r));
        }
        return cells;
    }
};

const std::string kThree =
    "\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\ip\\192.0.2.12:7800\\final\\";

TEST(PingSweep, PingsOneListedServerPerTickAndEndsAfterTheLast) {
    SweepRig rig(kThree);
    ASSERT_EQ(rig.sweeps, 1);
    rig.platform.unreachableHosts.insert("192.0.2.11");
    const std::uint32_t first = rig.tick();
    ASSERT_EQ(rig.platform.sent.size(), 1U);
    const fake::SentDatagram& ping = rig.platform.sent[0];
    EXPECT_EQ(ping.localPort, ServerListRig::kPingPort);
    EXPECT_EQ(ping.host, "192.0.2.10");
    EXPECT_EQ(ping.port, 7778);
    const std::string text = "\\info\\\\echo\\ping_" + std::to_string(first) + "|192.0.2.10";
    EXPECT_EQ(ping.bytes, text + std::string(PingSweep::kDatagramSize - text.size(), '\0'));

    rig.tick(); // the unreachable host is passed over
    rig.tick();
    ASSERT_EQ(rig.platform.sent.size(), 2U);
    EXPECT_EQ(rig.platform.sent[1].host, "192.0.2.12");
    EXPECT_EQ(rig.platform.sent[1].port, 7800);
    EXPECT_EQ(rig.progPing.max(), 3);
    EXPECT_EQ(rig.progPing.position(), 2);
    EXPECT_TRUE(rig.list.pingtimer.enabled());
    rig.tick();
    EXPECT_FALSE(rig.list.pingtimer.enabled());
    EXPECT_EQ(rig.sweep().pingCursor, 3);
    rig.platform.clock.advance(1000);
    EXPECT_EQ(rig.platform.sent.size(), 2U);
}

TEST(PingSweep, AnEmptyListEndsAtTheFirstTick) {
    SweepRig rig("\\final\\");
    EXPECT_EQ(rig.sweeps, 1);
    EXPECT_TRUE(rig.list.pingtimer.enabled());
    rig.tick();
    EXPECT_FALSE(rig.list.pingtimer.enabled());
    EXPECT_TRUE(rig.platform.sent.empty());
    EXPECT_EQ(rig.progPing.max(), 0);
    // A stray datagram finds nothing to answer.
    rig.answer("192.0.2.10", 7778,
               SweepRig::reply(rig.platform.clock.tickCount(), "192.0.2.10", "X"));
    EXPECT_EQ(rig.records.serverRows, 0);
    EXPECT_EQ(rig.servertable.rowCount(), 1);
}

TEST(PingSweep, APortThatIsNoPortNumberIsPingedOn7778) {
    const std::pair<const char*, std::uint16_t> cases[] = {
        {"7778", 7778}, {"28902", 28902}, {"abc", 7778}, {"", 7778},
        {"0", 7778},    {"65536", 7778},  {"-5", 7778},
    };
    for (const auto& [text, port] : cases) {
        EXPECT_EQ(serverlist::pingPort(text), port) << text;
    }
}

TEST(PingSweep, AnAnswerInTimeIsStoredWithItsPing) {
    // Round trip in ms -> the ping listed, or -1 when the answer is dropped.
    const std::pair<std::uint32_t, int> cases[] = {
        {0, 0}, {5, 0}, {20, 0}, {21, 1}, {100, 80}, {10018, 9998}, {10019, -1}, {60000, -1},
    };
    for (const auto& [roundTrip, ping] : cases) {
        SCOPED_TRACE(roundTrip);
        SweepRig rig("\\ip\\192.0.2.10:7778\\final\\");
        const std::uint32_t sent = rig.tick();
        rig.platform.clock.advance(roundTrip);
        rig.answer("192.0.2.10", 7778, SweepRig::reply(sent, "192.0.2.10", "Alpha"));
        if (ping < 0) {
            EXPECT_EQ(rig.records.serverRows, 0);
            EXPECT_EQ(rig.row(1), std::vector<std::string>(6));
            continue;
        }
        ASSERT_EQ(rig.records.serverRows, 1);
        const query::ServerEntry& entry = rig.records.serverList[1];
        EXPECT_EQ(entry.ping, ping);
        EXPECT_EQ(entry.address, "192.0.2.10");
        EXPECT_EQ(entry.hostport, "7777");
        EXPECT_EQ(entry.mapname, "DM-Deck16][");
        EXPECT_TRUE(entry.responded);
        EXPECT_EQ(rig.row(1), (std::vector<std::string>{"", "Alpha", "Deathmatch", "Deck 16",
                                                        "5/16", std::to_string(ping)}));
    }
}

TEST(PingSweep, OnlyTheAnswerToOurOwnPingCounts) {
    struct Case {
        const char* name;
        std::string from;
        std::uint16_t port;
        std::string echoTarget;
    };
    const Case cases[] = {
        {"another sender", "198.51.100.7", 7778, "192.0.2.10"},
        {"another port", "192.0.2.10", 7779, "192.0.2.10"},
        {"a server never pinged", "192.0.2.11", 7778, "192.0.2.11"},
        {"an echo naming another server", "192.0.2.10", 7778, "192.0.2.11"},
        {"no echo target", "192.0.2.10", 7778, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SweepRig rig("\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\final\\");
        const std::uint32_t sent = rig.tick();
        rig.answer(c.from, c.port, SweepRig::reply(sent, c.echoTarget, "Forged"));
        EXPECT_EQ(rig.records.serverRows, 0);
        // The real answer is still taken, once.
        rig.answer("192.0.2.10", 7778, SweepRig::reply(sent, "192.0.2.10", "Alpha"));
        rig.answer("192.0.2.10", 7778, SweepRig::reply(sent, "192.0.2.10", "Alpha again"));
        EXPECT_EQ(rig.records.serverRows, 1);
        EXPECT_EQ(rig.records.serverList[1].hostname, "Alpha");
    }
}

TEST(PingSweep, AnswersFillTheSlotsInTheOrderTheyArrive) {
    SweepRig rig("\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\ip\\192.0.2.12:7778\\ip\\192.0.2."
                 "13:7778\\ip\\192.0.2.14:7778\\final\\");
    std::vector<std::uint32_t> sent;
    for (int i = 0; i < 5; ++i) {
        sent.push_back(rig.tick());
    }
    const std::string b = SweepRig::reply(sent[1], "192.0.2.11", "Bravo", "7");
    const std::string a = SweepRig::reply(sent[0], "192.0.2.10", "Alpha", "2");
    const std::string e = SweepRig::reply(sent[4], "192.0.2.14", "Echo", "x");
    rig.answer("192.0.2.11", 7778, b);
    rig.answer("192.0.2.10", 7778, a);
    rig.answer("192.0.2.14", 7778, e + std::string(1, '\0') + "\\hostname\\Hidden");
    EXPECT_EQ(rig.records.serverRows, 3);
    EXPECT_EQ(rig.records.serverList[1].hostname, "Bravo");
    EXPECT_EQ(rig.records.serverList[2].hostname, "Alpha");
    EXPECT_EQ(rig.records.serverList[3].numplayers, 0);
    EXPECT_EQ(rig.row(3)[4], "0/16");
    EXPECT_EQ(rig.caption(), "Servers: 3 of 5");
    EXPECT_EQ(rig.servertable.rowCount(), 6);
    EXPECT_EQ(rig.row(4), std::vector<std::string>(6));
    // Bytes received: the texts up to their first zero byte.
    EXPECT_EQ(rig.records.totalBytes, static_cast<std::int64_t>(a.size() + b.size() + e.size()));
    EXPECT_EQ(rig.statusBar.panel(2).text, std::to_string(rig.records.totalBytes));
}

TEST(PingSweep, StopAndContinueSweepFromTheFirstEntryAndAppend) {
    SweepRig rig(kThree);
    const std::uint32_t sent = rig.tick();
    rig.answer("192.0.2.10", 7778, SweepRig::reply(sent, "192.0.2.10", "Alpha"));

    rig.actStopMaster.execute();
    EXPECT_EQ(rig.actStopMaster.caption(), "Continue querying");
    EXPECT_FALSE(rig.list.pingtimer.enabled());
    rig.platform.clock.advance(1000);
    EXPECT_EQ(rig.platform.sent.size(), 1U);

    rig.actStopMaster.execute();
    EXPECT_EQ(rig.actStopMaster.caption(), "Stop querying");
    const std::uint32_t again = rig.tick();
    ASSERT_EQ(rig.platform.sent.size(), 2U);
    EXPECT_EQ(rig.platform.sent[1].host, "192.0.2.10");
    rig.answer("192.0.2.10", 7778, SweepRig::reply(again, "192.0.2.10", "Alpha 2"));
    EXPECT_EQ(rig.records.serverRows, 2);
    EXPECT_EQ(rig.records.serverList[1].hostname, "Alpha");
    EXPECT_EQ(rig.records.serverList[2].hostname, "Alpha 2");

    // After a sweep that ended by itself the caption still offers to stop,
    // and using it starts a new sweep.
    rig.platform.clock.advance(200);
    EXPECT_FALSE(rig.list.pingtimer.enabled());
    rig.actStopMaster.execute();
    EXPECT_TRUE(rig.list.pingtimer.enabled());
    EXPECT_EQ(rig.actStopMaster.caption(), "Continue querying");
    EXPECT_EQ(rig.sweep().pingCursor, 0);
}

TEST(PingSweep, NoAnswerIsWrittenPastTheLastSlot) {
    SweepRig rig("\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\final\\");
    const std::uint32_t first = rig.tick();
    const std::uint32_t second = rig.tick();
    rig.records.serverRows = query::kServerListSlots - 2;
    rig.answer("192.0.2.10", 7778, SweepRig::reply(first, "192.0.2.10", "Last"));
    EXPECT_EQ(rig.records.serverRows, query::kServerListSlots - 1);
    EXPECT_EQ(rig.records.serverList[query::kServerListSlots - 1].hostname, "Last");
    EXPECT_EQ(rig.row(query::kServerListSlots - 1)[1], "Last");
    rig.answer("192.0.2.11", 7778, SweepRig::reply(second, "192.0.2.11", "Too many"));
    EXPECT_EQ(rig.records.serverRows, query::kServerListSlots - 1);
    EXPECT_FALSE(rig.list.pingtimer.enabled()) << "a full list ends the sweep";
}

TEST(PingSweep, TheTableSortsByItsHeadersAndWatchesTheRowChosen) {
    SweepRig rig(kThree);
    std::vector<std::uint32_t> sent;
    for (int i = 0; i < 3; ++i) {
        sent.push_back(rig.tick());
    }
    rig.platform.clock.advance(5);
    rig.answer("192.0.2.10", 7778, SweepRig::reply(sent[2] - 100, "192.0.2.10", "Alpha", "10"));
    rig.answer("192.0.2.12", 7800, SweepRig::reply(sent[2] - 1000, "192.0.2.12", "Charlie", "9"));
    rig.answer("192.0.2.11", 7778, SweepRig::reply(sent[2] - 20, "192.0.2.11", "Bravo", "2"));
    // Pings: Alpha 85, Charlie 985, Bravo 5; players 10, 9 and 2 of 16.
    std::vector<int> watched;
    rig.sweep().onWatch = [&](int slot) { watched.push_back(slot); };

    auto column = [&](int col) {
        std::vector<std::string> cells;
        for (int r = 1; r <= 3; ++r) {
            cells.push_back(rig.servertable.cell(col, r));
        }
        return cells;
    };
    rig.servertable.doubleClick(kPingCol, 0);
    EXPECT_EQ(column(kPingCol), (std::vector<std::string>{"985", "85", "5"}));
    rig.servertable.doubleClick(kPingCol, 0);
    EXPECT_EQ(column(kPingCol), (std::vector<std::string>{"5", "85", "985"}));
    rig.servertable.doubleClick(kPingCol, 2); // not the header
    EXPECT_EQ(column(kPingCol), (std::vector<std::string>{"5", "85", "985"}));

    rig.servertable.select(1, 1);
    rig.servertable.select(1, 4); // no answer in that row
    rig.servertable.select(1, 0);
    EXPECT_EQ(watched, (std::vector<int>{3}));

    // Players sort by their number, not by their digits.
    rig.servertable.doubleClick(kPlayersCol, 0);
    EXPECT_EQ(column(kPlayersCol), (std::vector<std::string>{"10/16", "9/16", "2/16"}));
    rig.servertable.doubleClick(kPlayersCol, 0);
    EXPECT_EQ(column(kPlayersCol), (std::vector<std::string>{"2/16", "9/16", "10/16"}));
    rig.servertable.select(1, 3);
    EXPECT_EQ(watched, (std::vector<int>{3, 1}));

    rig.records.warRecording = true;
    rig.servertable.doubleClick(kPingCol, 0);
    rig.servertable.select(1, 2);
    EXPECT_EQ(column(kPlayersCol), (std::vector<std::string>{"2/16", "9/16", "10/16"}));
    EXPECT_EQ(watched, (std::vector<int>{3, 1}));
}

} // namespace
