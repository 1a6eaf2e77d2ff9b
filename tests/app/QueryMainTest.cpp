#include "app/QueryMain.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kRegistryKey =
    "\\SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament";

// A main window on the fake platform whose settings file lives in a fresh
// folder; the file may be prepared before start().
struct MainWindow {
    fake::TempFolder folder;
    fake::FakePlatform platform;
    std::unique_ptr<app::TQueryMain> main;

    void prepare(const std::string& ini) { fake::writeFile(folder.file("skarvell.ini"), ini); }
    app::TQueryMain& start() {
        main = std::make_unique<app::TQueryMain>(platform, folder.file("skarvell.ini").string());
        main->FormCreate();
        return *main;
    }
    [[nodiscard]] std::string ini() const {
        return fake::readFile(folder.file("skarvell.ini").string());
    }
};

std::vector<std::string> headers(const tk::StringGrid& g) {
    std::vector<std::string> h;
    for (int c = 0; c < g.colCount(); ++c) {
        h.push_back(g.cell(c, 0));
    }
    return h;
}

TEST(QueryMain, FirstStartAndCloseInAnEmptyFolderWritesEverySetting) {
    MainWindow w;
    auto& m = w.start();
    EXPECT_TRUE(w.platform.messages.empty());
    EXPECT_TRUE(m.FormCloseQuery());
    EXPECT_TRUE(w.platform.confirmations.empty());

    const std::string ini = w.ini();
    const char* inOrder[] = {
        "[Settings]\r\n",     "FirstRun=1\r\n", "QueryInterval=2\r\n", "HostAutoUpdate=1\r\n",
        "[Web-Server]\r\n",   "[Colors]\r\n",   "[IRC]\r\n",           "port=6667\r\n",
        "[TablePlayers]\r\n", "[TableAll]\r\n", "[TableFav]\r\n"};
    std::size_t at = 0;
    for (const char* text : inOrder) {
        SCOPED_TRACE(text);
        const auto found = ini.find(text, at);
        ASSERT_NE(found, std::string::npos);
        at = found;
    }
    EXPECT_NE(ini.find("[TablePlayers]\r\nCol0=26\r\nCol1=169\r\n"), std::string::npos);
    EXPECT_NE(ini.find("Col5=65\r\n"), std::string::npos);
}

TEST(QueryMain, AKnownFileComesBackWithItsOwnSectionsIntact) {
    MainWindow w;
    w.prepare("[IRC]\r\nport=7000\r\n[Settings]\r\nQueryTimeout=0x10\r\n"
              "[Favorites]\r\nFavHost[1]=Home\r\nFavIP[1]=127.0.0.1\r\nFavPort[1]=7777\r\n"
              "FavCount=2\r\n[Unknown]\r\nkeep = me \r\nkeep = me too\r\n");
    auto& m = w.start();
    EXPECT_EQ(m.settings.Port, 7000);
    EXPECT_EQ(m.settings.QueryTimeout, 16);
    EXPECT_EQ(m.favouritestable.cell(1, 1), "Home");
    EXPECT_EQ(m.favouritestable.cell(2, 1), "No response");
    EXPECT_EQ(m.records.favouriteEnd, 2);
    m.FormCloseQuery();

    const std::string ini = w.ini();
    EXPECT_NE(ini.find("QueryTimeout=16\r\n"), std::string::npos);
    EXPECT_NE(ini.find("[Favorites]\r\nFavHost[1]=Home\r\nFavIP[1]=127.0.0.1\r\nFavPort[1]=7777"
                       "\r\nFavCount=2\r\n"),
              std::string::npos);
    EXPECT_NE(ini.find("[Unknown]\r\nkeep = me \r\nkeep = me too\r\n"), std::string::npos);
    const auto first = ini.find("ort=7000");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(ini.find("ort=", first + 1), std::string::npos) << ini;
}

