// Watching a server end to end: the main window on the Qt backend (real
// timers, a real UDP socket) queries emulated servers of the lab on loopback,
// and the tests read what the user sees in the roster, the server details and
// the favourites table.

#include "EmulatedServer.h"
#include "Lab.h"
#include "ServerOptions.h"
#include "Text.h"
#include "app/QueryMain.h"
#include "support/qt/BackendTestSupport.h"
#include "qt/QtPlatform.h"
#include "query/StatusParser.h"
#include "toolkit/ImageIndex.h"

#include <QFileInfo>
#include <QHostAddress>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <fstream>
#include <memory>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using backendtest::column;
using backendtest::freeLocalPorts;
using backendtest::number;

using ::testing::AllOf;
using ::testing::AnyOf;
using ::testing::Eq;
using ::testing::Ge;
using ::testing::Le;

// Query timing written to the settings file: short, so that a test sees
// several queries in a few seconds.
struct Timing {
    int queryInterval = 1; // a query every 2 s
    int queryTimeout = 500;
    int maxTimeout = 2;

    [[nodiscard]] int periodMs() const { return (queryInterval + 1) * 1000; }
};

// A player as the emulated server lists it, the name in the server's bytes.
struct ListedPlayer {
    std::string name;
    int frags = 0;
    int ping = 0;
    int team = 0;
    bool ngStats = false;
};

// The players of a static emulated server, in the order of its reply. The
// lab's match is reproducible, so a second one built from the same options
// holds the same players.
std::vector<ListedPlayer> listedPlayers(const utlab::ServerOptions& options) {
    const utlab::ServerOptions full = utlab::completed(options);
    const utlab::Dialect dialect = utlab::dialectOf(full);
    const utlab::Match match(full);
    std::vector<ListedPlayer> listed;
    for (const utlab::PlayerState& p : match.state().roster) {
        if (p.role == utlab::Role::Bot && !dialect.listsBots) {
            continue;
        }
        std::string name = utlab::encodeText(p.name, dialect.charset);
        if (dialect.stripBackslashes) {
            name = utlab::withoutBackslashes(name);
        }
        listed.push_back({name, p.frags, p.ping, p.team, p.ngsecret == "true"});
    }
    return listed;
}

// The status query the program sends with the default player properties.
constexpr std::string_view kStatusQuery =
    "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\"
    "\\echo\\ping_1000|1";

// How many datagrams the emulated server answers the query with.
std::size_t replyDatagrams(const utlab::ServerOptions& options, std::string_view query) {
    utlab::EmulatedServer server(utlab::completed(options));
    return server.handle(query, std::chrono::milliseconds(0)).size();
}

std::string teamText(int team) {
    switch (team) {
    case 0:
        return "red";
    case 1:
        return "blue";
    default:
        return "none";
    }
}

// A roster row as the user reads it; the ngStats cell shows a tick or a cross.
using RosterRow = std::vector<std::string>;

RosterRow expectedRow(int row, const ListedPlayer& p) {
    // The roster keeps as much of a name as the player record holds.
    constexpr std::size_t kNameBytes = decltype(query::PlayerRecord::name)::kCapacity;
    return {std::to_string(row),     p.name.substr(0, kNameBytes),
            std::to_string(p.frags), std::to_string(p.ping),
            teamText(p.team),        p.ngStats ? "tick" : "cross"};
}

