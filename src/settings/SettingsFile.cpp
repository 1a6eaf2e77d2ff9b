#include "settings/SettingsFile.h"

#include <string>

namespace cfg {

namespace {

constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kWebServer = "Web-Server";
constexpr std::string_view kColors = "Colors";
constexpr std::string_view kIrc = "IRC";

// Widths beyond this are not a window's columns but a broken file; they
// would also overflow the sums a view makes of its column widths.
constexpr int kMaxColumnWidth = 10000;

std::string colKey(int col) {
    return "Col" + std::to_string(col);
}

// Loads the file for an edit. A missing file starts empty; an unreadable one
// must not be replaced by a document that lacks its other lines.
bool loadForEdit(const std::filesystem::path& path, tk::IniFile& ini) {
    if (ini.load(path) == tk::IniLoadResult::Unreadable) {
        return false;
    }
    ini.setLineEnding("\r\n"); // the settings file's lines end in CR LF
    return true;
}

} // namespace

void readSettings(const tk::IniFile& ini, SettingsBlock& s) {
    const SettingsBlock d; // the defaults of every key
    s.FirstRun = ini.readBool(kSettings, "FirstRun", d.FirstRun);
    s.QueryInterval = ini.readInteger(kSettings, "QueryInterval", d.QueryInterval);
    s.QueryTimeout = ini.readInteger(kSettings, "QueryTimeout", d.QueryTimeout);
    s.MaxTimeout = ini.readInteger(kSettings, "MaxTimeout", d.MaxTimeout);
    s.qryFavsOnStartup = ini.readBool(kSettings, "qryFavsOnStartup", d.qryFavsOnStartup);
    s.qryMasterOnStartup = ini.readBool(kSettings, "qryMasterOnStartup", d.qryMasterOnStartup);
    s.LoadListOnStartup = ini.readBool(kSettings, "LoadListOnStartup", d.LoadListOnStartup);
    s.PingInterval = ini.readInteger(kSettings, "PingInterval", d.PingInterval);
    s.usePlayerColor = ini.readBool(kSettings, "usePlayerColor", d.usePlayerColor);
    s.UTDir = ini.readString(kSettings, "UTDir", d.UTDir);
    s.DoHTTP = ini.readBool(kSettings, "DoHTTP", d.DoHTTP);
    s.UTINIBackup = ini.readBool(kSettings, "UTINIBackup", d.UTINIBackup);
    s.MasterserverURI = ini.readString(kSettings, "MasterserverURI", d.MasterserverURI);
    s.AutoPingFavs = ini.readBool(kSettings, "AutoPingFavs", d.AutoPingFavs);
    s.AutoInterval = ini.readInteger(kSettings, "AutoInterval", d.AutoInterval);
    s.HostAutoUpdate = ini.readBool(kSettings, "HostAutoUpdate", d.HostAutoUpdate);
    s.Spree = ini.readBool(kSettings, "Spree", d.Spree);
    s.Health = ini.readBool(kSettings, "Health", d.Health);
    s.Weapon = ini.readBool(kSettings, "Weapon", d.Weapon);
    s.Inventory = ini.readBool(kSettings, "Inventory", d.Inventory);
    s.Ports = ini.readInteger(kSettings, "Ports", d.Ports);

    s.Background = ini.readInteger(kColors, "Background", d.Background);
    s.Grid = ini.readInteger(kColors, "Grid", d.Grid);
    s.Font = ini.readInteger(kColors, "Font", d.Font);
    s.TeamA = ini.readInteger(kColors, "TeamA", d.TeamA);
    s.TeamB = ini.readInteger(kColors, "TeamB", d.TeamB);
    for (std::size_t i = 0; i < s.Player.size(); ++i) {
        s.Player[i] = ini.readInteger(kColors, "Player" + std::to_string(i), d.Player[i]);
    }

    s.AutoSaveStats = ini.readBool(kWebServer, "AutoSaveStats", d.AutoSaveStats);
    s.SaveStatsInterval = ini.readInteger(kWebServer, "SaveStatsInterval", d.SaveStatsInterval);
    s.StatsWidth = ini.readInteger(kWebServer, "StatsWidth", d.StatsWidth);
    s.StatsHeight = ini.readInteger(kWebServer, "StatsHeight", d.StatsHeight);
    s.SaveTo = ini.readString(kWebServer, "SaveTo", d.SaveTo);

    s.server = ini.readString(kIrc, "server", d.server);
    s.Port = ini.readInteger(kIrc, "Port", d.Port);
    s.channel = ini.readString(kIrc, "channel", d.channel);
    s.nickname = ini.readString(kIrc, "nickname", d.nickname);
}

void writeSettings(tk::IniFile& ini, const SettingsBlock& s) {
    ini.writeBool(kSettings, "FirstRun", s.FirstRun);
    ini.writeInteger(kSettings, "QueryInterval", s.QueryInterval);
    ini.writeInteger(kSettings, "QueryTimeout", s.QueryTimeout);
    ini.writeInteger(kSettings, "MaxTimeout", s.MaxTimeout);
    ini.writeBool(kSettings, "qryFavsOnStartup", s.qryFavsOnStartup);
    ini.writeBool(kSettings, "qryMasterOnStartup", s.qryMasterOnStartup);
    ini.writeBool(kSettings, "LoadListOnStartup", s.LoadListOnStartup);
    ini.writeInteger(kSettings, "PingInterval", s.PingInterval);
    ini.writeBool(kSettings, "usePlayerColor", s.usePlayerColor);
    ini.writeBool(kSettings, "DoHTTP", s.DoHTTP);
    ini.writeBool(kSettings, "UTINIBackup", s.UTINIBackup);
    ini.writeBool(kSettings, "AutoPingFavs", s.AutoPingFavs);
    ini.writeInteger(kSettings, "AutoInterval", s.AutoInterval);
    ini.writeString(kSettings, "MasterserverURI", s.MasterserverURI);
    ini.writeString(kSettings, "UTDir", s.UTDir);
    ini.writeBool(kSettings, "Spree", s.Spree);
    ini.writeBool(kSettings, "Health", s.Health);
    ini.writeBool(kSettings, "Weapon", s.Weapon);
    ini.writeBool(kSettings, "Inventory", s.Inventory);
    ini.writeInteger(kSettings, "Ports", s.Ports);
    ini.writeBool(kSettings, "HostAutoUpdate", s.HostAutoUpdate);

    ini.writeBool(kWebServer, "AutoSaveStats", s.AutoSaveStats);
    ini.writeInteger(kWebServer, "SaveStatsInterval", s.SaveStatsInterval);
    ini.writeString(kWebServer, "SaveTo", s.SaveTo);
    ini.writeInteger(kWebServer, "StatsWidth", s.StatsWidth);
    ini.writeInteger(kWebServer, "StatsHeight", s.StatsHeight);

    // The player colours are read but never written: the first sixteen are
    // a fixed palette, and the rest are edited in the file by hand.
    ini.writeInteger(kColors, "Background", s.Background);
    ini.writeInteger(kColors, "TeamA", s.TeamA);
    ini.writeInteger(kColors, "TeamB", s.TeamB);
    ini.writeInteger(kColors, "Grid", s.Grid);
    ini.writeInteger(kColors, "Font", s.Font);

    // Key names match without regard to case, so "port" replaces a "Port"
    // entry instead of adding a second one.
    ini.writeString(kIrc, "server", s.server);
    ini.writeString(kIrc, "channel", s.channel);
    ini.writeString(kIrc, "nickname", s.nickname);
    ini.writeInteger(kIrc, "port", s.Port);
}

bool ReadSettings(const std::filesystem::path& path, SettingsBlock& settings) {
    tk::IniFile ini;
    if (ini.load(path) == tk::IniLoadResult::Unreadable) {
        return false;
    }
    readSettings(ini, settings);
    return true;
}

bool WriteSettings(const std::filesystem::path& path, const SettingsBlock& settings) {
    tk::IniFile ini;
    if (!loadForEdit(path, ini)) {
        return false;
    }
    writeSettings(ini, settings);
    return ini.save(path);
}

void readColumnWidths(const tk::IniFile& ini, std::string_view section, tk::StringGrid& grid) {
    for (int col = 0; col < grid.colCount(); ++col) {
        const int width = ini.readInteger(section, colKey(col), -1);
        if (width >= 0 && width <= kMaxColumnWidth) {
            grid.setColWidth(col, width);
        }
    }
}

void writeColumnWidths(tk::IniFile& ini, std::string_view section, const tk::StringGrid& grid) {
    for (int col = 0; col < grid.colCount(); ++col) {
        ini.writeInteger(section, colKey(col), grid.colWidth(col));
    }
}

bool readColumnWidths(const std::filesystem::path& path, std::string_view section,
                      tk::StringGrid& grid) {
    tk::IniFile ini;
    if (ini.load(path) == tk::IniLoadResult::Unreadable) {
        return false;
    }
    readColumnWidths(ini, section, grid);
    return true;
}

bool writeColumnWidths(const std::filesystem::path& path, std::string_view section,
                       const tk::StringGrid& grid) {
    tk::IniFile ini;
    if (!loadForEdit(path, ini)) {
        return false;
    }
    writeColumnWidths(ini, section, grid);
    return ini.save(path);
}

} // namespace cfg
