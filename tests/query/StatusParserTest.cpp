#include "query/StatusParser.h"
#include "query/Records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using query::PlayerRecord;
using query::ServerEntry;

// A reply text from key/value pairs: \k\v\k\v...
std::string reply(std::initializer_list<std::pair<std::string, std::string>> pairs) {
    std::string text;
    for (const auto& [key, value] : pairs) {
        text += "\\" + key + "\\" + value;
    }
    return text;
}

// A reply as a 469 server sends it to
// \status\\level_property\TimeSeconds\\player_property\health\\echo\ping_1000|3,
// its three datagrams assembled in the order 2, 1, 3.
const std::string kRealReply =
    // datagram 2: rules, one player
    "\\timelimit\\20\\goalteamscore\\3\\minplayers\\0\\changelevels\\True\\maxteams\\2"
    "\\balanceteams\\True\\playersbalanceteams\\False\\friendlyfire\\0%\\tournament\\False"
    "\\gamestyle\\Hardcore\\AdminName\\Ann\\player_0\\Anna\\frags_0\\12\\ping_0\\ 61"
    "\\team_0\\0\\mesh_0\\Female Commando\\skin_0\\FCommandoSkins.daco\\face_0\\"
    "\\ngsecret_0\\true\\queryid\\42.2"
    // datagram 1: basic and info
    "\\gamename\\ut\\gamever\\469\\gamerevision\\d\\minnetver\\432\\location\\0"
    "\\hostname\\Test Arena Server\\hostport\\7777\\maptitle\\Facing Worlds"
    "\\mapname\\CTF-Face\\gametype\\CTFGame\\numplayers\\2\\maxplayers\\16\\gamemode\\openplaying"
    "\\gamever\\469\\minnetver\\432\\worldlog\\false\\wantworldlog\\false\\queryid\\42.1"
    // datagram 3: the second player (a spectator), the properties and the echo
    "\\player_1\\Watcher\\frags_1\\0\\ping_1\\ 0\\team_1\\255\\mesh_1\\Spectator"
    "\\skin_1\\None\\face_1\\\\ngsecret_1\\false\\TimeSeconds\\1234.560059"
    "\\health_1\\100\\health_2\\87\\health_3\\0\\echo_replay\\ping_1000|3"
    "\\queryid\\42.3\\final\\";

class StatusParserTest : public testing::Test {
protected:
    void parse(const std::string& text, std::uint32_t tickNow = 1100) {
        query::ParseStatus(text, settings, tickNow, *records);
    }
    [[nodiscard]] const ServerEntry& server() const { return records->currentServer; }
    [[nodiscard]] const PlayerRecord& slot(int i) const {
        return records->players[static_cast<std::size_t>(i)];
    }

    query::PlayerProperties settings{.health = true}; // Health on, the others off
    std::unique_ptr<query::ServerRecords> records = std::make_unique<query::ServerRecords>();
};