class WatchServerTest : public ::testing::Test {
protected:
    // Serves the servers from the lab and starts the main window with them as
    // favourites 1 to n, each favourite named "Favourite i".
    void start(std::vector<utlab::ServerOptions> servers, Timing timing = {}) {
        ASSERT_TRUE(m_folder.isValid());
        m_timing = timing;
        m_lab = std::make_unique<utlab::Lab>(std::move(servers));
        m_lab->start();
        const std::uint16_t ports = freeLocalPorts();
        ASSERT_NE(ports, 0);

        std::string ini = "[Settings]\r\nFirstRun=0\r\nDoHTTP=0\r\nAutoPingFavs=0\r\n";
        ini += "QueryInterval=" + std::to_string(timing.queryInterval) + "\r\n";
        ini += "QueryTimeout=" + std::to_string(timing.queryTimeout) + "\r\n";
        ini += "MaxTimeout=" + std::to_string(timing.maxTimeout) + "\r\n";
        ini += "Ports=" + std::to_string(ports) + "\r\n[Favorites]\r\n";
        const auto& endpoints = m_lab->endpoints();
        for (std::size_t i = 0; i < endpoints.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            ini += "FavHost[" + n + "]=Favourite " + n + "\r\n";
            ini += "FavIP[" + n + "]=127.0.0.1\r\n";
            ini += "FavPort[" + n + "]=" + std::to_string(endpoints[i].gamePort) + "\r\n";
        }
        ini += "FavCount=" + std::to_string(endpoints.size() + 1) + "\r\n";
        const std::string path = m_folder.filePath(QStringLiteral("skarvell.ini")).toStdString();
        std::ofstream(path, std::ios::binary) << ini;

        m_main = std::make_unique<app::TQueryMain>(m_platform, path);
        m_main->imgConn.changed.connect([this] {
            if (m_main->imgConn.visible()) {
                ++m_timeouts; // the indicator comes on at every timeout
            }
        });
        m_main->FormCreate();
        ASSERT_EQ(m_main->records.favouriteEnd, static_cast<int>(endpoints.size()) + 1);
    }

    // Selects the favourites row and, unless already watching, starts watching.
    void watch(int row) {
        window().favouritestable.select(1, row);
        if (!window().actQueryServer.checked()) {
            window().actQueryServer.execute();
        }
        ASSERT_TRUE(window().watch.statusQuery.qrytimer.enabled());
    }

    // Runs the event loop until the condition holds, for at most the given
    // number of query periods.
    template <typename Condition> bool waitFor(Condition condition, int periods) {
        return QTest::qWaitFor(condition, periods * m_timing.periodMs());
    }

    bool waitForReply(int periods = 4) {
        return waitFor([this] { return window().records.currentServer.responded; }, periods);
    }

    // The value of a row of the server details.
    [[nodiscard]] std::string detail(std::string_view label) {
        const tk::StringGrid& infos = window().ServerInfos;
        for (int row = 1; row < infos.rowCount(); ++row) {
            if (infos.cell(0, row) == label) {
                return infos.cell(1, row);
            }
        }
        return "(no row \"" + std::string(label) + "\")";
    }

    [[nodiscard]] RosterRow rosterRow(int row) {
        const tk::StringGrid& rooster = window().Rooster;
        const int ngStats = column(rooster, "ngStats");
        const int image = rooster.cellImage(ngStats, row);
        return {rooster.cell(column(rooster, "No."), row),
                rooster.cell(column(rooster, "Player"), row),
                rooster.cell(column(rooster, "Frags"), row),
                rooster.cell(column(rooster, "Ping"), row),
                rooster.cell(column(rooster, "Team"), row),
                image == tk::images::kTick    ? "tick"
                : image == tk::images::kCross ? "cross"
                                              : "image " + std::to_string(image)};
    }

    // The roster shows the first players of the list, as many as fit.
    void expectRoster(const std::vector<ListedPlayer>& listed) {
        const auto shown = std::min<std::size_t>(listed.size(), query::kMaxStoredPlayers);
        ASSERT_EQ(window().Rooster.rowCount(), static_cast<int>(shown) + 1);
        for (std::size_t i = 0; i < shown; ++i) {
            const int row = static_cast<int>(i) + 1;
            EXPECT_EQ(rosterRow(row), expectedRow(row, listed[i])) << "roster row " << row;
        }
    }

    [[nodiscard]] std::vector<std::string> favouriteRow(int row) {
        std::vector<std::string> cells;
        for (int c = 0; c < window().favouritestable.colCount(); ++c) {
            cells.push_back(window().favouritestable.cell(c, row));
        }
        return cells;
    }

