#include "WatchRig.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace testing_query {
namespace {

constexpr const char* kServerBlock =
    "\\gamename\\ut\\gamever\\451\\hostname\\Test Arena Server\\hostport\\7777"
    "\\maptitle\\Test Arena\\mapname\\DM-Test\\gametype\\DeathMatchPlus\\numplayers\\1"
    "\\maxplayers\\16\\player_0\\Alice\\frags_0\\12\\ping_0\\ 61\\team_0\\255";

// Datagram `number` of the server's reply number `reply`, as servers send
// them: the queryid last, then "\final\" on the last datagram.
std::string datagram(int number, bool final, const std::string& body = {}, int reply = 17) {
    const std::string content =
        number == 1 ? kServerBlock : "\\filler_" + std::to_string(number) + "\\x";
    return (body.empty() ? content : body) + "\\queryid\\" + std::to_string(reply) + "." +
           std::to_string(number) + (final ? "\\final\\" : "");
}

// The datagrams of a reply of n datagrams, arriving in the given order; the
// one numbered n carries "\final\".
std::vector<std::string> replyInOrder(int n, const std::vector<int>& order, int reply = 17) {
    std::vector<std::string> out;
    for (int number : order) {
        out.push_back(datagram(number, number == n, {}, reply));
    }
    return out;
}

class StatusQueryTest : public ::testing::Test {
protected:
    StatusQueryTest() {
        slot = rig.addFavourite("My Server", "192.0.2.10", "7777");
        rig.records.watchSource = query::WatchSource::Favourites;
        rig.records.watchSlot = slot;
        rig.query.onUpdateWar = [this] { ++replies; };
    }

    // Starts watching and lets the first query go out (QueryInterval 2: on
    // the third tick).
    void startAndSendFirstQuery() {
        rig.actQueryServer.execute();
        rig.platform.clock.advance(3000);
        ASSERT_EQ(rig.sentQueries().size(), 1U);
    }

    [[nodiscard]] bool timeoutRunning() const { return rig.platform.clock.armed(&rig.timeout); }

