#include "query/ServerDisplay.h"

#include "settings/SettingsBlock.h"
#include "query/ServerTables.h"
#include "query/Vocabulary.h"
#include "toolkit/ImageIndex.h"
#include "toolkit/Ascii.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace query {

namespace {

constexpr int kTextIndent = 3; // pixels between a cell's left edge and its text

[[nodiscard]] tk::Color teamColor(std::int32_t team) {
    switch (team) {
    case 0:
        return rosterColors::kTeam0;
    case 1:
        return rosterColors::kTeam1;
    case 2:
        return rosterColors::kTeam2;
    case 3:
        return rosterColors::kTeam3;
    default:
        return tk::colors::kBlack;
    }
}

} // namespace

namespace {

bool always(const PlayerProperties&) {
    return true;
}

// The ngStats cell shows its tick or cross as an image over a blank.
constexpr const char* kNgStatsHeader = "ngStats";

const RosterColumn kRosterColumns[] = {
    {"No.", 26, always, [](const PlayerRecord&, int slot) { return tk::intText(slot); }},
    {"Player", 169, always, [](const PlayerRecord& p, int) { return p.name.str(); }},
    {"Frags", 43, always, [](const PlayerRecord& p, int) { return tk::intText(p.frags); }},
    {"Health", 43, [](const PlayerProperties& p) { return p.health; },
     [](const PlayerRecord& p, int) { return p.health.str(); }},
    {"Ping", 47, always, [](const PlayerRecord& p, int) { return tk::intText(p.ping); }},
    {"Team", 43, always, [](const PlayerRecord& p, int) { return TeamName(p.team); }},
    {kNgStatsHeader, 42, always, [](const PlayerRecord&, int) { return std::string(" "); }},
    {"Spree", 64, [](const PlayerProperties& p) { return p.spree; },
     [](const PlayerRecord& p, int) { return SpreeName(p.spree); }},
    {"Weapon", 80, [](const PlayerProperties& p) { return p.weapon; },
     [](const PlayerRecord& p, int) { return p.weapon.str(); }},
    {"Specials", 80, [](const PlayerProperties& p) { return p.inventory; },
     [](const PlayerRecord& p, int) { return p.inventory.str(); }},
};

} // namespace

std::vector<const RosterColumn*> rosterColumns(const PlayerProperties& properties) {
    std::vector<const RosterColumn*> columns;
    for (const RosterColumn& column : kRosterColumns) {
        if (column.shown(properties)) {
            columns.push_back(&column);
        }
    }
    return columns;
}

std::vector<std::string> rosterHeaders(const PlayerProperties& properties) {
    std::vector<std::string> headers;
    for (const RosterColumn* column : rosterColumns(properties)) {
        headers.emplace_back(column->header);
    }
    return headers;
}

PlayerProperties playerProperties(const cfg::SettingsBlock& s) {
    return {s.Health, s.Spree, s.Weapon, s.Inventory};
}

ServerDisplay::ServerDisplay(tk::Platform& platform, const cfg::SettingsBlock& settings,
                             ServerRecords& records, WatchControls& controls)
    : m_platform(platform), m_settings(settings), m_records(records), m_controls(controls) {
    m_controls.rooster.setSortMode(tk::StringGrid::SortMode::Numeric);
}

void ServerDisplay::BuildRosterColumns() {
    tk::StringGrid& rooster = m_controls.rooster;
    const std::vector<const RosterColumn*> columns = rosterColumns(playerProperties(m_settings));
    // A column that stays keeps the width the user gave it, wherever it
    // moves; a new one starts at its own width.
    std::map<std::string, int> widths;
    for (int col = 0; col < rooster.colCount(); ++col) {
        widths.emplace(rooster.cell(col, 0), rooster.colWidth(col));
        // The ngStats images go with the column that held them.
        rooster.removeColumnImages(col);
    }
    rooster.setColCount(static_cast<int>(columns.size()));
    for (int col = 0; col < static_cast<int>(columns.size()); ++col) {
        const RosterColumn& column = *columns[static_cast<std::size_t>(col)];
        const auto kept = widths.find(column.header);
        rooster.setCell(col, 0, column.header);
        rooster.setColWidth(col, kept != widths.end() ? kept->second : column.width);
    }
}

int ServerDisplay::ngStatsColumn() const {
    const std::vector<const RosterColumn*> columns = rosterColumns(playerProperties(m_settings));
    for (std::size_t col = 0; col < columns.size(); ++col) {
        if (columns[col]->header == std::string_view(kNgStatsHeader)) {
            return static_cast<int>(col);
        }
    }
    return -1;
}

void ServerDisplay::ShowRoster() {
    tk::StringGrid& rooster = m_controls.rooster;
    const std::vector<const RosterColumn*> columns = rosterColumns(playerProperties(m_settings));
    const int ngStats = ngStatsColumn();
    // The parser's last record is an empty one; slots 1..n hold the players.
    const int n = std::clamp(m_records.playerEnd - 2, 0, kMaxPlayers);
    rooster.setRowCount(n + 1);

    std::vector<std::string> cells(columns.size());
    for (int slot = 1; slot <= n; ++slot) {
        const PlayerRecord& p = m_records.players[static_cast<std::size_t>(slot)];
        for (std::size_t col = 0; col < columns.size(); ++col) {
            cells[col] = columns[col]->cell(p, slot);
        }
        // The row the last sort gave to this slot; the rows are not sorted again.
        const int row = rooster.displayRow(slot);
        rooster.setRow(row, cells);
        rooster.setCellImage(ngStats, row,
                             p.ngsecret == "Enabled" ? tk::images::kTick : tk::images::kCross);
    }
}