    [[nodiscard]] app::TQueryMain& window() { return *m_main; }
    [[nodiscard]] utlab::Lab& lab() { return *m_lab; }
    [[nodiscard]] const Timing& timing() const { return m_timing; }
    [[nodiscard]] int timeouts() const { return m_timeouts; }
    void resetTimeouts() { m_timeouts = 0; }

private:
    QTemporaryDir m_folder;
    gui::QtPlatform m_platform{QStringLiteral("Skarvell")};
    Timing m_timing;
    int m_timeouts = 0;
    std::unique_ptr<utlab::Lab> m_lab;
    std::unique_ptr<app::TQueryMain> m_main;
};

TEST_F(WatchServerTest, ShowsThePlayersAndSettingsOfA469CtfServer) {
    utlab::ServerOptions ctf;
    ctf.name = "Skarvell Lab CTF";
    ctf.version = 469;
    ctf.gameType = "CTFGame";
    ctf.players = 16;
    ASSERT_NO_FATAL_FAILURE(start({ctf}));
    ASSERT_NO_FATAL_FAILURE(watch(1));

    ASSERT_TRUE(waitForReply()) << "no complete reply within four query periods";
    expectRoster(listedPlayers(ctf));
    EXPECT_EQ(detail("Server"), ctf.name);
    EXPECT_EQ(detail("Address"), "127.0.0.1:" + std::to_string(lab().endpoints()[0].gamePort));
    EXPECT_EQ(detail("Game Version"), "469");
    EXPECT_EQ(detail("GameType"), "Capture The Flag");
    EXPECT_EQ(detail("Map"), "Facing Worlds  ->  ctf-face.unr (You don't have this map!)");
    EXPECT_EQ(detail("Max Players"), "16");
    EXPECT_EQ(detail("Players"), "16");
    EXPECT_EQ(detail("Goal Team Score"), "3");
    EXPECT_EQ(detail("Time limit"), "20");

    // The echo comes back as echo_replay; on loopback the ping is about the
    // -20 the calculation subtracts.
    const std::int32_t ping = window().records.currentServer.ping;
    EXPECT_GE(ping, 0);
    EXPECT_LT(ping, 1000);
    EXPECT_EQ(favouriteRow(1),
              (std::vector<std::string>{"", ctf.name, "Capture The Flag", "Facing Worlds", "16/16",
                                        std::to_string(ping)}));
    EXPECT_EQ(timeouts(), 0);
}

// Ten and more datagrams complete through their numbers, not their last
// digit; an old server that puts the final marker before the queryid is read
// as well. The user switches from one to the other while watching.
TEST_F(WatchServerTest, ShowsALongRosterThenSwitchesToAnOldServer) {
    utlab::ServerOptions crowded;
    crowded.name = "Skarvell Lab Crowded";
    crowded.version = 469;
    crowded.players = 32;
    crowded.longNames = true;
    utlab::ServerOptions old;
    old.name = "Skarvell Lab 436";
    old.version = 436;
    old.oldOrder = true;
    old.players = 6;
    ASSERT_NO_FATAL_FAILURE(start({crowded, old}));
    ASSERT_GE(replyDatagrams(crowded, kStatusQuery), 10u)
        << "the crowded server should answer with ten or more datagrams";

    ASSERT_NO_FATAL_FAILURE(watch(1));
    ASSERT_TRUE(waitForReply()) << "the reply of many datagrams never completed";
    expectRoster(listedPlayers(crowded));
    EXPECT_EQ(detail("Server"), crowded.name);
    EXPECT_EQ(detail("Players"), "32");
    EXPECT_EQ(detail("Max Players"), "32");

    ASSERT_NO_FATAL_FAILURE(watch(2)); // the timer goes on; the next query goes to the other server
    ASSERT_FALSE(window().records.currentServer.responded);
    EXPECT_EQ(window().Rooster.rowCount(), 2);
    EXPECT_EQ(detail("Server"), "Favourite 2");
    const std::string address = "127.0.0.1:" + std::to_string(lab().endpoints()[1].gamePort);
    EXPECT_EQ(detail("Address"), address);

    ASSERT_TRUE(waitForReply()) << "no complete reply from the 436 server";
    expectRoster(listedPlayers(old));
    EXPECT_EQ(detail("Server"), old.name);
    EXPECT_EQ(detail("Address"), address);
    EXPECT_EQ(detail("Game Version"), "436");
    EXPECT_EQ(detail("GameType"), "Deathmatch");
    EXPECT_EQ(detail("Frag limit"), "30");
    const std::int32_t ping = window().records.currentServer.ping; // from a plain echo
    EXPECT_GE(ping, 0);
    EXPECT_LT(ping, 1000);
    EXPECT_EQ(favouriteRow(2)[1], old.name);
    EXPECT_EQ(favouriteRow(2)[2], "Deathmatch");
    EXPECT_EQ(favouriteRow(1)[1], crowded.name);
}

