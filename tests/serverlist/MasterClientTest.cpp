#include "ServerListRig.h"

#include "serverlist/MasterHandshake.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_serverlist::ServerListRig;

const std::string kAnswer = "\\gamename\\ut\\location\\0\\validate\\5OOIQ5Ha\\final\\";
const std::string kRequest = "\\list\\\\gamename\\ut\\final\\";
const std::string kTwoServers = "\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\final\\";

TEST(MasterHandshake, AGreetingIsAnsweredAndIsNoPartOfTheList) {
    struct Case {
        const char* name;
        std::vector<std::string> chunks;
    };
    const Case cases[] = {
        {"without final", {"\\basic\\\\secure\\ABCDEF"}},
        {"with final", {"\\basic\\\\secure\\ABCDEF\\final\\"}},
        {"cut before the challenge", {"\\basic\\\\sec", "ure\\ABC", "DEF"}},
        {"cut inside its final", {"\\basic\\\\secure\\ABCDEF\\fi", "nal\\"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ServerListRig rig;
        rig.connect();
        for (std::size_t i = 0; i + 1 < c.chunks.size(); ++i) {
            rig.receive(c.chunks[i]);
            EXPECT_EQ(rig.tcp().sent, "") << "answered a greeting that is not whole";
        }
        rig.receive(c.chunks.back());
        EXPECT_EQ(rig.tcp().sent, kAnswer + kRequest);
        EXPECT_EQ(rig.caption(), "Servers: Receiving...");
        EXPECT_EQ(rig.sweeps, 0);
        // The one-second fallback does not send the request again.
        rig.platform.clock.advance(5000);
        EXPECT_EQ(rig.tcp().sent, kAnswer + kRequest);

        rig.receive(kTwoServers);
        EXPECT_EQ(rig.master().masterCount, 2);
        EXPECT_EQ(rig.master().lastMasterReply, kTwoServers);
        EXPECT_EQ(rig.sweeps, 1);
    }
}

TEST(MasterHandshake, ASilentMasterGetsThePlainRequestAfterOneSecond) {
    ServerListRig rig;
    rig.connect();
    rig.platform.clock.advance(999);
    EXPECT_EQ(rig.tcp().sent, "");
    rig.platform.clock.advance(1);
    EXPECT_EQ(rig.tcp().sent, "\\list\\\\gamename\\ut\\final");
    EXPECT_EQ(rig.tcp().sent.size(), 24U);
    rig.platform.clock.advance(5000);
    EXPECT_EQ(rig.tcp().sent.size(), 24U) << "the request goes out once";

    rig.receive("\\ip\\192.0.2.1:7778\\final\\");
    EXPECT_EQ(rig.master().masterCount, 1);
    EXPECT_EQ(rig.master().masterList[0].host.view(), "192.0.2.1");
    EXPECT_EQ(rig.master().masterList[0].port.view(), "7778");
    EXPECT_EQ(rig.caption(), "Servers: 1");
    EXPECT_TRUE(rig.platform.messages.empty());
}

TEST(MasterHandshake, AMasterThatSpeaksFirstWithoutAGreetingGetsThePlainRequest) {
    ServerListRig rig;
    rig.connect();
    rig.receive("\\ip\\192.0.2.1:7778\\final\\");
    EXPECT_EQ(rig.tcp().sent, "\\list\\\\gamename\\ut\\final");
    EXPECT_EQ(rig.master().masterCount, 1);
    rig.platform.clock.advance(5000);
    EXPECT_EQ(rig.tcp().sent.size(), 24U);
}

TEST(MasterHandshake, ARequestThatCannotBeSentIsReported) {
    // The connection is gone by the time the request would go out.
    ServerListRig rig;
    rig.master().masterconConnect();
    rig.platform.clock.advance(1000);
    ASSERT_EQ(rig.platform.messages.size(), 1U);
    EXPECT_EQ(rig.platform.messages[0], "Query konnte nicht an Master Server gesendet werden!");

    ServerListRig greeted;
    greeted.master().masterconConnect();
    greeted.master().masterconRead("\\basic\\\\secure\\ABCDEF\\final\\");
    EXPECT_EQ(greeted.platform.messages,
              std::vector<std::string>{"Query konnte nicht an Master Server gesendet werden!"});
}

TEST(MasterReply, AnyCutOfTheReplyGivesTheSameList) {
    // Entries and the end marker cut anywhere, down to one byte per chunk.
    for (std::size_t size : {1U, 2U, 3U, 5U, 6U, 7U, 11U, 100U}) {
        SCOPED_TRACE(size);
        ServerListRig rig;
        rig.connectSecure();
        for (std::size_t at = 0; at < kTwoServers.size(); at += size) {
            EXPECT_EQ(rig.sweeps, 0);
            rig.receive(std::string_view(kTwoServers).substr(at, size));
        }
        EXPECT_EQ(rig.sweeps, 1);
        ASSERT_EQ(rig.master().masterCount, 2);
        EXPECT_EQ(rig.master().masterList[0].host.view(), "192.0.2.10");
        EXPECT_EQ(rig.master().masterList[1].host.view(), "192.0.2.11");
        EXPECT_EQ(rig.master().masterList[1].port.view(), "7778");
        EXPECT_EQ(rig.master().lastMasterReply, kTwoServers);
        EXPECT_EQ(rig.caption(), "Servers: 2");
    }
}

TEST(MasterReply, ChunksCountTheBytesAndShowReceivingUntilTheEnd) {
    ServerListRig rig;
    rig.records.totalBytes = 100;
    rig.connect();
    rig.receive("\\basic\\\\secure\\ABCDEF\\final\\"); // 28 bytes
    rig.receive("\\ip\\192.0.2.10:7778");
    EXPECT_EQ(rig.caption(), "Servers: Receiving...");
    EXPECT_EQ(rig.master().masterCount, 0);
    EXPECT_FALSE(rig.master().lastMasterReply.has_value());
    EXPECT_EQ(rig.records.totalBytes, 100 + 28 + 19);
    EXPECT_EQ(rig.statusBar.panel(2).text, "147");
    EXPECT_EQ(rig.master().masterReply, "\\ip\\192.0.2.10:7778");
}

TEST(MasterReply, EmptyAndOverfullLists) {
    ServerListRig rig;
    rig.connectSecure();
    rig.receive("\\final\\");
    EXPECT_EQ(rig.caption(), "Servers: 0");
    EXPECT_EQ(rig.sweeps, 1);

    std::string big;
    for (int i = 0; i < serverlist::kMasterListSize + 1; ++i) {
        big += "\\ip\\10.1." + std::to_string(i / 256) + "." + std::to_string(i % 256) + ":7778";
    }
    big += "\\final\\";
    ServerListRig full;
    full.connectSecure();
    full.receive(big);
    EXPECT_EQ(full.master().masterCount, serverlist::kMasterListSize);
    EXPECT_EQ(full.caption(), "Servers: 4000");
    EXPECT_EQ(full.master().masterList.back().host.view(), "10.1.15.159");
    EXPECT_EQ(full.master().lastMasterReply, big);
}

TEST(QueryMaster, EmptiesTheListAndConnects) {
    ServerListRig rig;
    rig.master().masterCount = 5;
    rig.master().masterReply = "old";
    rig.master().lastMasterReply = "kept";
    rig.records.serverRows = 3;
    rig.servertable.setRow(1, {"", "A server", "CTF", "Face", "1/8", "50"});
    rig.servertable.setCell(1, 3999, "last");
    rig.servertable.setCell(1, 0, "Server");

    rig.actQueryMaster.execute();
    EXPECT_EQ(rig.tcp().opens, 1);
    EXPECT_EQ(rig.tcp().openedHost, "master.example.net");
    EXPECT_EQ(rig.tcp().openedPort, 28900);
    EXPECT_EQ(rig.master().masterCount, 0);
    EXPECT_EQ(rig.master().masterReply, "");
    EXPECT_EQ(rig.master().lastMasterReply, "kept");
    EXPECT_EQ(rig.records.serverRows, 0);
    EXPECT_EQ(rig.servertable.cell(1, 1), "");
    EXPECT_EQ(rig.servertable.cell(4, 1), "");
    EXPECT_EQ(rig.servertable.cell(1, 3999), "");
    EXPECT_EQ(rig.servertable.cell(1, 0), "Server") << "the header stays";
    EXPECT_TRUE(rig.platform.messages.empty());
}

TEST(QueryMaster, DuringATransferClosesTheConnectionAndEmptiesTheList) {
    ServerListRig rig;
    rig.connectSecure();
    rig.receive("\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\fi");
    rig.actQueryMaster.execute();
    EXPECT_EQ(rig.tcp().closes, 1);
    EXPECT_EQ(rig.tcp().opens, 1);
    EXPECT_EQ(rig.list.mastercon.state(), tk::TcpClientSocket::State::Closed);
    EXPECT_EQ(rig.master().masterCount, 0);
    EXPECT_EQ(rig.master().masterReply, "");
    EXPECT_EQ(rig.caption(), "Servers: Receiving...") << "the caption keeps its last text";
    EXPECT_EQ(rig.sweeps, 0);

    // A second use starts a new query, which waits for its own greeting.
    rig.connect();
    EXPECT_EQ(rig.tcp().opens, 2);
    rig.receive("nal\\");
    EXPECT_EQ(rig.sweeps, 0) << "the rest of the old reply is no greeting's answer";
}

TEST(QueryMaster, AConnectionThatCannotStartOrFailsIsReported) {
    ServerListRig noHost;
    noHost.list.mastercon.setHost("");
    noHost.actQueryMaster.execute();
    EXPECT_EQ(noHost.tcp().opens, 0);
    EXPECT_EQ(noHost.platform.messages,
              std::vector<std::string>{"Fehler beim Verbinden mit Masterserver"});

    // An error while connecting, and one in the middle of a reply: the
    // message, and what came so far is kept but never read.
    ServerListRig refused;
    refused.actQueryMaster.execute();
    refused.list.mastercon.notifyError("Connection refused");
    EXPECT_EQ(refused.platform.messages,
              std::vector<std::string>{"Fehler beim Verbinden mit dem Master Server"});

    ServerListRig lost;
    lost.connectSecure();
    lost.receive("\\ip\\192.0.2.10:7778");
    lost.list.mastercon.notifyError("Connection reset by peer");
    EXPECT_EQ(lost.platform.messages,
              std::vector<std::string>{"Fehler beim Verbinden mit dem Master Server"});
    EXPECT_EQ(lost.master().masterReply, "\\ip\\192.0.2.10:7778");
    EXPECT_EQ(lost.master().masterCount, 0);
    EXPECT_EQ(lost.sweeps, 0);

    // An error before the master spoke stops the wait for its greeting.
    ServerListRig silent;
    silent.connect();
    silent.list.mastercon.notifyError("Connection reset by peer");
    silent.platform.clock.advance(5000);
    EXPECT_EQ(silent.platform.messages.size(), 1U);
    EXPECT_EQ(silent.tcp().sent, "");
}

} // namespace