    WatchRig rig;
    int slot = 0;
    int replies = 0;
};

TEST_F(StatusQueryTest, SilentServerIsQueriedEveryThreeSecondsAndGivenUpAtTheSixthTimeout) {
    auto& fav = rig.records.favourites[static_cast<std::size_t>(slot)];
    fav.responded = true;
    fav.gametype = "CTFGame";
    fav.ping = 80;
    rig.tables.ShowFavouriteRow(slot);
    // Handlers take a moment, so a timeout started by a tick falls due just
    // after the query timer's tick of the same second.
    rig.platform.clock.setHandlerDuration(1);

    rig.actQueryServer.execute();
    ASSERT_TRUE(rig.actQueryServer.checked());
    std::vector<std::uint64_t> sendTimes;
    std::uint64_t gaveUpAt = 0;
    while (rig.platform.clock.now() < 40000 && gaveUpAt == 0) {
        rig.platform.clock.advance(1);
        if (rig.sentQueries().size() > sendTimes.size()) {
            sendTimes.push_back(rig.platform.clock.now());
        }
        if (!rig.qrytimer.enabled()) {
            gaveUpAt = rig.platform.clock.now();
        }
    }

    // A query every 3 s; each times out 2 s later; the retry goes out on the
    // next tick; the sixth timeout, 17 s after the first query, gives up.
    EXPECT_EQ(sendTimes, (std::vector<std::uint64_t>{3000, 6000, 9000, 12000, 15000, 18000}));
    EXPECT_EQ(gaveUpAt, 20001U);
    EXPECT_FALSE(rig.actQueryServer.checked());
    EXPECT_TRUE(rig.imgConn.visible());
    EXPECT_FALSE(fav.responded);
    const int row = rig.favouritestable.displayRow(slot);
    EXPECT_EQ(rig.favouritestable.cell(2, row), "No response");
    EXPECT_EQ(rig.favouritestable.cell(3, row), "");
    EXPECT_EQ(rig.favouritestable.cell(4, row), "");
    EXPECT_EQ(rig.favouritestable.cell(5, row), "9999");
    rig.platform.clock.advance(30000);
    EXPECT_EQ(rig.sentQueries().size(), 6U);
}

TEST_F(StatusQueryTest, GivingUpOnAServerListSlotClearsItsResponded) {
    auto& entry = rig.records.serverList[5];
    entry.address = "192.0.2.55";
    entry.hostport = "7777";
    entry.responded = true;
    rig.records.watchSource = query::WatchSource::ServerList;
    rig.records.watchSlot = 5;
    rig.actQueryServer.execute();
    rig.platform.clock.advance(60000);
    EXPECT_FALSE(rig.qrytimer.enabled());
    EXPECT_FALSE(entry.responded);
    EXPECT_EQ(rig.sentQueries().front().host, "192.0.2.55");
}

TEST_F(StatusQueryTest, OnlyAWholeReplyStartsTheTimeoutCountAfresh) {
    rig.settings.MaxTimeout = 1;
    startAndSendFirstQuery();
    rig.platform.clock.advance(2000); // first timeout, and the retry
    ASSERT_EQ(rig.query.timeoutCount(), 1);
    rig.receive(datagram(3, true)); // final, but its reply is not whole
    EXPECT_EQ(rig.query.timeoutCount(), 1);
    rig.platform.clock.advance(2000); // so the second timeout gives up
    EXPECT_FALSE(rig.qrytimer.enabled());
    EXPECT_EQ(replies, 0);

    rig.actQueryServer.execute();
    rig.platform.clock.advance(3000);
    rig.platform.clock.advance(2000);
    ASSERT_EQ(rig.query.timeoutCount(), 1);
    rig.receive(datagram(1, true, {}, 18));
    EXPECT_EQ(rig.query.timeoutCount(), 0);
    EXPECT_EQ(replies, 1);
}

struct CompletionCase {
    const char* name;
    std::vector<std::string> datagrams;
    bool complete;
    friend void PrintTo(const CompletionCase& c, std::ostream* os) { *os << c.name; }
};

class ReplyCompletionTest : public StatusQueryTest,
                            public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(ReplyCompletionTest, FinalDatagramCompletesOnlyAWholeReply) {
    startAndSendFirstQuery();
    ASSERT_TRUE(timeoutRunning());
    std::string all;
    for (const std::string& d : GetParam().datagrams) {
        rig.receive(d);
        all += d;
    }
    EXPECT_EQ(replies, GetParam().complete ? 1 : 0);
    EXPECT_EQ(timeoutRunning(), !GetParam().complete);
    if (GetParam().complete) {
        EXPECT_EQ(rig.records.currentServer.hostname, "Test Arena Server");
        // The parser reads the datagrams in their numbered order.
        EXPECT_EQ(rig.query.replyText().find(kServerBlock), 0U);
        EXPECT_EQ(rig.query.replyText().find("\\queryid\\16."), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Orders, ReplyCompletionTest,
    ::testing::Values(
        CompletionCase{"InOrder", replyInOrder(3, {1, 2, 3}), true},
        CompletionCase{"TwoOneThree", replyInOrder(3, {2, 1, 3}), true},
        CompletionCase{"FinalOvertakesTheSecond", replyInOrder(3, {1, 3, 2}), true},
        CompletionCase{"FinalFirstThenTheRestBackwards", replyInOrder(4, {4, 3, 2, 1}), true},
        CompletionCase{"SingleDatagram", {datagram(1, true)}, true},
        CompletionCase{"TenDatagrams", replyInOrder(10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), true},
        CompletionCase{"TwelveDatagramsShuffled",
                       replyInOrder(12, {3, 1, 2, 11, 5, 4, 7, 6, 10, 9, 8, 12}), true},
        CompletionCase{"TwelveWithoutTheEleventh",
                       replyInOrder(12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}), false},
        CompletionCase{"DuplicateInPlaceOfALostOne", replyInOrder(3, {2, 2, 3}), false},
        CompletionCase{"ALateDatagramOfAnotherReplyDoesNotMixIn",
                       {datagram(2, false, {}, 16), datagram(1, false), datagram(2, true)},
                       true},
        CompletionCase{"OnlyTheOtherReplysSecondDatagram",
                       {datagram(2, false, {}, 16), datagram(1, false), datagram(3, true)},
                       false},
        CompletionCase{"FirstLost", replyInOrder(2, {2}), false},
        CompletionCase{"WithoutQueryid", {std::string(kServerBlock) + "\\final\\"}, false},
        CompletionCase{"FinalBeforeQueryidAsOldServersSendIt",
                       {std::string(kServerBlock) + "\\final\\\\queryid\\17.1"},
                       true}),
    [](const ::testing::TestParamInfo<CompletionCase>& info) { return info.param.name; });

TEST_F(StatusQueryTest, AReplyMayCompleteAfterTheNextQueryButNotTwoQueriesLater) {
    startAndSendFirstQuery();
    for (const std::string& d : replyInOrder(3, {1, 3})) {
        rig.receive(d);
    }
    rig.platform.clock.advance(3000); // timeout, then the retry
    ASSERT_EQ(rig.sentQueries().size(), 2U);
    EXPECT_FALSE(rig.imgConn.visible());
    // A slow server's reply to the first query still counts.
    rig.receive(datagram(2, false));
    EXPECT_EQ(replies, 1);

    for (const std::string& d : replyInOrder(3, {1, 3}, 18)) {
        rig.receive(d);
    }
    rig.platform.clock.advance(6000); // two more queries
    ASSERT_GE(rig.sentQueries().size(), 4U);
    rig.receive(datagram(2, false, {}, 18));
    EXPECT_EQ(replies, 1);
    EXPECT_EQ(rig.query.heldDatagrams(), 1U);
}

TEST_F(StatusQueryTest, OnlyTheServerAskedCanAnswer) {
    startAndSendFirstQuery();
    const fake::SentDatagram sent = rig.sentQueries().front();
    rig.receiveFrom("198.51.100.66", sent.port, datagram(1, true));
    rig.receiveFrom(sent.host, 27015, datagram(1, true));
    EXPECT_EQ(replies, 0);
    EXPECT_EQ(rig.txtLoss.text(), "");
    rig.receiveFrom(sent.host, sent.port, datagram(1, true));
    EXPECT_EQ(replies, 1);
}

TEST_F(StatusQueryTest, ALateReplyForTheServerWatchedBeforeNeverShows) {
    const int other = rig.addFavourite("Other", "192.0.2.77", "7777");
    const int sameHost = rig.addFavourite("Same host", "192.0.2.10", "7777");
    for (const int next : {other, sameHost}) {
        SCOPED_TRACE(next);
        rig.tables.WatchEntry(query::WatchSource::Favourites, slot);
        rig.actQueryServer.execute();
        rig.platform.clock.advance(3000);
        const fake::SentDatagram sent = rig.sentQueries().back();
        rig.actQueryServer.execute();
        // The user picks another favourite before the answer comes.
        rig.tables.WatchEntry(query::WatchSource::Favourites, next);
        const std::string echo = "\\echo_replay\\ping_" + std::to_string(3000) + "|" +
                                 std::to_string(slot);
        rig.receiveFrom(sent.host, sent.port, datagram(1, true, kServerBlock + echo));
        EXPECT_EQ(replies, 0);
        EXPECT_EQ(rig.serverInfos.cell(1, 1), next == other ? "Other" : "Same host");
        const int row = rig.favouritestable.displayRow(next);
        EXPECT_EQ(rig.favouritestable.cell(1, row), next == other ? "Other" : "Same host");
        EXPECT_EQ(rig.favouritestable.cell(2, row), "No response");
    }
}

TEST_F(StatusQueryTest, AnEchoOfAnEarlierQueryToThisServerStillCounts) {
    rig.platform.clock.setTickBase(0);
    startAndSendFirstQuery();
    rig.platform.clock.advance(3000); // the second query at tick 6000
    const std::string echo =
        "\\echo_replay\\ping_3000|" + std::to_string(slot); // answers the first
    rig.receive(datagram(1, true, kServerBlock + echo));
    EXPECT_EQ(replies, 1);
    const std::string foreign = "\\echo_replay\\ping_4000|" + std::to_string(slot);
    rig.receive(datagram(1, true, kServerBlock + foreign, 18));
    EXPECT_EQ(replies, 1);
}

TEST_F(StatusQueryTest, APlayerNamedEchoDoesNotRedirectTheReply) {
    const int before = rig.addFavourite("Before", "192.0.2.44", "7777");
    rig.platform.clock.setTickBase(0);
    startAndSendFirstQuery();
    const std::string body = std::string(kServerBlock) + "\\player_1\\echo\\frags_1\\3" +
                             "\\echo_replay\\ping_3000|" + std::to_string(slot);
    rig.receive(datagram(1, true, body));
    EXPECT_EQ(replies, 1);
    EXPECT_EQ(rig.records.currentServer.echoSlot, slot);
    EXPECT_EQ(rig.favouritestable.cell(1, rig.favouritestable.displayRow(slot)),
              "Test Arena Server");
    EXPECT_EQ(rig.favouritestable.cell(1, rig.favouritestable.displayRow(before)), "Before");
}

TEST_F(StatusQueryTest, AServerBehindPortForwardingIsStillQueriedWhereTheUserSaid) {
    rig.records.favourites[static_cast<std::size_t>(slot)].hostport = "7000";
    startAndSendFirstQuery();
    // The server reports its inner game port.
    rig.receive(datagram(1, true));
    ASSERT_EQ(replies, 1);
    EXPECT_EQ(rig.records.favourites[static_cast<std::size_t>(slot)].hostport.view(), "7000");
    EXPECT_EQ(rig.serverInfos.cell(1, 2), "192.0.2.10:7000");
    rig.platform.clock.advance(3000);
    ASSERT_EQ(rig.sentQueries().size(), 2U);
    EXPECT_EQ(rig.sentQueries().back().port, 7001);
}

TEST_F(StatusQueryTest, ACompleteReplyRunsItsStepsInOrder) {
    std::vector<std::string> steps;
    rig.query.onCheckLevelRestart = [&] {
        // The display and the write-back are done by now.
        EXPECT_EQ(rig.rooster.cell(1, 1), "Alice");
        EXPECT_EQ(rig.favouritestable.cell(1, rig.favouritestable.displayRow(slot)),
                  "Test Arena Server");
        steps.emplace_back("restart check");
    };
    rig.query.onUpdateWar = [&] { steps.emplace_back("update war"); };
    startAndSendFirstQuery();
    rig.receive(datagram(1, true));
    EXPECT_EQ(steps, (std::vector<std::string>{"restart check", "update war"}));
    EXPECT_EQ(rig.serverInfos.cell(1, 1), "Test Arena Server");
}

struct QueryTextCase {
    const char* name;
    bool health, weapon, spree, inventory;
    std::string text;
    friend void PrintTo(const QueryTextCase& c, std::ostream* os) { *os << c.name; }
};

class QueryTextTest : public StatusQueryTest,
                      public ::testing::WithParamInterface<QueryTextCase> {};

TEST_P(QueryTextTest, QueryIsTheTextZeroPaddedTo700Bytes) {
    const auto& c = GetParam();
    rig.settings.Health = c.health;
    rig.settings.Weapon = c.weapon;
    rig.settings.Spree = c.spree;
    rig.settings.Inventory = c.inventory;
    rig.addFavourite("Two", "192.0.2.20", "7777");
    const int watched = rig.addFavourite("Three", "192.0.2.30", "7777");
    rig.records.watchSlot = watched;
    rig.platform.clock.setTickBase(123456 - 3000); // the tick count is 123456 at the send
    startAndSendFirstQuery();

    const fake::SentDatagram sent = rig.sentQueries().front();
    EXPECT_EQ(sent.host, "192.0.2.30");
    EXPECT_EQ(sent.port, 7778);
    ASSERT_EQ(sent.bytes.size(), 700U);
    EXPECT_EQ(sent.bytes.substr(0, c.text.size()), c.text);
    EXPECT_EQ(sent.bytes.find_first_not_of('\0', c.text.size()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Properties, QueryTextTest,
    ::testing::Values(
        QueryTextCase{"HealthOnly", true, false, false, false,
                      "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\"
                      "\\echo\\ping_123456|3"},
        QueryTextCase{"AllFourInOrder", true, true, true, true,
                      "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\"
                      "\\player_property\\weapon\\\\player_property\\spree\\"
                      "\\player_property\\inventory\\\\echo\\ping_123456|3"},
        QueryTextCase{"None", false, false, false, false,
                      "\\status\\\\level_property\\TimeSeconds\\\\echo\\ping_123456|3"}),
    [](const ::testing::TestParamInfo<QueryTextCase>& info) { return info.param.name; });

struct PortCase {
    const char* hostport;
    std::uint16_t port;
    friend void PrintTo(const PortCase& c, std::ostream* os) {
        *os << "hostport \"" << c.hostport << "\"";
    }
};

class QueryPortTest : public StatusQueryTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(QueryPortTest, QueryGoesToTheGamePortPlusOne) {
    rig.records.favourites[static_cast<std::size_t>(slot)].hostport = GetParam().hostport;
    startAndSendFirstQuery();
    EXPECT_EQ(rig.sentQueries().front().port, GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(Ports, QueryPortTest,
                         ::testing::Values(PortCase{"7777", 7778}, PortCase{"27960", 27961},
                                           PortCase{"abc", 7778}, PortCase{"", 7778},
                                           PortCase{"7777x", 7778}, PortCase{"65535", 7778},
                                           PortCase{"-1", 7778}));

TEST_F(StatusQueryTest, DestinationIsReadFromTheWatchedSlotAtEverySend) {
    startAndSendFirstQuery();
    rig.records.favourites[static_cast<std::size_t>(slot)].address = "192.0.2.99";
    rig.platform.clock.advance(3000);
    ASSERT_EQ(rig.sentQueries().size(), 2U);
    EXPECT_EQ(rig.sentQueries().back().host, "192.0.2.99");
}

TEST_F(StatusQueryTest, AServerThatCannotBeAddressedIsGivenUpLikeASilentOne) {
    rig.platform.unreachableHosts.insert("192.0.2.10");
    rig.actQueryServer.execute();
    rig.platform.clock.advance(3000);
    EXPECT_TRUE(rig.sentQueries().empty());
    EXPECT_TRUE(timeoutRunning());
    EXPECT_TRUE(rig.platform.messages.empty());
    rig.platform.clock.advance(60000);
    EXPECT_FALSE(rig.qrytimer.enabled());
    EXPECT_FALSE(rig.actQueryServer.checked());
    EXPECT_EQ(rig.favouritestable.cell(2, rig.favouritestable.displayRow(slot)), "No response");
}

TEST_F(StatusQueryTest, ActionTogglesWatchingAndStartsTheCountAfresh) {
    rig.actQueryServer.execute();
    rig.platform.clock.advance(2000);
    EXPECT_EQ(rig.progtimer.position(), 2);
    rig.actQueryServer.execute();
    EXPECT_FALSE(rig.qrytimer.enabled());
    EXPECT_FALSE(rig.actQueryServer.checked());
    EXPECT_EQ(rig.progtimer.position(), 0);
    rig.actQueryServer.execute();
    rig.platform.clock.advance(2999);
    EXPECT_TRUE(rig.sentQueries().empty());
    rig.platform.clock.advance(1);
    EXPECT_EQ(rig.sentQueries().size(), 1U);
}

TEST_F(StatusQueryTest, StoppingLeavesTheRunningTimeout) {
    startAndSendFirstQuery();
    rig.actQueryServer.execute();
    EXPECT_TRUE(timeoutRunning());
    rig.receive(datagram(1, true));
    EXPECT_EQ(replies, 1); // the reply of the last query is still handled
}

TEST_F(StatusQueryTest, ReceivedBytesAreCountedAndShown) {
    rig.records.totalBytes = 1000;
    startAndSendFirstQuery();
    rig.receive(std::string("\\a\\1\0zzz", 8)); // the text ends at the zero byte
    rig.receive("\\b\\2");
    EXPECT_EQ(rig.txtLoss.text(), "12");
    EXPECT_EQ(rig.statusBar.panel(2).text, "1012");
    rig.platform.clock.advance(3000); // the next query
    rig.receive("\\c\\3");
    EXPECT_EQ(rig.txtLoss.text(), "4");
    EXPECT_EQ(rig.statusBar.panel(2).text, "1016");
}

TEST_F(StatusQueryTest, AReplyOfEighteenKilobytesCompletes) {
    startAndSendFirstQuery();
    const std::string filler(1990, 'x');
    for (int number = 9; number >= 1; --number) { // about 18 KB, backwards
        rig.receive(datagram(number, number == 9, number == 1 ? kServerBlock : "\\f\\" + filler));
    }
    EXPECT_EQ(replies, 1);
    EXPECT_GT(rig.query.replyText().size(), 16000U);
}

TEST_F(StatusQueryTest, AReplyTooLargeToHoldCountsAsLost) {
    rig.settings.MaxTimeout = 0;
    startAndSendFirstQuery();
    const std::string filler(2000, 'x');
    const int count = 40; // 80 KB
    for (int number = 1; number <= count; ++number) {
        rig.receive(datagram(number, number == count, number == 1 ? kServerBlock : "\\f\\" + filler));
    }
    EXPECT_EQ(replies, 0);
    EXPECT_LE(rig.query.heldDatagrams(), query::ReplyAssembly::kMaxDatagrams);
    rig.platform.clock.advance(2000); // the timeout gives up, as on silence
    EXPECT_FALSE(rig.qrytimer.enabled());
}

TEST_F(StatusQueryTest, ReplyValueReadsTheAssembledReply) {
    startAndSendFirstQuery();
    rig.receive("\\player_10\\Bob\\numplayers\\7\\queryid\\17.2\\final\\");
    rig.receive("\\hostname\\A\\queryid\\17.1");
    EXPECT_EQ(rig.query.ReplyValue("numplayers"), "7");
    EXPECT_EQ(rig.query.ReplyValue("player_1"), "");
    EXPECT_EQ(rig.query.ReplyValue("maptitle"), "");
}

} // namespace
} // namespace testing_query