TEST_F(StatusParserTest, ReadsARealReply) {
    records->watchSlot = 9;
    records->currentServer.address = "192.0.2.7";
    parse(kRealReply, 1100);

    EXPECT_EQ(server().hostname.view(), "Test Arena Server");
    EXPECT_EQ(server().address.view(), "192.0.2.7"); // never touched
    EXPECT_EQ(server().hostport.view(), "7777");
    EXPECT_EQ(server().gamever.view(), "469");
    EXPECT_EQ(server().gametype.view(), "CTFGame");
    EXPECT_EQ(server().gamestyle.view(), "Hardcore");
    EXPECT_EQ(server().minnetver.view(), "432");
    EXPECT_EQ(server().maptitle.view(), "Facing Worlds");
    EXPECT_EQ(server().mapname.view(), "CTF-Face");
    EXPECT_EQ(server().maxplayers, 16);
    EXPECT_EQ(server().numplayers, 2);
    EXPECT_EQ(server().timelimit, 20);
    EXPECT_EQ(server().fraglimit, 0); // team games send none
    EXPECT_EQ(server().friendlyfire.view(), "0%");
    EXPECT_EQ(server().maxteams.view(), "2");
    EXPECT_EQ(server().goalteamscore.view(), "3");
    EXPECT_EQ(server().balanceteams.view(), "True");
    EXPECT_TRUE(server().responded);
    EXPECT_EQ(server().TimeSeconds, 1234);
    EXPECT_EQ(server().tournament.view(), "No");
    EXPECT_EQ(server().echoSlot, 3); // from echo_replay
    EXPECT_EQ(server().ping, 80);

    EXPECT_EQ(slot(1).name.view(), "Anna");
    EXPECT_EQ(slot(1).frags, 12);
    EXPECT_EQ(slot(1).ping, 61); // "\ping_0\ 61": the leading blank is skipped
    EXPECT_EQ(slot(1).team, 0);
    EXPECT_EQ(slot(1).mesh.view(), "Female Commando");
    EXPECT_EQ(slot(1).skin.view(), "FCommandoSkins.daco");
    EXPECT_EQ(slot(1).face.view(), "");
    EXPECT_EQ(slot(1).ngsecret.view(), "Enabled");
    EXPECT_EQ(slot(1).health.view(), "87"); // health_2 belongs to player_0
    EXPECT_EQ(slot(1).weapon.view(), "n/a");
    EXPECT_EQ(slot(1).inventory.view(), "n/a");
    EXPECT_EQ(slot(1).spree, 0);

    EXPECT_EQ(slot(2).name.view(), "Watcher");
    EXPECT_EQ(slot(2).team, 255);
    EXPECT_EQ(slot(2).mesh.view(), "Spectator");
    EXPECT_EQ(slot(2).ngsecret.view(), "");
    EXPECT_EQ(slot(2).health.view(), "0");

    EXPECT_EQ(slot(3).name.view(), ""); // the extra pass
    EXPECT_EQ(records->playerEnd, 4);
}

struct TimeCase {
    std::string value; // "(missing)": no key at all
    std::int32_t expected;
    friend std::ostream& operator<<(std::ostream& os, const TimeCase& c) {
        return os << "TimeSeconds \"" << c.value << "\" -> " << c.expected;
    }
};

