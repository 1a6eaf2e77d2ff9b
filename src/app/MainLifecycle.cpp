// Start-up, applying the settings, and the orderly close of the main window.
#include "app/QueryMain.h"

#include "settings/SettingsFile.h"

#include <algorithm>

namespace app {

namespace {

constexpr const char* kRegistryKey =
    "\\SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament";

// The first 16 colours of the player graph; the last is the tooltip colour.
constexpr tk::Color kPlayerPalette[15] = {0x0000FF, 0x008000, 0xFF0000, 0x00FFFF, 0x00FF00,
                                          0x808080, 0x000080, 0x800000, 0x808000, 0x800080,
                                          0xFF00FF, 0xFFFF00, 0xC0C0C0, 0x008080, 0xFFFFFF};

// The grids whose column widths the settings file keeps, by section.
struct StoredWidths {
    const char* section;
    tk::StringGrid TQueryMain::*grid;
};
constexpr StoredWidths kStoredWidths[] = {{"TablePlayers", &TQueryMain::Rooster},
                                          {"TableAll", &TQueryMain::servertable},
                                          {"TableFav", &TQueryMain::favouritestable}};

} // namespace

void TQueryMain::FormCreate() {
    // The settings file is read here once; from now on every part reads
    // and edits it in memory, and the close writes it back in one piece.
    if (!m_settingsFile.load()) {
        m_platform.showMessage("Error while reading INI-File!!!");
    }
    cfg::readSettings(m_settingsFile.document(), settings);
    ApplySettings();
    records.watchSource = query::WatchSource::Favourites;
    records.watchSlot = 1;
    records.warRecording = false;
    favouriteServers.favouritesChanged = false;
    ServerInfos.setCell(0, 0, "Variable");
    ServerInfos.setCell(1, 0, "Value");
    for (const StoredWidths& stored : kStoredWidths) {
        cfg::readColumnWidths(m_settingsFile.document(), stored.section, this->*stored.grid);
    }
    records.favouriteEnd = favouriteServers.LoadFavourites(m_settingsFile.document());
    // Favourite 1 is the watched slot from the start: take it into
    // currentServer as choosing it would, so that the first query's reply
    // shows its address and a click on that row is no longer needed.
    if (records.favouriteEnd > 1) {
        watch.tables.WatchEntry(query::WatchSource::Favourites, 1);
        favouritestable.setSelectedRow(favouritestable.displayRow(1));
    }
    favouriteServers.refreshCursor = 1;
}

void TQueryMain::ApplySettings() {
    // The news page.
    NewsPage.setTabVisible(settings.DoHTTP);
    if (settings.DoHTTP) {
        LoadNewsPage();
    }
    // The game folder from the registry until the preferences were confirmed once.
    if (settings.FirstRun) {
        if (auto folder = m_platform.readRegistryString(kRegistryKey, "Folder")) {
            settings.UTDir = *folder;
        }
    }
    // Each subsystem takes what it uses: timers, the master's address, the
    // local ports, the roster's columns, the refresh at start.
    const auto ports = cfg::localUdpPorts(settings.Ports);
    watch.applySettings(ports[1]);
    serverList.applySettings(settings, ports[2]);
    favouriteServers.applySettings(settings, ports[0]);
    // The server list at start.
    if (settings.qryMasterOnStartup) {
        actQueryMaster.execute();
    } else if (settings.LoadListOnStartup) {
        actOpenServers.execute();
    }
    warRecorder.applySettings(settings);
    // The player graph's palette.
    std::copy(std::begin(kPlayerPalette), std::end(kPlayerPalette), settings.Player.begin());
    settings.Player[15] = m_platform.systemColor(tk::SystemColor::InfoBackground);
}

void TQueryMain::LoadNewsPage() {
    // There is no news site: the news are the release notes bundled with
    // this version.
    wwwviewUrl.setCaption(kNewsPage);
}

void TQueryMain::actPreferencesExecute() {
    frmPref.FillFromSettings(settings);
    if (m_platform.showModal(frmPref.form) != tk::ModalResult::Ok) {
        return;
    }
    frmPref.WriteToSettings(settings);
    if (!saveSettingsFile()) {
        m_platform.showMessage("Error while writing INI-File!!!");
    }
    // Also after a failed write: the new settings are in the block.
    ApplySettings();
}

bool TQueryMain::saveSettingsFile() {
    cfg::writeSettings(m_settingsFile.document(), settings);
    return m_settingsFile.save();
}

bool TQueryMain::FormCloseQuery() {
    tk::IniFile& file = m_settingsFile.document();
    const bool saveFavourites = favouriteServers.favouritesChanged &&
                                m_platform.confirm("The favorites list changed. Save now?");
    if (saveFavourites) {
        favouriteServers.SaveFavourites(file);
    }
    cfg::writeSettings(file, settings);
    for (const StoredWidths& stored : kStoredWidths) {
        cfg::writeColumnWidths(file, stored.section, this->*stored.grid);
    }
    // Settings, column widths and favourites go out together or not at all.
    if (m_settingsFile.save()) {
        if (saveFavourites) {
            favouriteServers.favouritesChanged = false;
        }
    } else {
        m_platform.showMessage("Error while writing INI-File!!!");
    }
    return true;
}

} // namespace app