// A fifth of the datagrams lost and a fifth held back: many replies never
// complete, but those that do refresh the displays, and what is shown is
// always one whole reply.
TEST_F(WatchServerTest, KeepsRefreshingThroughLossAndReordering) {
    utlab::ServerOptions lossy;
    lossy.name = "Skarvell Lab Lossy";
    lossy.version = 451;
    lossy.gameType = "CTFGame";
    lossy.players = 14;
    lossy.live = true; // the level time moves: every complete reply shows a new one
    lossy.loss = 0.2;
    lossy.reorder = 0.2;
    lossy.seed = 20260501;
    Timing patient;
    patient.maxTimeout = 50; // runs of lost replies must not end the watch here
    ASSERT_NO_FATAL_FAILURE(start({lossy}, patient));
    utlab::ServerOptions lossless = lossy;
    lossless.loss = 0;
    ASSERT_GE(replyDatagrams(lossless, kStatusQuery), 3u);
    ASSERT_NO_FATAL_FAILURE(watch(1));

    constexpr int kRefreshes = 3;
    int refreshes = 0;
    std::int32_t shownTime = -1;
    const auto checkShown = [&] {
        const query::ServerEntry& server = window().records.currentServer;
        const tk::StringGrid& rooster = window().Rooster;
        EXPECT_EQ(detail("Server"), lossy.name);
        EXPECT_EQ(detail("GameType"), "Capture The Flag");
        EXPECT_EQ(detail("Players"), std::to_string(server.numplayers));
        EXPECT_EQ(rooster.rowCount(), server.numplayers + 1);
        std::set<std::string> names;
        for (int row = 1; row < rooster.rowCount(); ++row) {
            const RosterRow shown = rosterRow(row);
            EXPECT_EQ(shown[0], std::to_string(row));
            EXPECT_FALSE(shown[1].empty()) << "row " << row;
            EXPECT_TRUE(names.insert(shown[1]).second) << "twice: " << shown[1];
            EXPECT_THAT(number(shown[3]), AllOf(Ge(5), Le(400))) << "row " << row;
            EXPECT_THAT(shown[4], AnyOf(Eq("red"), Eq("blue"))) << "row " << row;
        }
    };
    const bool refreshed = waitFor(
        [&] {
            const query::ServerEntry& server = window().records.currentServer;
            if (server.responded && server.TimeSeconds != shownTime) {
                shownTime = server.TimeSeconds;
                ++refreshes;
                checkShown();
            }
            return refreshes >= kRefreshes;
        },
        20);
    EXPECT_TRUE(refreshed) << refreshes << " complete replies in 20 query periods, " << timeouts()
                           << " timeouts";
    EXPECT_GT(timeouts(), 0) << "the seed should have cost some replies";
    EXPECT_TRUE(window().watch.statusQuery.qrytimer.enabled());
}

