#include "app/QueryMain.h"

#include "app/GameLaunch.h"

#include "toolkit/ImageIndex.h"

#include <filesystem>

namespace app {

namespace im = tk::images;

namespace {

std::string mainCaption() {
    return "Skarvell - UT Server querying [Beta]";
}

std::vector<tk::StatusBar::Panel> statusPanels() {
    using P = tk::StatusBar::Panel;
    using A = tk::StatusBar::Align;
    return {
        P{"", 300, A::Left, false, false},      P{"Bytes received:", 100, A::Right, false, false},
        P{"0 Byte", 100, A::Left, true, false}, P{"Mode", 100, A::Left, true, false},
        P{"", 100, A::Left, true, true},        P{kVersionText, 100, A::Left, true, false},
    };
}

// master.dat lives in the folder of the settings file.
std::filesystem::path masterFileBeside(const std::string& settingsPath) {
    return std::filesystem::path(settingsPath).parent_path() / "master.dat";
}

void setHeaders(tk::StringGrid& grid, const std::vector<std::string>& headers,
                const std::vector<int>& widths) {
    for (int c = 0; c < static_cast<int>(headers.size()); ++c) {
        grid.setCell(c, 0, headers[static_cast<std::size_t>(c)]);
    }
    for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
        grid.setColWidth(c, widths[static_cast<std::size_t>(c)]);
    }
}

} // namespace

TQueryMain::TQueryMain(tk::Platform& platform, std::string settingsPath)
    : recordsPtr(std::make_unique<query::ServerRecords>()), records(*recordsPtr),
      form(mainCaption(), 946, 626),
      actSearchServ("Search", "Search", "Search a server", im::kSearch),
      actOpenFavorites("File", "Open favorites", "Reloads the favorite list", im::kOpen),
      actSaveFavorites("File", "Save favorites", "Saves the favorites list", im::kSave),
      actOpenServers("File", "Open serverlist", "Opens a previously saved master query", im::kOpen),
      actSaveServers("File", "Save serverlist", "Saves the master query result", im::kSave),
      actExportINI("File", "Export to unrealtournament.ini",
                   "Inserts all new servers to your unrealtournament.ini", im::kExport),
      actQueryServer("Server", "Query selected", "Query selected server", im::kWatching),
      actQueryFavourites("Server", "Refresh all", "Refreshs all favorite servers", im::kRefreshAll),
      actAddFavorite("Edit", "Add favorite", "", im::kAddFavourite),
      actEditFavorite("Edit", "Edit favorite", "", im::kEditFavourite),
      actRemoveFavorite("Edit", "Remove favorite", "", im::kRemoveFavourite),
      actFromClip("Edit", "Add from clipboard", "", im::kClipboard),
      actToClip("Edit", "Copy to clipboard", "", im::kClipboard),
      actSearchFav("Search", "Search", "Search a favorite", im::kSearch),
      actWarRecord("Server", "War recording", "Starts/Stops war recording", im::kRecording),
      actRunUT("Server", "Join server", "Launches UT connecting to the selected server", im::kJoin),
      actAddToFavorites("Edit", "Add to favorites", "", im::kAddFavourite),
      actQueryMaster("Server", "Query masterserver", "Retrieves a list of all known UT servers",
                     im::kQueryMaster),
      actStopMaster("Server", "Stop querying", "Interrupts the masterserver query", im::kStop),
      actIRC("Dialogs", "IRC Reporting", "", im::kIrc),
      actPreferences("Dialogs", "Preferences", "", im::kPreferences),
      actGraphsSave("File", "Export graphs", "", im::kExport),
      actQuit("Skarvell", "Exit Skarvell", "Exits Skarvell", im::kQuit),
      actShowHide("Skarvell", "Hide Skarvell", "Minimizes Skarvell to the system tray"),
      actHelp("Skarvell", "Skarvell Help", "Open the Skarvell Help Page", im::kHelp),
      actImportINI("File", "Import from unrealtournament.ini", "", im::kImport),
      Rooster(6, 33, 0, 1), favouritestable(6, 100, 1, 1), servertable(6, 4000, 1, 1),
      ServerInfos(2, 20, 0, 0), StatusBar(statusPanels()),
      watch(platform, settings, records,
            query::WatchControls{Rooster, ServerInfos, favouritestable, servertable, trayicon,
                                 progtimer, txtLoss, StatusBar, imgConn, actQueryServer}),
      serverList(platform, masterFileBeside(settingsPath)),
      favouriteServers(platform, records, favouritestable),
      warRecorder(platform, settings, records, watch.statusQuery,
                  favouriteServers.favouriteTimer,
                  war::WarControls{{lblwar_rplayer, lblwar_rfrags, lblwar_rinterpol, lblwar_rspread,
                                    lblwar_ravgfrags, lblwar_ravgping},
                                   {lblwar_bplayer, lblwar_bfrags, lblwar_binterpol, lblwar_bspread,
                                    lblwar_bavgfrags, lblwar_bavgping},
                                   lblwar_Time,
                                   lblwar_TimeCaption,
                                   txtTeamA,
                                   txtTeamB,
                                   actWarRecord,
                                   StatusBar}),
      warGraphs(platform, settings, warRecorder,
                war::GraphControls{imgStats, imgPlayerStats, actGraphsSave}),
      frmPref(platform), m_platform(platform), m_settingsFile(std::move(settingsPath)) {
    FavouritesPage.setTabVisible(false);
    setHeaders(favouritestable, {"", "Server", "Gametype", "Map", "Players", "Ping"},
               {20, 69, 74, 64, 86, 65});
    setHeaders(servertable, {"", "Server", "Gametype", "Map", "Players", "Ping"},
               {20, 102, 140, 64, 64, 54});
    setHeaders(ServerInfos, {}, {109, 268});
    watch.display.BuildRosterColumns();
    trayicon.setHint("Skarvell");
    trayicon.setVisible(true);
    INetDetector1.setEnabled(true);
    INetDetector1.setInterval(5000);
    buildMenus();
    wireEvents();
    // A command whose feature this build does not have yet shows disabled
    // rather than doing nothing when clicked.
    for (tk::Action* action : actions()) {
        action->setEnabled(static_cast<bool>(action->onExecute));
    }
}