TEST(QueryMain, TheFirstFavouriteIsTheWatchedServerFromTheStart) {
    MainWindow w;
    w.prepare("[Favorites]\r\nFavHost[1]=Home\r\nFavIP[1]=192.0.2.4\r\nFavPort[1]=7777\r\n"
              "FavCount=2\r\n");
    auto& m = w.start();
    EXPECT_EQ(m.records.watchSlot, 1);
    EXPECT_EQ(m.records.currentServer.address.view(), "192.0.2.4");
    EXPECT_EQ(m.ServerInfos.cell(1, 2), "192.0.2.4:7777");
    EXPECT_EQ(m.favouritestable.selectedRow(), 1);
}

TEST(QueryMain, AnUnreadableSettingsFileIsReportedAndStartUpGoesOn) {
    MainWindow w;
    w.folder.addFolder("skarvell.ini");
    auto& m = w.start();
    EXPECT_EQ(w.platform.messages, std::vector<std::string>{"Error while reading INI-File!!!"});
    EXPECT_EQ(m.settings.QueryInterval, 2);
    EXPECT_EQ(m.progtimer.max(), 2);
}

TEST(QueryMain, ClosingAsksAboutChangedFavouritesOnly) {
    struct Case {
        bool changed;
        std::deque<bool> answers;
        std::size_t questions;
        bool saved;
    };
    const Case cases[] = {
        {false, {}, 0, false}, {true, {false}, 1, false}, {true, {true}, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.questions + (c.saved ? 10 : 0));
        MainWindow w;
        auto& m = w.start();
        m.records.favourites[1].hostname = "Added";
        m.records.favourites[1].address = "192.0.2.1";
        m.records.favourites[1].hostport = "7777";
        m.records.favouriteEnd = 2;
        m.favouriteServers.favouritesChanged = c.changed;
        w.platform.confirmAnswers = c.answers;
        EXPECT_TRUE(m.FormCloseQuery());
        ASSERT_EQ(w.platform.confirmations.size(), c.questions);
        if (c.questions > 0) {
            EXPECT_EQ(w.platform.confirmations[0], "The favorites list changed. Save now?");
        }
        const std::string ini = w.ini();
        EXPECT_EQ(ini.find("FavHost[1]=Added") != std::string::npos, c.saved);
        // Settings and column widths are written whatever the answer.
        EXPECT_NE(ini.find("FirstRun=1"), std::string::npos);
        EXPECT_NE(ini.find("[TableFav]"), std::string::npos);
    }
}

TEST(QueryMain, RosterColumnsFollowThePlayerProperties) {
    MainWindow w;
    w.prepare("[Settings]\r\nHealth=1\r\nWeapon=1\r\nSpree=0\r\nInventory=0\r\n");
    auto& m = w.start();
    EXPECT_EQ(headers(m.Rooster), (std::vector<std::string>{"No.", "Player", "Frags", "Health",
                                                            "Ping", "Team", "ngStats", "Weapon"}));
    m.settings.Health = false;
    m.settings.Weapon = false;
    m.settings.Spree = true;
    m.settings.Inventory = true;
    m.ApplySettings();
    EXPECT_EQ(headers(m.Rooster),
              (std::vector<std::string>{"No.", "Player", "Frags", "Ping", "Team", "ngStats",
                                        "Spree", "Specials"}));
}

