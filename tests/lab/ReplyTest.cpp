#include "EmulatedServer.h"
#include "LabTestSupport.h"
#include "Random.h"
#include "ReplyPacker.h"
#include "Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace utlab {
namespace {

using namespace ::testing;
using namespace labtest;

ServerOptions serverWith(int players, int version = 451) {
    ServerOptions options;
    options.name = "Test Server";
    options.gamePort = 7777;
    options.players = players;
    options.version = version;
    return options;
}

std::vector<std::string> ask(const ServerOptions& options, std::string_view request) {
    EmulatedServer server(completed(options));
    std::vector<std::string> datagrams;
    for (Outgoing& out : server.handle(request, std::chrono::milliseconds(0))) {
        datagrams.push_back(std::move(out.payload));
    }
    return datagrams;
}

std::vector<std::string> keysOf(std::string_view text) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : pairsOf(text)) {
        keys.push_back(key);
    }
    return keys;
}

TEST(Reply, UnknownLastCommandOrUnclosedCommandGetsNoReply) {
    const ServerOptions options = serverWith(2);
    EXPECT_TRUE(ask(options, "\\status\\\\bogus\\").empty());
    EXPECT_TRUE(ask(options, "\\info").empty());
    EXPECT_TRUE(ask(options, "garbage").empty());
    EXPECT_FALSE(ask(options, "\\bogus\\\\info\\").empty());
}

TEST(Reply, InfoIsTheInfoBlockInOneFinalDatagram) {
    const std::vector<std::string> reply = ask(serverWith(3), "\\info\\");
    ASSERT_EQ(reply.size(), 1u);
    EXPECT_EQ(reply[0],
              "\\hostname\\Test Server\\hostport\\7777\\maptitle\\Deck16][\\mapname\\DM-"
              "Deck16][\\gametype\\DeathMatchPlus\\numplayers\\3\\maxplayers\\16\\gamemode"
              "\\openplaying\\gamever\\451\\minnetver\\432\\worldlog\\False\\wantworldlog"
              "\\False\\queryid\\1.1\\final\\");
}

TEST(Reply, StatusBlocksComeInOrderWithTheGameTypesRules) {
    struct Case {
        std::string gameType;
        int version;
        std::vector<std::string> keys;
    };
    const std::vector<std::string> info = {"hostname", "hostport",   "maptitle",   "mapname",
                                           "gametype", "numplayers", "maxplayers", "gamemode",
                                           "gamever",  "minnetver",  "worldlog",   "wantworldlog"};
    const std::vector<std::string> player = {"player_0", "frags_0", "ping_0", "team_0",
                                             "mesh_0",   "skin_0",  "face_0", "ngsecret_0"};
    const std::vector<Case> cases = {
        {"DeathMatchPlus",
         451,
         {"listenserver", "password", "timelimit", "fraglimit", "minplayers", "changelevels",
          "tournament", "gamestyle"}},
        {"CTFGame",
         469,
         {"listenserver", "password", "timelimit", "goalteamscore", "minplayers", "changelevels",
          "maxteams", "balanceteams", "playersbalanceteams", "friendlyfire", "tournament",
          "gamestyle"}},
    };
    for (const Case& c : cases) {
        ServerOptions options = serverWith(1, c.version);
        options.gameType = c.gameType;
        const std::string text = joined(ask(options, "\\status\\"));
        std::vector<std::string> expected = {"gamename", "gamever"};
        if (c.version >= 469) {
            expected.push_back("gamerevision");
        }
        expected.insert(expected.end(), {"minnetver", "location"});
        expected.insert(expected.end(), info.begin(), info.end());
        expected.insert(expected.end(), c.keys.begin(), c.keys.end());
        expected.insert(expected.end(), player.begin(), player.end());
        expected.insert(expected.end(), {"queryid", "final"});
        EXPECT_EQ(keysOf(text), expected) << c.gameType;
    }
}

TEST(Reply, PlayerEntriesKeepTheGamesQuirks) {
    ServerOptions options = serverWith(1);
    options.spectators = 1;
    options.gameType = "TeamGamePlus";
    const std::string text = joined(ask(options, "\\status\\"));
    EXPECT_THAT(valueOf(text, "ping_0"), Optional(MatchesRegex(" [0-9]+")));
    EXPECT_THAT(valueOf(text, "team_0"), Optional(AnyOf("0", "1")));
    EXPECT_EQ(valueOf(text, "friendlyfire"), "0%");
    EXPECT_EQ(valueOf(text, "numplayers"), "1");
    EXPECT_EQ(valueOf(text, "mesh_1"), "Spectator");
    EXPECT_EQ(valueOf(text, "team_1"), "255");
    EXPECT_EQ(valueOf(text, "skin_1"), "None");
    EXPECT_THAT(text, HasSubstr("\\face_1\\\\ngsecret_1\\"));
}