std::string ServerDisplay::mapText() const {
    const ServerEntry& s = m_records.currentServer;
    if (s.mapname.empty()) {
        return s.maptitle.str();
    }
    std::string text = s.maptitle.str() + "  ->  " + tk::asciiLower(s.mapname) + ".unr";
    if (!MapInstalled(s.mapname, m_settings.UTDir)) {
        text += " (You don't have this map!)";
    }
    return text;
}

void ServerDisplay::ShowServerDetails() {
    const ServerEntry& s = m_records.currentServer;
    std::vector<std::pair<std::string, std::string>> rows{
        {"Variable", "Value"},
        {"Server", s.hostname.str()},
        {"Address", s.address.str() + ":" + s.hostport.str()},
        {"Game Version", s.gamever.str()},
        {"Min Game Vers", s.minnetver.str()},
        {"GameType", GameTypeName(s.gametype)},
        {"Map", mapText()},
        {"Tournament", s.tournament.str()},
        {"Game style", s.gamestyle.str()},
        {"Max Players", tk::intText(s.maxplayers)},
        {"Players", tk::intText(s.numplayers)},
        {"Goal Team Score", s.goalteamscore.str()},
        {"Balanced Teams", s.balanceteams.str()},
        {"Friendly Fire", s.friendlyfire.str()},
        {"Max Teams", s.maxteams.str()},
    };
    if (s.timelimit > 0) {
        rows.emplace_back("Time limit", tk::intText(s.timelimit));
    }
    if (s.fraglimit > 0) {
        rows.emplace_back("Frag limit", tk::intText(s.fraglimit));
    }

    tk::StringGrid& infos = m_controls.serverInfos;
    if (infos.rowCount() < static_cast<int>(rows.size())) {
        infos.setRowCount(static_cast<int>(rows.size()));
    }
    // Row by row, so that a cell whose text stays is not touched.
    for (int row = 0; row < infos.rowCount(); ++row) {
        if (row < static_cast<int>(rows.size())) {
            const auto& [name, value] = rows[static_cast<std::size_t>(row)];
            infos.setRow(row, {name, value});
        } else {
            infos.clearRow(row);
        }
    }
}

void ServerDisplay::keepAddressOf(const ServerEntry& slot) {
    // The address and port the user gave (or the list held) stay: a server
    // behind port forwarding reports its inner game port, which cannot be
    // reached from outside.
    m_records.currentServer.address = slot.address;
    m_records.currentServer.hostport = slot.hostport;
}

void ServerDisplay::storeServerListEntry(int slot) {
    if (slot < 1 || slot >= kServerListSlots) {
        return;
    }
    ServerEntry& target = m_records.serverList[static_cast<std::size_t>(slot)];
    keepAddressOf(target);
    target = m_records.currentServer;

    tk::StringGrid& table = m_controls.servertable;
    const int row = table.displayRow(slot);
    if (row >= table.fixedRows()) {
        table.setRow(row, serverRowCells(target));
    }
}

void ServerDisplay::storeFavourite(int slot) {
    // The slot comes back from the network in the echo: a reply that names no
    // favourite in use is not written anywhere.
    if (slot < 1 || slot >= m_records.favouriteEnd || slot >= kFavouriteSlots) {
        return;
    }
    ServerEntry& target = m_records.favourites[static_cast<std::size_t>(slot)];
    keepAddressOf(target);
    if (m_settings.HostAutoUpdate) {
        target = m_records.currentServer;
    } else {
        const auto ownName = target.hostname; // the user's name for it survives
        target = m_records.currentServer;
        target.hostname = ownName;
    }
    ShowFavouriteRow(m_records, m_controls.favouritestable, slot);
}

void ServerDisplay::StoreWatchedEntry() {
    if (m_records.watchSource == WatchSource::ServerList) {
        storeServerListEntry(m_records.watchSlot);
    } else if (m_records.watchSource == WatchSource::Favourites) {
        storeFavourite(m_records.currentServer.echoSlot);
    }
    const ServerEntry& s = m_records.currentServer;
    m_controls.trayicon.setHint(s.address.str() + ":" + s.hostport.str() + "\n" + s.maptitle.str() +
                                " " + GameTypeName(s.gametype) + "\n" + tk::intText(s.numplayers) +
                                " of " + tk::intText(s.maxplayers) + " Players");
}

void ServerDisplay::RoosterDrawCell(tk::Canvas& canvas, int col, int row, const tk::Rect& rect,
                                    tk::CellState state) {
    if (row == 0) {
        return; // the header keeps the grid's own drawing
    }
    tk::StringGrid& rooster = m_controls.rooster;
    canvas.setFontColor(tk::colors::kBlack);
    if (m_settings.usePlayerColor) {
        const int slot = rooster.dataRow(row);
        if (slot >= 1 && slot < kPlayerSlots) {
            canvas.setFontColor(teamColor(m_records.players[static_cast<std::size_t>(slot)].team));
        }
        if (state.selected) {
            canvas.setFontColor(tk::colors::kWhite);
        }
    }
    if (row == rooster.selectedRow()) {
        canvas.setBrushColor(m_platform.systemColor(tk::SystemColor::Highlight));
    }
    if (col == ngStatsColumn()) {
        return; // keeps the image the grid drew
    }
    canvas.fillRect(rect);
    canvas.textRect(rect, rect.left + kTextIndent, rect.top, rooster.cell(col, row));
}

void ServerDisplay::RoosterDblClickCell(int col, int row) {
    if (row != 0) {
        return;
    }
    m_controls.rooster.toggleSort(col);
}

} // namespace query
