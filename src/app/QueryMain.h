#pragma once

#include "settings/SettingsBlock.h"
#include "settings/SettingsFile.h"
#include "query/Records.h"
#include "query/ServerDisplay.h"
#include "query/ServerTables.h"
#include "query/StatusQuery.h"
#include "query/WatchControls.h"
#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/Menu.h"
#include "toolkit/Platform.h"
#include "toolkit/StringGrid.h"
#include "toolkit/TcpClientSocket.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace app {

struct MasterAddress {
    std::string host;
    std::uint16_t port = 0;
};

// Splits "host:port" at the first colon; the port is read from at most five
// characters and falls back to 28900.
[[nodiscard]] MasterAddress splitMasterserverURI(std::string_view uri);
// The three local UDP ports from the first one.
[[nodiscard]] std::array<std::uint16_t, 3> localUdpPorts(std::int32_t first);

inline constexpr const char* kApplicationTitle = "Skarvell [4th beta (2nd try)]";
inline constexpr const char* kHomePage = "https://skarvell.example.org/";

// The main window: the composition root. It owns the settings, the server
// records, every control the core reads and writes, the timers and sockets,
// and the subsystem objects, and wires their events. The backend builds the
// widgets around these models.
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
    void actQuitExecute();
    void HelpAbout1Execute();
    void StatusBarDrawPanel(tk::Canvas& canvas, int panel, const tk::Rect& rect);
    void timeblinktimerTimer();
    void INetDetector1Changed();
    void favouritestableDblClickCell(int row, int col);

    // Favourites storage.
    [[nodiscard]] int LoadFavourites();
    [[nodiscard]] bool SaveFavourites();

    [[nodiscard]] tk::Platform& platform() { return m_platform; }
    [[nodiscard]] const std::string& settingsPath() const { return m_settingsPath; }

    // --- Data -----------------------------------------------------------
    cfg::SettingsBlock settings;
    std::unique_ptr<query::ServerRecords> recordsPtr;
    query::ServerRecords& records;
    bool favouritesChanged = false;
    int refreshCursor = 1;
    // The war clock until war recording lands: elapsed seconds and limit.
    int warSeconds = 0;
    int warTimeLimit = 0;

    // --- Forms ----------------------------------------------------------
    tk::Form form;         // the main window
    tk::Form aboutBox;     // TAboutBox
    tk::Form frmPref;      // TfrmPref
    tk::Form frmFavourite; // TfrmFavourite
    tk::Form ircform;      // Tircform

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
    tk::StatusBar StatusBar;
    tk::TrayIcon trayicon;
    tk::ConnectionDetector INetDetector1;
    // The news page the embedded browser should show; empty for none.
    tk::Label wwwviewUrl;

    // --- Timers and sockets ---------------------------------------------
    tk::Timer qrytimer;
    tk::Timer timeout;
    tk::Timer pingtimer;
    tk::Timer favouriteTimer;
    tk::Timer timeblinktimer;
    tk::Timer timerStatsSave;
    tk::UdpSocket udpsock;
    tk::UdpSocket udpping;
    tk::UdpSocket udpfavping;
    tk::TcpClientSocket mastercon;

    // --- Subsystems -----------------------------------------------------
    query::WatchControls watchControls;
    query::ServerDisplay display;
    query::ServerTables tables;
    query::StatusQuery statusQuery;

private:
    void buildMenus();
    void wireEvents();
    void loadColumnWidths();
    void saveColumnWidths();

    tk::Platform& m_platform;
    std::string m_settingsPath;
};

} // namespace app