TEST(Reply, DatagramsStayWithinBudgetAndAreNumbered) {
    for (const bool oldOrder : {false, true}) {
        ServerOptions options = serverWith(18);
        options.oldOrder = oldOrder;
        const std::vector<std::string> reply = ask(options, kClientQuery);
        ASSERT_EQ(reply.size(), 4u);
        for (std::size_t i = 0; i < reply.size(); ++i) {
            const std::string id = "\\queryid\\1." + std::to_string(i + 1);
            const bool last = i + 1 == reply.size();
            const std::string ending = !last ? id : oldOrder ? "\\final\\" + id : id + "\\final\\";
            EXPECT_TRUE(reply[i].ends_with(ending)) << reply[i];
            EXPECT_EQ(reply[i].find("\\final\\") != std::string::npos, last);
            EXPECT_LE(reply[i].size() - ending.size(), kDatagramBudget);
        }
    }
}

TEST(Reply, DeliveryOrderIsSentReversedOrAReproducibleShuffle) {
    const auto numbersOf = [](DatagramOrder order, std::uint64_t seed) {
        ServerOptions options = serverWith(18);
        options.order = order;
        options.seed = seed;
        return datagramNumbers(ask(options, kClientQuery));
    };
    EXPECT_EQ(numbersOf(DatagramOrder::Sent, 1), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(numbersOf(DatagramOrder::Reverse, 1), (std::vector<int>{4, 3, 2, 1}));
    std::set<std::vector<int>> shuffles;
    for (std::uint64_t seed = 1; seed <= 50; ++seed) {
        const std::vector<int> shuffled = numbersOf(DatagramOrder::Shuffle, seed);
        EXPECT_TRUE(std::ranges::is_permutation(shuffled, std::vector<int>{1, 2, 3, 4})) << seed;
        EXPECT_FALSE(std::ranges::is_sorted(shuffled)) << seed;
        EXPECT_EQ(shuffled, numbersOf(DatagramOrder::Shuffle, seed)) << seed;
        shuffles.insert(shuffled);
    }
    EXPECT_GT(shuffles.size(), 10u);
    // One datagram has no other order.
    ServerOptions small = serverWith(0);
    small.order = DatagramOrder::Shuffle;
    EXPECT_EQ(datagramNumbers(ask(small, "\\info\\")), std::vector<int>{1});
}

TEST(Reply, PackerKeepsBlocksWholeAndSendsOversizedOnesAlone) {
    ReplyPacker packer(7, false);
    packer.add("\\a\\" + std::string(600, 'x'));
    packer.add("\\b\\" + std::string(600, 'y'));
    packer.add("\\c\\" + std::string(1500, 'z'));
    packer.add("\\d\\1");
    const std::vector<std::string> datagrams = packer.finish();
    ASSERT_EQ(datagrams.size(), 4u);
    EXPECT_TRUE(datagrams[0].starts_with("\\a\\") && datagrams[0].ends_with("\\queryid\\7.1"));
    EXPECT_TRUE(datagrams[1].starts_with("\\b\\") && datagrams[1].ends_with("\\queryid\\7.2"));
    EXPECT_TRUE(datagrams[2].starts_with("\\c\\") && datagrams[2].ends_with("\\queryid\\7.3"));
    EXPECT_EQ(datagrams[3], "\\d\\1\\queryid\\7.4\\final\\");
}

TEST(Reply, QueryNumberCountsRequestsAndWrapsAfter100) {
    EmulatedServer server(completed(serverWith(0)));
    std::vector<std::string> ids;
    for (int i = 0; i < 101; ++i) {
        const std::vector<Outgoing> reply =
            server.handle("\\basic\\", std::chrono::milliseconds(0));
        ASSERT_EQ(reply.size(), 1u);
        ids.push_back(valueOf(reply[0].payload, "queryid").value_or(""));
    }
    EXPECT_EQ(ids[0], "1.1");
    EXPECT_EQ(ids[99], "100.1");
    EXPECT_EQ(ids[100], "1.1");
}

TEST(Reply, EchoDependsOnVersionAndOption) {
    struct Case {
        int version;
        EchoStyle style;
        std::string expected;
    };
    for (const Case& c : {Case{436, EchoStyle::Auto, "\\echo\\ping_9|1"},
                          Case{451, EchoStyle::Auto, "\\echo_replay\\ping_9|1"},
                          Case{469, EchoStyle::Auto, "\\echo_replay\\ping_9|1"},
                          Case{469, EchoStyle::Plain, "\\echo\\ping_9|1"},
                          Case{436, EchoStyle::Replay, "\\echo_replay\\ping_9|1"}}) {
        ServerOptions options = serverWith(0, c.version);
        options.echo = c.style;
        EXPECT_EQ(ask(options, "\\echo\\ping_9|1"),
                  std::vector<std::string>{c.expected + "\\queryid\\1.1\\final\\"})
            << c.version;
    }
}

TEST(Reply, LevelTimeHasSixDecimalsOfAFloat) {
    EXPECT_EQ(formatFloat(1234.56f), "1234.560059");
    const std::string text = joined(ask(serverWith(0), "\\level_property\\TimeSeconds\\"));
    EXPECT_THAT(valueOf(text, "TimeSeconds"), Optional(MatchesRegex("[0-9]+\\.[0-9]{6}")));
}

TEST(Reply, PlayerPropertiesCountFromOneOverEveryActor) {
    ServerOptions options = serverWith(2);
    options.spectators = 1;
    const std::string text = joined(ask(
        options, "\\player_property\\Health\\\\player_property\\weapon\\\\player_property\\spree"
                 "\\\\player_property\\inventory\\"));
    const std::vector<std::string> keys = keysOf(text);
    const std::vector<std::string> expected = {
        "Health_1", "Health_2", "Health_3",    "weapon_1",    "weapon_2",    "weapon_3", "spree_1",
        "spree_2",  "spree_3",  "inventory_1", "inventory_2", "inventory_3", "queryid",  "final"};
    EXPECT_EQ(keys, expected);
    EXPECT_THAT(valueOf(text, "weapon_1"), Optional(StartsWith("Botpack.")));
    EXPECT_EQ(valueOf(text, "weapon_3"), "None"); // the spectator
    EXPECT_THAT(valueOf(text, "Health_2"), Optional(MatchesRegex("-?[0-9]+")));
}

TEST(Reply, ManyPlayersAndLongNamesTakeManyDatagrams) {
    EXPECT_EQ(ask(serverWith(18), "\\status\\").size(), 4u);
    ServerOptions crowded = serverWith(32);
    crowded.longNames = true;
    EXPECT_GE(ask(crowded, "\\status\\").size(), 10u);
    EXPECT_GE(ask(crowded, kClientQuery).size(), 10u);
}

TEST(Reply, NamesFollowTheVersionsEncodingAndBackslashRule) {
    struct Case {
        int version;
        NameCharset charset;
        std::string expected;
    };
    for (const Case& c :
         {Case{436, NameCharset::Auto, "Bj\xF6rn\\Z?"}, Case{451, NameCharset::Auto, "Bj\xF6rnZ?"},
          Case{469, NameCharset::Auto, "Bj\xC3\xB6rnZ\xCE\xA9"},
          Case{469, NameCharset::Latin1, "Bj\xF6rnZ?"},
          Case{451, NameCharset::Utf8, "Bj\xC3\xB6rnZ\xCE\xA9"}}) {
        ServerOptions options = serverWith(0, c.version);
        options.charset = c.charset;
        options.playerNames = {"Bj\xC3\xB6rn\\Z\xCE\xA9"};
        const std::string text = joined(ask(options, "\\players\\"));
        EXPECT_TRUE(text.starts_with("\\player_0\\" + c.expected + "\\frags_0\\")) << text;
    }
}

TEST(Reply, BotsAreListedBy469Only) {
    for (const int version : {451, 469}) {
        ServerOptions options = serverWith(1, version);
        options.bots = 2;
        const std::string text = joined(ask(options, "\\status\\"));
        EXPECT_EQ(valueOf(text, "numplayers"), "1");
        EXPECT_EQ(valueOf(text, "ngsecret_1") == "bot", version == 469) << version;
        EXPECT_EQ(valueOf(text, "player_1").has_value(), version == 469) << version;
    }
}

TEST(Reply, SilentServerNeverAnswers) {
    ServerOptions options = serverWith(4);
    options.silent = true;
    EXPECT_TRUE(ask(options, "\\status\\").empty());
}

TEST(Reply, GarbageGetsNoReplyOrAWellFormedOne) {
    using namespace std::string_view_literals;
    constexpr std::string_view kPieces[] = {"\\",     "status", "info", "echo", "player_property",
                                            "health", "x",      "\0"sv, "\xFF", "level_property"};
    Random random(42);
    ServerOptions options = serverWith(5);
    options.spectators = 2;
    EmulatedServer server(completed(options));
    for (int i = 0; i < 2000; ++i) {
        std::string datagram;
        for (int piece = random.between(0, 30); piece > 0; --piece) {
            datagram += random.pick(std::span<const std::string_view>(kPieces));
        }
        const std::vector<Outgoing> reply = server.handle(datagram, std::chrono::milliseconds(i));
        for (std::size_t n = 0; n < reply.size(); ++n) {
            const std::string& text = reply[n].payload;
            EXPECT_EQ(text.find("\\final\\") != std::string::npos, n + 1 == reply.size())
                << datagram;
            EXPECT_TRUE(valueOf(text, "queryid").has_value()) << datagram;
        }
    }
}

} // namespace
} // namespace utlab