class TimeSecondsTest : public StatusParserTest, public testing::WithParamInterface<TimeCase> {};
TEST_P(TimeSecondsTest, Table) {
    records->currentServer.TimeSeconds = 777;
    parse(GetParam().value == "(missing)" ? reply({{"numplayers", "0"}})
                                          : reply({{"TimeSeconds", GetParam().value}}));
    EXPECT_EQ(server().TimeSeconds, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(StatusParser, TimeSecondsTest,
                         testing::Values(TimeCase{"1234.56", 1234}, TimeCase{"1234.560059", 1234},
                                         TimeCase{"1234", 0}, TimeCase{"", 0},
                                         TimeCase{"(missing)", 0}, TimeCase{"0.000000", 0},
                                         TimeCase{".5", 0}, TimeCase{"abc.5", 0},
                                         TimeCase{"12.5.6", 12},
                                         TimeCase{"99999999999.000000", 0}));

struct TournamentCase {
    std::string value; // "(missing)": no key at all
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const TournamentCase& c) {
        return os << "tournament \"" << c.value << "\" -> " << c.expected;
    }
};

class TournamentTest : public StatusParserTest,
                       public testing::WithParamInterface<TournamentCase> {};
TEST_P(TournamentTest, Table) {
    parse(GetParam().value == "(missing)" ? reply({{"numplayers", "0"}})
                                          : reply({{"tournament", GetParam().value}}));
    EXPECT_EQ(server().tournament.view(), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(StatusParser, TournamentTest,
                         testing::Values(TournamentCase{"False", "No"},
                                         TournamentCase{"FALSE", "No"},
                                         TournamentCase{"false", "No"},
                                         TournamentCase{"true", "Yes"},
                                         TournamentCase{"True", "Yes"}, TournamentCase{"0", "Yes"},
                                         TournamentCase{"", "Yes"}, TournamentCase{" false", "Yes"},
                                         TournamentCase{"(missing)", "Yes"}));

TEST_F(StatusParserTest, NgSecretFollowsEachReply) {
    parse(reply({{"numplayers", "1"}, {"player_0", "A"}, {"ngsecret_0", "True"}}));
    EXPECT_EQ(slot(1).ngsecret.view(), "Enabled");
    parse(reply({{"numplayers", "1"}, {"player_0", "A"}, {"ngsecret_0", "false"}}));
    EXPECT_EQ(slot(1).ngsecret.view(), "");
    parse(reply({{"numplayers", "1"}, {"player_0", "A"}, {"ngsecret_0", "TRUE"}}));
    EXPECT_EQ(slot(1).ngsecret.view(), "Enabled");
    parse(reply({{"numplayers", "1"}, {"player_0", "A"}, {"ngsecret_0", "bot"}}));
    EXPECT_EQ(slot(1).ngsecret.view(), "");
    parse(reply({{"numplayers", "1"}, {"player_0", "A"}}));
    EXPECT_EQ(slot(1).ngsecret.view(), "");
}

TEST_F(StatusParserTest, HealthIsReadAtIndexPlusTwoAndNeverNegative) {
    settings.health = true;
    parse(reply({{"numplayers", "2"},
                 {"player_0", "A"},
                 {"player_1", "B"},
                 {"health_0", "11"},
                 {"health_1", "22"},
                 {"health_2", "87"},
                 {"health_3", "-5"}}));
    EXPECT_EQ(slot(1).health.view(), "87");
    EXPECT_EQ(slot(2).health.view(), "0");
    EXPECT_EQ(slot(3).name.view(), "");
    EXPECT_EQ(slot(3).health.view(), "0");
    EXPECT_EQ(records->playerEnd, 4);
}

TEST_F(StatusParserTest, HealthOffStoresZeroWhateverTheReplySays) {
    settings.health = false;
    parse(reply({{"numplayers", "1"}, {"player_0", "A"}, {"health_2", "87"}}));
    EXPECT_EQ(slot(1).health.view(), "0");
}

TEST_F(StatusParserTest, HealthTooWideForItsFieldStaysAReadableNumber) {
    parse(reply({{"numplayers", "1"}, {"health_2", "1234567"}}));
    EXPECT_EQ(slot(1).health.view(), "99999");
    parse(reply({{"numplayers", "1"}, {"health_2", "abc"}}));
    EXPECT_EQ(slot(1).health.view(), "0");
}

TEST_F(StatusParserTest, SwitchedOffPropertiesAreNotApplicable) {
    settings.health = false;
    settings.spree = false;
    settings.weapon = false;
    settings.inventory = false;
    parse(reply({{"numplayers", "1"},
                 {"player_0", "A"},
                 {"spree_2", "7"},
                 {"weapon_2", "Botpack.ShockRifle"},
                 {"inventory_2", "Botpack.UDamage"}}));
    for (int i = 1; i <= 2; ++i) {
        SCOPED_TRACE("slot " + std::to_string(i));
        EXPECT_EQ(slot(i).spree, 0);
        EXPECT_EQ(slot(i).weapon.view(), "n/a");
        EXPECT_EQ(slot(i).inventory.view(), "n/a");
        EXPECT_EQ(slot(i).health.view(), "0");
    }
}

TEST_F(StatusParserTest, SwitchedOnPropertiesGoThroughTheVocabulary) {
    settings.spree = true;
    settings.weapon = true;
    settings.inventory = true;
    parse(reply({{"numplayers", "1"},
                 {"player_0", "A"},
                 {"spree_2", "7"},
                 {"weapon_2", "Botpack.SuperShockRifle"},
                 {"inventory_2", "Botpack.UDamage"}}));
    EXPECT_EQ(slot(1).spree, 7);
    EXPECT_EQ(slot(1).weapon.view(), "ASMD");
    EXPECT_EQ(slot(1).inventory.view(), "Amplifier");
    // The extra pass reads index 3, which the reply does not carry.
    EXPECT_EQ(slot(2).spree, 0);
    EXPECT_EQ(slot(2).weapon.view(), "unknown");
    EXPECT_EQ(slot(2).inventory.view(), "");
}

struct EchoCase {
    std::string reply;
    std::uint32_t tickNow;
    std::int32_t ping;
    std::int32_t echoSlot;
    friend std::ostream& operator<<(std::ostream& os, const EchoCase& c) {
        return os << '"' << c.reply << "\" at tick " << c.tickNow << " -> ping " << c.ping
                  << ", slot " << c.echoSlot;
    }
};

class EchoTest : public StatusParserTest, public testing::WithParamInterface<EchoCase> {};
TEST_P(EchoTest, Table) {
    records->watchSlot = 5;
    parse(GetParam().reply, GetParam().tickNow);
    EXPECT_EQ(server().ping, GetParam().ping);
    EXPECT_EQ(server().echoSlot, GetParam().echoSlot);
}
INSTANTIATE_TEST_SUITE_P(
    StatusParser, EchoTest,
    testing::Values(EchoCase{"\\echo\\ping_1000|7", 1100, 80, 7},
                    EchoCase{"\\echo_replay\\ping_1000|7", 1100, 80, 7}, // 451 and later
                    EchoCase{"\\echo\\ping_1000|7\\echo_replay\\ping_1050|8", 1100, 30, 8},
                    EchoCase{"\\hostname\\x", 20000, 9961, 5},      // missing: 10019 and watchSlot
                    EchoCase{"\\hostname\\x", 1000, 2147483647, 5}, // 10019 lies ahead
                    EchoCase{"\\echo\\ping_1000", 20000, 9961,
                             1000}, // no "|": all of s is the slot
                    EchoCase{"\\echo\\ping_|3", 20000, 9961, 3},
                    EchoCase{"\\echo\\ping_1000|", 1100, 80, 5},
                    EchoCase{"\\echo\\ping_abc|x", 20000, 9961, 5},
                    EchoCase{"\\echo\\ping_1090|2", 1100, 0, 2},       // faster than 20 ms
                    EchoCase{"\\echo\\ping_4294967290|2", 100, 86, 2}, // the tick count wrapped
                    EchoCase{"\\echo\\ping_3000000000|2", 3000000100U, 80, 2}));

// A player named like a key of the reply, in a datagram that comes before the
// one carrying that key, is only a name: the key's value and the echo stay.
class KeyNamedPlayerTest : public StatusParserTest,
                           public testing::WithParamInterface<std::string> {};
TEST_P(KeyNamedPlayerTest, IsOnlyAName) {
    const std::string& name = GetParam();
    records->watchSlot = 9;
    parse("\\player_0\\" + name + "\\frags_0\\12\\ping_0\\ 61\\team_0\\0\\queryid\\42.2" +
              "\\hostname\\Real Server\\numplayers\\2\\player_1\\Second\\queryid\\42.1" +
              "\\echo_replay\\ping_1000|3\\queryid\\42.3\\final\\",
          1100);
    EXPECT_EQ(slot(1).name.view(), name);
    EXPECT_EQ(slot(1).frags, 12);
    EXPECT_EQ(slot(2).name.view(), "Second");
    EXPECT_EQ(server().hostname.view(), "Real Server");
    EXPECT_EQ(server().numplayers, 2);
    EXPECT_EQ(server().echoSlot, 3);
    EXPECT_EQ(server().ping, 80);
}
INSTANTIATE_TEST_SUITE_P(StatusParser, KeyNamedPlayerTest,
                         testing::Values("echo", "echo_replay", "hostname", "numplayers",
                                         "player_1"));

TEST_F(StatusParserTest, PlayerIndexTenIsNotPlayerOne) {
    std::string text = reply({{"numplayers", "11"}});
    for (int i = 0; i <= 10; ++i) {
        if (i != 1) {
            text += reply({{"player_" + std::to_string(i), "P" + std::to_string(i)},
                           {"frags_" + std::to_string(i), std::to_string(100 + i)}});
        }
    }
    parse(text);
    EXPECT_EQ(slot(1).name.view(), "P0");
    EXPECT_EQ(slot(2).name.view(), ""); // player_1 is missing; player_10 must not answer
    EXPECT_EQ(slot(2).frags, 0);
    EXPECT_EQ(slot(11).name.view(), "P10");
    EXPECT_EQ(slot(11).frags, 110);
    EXPECT_EQ(records->playerEnd, 13);
}

struct PingCase {
    std::string value;
    std::int32_t expected;
    friend std::ostream& operator<<(std::ostream& os, const PingCase& c) {
        return os << "ping_0 \"" << c.value << "\" -> " << c.expected;
    }
};

class PlayerPingTest : public StatusParserTest, public testing::WithParamInterface<PingCase> {};
TEST_P(PlayerPingTest, Table) {
    parse(reply({{"numplayers", "1"}, {"player_0", "A"}, {"ping_0", GetParam().value}}));
    EXPECT_EQ(slot(1).ping, GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(StatusParser, PlayerPingTest,
                         testing::Values(PingCase{" 61", 61}, PingCase{"61", 61},
                                         PingCase{"  999", 999}, PingCase{" -5", -5},
                                         PingCase{"", 0}, PingCase{" ", 0}, PingCase{"61 ", 0},
                                         PingCase{"x", 0}, PingCase{"99999999999", 0}));

TEST_F(StatusParserTest, WithoutPlayersSlotOneIsTheEmptyRecord) {
    records->players[1].name = "Old";
    records->players[1].frags = 9;
    parse(reply({{"hostname", "x"}}));
    EXPECT_EQ(server().numplayers, 0);
    EXPECT_EQ(slot(1).name.view(), "");
    EXPECT_EQ(slot(1).frags, 0);
    EXPECT_EQ(records->playerEnd, 2);
}

TEST_F(StatusParserTest, EveryFieldOfEveryFilledSlotIsRewritten) {
    settings.spree = true;
    settings.weapon = true;
    settings.inventory = true;
    parse(reply({{"numplayers", "1"},
                 {"player_0", "A"},
                 {"mesh_0", "M"},
                 {"frags_0", "3"},
                 {"ping_0", "4"},
                 {"team_0", "1"},
                 {"skin_0", "S"},
                 {"face_0", "F"},
                 {"ngsecret_0", "true"},
                 {"health_2", "50"},
                 {"spree_2", "6"},
                 {"weapon_2", "Pkg.Minigun"},
                 {"inventory_2", "Relic"},
                 {"hostname", "H"},
                 {"maxteams", "2"}}));
    parse(reply({{"numplayers", "1"}}));
    const PlayerRecord& p = slot(1);
    EXPECT_EQ(p.name.view(), "");
    EXPECT_EQ(p.mesh.view(), "");
    EXPECT_EQ(p.frags, 0);
    EXPECT_EQ(p.ping, 0);
    EXPECT_EQ(p.team, 0);
    EXPECT_EQ(p.skin.view(), "");
    EXPECT_EQ(p.face.view(), "");
    EXPECT_EQ(p.ngsecret.view(), "");
    EXPECT_EQ(p.health.view(), "0");
    EXPECT_EQ(p.spree, 0);
    EXPECT_EQ(p.weapon.view(), "unknown");
    EXPECT_EQ(p.inventory.view(), "");
    EXPECT_EQ(server().hostname.view(), "");
    EXPECT_EQ(server().maxteams.view(), "");
}

TEST_F(StatusParserTest, SlotsBeyondTheReplyKeepTheirOldContents) {
    std::string twelve = reply({{"numplayers", "12"}});
    for (int i = 0; i < 12; ++i) {
        twelve += reply({{"player_" + std::to_string(i), "Old" + std::to_string(i)}});
    }
    parse(twelve);
    parse(reply({{"numplayers", "3"}, {"player_0", "A"}, {"player_1", "B"}, {"player_2", "C"}}));
    EXPECT_EQ(records->playerEnd, 5);
    EXPECT_EQ(slot(3).name.view(), "C");
    EXPECT_EQ(slot(4).name.view(), "");
    EXPECT_EQ(slot(5).name.view(), "Old4");
    EXPECT_EQ(slot(12).name.view(), "Old11");
}

// More players than the table holds: at most 64 players are stored, then the
// trailing empty record in slot 65; nothing outside `players` is touched.
struct CrowdCase {
    std::string numplayers; // as announced
    int sent;               // players actually in the reply
    std::int32_t storedNumplayers;
    std::int32_t playerEnd;
    friend std::ostream& operator<<(std::ostream& os, const CrowdCase& c) {
        return os << "numplayers \"" << c.numplayers << "\", " << c.sent << " sent -> playerEnd "
                  << c.playerEnd;
    }
};

class CrowdTest : public StatusParserTest, public testing::WithParamInterface<CrowdCase> {};
TEST_P(CrowdTest, Table) {
    settings.spree = settings.weapon = settings.inventory = true;
    records->watchSource = query::WatchSource::ServerList;
    records->watchSlot = 1234;
    records->favouriteEnd = 42;
    records->players[0].name = "slot 0 is never used";

    std::string text = reply({{"numplayers", GetParam().numplayers}});
    for (int i = 0; i < GetParam().sent; ++i) {
        const std::string n = std::to_string(i);
        text += reply({{"player_" + n, "P" + n}, {"health_" + std::to_string(i + 2), "100"}});
    }
    parse(text);

    EXPECT_EQ(server().numplayers, GetParam().storedNumplayers);
    EXPECT_EQ(records->playerEnd, GetParam().playerEnd);
    ASSERT_GE(records->playerEnd, 1);
    ASSERT_LE(records->playerEnd, query::kPlayerSlots);
    for (int i = 1; i < records->playerEnd - 1; ++i) {
        EXPECT_EQ(slot(i).name.view(), "P" + std::to_string(i - 1)) << "slot " << i;
    }
    if (records->playerEnd >= 2) {
        EXPECT_EQ(slot(records->playerEnd - 1).name.view(), "") << "the trailing record";
    }
    EXPECT_EQ(slot(0).name.view(), "slot 0 is never used");
    EXPECT_EQ(records->watchSource, query::WatchSource::ServerList);
    EXPECT_EQ(records->watchSlot, 1234);
    EXPECT_EQ(records->favouriteEnd, 42);
}
INSTANTIATE_TEST_SUITE_P(StatusParser, CrowdTest,
                         testing::Values(CrowdCase{"29", 29, 29, 31}, CrowdCase{"30", 30, 30, 32},
                                         CrowdCase{"31", 31, 31, 33}, CrowdCase{"32", 32, 32, 34},
                                         CrowdCase{"64", 64, 64, 66}, CrowdCase{"65", 65, 65, 66},
                                         CrowdCase{"1000000", 70, 1000000, 66},
                                         CrowdCase{"2147483647", 70, 2147483647, 66},
                                         CrowdCase{"-1", 3, -1, 1},
                                         CrowdCase{"-2147483648", 3, -2147483647 - 1, 1},
                                         CrowdCase{"99999999999", 0, 0, 2}));

// 64 players, spectators among them, with all four properties, in a reply of
// many datagrams packed as the game packs them (blocks up to about 1000
// characters, each datagram closed by its queryid, the last one by final).
TEST_F(StatusParserTest, SixtyFourPlayersOverManyDatagrams) {
    settings = {.health = true, .spree = true, .weapon = true, .inventory = true};
    std::vector<std::string> blocks = {
        reply({{"gamename", "ut"}, {"gamever", "469"}, {"minnetver", "432"}}),
        reply({{"hostname", "Crowded"}, {"numplayers", "64"}, {"maxplayers", "64"}})};
    for (int i = 0; i < 64; ++i) {
        const std::string n = std::to_string(i);
        const bool spectator = i % 16 == 15;
        blocks.push_back(reply({{"player_" + n, "A Rather Long Player Name " + n},
                                {"frags_" + n, n},
                                {"ping_" + n, " " + n},
                                {"team_" + n, spectator ? "255" : std::to_string(i % 2)},
                                {"mesh_" + n, spectator ? "Spectator" : "Male Soldier"},
                                {"skin_" + n, spectator ? "None" : "SoldierSkins.blkt"},
                                {"face_" + n, spectator ? "" : "SoldierSkins.Brock"},
                                {"ngsecret_" + n, "true"}}));
    }
    for (const std::string property : {"health", "weapon", "spree", "inventory"}) {
        for (int k = 1; k <= 66; ++k) { // counted from 1 over every player actor
            const std::string n = std::to_string(k);
            const std::string value = property == "weapon"      ? "Botpack.SuperShockRifle"
                                      : property == "inventory" ? "Botpack.UDamage"
                                                                : n;
            blocks.push_back(reply({{property + "_" + n, value}}));
        }
    }
    std::string text;
    std::string datagram;
    int count = 0;
    const auto close = [&](bool last) {
        datagram += reply({{"queryid", "7." + std::to_string(++count)}});
        text += datagram + (last ? "\\final\\" : "");
        datagram.clear();
    };
    for (const std::string& block : blocks) {
        if (!datagram.empty() && datagram.size() + block.size() > 1000) {
            close(false);
        }
        datagram += block;
    }
    close(true);
    ASSERT_GE(count, 11); // queryids of two digits

    parse(text);
    EXPECT_EQ(server().hostname.view(), "Crowded");
    EXPECT_EQ(server().numplayers, 64);
    EXPECT_EQ(records->playerEnd, 66);
    for (int r = 1; r <= 64; ++r) {
        SCOPED_TRACE("slot " + std::to_string(r));
        const int i = r - 1;
        EXPECT_EQ(slot(r).name.view(), "A Rather Long Player Name " + std::to_string(i));
        EXPECT_EQ(slot(r).frags, i);
        EXPECT_EQ(slot(r).ping, i);
        EXPECT_EQ(slot(r).mesh.view(), i % 16 == 15 ? "Spectator" : "Male Soldier");
        EXPECT_EQ(slot(r).ngsecret.view(), "Enabled");
        EXPECT_EQ(slot(r).health.view(), std::to_string(i + 2));
        EXPECT_EQ(slot(r).spree, i + 2);
        EXPECT_EQ(slot(r).weapon.view(), "ASMD");
        EXPECT_EQ(slot(r).inventory.view(), "Amplifier");
    }
    EXPECT_EQ(slot(65).name.view(), ""); // the extra pass, index 64
    EXPECT_EQ(slot(65).health.view(), "66");
}

TEST_F(StatusParserTest, TextsAreCutToTheirFieldsWithoutSpilling) {
    const std::string longText(300, 'h');
    parse(reply({{"hostname", longText},
                 {"hostport", "123456789"},
                 {"gamever", "46900"},
                 {"maxteams", "12"},
                 {"balanceteams", "TrueTrueTrue"},
                 {"mapname", std::string(40, 'm')},
                 {"maptitle", std::string(40, 't')},
                 {"numplayers", "1"},
                 {"player_0", std::string(80, 'p')},
                 {"mesh_0", std::string(80, 'e')},
                 {"skin_0", std::string(80, 's')},
                 {"face_0", std::string(80, 'f')}}));
    EXPECT_EQ(server().hostname.view(), std::string(127, 'h'));
    EXPECT_EQ(server().hostport.view(), "12345");
    EXPECT_EQ(server().gamever.view(), "469");
    EXPECT_EQ(server().maxteams.view(), "1");
    EXPECT_EQ(server().balanceteams.view(), "TrueTrue");
    EXPECT_EQ(server().mapname.view(), std::string(29, 'm'));
    EXPECT_EQ(server().maptitle.view(), std::string(29, 't'));
    EXPECT_EQ(slot(1).name.view(), std::string(51, 'p'));
    EXPECT_EQ(slot(1).mesh.view(), std::string(49, 'e'));
    EXPECT_EQ(slot(1).skin.view(), std::string(49, 's'));
    EXPECT_EQ(slot(1).face.view(), std::string(49, 'f'));
}

TEST_F(StatusParserTest, KeysAreCaseSensitive) {
    parse(reply({{"HostName", "x"}, {"NumPlayers", "3"}, {"timeseconds", "12.0"}}));
    EXPECT_EQ(server().hostname.view(), "");
    EXPECT_EQ(server().numplayers, 0);
    EXPECT_EQ(server().TimeSeconds, 0);
}

TEST_F(StatusParserTest, NumbersOfTheServerDefaultToZero) {
    parse(reply({{"maxplayers", "sixteen"},
                 {"timelimit", ""},
                 {"fraglimit", " 30"},
                 {"numplayers", "2x"}}));
    EXPECT_EQ(server().maxplayers, 0);
    EXPECT_EQ(server().timelimit, 0);
    EXPECT_EQ(server().fraglimit, 30);
    EXPECT_EQ(server().numplayers, 0);
    EXPECT_TRUE(server().responded);
}

} // namespace