TQueryMain::~TQueryMain() = default;

std::vector<tk::Action*> TQueryMain::actions() {
    return {&actSearchServ,     &actOpenFavorites, &actSaveFavorites,  &actOpenServers,
            &actSaveServers,    &actExportINI,     &actQueryServer,    &actQueryFavourites,
            &actAddFavorite,    &actEditFavorite,  &actRemoveFavorite, &actFromClip,
            &actToClip,         &actSearchFav,     &actWarRecord,      &actRunUT,
            &actAddToFavorites, &actQueryMaster,   &actStopMaster,     &actIRC,
            &actPreferences,    &actGraphsSave,    &actQuit,           &actShowHide,
            &actHelp,           &actImportINI};
}

void TQueryMain::buildMenus() {
    using tk::Menu;
    using tk::MenuItem;
    auto sep = MenuItem::separator;
    auto about = [this] {
        return MenuItem::command(
            "&About...", "About|About Skarvell", [this] { HelpAbout1Execute(); }, im::kAbout);
    };
    auto menu = [](std::string name, std::string caption, std::string hint,
                   std::vector<MenuItem> items) {
        auto m = std::make_shared<Menu>();
        m->name = std::move(name);
        m->caption = std::move(caption);
        m->hint = std::move(hint);
        m->items = std::move(items);
        return m;
    };

    mainMenuSkarvell = menu("Skarvell1", "&Skarvell", "Dateibefehle",
                            {MenuItem::of(actRunUT), sep(), MenuItem::of(actPreferences), sep(),
                             MenuItem::of(actShowHide), sep(), MenuItem::of(actQuit)});
    mainMenuHelp = menu("Help1", "&Help", "Hilfethemen", {MenuItem::of(actHelp), sep(), about()});
    pop_servertable = menu("pop_servertable", "", "",
                           {MenuItem::of(actQueryServer), sep(), MenuItem::of(actQueryMaster),
                            MenuItem::of(actStopMaster), sep(), MenuItem::of(actAddToFavorites),
                            sep(), MenuItem::of(actToClip), sep(), MenuItem::of(actOpenServers),
                            MenuItem::of(actSaveServers), sep(), MenuItem::of(actRunUT)});
    auto importExport =
        menu("ImportExport1", "Import && Export", "",
             {MenuItem::of(actImportINI), MenuItem::of(actExportINI), sep(),
              MenuItem::disabled("Import from XML"), MenuItem::disabled("Export to XML")});
    pop_Favourites =
        menu("pop_Favourites", "", "",
             {MenuItem::of(actQueryServer), sep(), MenuItem::of(actWarRecord), sep(),
              MenuItem::of(actSearchFav), sep(), MenuItem::of(actAddFavorite),
              MenuItem::of(actEditFavorite), MenuItem::of(actRemoveFavorite), sep(),
              MenuItem::of(actFromClip), MenuItem::of(actToClip), sep(),
              MenuItem::of(actOpenFavorites), MenuItem::of(actSaveFavorites),
              MenuItem::sub("Import && Export", importExport), sep(), MenuItem::of(actRunUT)});
    popFavDisk = menu("popFavDisk", "", "",
                      {MenuItem::of(actOpenFavorites), MenuItem::of(actSaveFavorites), sep(),
                       MenuItem::of(actImportINI),
                       MenuItem::of(actExportINI, "Export to unrealtournament.ini")});
    popFavEdit = menu("popFavEdit", "", "",
                      {MenuItem::of(actAddFavorite), MenuItem::of(actEditFavorite),
                       MenuItem::of(actRemoveFavorite), sep(), MenuItem::of(actFromClip),
                       MenuItem::of(actToClip)});
    popFavQuery = menu("popFavQuery", "", "",
                       {MenuItem::of(actQueryServer), sep(), MenuItem::of(actWarRecord), sep(),
                        MenuItem::of(actQueryFavourites)});
    popServDisk = menu("popServDisk", "", "",
                       {MenuItem::of(actQueryMaster), MenuItem::of(actStopMaster), sep(),
                        MenuItem::of(actOpenServers), MenuItem::of(actSaveServers)});
    popServEdit = menu("popServEdit", "", "",
                       {MenuItem::of(actQueryServer), sep(), MenuItem::of(actAddToFavorites), sep(),
                        MenuItem::of(actRunUT)});
    popApplication = menu("popApplication", "", "",
                          {MenuItem::of(actShowHide), sep(), MenuItem::of(actFromClip), sep(),
                           MenuItem::of(actQuit)});

    ToolBar1.name = "ToolBar1";
    ToolBar1.items = {
        MenuItem::of(actQueryMaster),
        MenuItem::of(actQueryFavourites),
        MenuItem::of(actIRC),
        sep(),
        MenuItem::of(actPreferences),
        sep(),
        MenuItem::command(
            "About", "About|Display About-Dialog", [this] { HelpAbout1Execute(); }, im::kAbout)};
    ToolBar2.name = "ToolBar2";
    ToolBar2.items = {MenuItem::dropDown(actOpenFavorites, "List", popFavDisk),
                      sep(),
                      MenuItem::dropDown(actEditFavorite, "Favorite", popFavEdit),
                      sep(),
                      MenuItem::dropDown(actQueryServer, "Server", popFavQuery),
                      sep(),
                      MenuItem::of(actSearchFav)};
    ToolBar3.name = "ToolBar3";
    ToolBar3.items = {MenuItem::dropDown(actOpenServers, "List", popServDisk), sep(),
                      MenuItem::dropDown(actQueryServer, "Server", popServEdit), sep(),
                      MenuItem::of(actSearchServ)};
}

