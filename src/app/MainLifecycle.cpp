// Start-up, applying the settings, and the orderly close of the main window.
#include "app/QueryMain.h"

#include "settings/SettingsFile.h"
#include "favourites/FavouritesStorage.h"
#include "query/ServerTables.h"
#include "query/Vocabulary.h"
#include "toolkit/Number.h"

#include <algorithm>

namespace app {

namespace {

constexpr int kDefaultMasterPort = 28900;
constexpr const char* kRegistryKey =
    "\\SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament";

// The first 16 colours of the player graph; the last is the tooltip colour.
constexpr tk::Color kPlayerPalette[15] = {0x0000FF, 0x008000, 0xFF0000, 0x00FFFF, 0x00FF00,
                                          0x808080, 0x000080, 0x800000, 0x808000, 0x800080,
                                          0xFF00FF, 0xFFFF00, 0xC0C0C0, 0x008080, 0xFFFFFF};

} // namespace

MasterAddress splitMasterserverURI(std::string_view uri) {
    MasterAddress out;
    const auto colon = uri.find(':');
    std::string_view portText;
    if (colon == std::string_view::npos) {
        portText = uri.substr(0, 5);
    } else {
        out.host = std::string(uri.substr(0, colon));
        portText = uri.substr(colon + 1, 5);
    }
    const auto port = tk::parseInt(portText);
    // A number that is no TCP port falls back to the master's usual port too.
    out.port = (port && *port > 0 && *port <= 65535)
                   ? static_cast<std::uint16_t>(*port)
                   : static_cast<std::uint16_t>(kDefaultMasterPort);
    return out;
}

void TQueryMain::FormCreate() {
    if (!cfg::ReadSettings(m_settingsPath, settings)) {
        m_platform.showMessage("Error while reading INI-File!!!");
    }
    ApplySettings();
    records.watchSource = query::WatchSource::Favourites;
    records.watchSlot = 1;
    records.warRecording = false;
    favouritesChanged = false;
    ServerInfos.setCell(0, 0, "Variable");
    ServerInfos.setCell(1, 0, "Value");
    loadColumnWidths();
    records.favouriteEnd = LoadFavourites();
    // Favourite 1 is the watched slot from the start: take it into
    // currentServer as choosing it would, so that the first query's reply
    // shows its address and a click on that row is no longer needed.
    if (records.favouriteEnd > 1) {
        tables.WatchEntry(query::WatchSource::Favourites, 1);
        favouritestable.setSelectedRow(favouritestable.displayRow(1));
    }
    refreshCursor = 1;
}

void TQueryMain::ApplySettings() {
    // 1. The news page.
    NewsPage.setTabVisible(settings.DoHTTP);
    if (settings.DoHTTP) {
        wwwviewUrl.setCaption(std::string(kHomePage) + "index.php?usequery=true&ver=0.4b");
    }
    // 2. The game folder from the registry until the preferences were confirmed once.
    if (settings.FirstRun) {
        if (auto folder = m_platform.readRegistryString(kRegistryKey, "Folder")) {
            settings.UTDir = *folder;
        }
    }
    // 3. The query countdown.
    progtimer.setMax(settings.QueryInterval);
    // 4. The master server.
    const MasterAddress master = splitMasterserverURI(settings.MasterserverURI.view());
    mastercon.setHost(master.host);
    mastercon.setPort(master.port);
    // 5. The pace of the ping sweep.
    pingtimer.setInterval(settings.PingInterval);
    // 6. The local UDP ports.
    const auto ports = localUdpPorts(settings.Ports);
    (void)udpfavping.setLocalPort(ports[0]);
    (void)udpsock.setLocalPort(ports[1]);
    (void)udpping.setLocalPort(ports[2]);
    // 7. The favourites refresh at start.
    if (settings.qryFavsOnStartup) {
        favouriteTimer.setInterval(settings.PingInterval);
        favouriteTimer.setEnabled(true);
    }
    // 8. The server list at start.
    if (settings.qryMasterOnStartup) {
        actQueryMaster.execute();
    } else if (settings.LoadListOnStartup) {
        actOpenServers.execute();
    }
    // 9. The automatic graph export waits for a war.
    timerStatsSave.setInterval(settings.SaveStatsInterval * 1000);
    timerStatsSave.setEnabled(false);
    // 10. The roster's columns.
    const auto headers = query::rosterHeaders(settings);
    Rooster.setColCount(static_cast<int>(headers.size()));
    for (int c = 0; c < static_cast<int>(headers.size()); ++c) {
        Rooster.setCell(c, 0, headers[static_cast<std::size_t>(c)]);
    }
    // 11. The player graph's palette.
    std::copy(std::begin(kPlayerPalette), std::end(kPlayerPalette), settings.Player.begin());
    settings.Player[15] = m_platform.systemColor(tk::SystemColor::InfoBackground);
}

std::array<std::uint16_t, 3> localUdpPorts(std::int32_t first) {
    // Three consecutive ports must fit; anything else takes the default.
    if (first < 1 || first > 65533) {
        first = cfg::SettingsBlock{}.Ports;
    }
    const auto p = static_cast<std::uint16_t>(first);
    return {p, static_cast<std::uint16_t>(p + 1), static_cast<std::uint16_t>(p + 2)};
}

bool TQueryMain::FormCloseQuery() {
    if (favouritesChanged && m_platform.confirm("The favorites list changed. Save now?")) {
        if (SaveFavourites()) {
            favouritesChanged = false;
        }
    }
    (void)cfg::WriteSettings(m_settingsPath, settings);
    saveColumnWidths();
    return true;
}

void TQueryMain::timeblinktimerTimer() {
    ++warSeconds;
    lblwar_Time.setCaption(query::ClockText(warSeconds, warTimeLimit));
}

int TQueryMain::LoadFavourites() {
    const int previousEnd = records.favouriteEnd;
    const int end = favourites::readFavourites(m_settingsPath, records);
    for (int slot = 1; slot < end; ++slot) {
        tables.ShowFavouriteRow(slot);
    }
    for (int slot = end; slot < previousEnd; ++slot) {
        favouritestable.clearRow(favouritestable.displayRow(slot));
    }
    return end;
}

bool TQueryMain::SaveFavourites() {
    return favourites::writeFavourites(m_settingsPath, records);
}

void TQueryMain::loadColumnWidths() {
    (void)cfg::readColumnWidths(m_settingsPath, "TablePlayers", Rooster);
    (void)cfg::readColumnWidths(m_settingsPath, "TableAll", servertable);
    (void)cfg::readColumnWidths(m_settingsPath, "TableFav", favouritestable);
}

void TQueryMain::saveColumnWidths() {
    (void)cfg::writeColumnWidths(m_settingsPath, "TablePlayers", Rooster);
    (void)cfg::writeColumnWidths(m_settingsPath, "TableAll", servertable);
    (void)cfg::writeColumnWidths(m_settingsPath, "TableFav", favouritestable);
}

} // namespace app