// Replies as the field delivers them: always in reverse order, larger than
// 16,000 bytes with 32 players, spectators and every player property, with a
// player named like a protocol key, from a server behind port forwarding.
TEST_F(WatchServerTest, EveryReplyOfABigReversedServerCompletes) {
    utlab::ServerOptions big;
    big.name = "Skarvell Lab Big";
    big.version = 469;
    big.gameType = "CTFGame";
    big.players = 32;
    big.maxPlayers = 32;
    big.spectators = 32;
    big.longNames = true;
    big.order = utlab::DatagramOrder::Reverse;
    ASSERT_NO_FATAL_FAILURE(start({big}));
    window().settings.Spree = window().settings.Weapon = window().settings.Inventory = true;
    window().ApplySettings();
    ASSERT_NO_FATAL_FAILURE(watch(1));

    int replies = 0;
    std::int32_t lastPing = -1;
    window().watch.statusQuery.onUpdateWar = [&] {
        ++replies;
        lastPing = window().records.currentServer.ping;
    };
    ASSERT_TRUE(waitFor([&] { return replies >= 2; }, 6)) << replies << " replies";
    EXPECT_EQ(timeouts(), 0);
    EXPECT_GT(window().watch.statusQuery.replyText().size(), 16000U);
    EXPECT_EQ(detail("Players"), "32");
    // One row per player the server counts; its spectators are not players.
    EXPECT_EQ(window().Rooster.rowCount(), 33);
    EXPECT_EQ(column(window().Rooster, "Specials"), 9);
    EXPECT_GE(lastPing, 0);
}

TEST_F(WatchServerTest, APlayerNamedEchoOnA451ServerStaysInItsOwnRow) {
    utlab::ServerOptions echo;
    echo.name = "Skarvell Lab Echo";
    echo.version = 451;
    echo.players = 3;
    echo.playerNames = {"echo", "echo_replay", "1"};
    utlab::ServerOptions other;
    other.name = "Skarvell Lab Other";
    ASSERT_NO_FATAL_FAILURE(start({other, echo}));
    ASSERT_NO_FATAL_FAILURE(watch(2));
    ASSERT_TRUE(waitForReply());
    EXPECT_EQ(favouriteRow(2)[1], echo.name);
    EXPECT_EQ(favouriteRow(1)[1], "Favourite 1");
    EXPECT_EQ(rosterRow(1)[1], "echo");
    EXPECT_EQ(window().records.currentServer.echoSlot, 2);
}

TEST_F(WatchServerTest, AServerBehindPortForwardingIsWatchedOnTheUsersPort) {
    utlab::ServerOptions forwarded;
    forwarded.name = "Skarvell Lab Forwarded";
    forwarded.hostPort = 7777; // its inner port; it is reached on another one
    ASSERT_NO_FATAL_FAILURE(start({forwarded}));
    const std::string address = "127.0.0.1:" + std::to_string(lab().endpoints()[0].gamePort);
    ASSERT_NO_FATAL_FAILURE(watch(1));
    int replies = 0;
    window().watch.statusQuery.onUpdateWar = [&] { ++replies; };
    ASSERT_TRUE(waitFor([&] { return replies >= 3; }, 8)) << replies << " replies";
    EXPECT_EQ(timeouts(), 0);
    EXPECT_EQ(detail("Address"), address);
    EXPECT_EQ(window().records.favourites[1].hostport.view(),
              std::to_string(lab().endpoints()[0].gamePort));
}

TEST_F(WatchServerTest, AForgedReplyFromAnotherPortIsNotShown) {
    utlab::ServerOptions real;
    real.name = "Skarvell Lab Real";
    real.silent = true;
    ASSERT_NO_FATAL_FAILURE(start({real}));
    ASSERT_NO_FATAL_FAILURE(watch(1));
    const quint16 watchPort = window().watch.statusQuery.udpsock.localPort();
    ASSERT_TRUE(waitFor([this] { return window().watch.statusQuery.timeout.enabled(); }, 2));
    QUdpSocket forger;
    const QByteArray forged = QByteArrayLiteral(
        "\\hostname\\Forged\\numplayers\\0\\queryid\\1.1\\final\\");
    for (int i = 0; i < 3; ++i) {
        forger.writeDatagram(forged, QHostAddress::LocalHost, watchPort);
        QTest::qWait(50);
    }
    EXPECT_FALSE(window().records.currentServer.responded);
    EXPECT_NE(detail("Server"), "Forged");
}