void TQueryMain::wireEvents() {
    watch.wire();
    serverList.wire(records,
                    serverlist::ServerListControls{servertable, lblNumServers, StatusBar,
                                                   actQueryMaster, actOpenServers, actSaveServers},
                    serverlist::SweepControls{progPing, actStopMaster});
    serverList.sweep->onWatch = [this](int slot) {
        watch.tables.WatchEntry(query::WatchSource::ServerList, slot);
    };
    pop_servertable->onPopup = [this] {
        actQueryServer.setChecked(watch.statusQuery.qrytimer.enabled());
    };
    favouriteServers.wire();
    warRecorder.wire();
    warGraphs.wire();
    actQuit.onExecute = [this] { actQuitExecute(); };
    actPreferences.onExecute = [this] { actPreferencesExecute(); };
    actSearchServ.onExecute = [this] { actSearchServExecute(); };
    actSearchFav.onExecute = [this] { actSearchFavExecute(); };
    actShowHide.onExecute = [this] { actShowHideExecute(); };
    actRunUT.onExecute = [this] { actRunUTExecute(); };
    actHelp.onExecute = [this] { actHelpExecute(); };
    INetDetector1.onChanged = [this] { INetDetector1Changed(); };
    StatusBar.onDrawPanel = [this](tk::Canvas& c, int panel, const tk::Rect& r) {
        StatusBarDrawPanel(c, panel, r);
    };
}