TEST(QueryMain, ApplySettingsPutsTheBlockIntoEffect) {
    MainWindow w;
    w.prepare(
        "[Settings]\r\nDoHTTP=0\r\nPorts=1000\r\nPingInterval=35\r\nQueryInterval=4\r\n"
        "[Web-Server]\r\nSaveStatsInterval=90\r\n[Colors]\r\nPlayer3=255\r\nPlayer20=255\r\n");
    auto& m = w.start();
    EXPECT_FALSE(m.NewsPage.tabVisible());
    EXPECT_TRUE(m.wwwviewUrl.caption().empty());
    EXPECT_TRUE(m.FavsPage.tabVisible());
    EXPECT_FALSE(m.FavouritesPage.tabVisible());
    EXPECT_EQ(m.favouriteServers.udpfavping.localPort(), 1000);
    EXPECT_EQ(m.watch.statusQuery.udpsock.localPort(), 1001);
    EXPECT_EQ(m.serverList.udpping.localPort(), 1002);
    EXPECT_EQ(m.serverList.pingtimer.interval(), 35);
    EXPECT_EQ(m.progtimer.max(), 4);
    EXPECT_EQ(m.warRecorder.timerStatsSave.interval(), 90000);
    EXPECT_FALSE(m.warRecorder.timerStatsSave.enabled());
    EXPECT_FALSE(m.favouriteServers.favouriteTimer.enabled());
    // The palette replaces slots 0 to 15 only.
    EXPECT_EQ(m.settings.Player[3], 0x00FFFF);
    EXPECT_EQ(m.settings.Player[15], w.platform.systemColor(tk::SystemColor::InfoBackground));
    EXPECT_EQ(m.settings.Player[20], 255);
}

TEST(QueryMain, TheNewsPageShowsOnlyWithDoHTTP) {
    MainWindow w;
    auto& m = w.start();
    EXPECT_TRUE(m.NewsPage.tabVisible());
    EXPECT_EQ(m.wwwviewUrl.caption(), app::kNewsPage);
}