// A war recorded against a live team match of the lab: the figures follow
// the replies, and both graphs are saved as GIF files, also after the war.
TEST_F(WatchServerTest, RecordsAWarOnALiveMatchAndSavesItsGraphs) {
    utlab::ServerOptions match;
    match.name = "Skarvell Lab War";
    match.version = 469;
    match.gameType = "CTFGame";
    match.players = 12;
    match.live = true;
    match.seed = 77;
    Timing fast;
    fast.queryInterval = 0; // a query every second
    ASSERT_NO_FATAL_FAILURE(start({match}, fast));
    QTemporaryDir web;
    ASSERT_TRUE(web.isValid());
    window().settings.SaveTo = web.path().toStdString();
    ASSERT_NO_FATAL_FAILURE(watch(1));
    ASSERT_TRUE(waitForReply());

    window().actWarRecord.execute();
    ASSERT_TRUE(window().records.warRecording);
    int updates = 0;
    window().watch.statusQuery.onUpdateWar = [&, previous = window().watch.statusQuery.onUpdateWar] {
        previous();
        ++updates;
    };
    ASSERT_TRUE(waitFor([&] { return updates >= 4; }, 10)) << updates << " updates";
    const war::WarRecord& record = window().warRecorder.warRecord;
    EXPECT_TRUE(record.active);
    EXPECT_EQ(record.redCount + record.blueCount, window().records.currentServer.numplayers);
    EXPECT_EQ(window().lblwar_rplayer.caption(), std::to_string(record.redCount));
    EXPECT_EQ(window().lblwar_bplayer.caption(), std::to_string(record.blueCount));
    EXPECT_EQ(window().lblwar_TimeCaption.caption(), "remaining");

    window().actWarRecord.execute(); // stop: the result stays and is saved once more
    EXPECT_FALSE(window().records.warRecording);
    EXPECT_TRUE(record.finished);
    window().actGraphsSave.execute();
    for (const char* name : {"warstats.gif", "playerstats.gif"}) {
        const QFileInfo file(web.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.exists()) << name;
        EXPECT_GT(file.size(), 100) << name;
        EXPECT_TRUE(file.permissions().testFlag(QFileDevice::ReadOther)) << name;
    }
}

// Watching stops after MaxTimeout + 1 timeouts in a row, and the favourite
// reads as not responding: for a server that never answered and for one that
// answered and then went down.
struct GiveUpCase {
    const char* what;
    bool answersFirst;
};

void PrintTo(const GiveUpCase& c, std::ostream* out) {
    *out << c.what;
}

class GiveUpTest : public WatchServerTest, public ::testing::WithParamInterface<GiveUpCase> {};

TEST_P(GiveUpTest, StopsWatchingAfterTooManyTimeouts) {
    utlab::ServerOptions server;
    server.name = "Skarvell Lab Gone";
    server.gameType = "CTFGame";
    server.players = 4;
    server.silent = !GetParam().answersFirst;
    ASSERT_NO_FATAL_FAILURE(start({server}));
    ASSERT_NO_FATAL_FAILURE(watch(1));
    if (GetParam().answersFirst) {
        ASSERT_TRUE(waitForReply());
        ASSERT_EQ(favouriteRow(1)[2], "Capture The Flag");
        lab().stop(); // nothing answers on its port any more
        resetTimeouts();
    }

    const int expected = timing().maxTimeout + 1;
    ASSERT_TRUE(waitFor([this] { return !window().watch.statusQuery.qrytimer.enabled(); }, 2 * expected + 2))
        << "still watching after " << timeouts() << " timeouts";
    EXPECT_EQ(timeouts(), expected);
    EXPECT_FALSE(window().actQueryServer.checked());
    EXPECT_FALSE(window().watch.statusQuery.timeout.enabled());
    const std::vector<std::string> row = favouriteRow(1);
    EXPECT_EQ(row[2], "No response");
    EXPECT_EQ(row[5], "9999");
    EXPECT_EQ(row[1], GetParam().answersFirst ? server.name : "Favourite 1");
}

INSTANTIATE_TEST_SUITE_P(Servers, GiveUpTest,
                         ::testing::Values(GiveUpCase{"NeverAnswering", false},
                                           GiveUpCase{"GoingDown", true}),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