void TQueryMain::actQuitExecute() {
    form.close();
}

void TQueryMain::actRunUTExecute() {
    const query::ServerEntry* entry = records.entry(records.watchSource, records.watchSlot);
    const std::optional<GameLaunch> launch =
        entry == nullptr ? std::nullopt
                         : planGameLaunch(settings.UTDir.view(), entry->address.view(),
                                          entry->hostport.view(), thisSystem(),
                                          thisSystem() == GameSystem::Windows
                                              ? std::nullopt
                                              : findProgram("wine"));
    if (!launch) {
        m_platform.showMessage("You have to setup your UT base directory in 'Preferences' first.");
        return;
    }
    form.setWindowState(tk::Form::WindowState::Minimized);
    actShowHide.setCaption("Show Skarvell");
    (void)m_platform.startProcess(launch->program, launch->arguments);
}

void TQueryMain::actHelpExecute() {
    // The help is bundled with the program: it shows whatever DoHTTP says,
    // until the next apply of the settings hides the page again.
    NewsPage.setTabVisible(true);
    wwwviewUrl.setCaption(kHelpPage);
}

void TQueryMain::actShowHideExecute() {
    if (form.windowState() == tk::Form::WindowState::Minimized) {
        form.setWindowState(tk::Form::WindowState::Normal);
        actShowHide.setCaption("Hide Skarvell");
    } else {
        form.setWindowState(tk::Form::WindowState::Minimized);
        actShowHide.setCaption("Show Skarvell");
    }
}

void TQueryMain::HelpAbout1Execute() {
    m_platform.showModal(aboutBox.form);
}

void TQueryMain::StatusBarDrawPanel(tk::Canvas& canvas, int panel, const tk::Rect& rect) {
    if (panel != 4) {
        return;
    }
    const bool recording = records.warRecording;
    canvas.drawImage(rect.left + 5, rect.top + 1, recording ? im::kRecording : im::kWatching);
    canvas.textOut(rect.left + 25, rect.top + 3, recording ? "Recording" : "Watching");
}

void TQueryMain::INetDetector1Changed() {
    if (!INetDetector1.online()) {
        m_platform.showMessage(
            "Attention: Could not detect an internet connection on this machine");
    }
}

void TQueryMain::actSearchServExecute() {
    findDialog.Open(servertable, "Search servers");
    m_platform.showModal(findDialog.form);
}

void TQueryMain::actSearchFavExecute() {
    findDialog.Open(favouritestable, "Search favourites");
    m_platform.showModal(findDialog.form);
}

} // namespace app