TEST(QueryMain, TheGameFolderComesFromTheRegistryWhileFirstRunIsOn) {
    struct Case {
        const char* ini;
        bool keyExists;
        const char* utDir;
    };
    const Case cases[] = {
        {"[Settings]\r\nFirstRun=1\r\nUTDir=C:\\Old\r\n", true, "C:\\Games\\UT"},
        {"[Settings]\r\nFirstRun=1\r\nUTDir=C:\\Old\r\n", false, "C:\\Old"},
        {"[Settings]\r\nFirstRun=0\r\nUTDir=C:\\Old\r\n", true, "C:\\Old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        MainWindow w;
        if (c.keyExists) {
            w.platform.registryKeys.insert(kRegistryKey);
            w.platform.registry[std::string(kRegistryKey) + "|Folder"] = "C:\\Games\\UT";
        }
        w.prepare(c.ini);
        EXPECT_EQ(w.start().settings.UTDir.view(), c.utDir);
    }
}

TEST(QueryMain, CommandsWithoutAHandlerShowDisabled) {
    MainWindow w;
    auto& m = w.start();
    for (tk::Action* action : m.actions()) {
        SCOPED_TRACE(action->caption());
        EXPECT_EQ(action->enabled(), static_cast<bool>(action->onExecute));
    }
    EXPECT_TRUE(m.actQueryServer.enabled());
    EXPECT_TRUE(m.actQuit.enabled());
}

TEST(QueryMain, ShowHideTwiceReturnsToTheFirstState) {
    MainWindow w;
    auto& m = w.start();
    m.actShowHide.execute();
    EXPECT_EQ(m.form.windowState(), tk::Form::WindowState::Minimized);
    EXPECT_EQ(m.actShowHide.caption(), "Show Skarvell");
    m.actShowHide.execute();
    EXPECT_EQ(m.form.windowState(), tk::Form::WindowState::Normal);
    EXPECT_EQ(m.actShowHide.caption(), "Hide Skarvell");
}

TEST(QueryMain, StatusPanelFourShowsWatchingOrRecording) {
    MainWindow w;
    auto& m = w.start();
    fake::RecordingCanvas canvas;
    m.StatusBar.onDrawPanel(canvas, 4, tk::Rect{300, 2, 400, 20});
    m.records.warRecording = true;
    m.StatusBar.onDrawPanel(canvas, 4, tk::Rect{300, 2, 400, 20});
    m.StatusBar.onDrawPanel(canvas, 3, tk::Rect{200, 2, 300, 20});
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(canvas.texts[0].text, "Watching");
    EXPECT_EQ(canvas.texts[0].x, 325);
    EXPECT_EQ(canvas.texts[0].y, 5);
    EXPECT_EQ(canvas.texts[1].text, "Recording");
    ASSERT_EQ(canvas.images.size(), 2u);
    EXPECT_EQ(canvas.images[0].index, tk::images::kWatching);
    EXPECT_EQ(canvas.images[1].index, tk::images::kRecording);
    EXPECT_EQ(canvas.images[1].x, 305);
}

TEST(QueryMain, ConnectionLossIsReportedComingBackIsNot) {
    MainWindow w;
    auto& m = w.start();
    m.INetDetector1.report(false);
    m.INetDetector1.report(true);
    EXPECT_EQ(w.platform.messages,
              std::vector<std::string>{
                  "Attention: Could not detect an internet connection on this machine"});
}

TEST(QueryMain, AReplyTravelsThroughTheMainWindowsOwnWiring) {
    MainWindow w;
    w.prepare("[Settings]\r\nPorts=40000\r\n[Favorites]\r\nFavHost[1]=Home\r\n"
              "FavIP[1]=192.0.2.4\r\nFavPort[1]=7777\r\nFavCount=2\r\n");
    auto& m = w.start();
    m.actQueryServer.execute();
    w.platform.clock.advance(3000);
    const auto sent = w.platform.sentFrom(40001);
    ASSERT_EQ(sent.size(), 1U);
    EXPECT_EQ(sent[0].host, "192.0.2.4");
    EXPECT_EQ(sent[0].port, 7778);
    EXPECT_TRUE(w.platform.clock.armed(&m.watch.statusQuery.timeout));

    m.watch.statusQuery.udpsock.deliver(
        "\\hostname\\Live Server\\hostport\\7777\\numplayers\\1\\maxplayers\\8"
        "\\player_0\\Zed\\frags_0\\4\\queryid\\3.1\\final\\",
        "192.0.2.4", 7778);
    EXPECT_EQ(m.Rooster.cell(1, 1), "Zed");
    EXPECT_EQ(m.ServerInfos.cell(1, 1), "Live Server");
    EXPECT_EQ(m.favouritestable.cell(1, 1), "Live Server");
    EXPECT_FALSE(w.platform.clock.armed(&m.watch.statusQuery.timeout));
    // Silence from here on: the timeouts run through the same wiring.
    w.platform.clock.advance(60000);
    EXPECT_FALSE(m.actQueryServer.checked());
    EXPECT_EQ(m.favouritestable.cell(2, 1), "No response");
}

TEST(QueryMain, AWarIsRecordedThroughTheMainWindowsOwnWiring) {
    MainWindow w;
    w.prepare("[Settings]\r\nPorts=40000\r\n[Favorites]\r\nFavHost[1]=Home\r\n"
              "FavIP[1]=192.0.2.4\r\nFavPort[1]=7777\r\nFavCount=2\r\n");
    auto& m = w.start();
    EXPECT_EQ(m.lblwar_TimeCaption.caption(), "Map time");
    EXPECT_TRUE(m.actWarRecord.enabled());
    m.txtTeamA.setText("Alpha");
    m.txtTeamB.setText("Beta");
    m.actWarRecord.execute(); // starts watching, too
    EXPECT_TRUE(m.actWarRecord.checked());
    EXPECT_TRUE(m.actQueryServer.checked());
    EXPECT_EQ(m.StatusBar.panel(4).text, "Recording");
    w.platform.clock.advance(3000);
    ASSERT_EQ(w.platform.sentFrom(40001).size(), 1U);

    m.watch.statusQuery.udpsock.deliver(
        "\\hostname\\Live Server\\hostport\\7777\\numplayers\\2\\maxplayers\\8"
        "\\timelimit\\20\\fraglimit\\30\\TimeSeconds\\1185.5"
        "\\player_0\\Zed\\frags_0\\10\\ping_0\\50\\team_0\\0"
        "\\player_1\\Kay\\frags_1\\4\\ping_1\\70\\team_1\\1\\queryid\\3.1\\final\\",
        "192.0.2.4", 7778);
    const std::vector<std::string> page = {
        m.lblwar_rplayer.caption(),   m.lblwar_bplayer.caption(),   m.lblwar_rfrags.caption(),
        m.lblwar_bfrags.caption(),    m.lblwar_rinterpol.caption(), m.lblwar_binterpol.caption(),
        m.lblwar_rspread.caption(),   m.lblwar_bspread.caption(),   m.lblwar_ravgfrags.caption(),
        m.lblwar_bavgfrags.caption(), m.lblwar_ravgping.caption(),  m.lblwar_bavgping.caption()};
    EXPECT_EQ(page, (std::vector<std::string>{"1", "1", "10", "4", "10", "4", "20", "26", "10", "4",
                                              "50", "70"}));
    EXPECT_EQ(m.lblwar_Time.caption(), "00:15");
    EXPECT_EQ(m.lblwar_Time.fontColor(), tk::rgb(255, 0, 0));
    EXPECT_EQ(m.lblwar_TimeCaption.caption(), "remaining");
    const war::WarRecord& record = m.warRecorder.warRecord;
    EXPECT_TRUE(record.active);
    EXPECT_EQ(record.teamAName.view(), "Alpha");
    EXPECT_EQ(record.histories[1].name.view(), "Kay");

    m.actWarRecord.execute();
    EXPECT_EQ(m.StatusBar.panel(4).text, "Watching");
    EXPECT_TRUE(record.finished);
    EXPECT_TRUE(m.actQueryServer.checked());
}

TEST(QueryMain, TheGraphsArePaintedAndExportedThroughTheMainWindowsWiring) {
    MainWindow w;
    auto& m = w.start();
    fake::RecordingCanvas canvas;
    ASSERT_TRUE(m.imgStats.onPaint);
    ASSERT_TRUE(m.imgPlayerStats.onPaint);
    m.imgStats.onPaint(canvas, 400, 300);
    EXPECT_FALSE(canvas.segments.empty()) << "the war graph draws at least its frame";

    EXPECT_TRUE(m.actGraphsSave.enabled());
    m.actGraphsSave.execute(); // no folder chosen: nothing is written anywhere
    ASSERT_EQ(w.platform.messages.size(), 1U);
    EXPECT_NE(w.platform.messages[0].find("Preferences"), std::string::npos);

    w.folder.addFolder("web");
    m.settings.SaveTo = w.folder.file("web").string();
    m.actGraphsSave.execute();
    EXPECT_EQ(w.platform.messages.size(), 1U);
    EXPECT_TRUE(std::filesystem::exists(w.folder.file("web/warstats.gif")));
    EXPECT_TRUE(std::filesystem::exists(w.folder.file("web/playerstats.gif")));
}

TEST(QueryMain, RosterColumnWidthsMoveWithTheirColumns) {
    MainWindow w;
    w.prepare("[Settings]\r\nHealth=0\r\n");
    auto& m = w.start();
    ASSERT_EQ(headers(m.Rooster)[3], "Ping");
    m.Rooster.setColWidth(3, 90); // the user widens Ping
    m.settings.Health = true;
    m.ApplySettings();
    ASSERT_EQ(headers(m.Rooster)[3], "Health");
    EXPECT_EQ(m.Rooster.colWidth(4), 90);
    EXPECT_EQ(m.Rooster.colWidth(3), 43);
}

TEST(QueryMain, TheCloseWritesSettingsWidthsAndFavouritesInOneGo) {
    MainWindow w;
    w.prepare("[Settings]\r\nQueryInterval=5\r\n");
    auto& m = w.start();
    // The file is read at start only: what happens to it later is not read.
    w.prepare("[Settings]\r\nQueryInterval=9\r\n[Other]\r\nkey=1\r\n");
    m.records.favourites[1].hostname = "Added";
    m.records.favourites[1].address = "192.0.2.1";
    m.records.favourites[1].hostport = "7777";
    m.records.favouriteEnd = 2;
    m.favouriteServers.favouritesChanged = true;
    w.platform.confirmAnswers = {true};
    EXPECT_TRUE(m.FormCloseQuery());
    const std::string ini = w.ini();
    EXPECT_NE(ini.find("QueryInterval=5\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("[Other]"), std::string::npos);
    EXPECT_NE(ini.find("FavHost[1]=Added"), std::string::npos);
    EXPECT_NE(ini.find("[TablePlayers]"), std::string::npos);
    EXPECT_FALSE(m.favouriteServers.favouritesChanged);
    EXPECT_TRUE(w.platform.messages.empty());
}

#if __has_include(<sys/stat.h>)
TEST(QueryMain, AReadOnlySettingsFileIsReportedAtCloseAndKeptWhole) {
    MainWindow w;
    const std::string before = "[Settings]\r\nQueryInterval=5\r\n[Favorites]\r\nFavCount=1\r\n";
    w.prepare(before);
    namespace fs = std::filesystem;
    fs::permissions(w.folder.file("skarvell.ini"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    auto& m = w.start();
    m.settings.QueryInterval = 7;
    m.favouriteServers.favouritesChanged = true;
    w.platform.confirmAnswers = {true};
    EXPECT_TRUE(m.FormCloseQuery());
    EXPECT_EQ(w.ini(), before);
    EXPECT_EQ(w.platform.messages, std::vector<std::string>{"Error while writing INI-File!!!"});
    // Not saved, so still changed.
    EXPECT_TRUE(m.favouriteServers.favouritesChanged);
}
#endif

TEST(QueryMain, AServerListBesideTheSettingsIsPingedAndListedThroughTheMainWindowsWiring) {
    MainWindow w;
    w.prepare("[Settings]\r\nPorts=40000\r\nLoadListOnStartup=1\r\n");
    fake::writeFile(w.folder.file("master.dat"),
                    "\\ip\\192.0.2.20:7778\\ip\\192.0.2.21:7800\\final\\");
    auto& m = w.start();
    EXPECT_EQ(m.serverList.master->masterFile(), w.folder.file("master.dat"));
    EXPECT_TRUE(m.actStopMaster.enabled());
    EXPECT_TRUE(m.actOpenServers.enabled());
    EXPECT_TRUE(m.actSearchServ.enabled());

    const std::uint16_t pingPort = m.serverList.udpping.localPort();
    EXPECT_EQ(pingPort, 40002);
    w.platform.clock.advance(m.settings.PingInterval);
    const std::uint32_t sentAt = w.platform.tickCount();
    w.platform.clock.advance(m.settings.PingInterval);
    const auto sent = w.platform.sentFrom(pingPort);
    ASSERT_EQ(sent.size(), 2U);
    EXPECT_EQ(sent[0].host, "192.0.2.20");
    EXPECT_EQ(sent[1].port, 7800);

    m.serverList.udpping.deliver("\\hostname\\Alpha\\hostport\\7777\\gametype\\CTFGame"
                                 "\\maptitle\\Face\\numplayers\\3\\maxplayers\\12\\echo\\ping_" +
                                     std::to_string(sentAt) + "|192.0.2.20\\final\\",
                                 "192.0.2.20", 7778);
    EXPECT_EQ(m.lblNumServers.caption(), "Servers: 1 of 2");
    EXPECT_EQ(m.servertable.cell(1, 1), "Alpha");
    EXPECT_EQ(m.servertable.cell(4, 1), "3/12");
    EXPECT_EQ(m.servertable.rowCount(), 3);

    m.servertable.select(1, 1);
    EXPECT_EQ(m.records.watchSource, query::WatchSource::ServerList);
    EXPECT_EQ(m.records.watchSlot, 1);
    EXPECT_EQ(m.records.currentServer.hostname, "Alpha");

    m.actQueryServer.execute();
    m.pop_servertable->onPopup();
    EXPECT_EQ(m.actQueryServer.checked(), m.watch.statusQuery.qrytimer.enabled());
    EXPECT_TRUE(m.actQueryServer.checked());
}

} // namespace
