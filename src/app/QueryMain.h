#pragma once

#include "app/AboutBox.h"
#include "app/FindDialog.h"
#include "app/PreferencesDialog.h"
#include "favourites/Favourites.h"
#include "irc/IrcWindow.h"
#include "query/Records.h"
#include "query/Watch.h"
#include "serverlist/ServerList.h"
#include "settings/SettingsBlock.h"
#include "settings/SettingsFile.h"
#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/PaintBox.h"
#include "toolkit/Platform.h"
#include "toolkit/StringGrid.h"
#include "war/War.h"
#include "war/WarGraphs.h"

#include <memory>
#include <string>
#include <vector>

namespace app {

inline constexpr const char* kApplicationTitle = "Skarvell [4th beta (2nd try)]";
inline constexpr const char* kVersionText = "Skarvell 0.4b";
// The pages bundled with the program, by the addresses the news view knows.
inline constexpr const char* kHelpPage = "skarvell:help";
inline constexpr const char* kNewsPage = "skarvell:news";

// The main window: the composition root. It owns the settings and their
// file, the server records, the controls of the main window, and the
// subsystems, each of which owns its timers, sockets, windows and handlers
// and wires them itself. The backend builds the widgets around these models.
class TQueryMain {
public:
    explicit TQueryMain(tk::Platform& platform, std::string settingsPath = cfg::kSettingsFile);
    ~TQueryMain();
    TQueryMain(const TQueryMain&) = delete;
    TQueryMain& operator=(const TQueryMain&) = delete;

    // Handlers of the window itself.
    void FormCreate();
    void ApplySettings();
    // Runs the close sequence; always allows the close.
    bool FormCloseQuery();
    void actShowHideExecute();
    // Join server: starts the game for the watched server and minimises the
    // window.
    void actRunUTExecute();
    void actHelpExecute();
    void LoadNewsPage();
    void actQuitExecute();
    void HelpAbout1Execute();
    // Shows the preferences; when confirmed, stores, writes and applies them.
    void actPreferencesExecute();
    // Search: the find dialog on the table of all servers or the favourites.
    void actSearchServExecute();
    void actSearchFavExecute();
    void StatusBarDrawPanel(tk::Canvas& canvas, int panel, const tk::Rect& rect);
    void INetDetector1Changed();

    // Writes the settings block into the settings file in memory and saves
    // the file; false when it could not be written.
    bool saveSettingsFile();

    [[nodiscard]] tk::Platform& platform() { return m_platform; }
    [[nodiscard]] const std::filesystem::path& settingsPath() const { return m_settingsFile.path(); }

    // --- Data -----------------------------------------------------------
    cfg::SettingsBlock settings;
    std::unique_ptr<query::ServerRecords> recordsPtr;
    query::ServerRecords& records;

    // --- The main window ------------------------------------------------
    tk::Form form;

    // --- Actions --------------------------------------------------------
    tk::Action actSearchServ;
    tk::Action actOpenFavorites;
    tk::Action actSaveFavorites;
    tk::Action actOpenServers;
    tk::Action actSaveServers;
    tk::Action actExportINI;
    tk::Action actQueryServer;
    tk::Action actQueryFavourites;
    tk::Action actAddFavorite;
    tk::Action actEditFavorite;
    tk::Action actRemoveFavorite;
    tk::Action actFromClip;
    tk::Action actToClip;
    tk::Action actSearchFav;
    tk::Action actWarRecord;
    tk::Action actRunUT;
    tk::Action actAddToFavorites;
    tk::Action actQueryMaster;
    tk::Action actStopMaster;
    tk::Action actIRC;
    tk::Action actPreferences;
    tk::Action actGraphsSave;
    tk::Action actQuit;
    tk::Action actShowHide;
    tk::Action actHelp;
    tk::Action actImportINI;
    // In display order, for the backend and the tests.
    [[nodiscard]] std::vector<tk::Action*> actions();

    // --- Menus and toolbars ---------------------------------------------
    std::shared_ptr<tk::Menu> mainMenuSkarvell;
    std::shared_ptr<tk::Menu> mainMenuHelp;
    std::shared_ptr<tk::Menu> pop_servertable;
    std::shared_ptr<tk::Menu> pop_Favourites;
    std::shared_ptr<tk::Menu> popFavDisk;
    std::shared_ptr<tk::Menu> popFavEdit;
    std::shared_ptr<tk::Menu> popFavQuery;
    std::shared_ptr<tk::Menu> popServDisk;
    std::shared_ptr<tk::Menu> popServEdit;
    std::shared_ptr<tk::Menu> popApplication;
    tk::Menu ToolBar1;
    tk::Menu ToolBar2;
    tk::Menu ToolBar3;

    // --- Pages ----------------------------------------------------------
    tk::TabSheet NewsPage{"News && Infos"};
    tk::TabSheet FavouritesPage{"Favourite Servers"};
    tk::TabSheet FavsPage{"Favorites"};
    tk::TabSheet ServersPage{"All Servers"};
    tk::TabSheet ServerDetailPage{"Server details"};
    tk::TabSheet PlayerDetailPage{"Player graph"};
    tk::TabSheet TabSheet1{"War graph"};
    tk::TabSheet WarPage{"War"};

    // --- Grids and controls ---------------------------------------------
    tk::StringGrid Rooster;
    tk::StringGrid favouritestable;
    tk::StringGrid servertable;
    tk::StringGrid ServerInfos;
    tk::ProgressBar progtimer;
    tk::Edit txtLoss;
    tk::Label lblNumServers{"No servers found yet"};
    tk::ProgressBar progPing;
    tk::Visibility imgConn;
    tk::Label lblwar_Time{"00:00"};
    tk::Label lblwar_TimeCaption{"Map time"};
    // The war page: each figure for the red and the blue team.
    tk::Label lblwar_rplayer;
    tk::Label lblwar_bplayer;
    tk::Label lblwar_rfrags;
    tk::Label lblwar_bfrags;
    tk::Label lblwar_rinterpol;
    tk::Label lblwar_binterpol;
    tk::Label lblwar_rspread;
    tk::Label lblwar_bspread;
    tk::Label lblwar_ravgfrags;
    tk::Label lblwar_bavgfrags;
    tk::Label lblwar_ravgping;
    tk::Label lblwar_bavgping;
    // The team names of the war graph; both filled, they name the teams.
    tk::Edit txtTeamA;
    tk::Edit txtTeamB;
    tk::PaintBox imgStats;       // the war graph, on TabSheet1
    tk::PaintBox imgPlayerStats; // the player graph, on PlayerDetailPage
    tk::StatusBar StatusBar;
    tk::TrayIcon trayicon;
    tk::ConnectionDetector INetDetector1;
    // The news page the embedded browser should show; empty for none.
    tk::Label wwwviewUrl;

    // --- Subsystems and dialogs ---------------------------------------------
    query::Watch watch;
    serverlist::ServerList serverList;
    favourites::Favourites favouriteServers;
    war::War warRecorder;
    war::WarGraphs warGraphs;
    TAboutBox aboutBox;
    TfrmPref frmPref;
    TFindDialog findDialog;
    irc::Tircform ircform;

private:
    void buildMenus();
    void wireEvents();

    tk::Platform& m_platform;
    cfg::SettingsFile m_settingsFile;
};

} // namespace app
