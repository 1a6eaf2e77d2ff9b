#include "query/ServerDisplay.h"

#include "settings/SettingsBlock.h"
#include "query/ServerTables.h"
#include "query/Vocabulary.h"
#include "toolkit/ImageIndex.h"
#include "toolkit/Ascii.h"
#include "toolkit/Number.h"

#include <algorithm>
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

std::vector<std::string> rosterHeaders(const cfg::SettingsBlock& s) {
    std::vector<std::string> h{"No.", "Player", "Frags", "Ping", "Team", "ngStats"};
    if (s.Health) {
        h.insert(h.begin() + 3, "Health");
    }
    if (s.Spree) {
        h.emplace_back("Spree");
    }
    if (s.Weapon) {
        h.emplace_back("Weapon");
    }
    if (s.Inventory) {
        h.emplace_back("Specials");
    }
    return h;
}

ServerDisplay::ServerDisplay(tk::Platform& platform, const cfg::SettingsBlock& settings,
                             ServerRecords& records, WatchControls& controls)
    : m_platform(platform), m_settings(settings), m_records(records), m_controls(controls) {
    m_controls.rooster.setSortMode(tk::StringGrid::SortMode::Numeric);
}

int ServerDisplay::ngStatsColumn() const {
    return m_settings.Health ? 6 : 5;
}

void ServerDisplay::ShowRoster() {
    tk::StringGrid& rooster = m_controls.rooster;
    const int ngStats = ngStatsColumn();
    // Every image goes, not only those of today's ngStats column: the column
    // moves when Health is switched.
    for (int col = 0; col < rooster.colCount(); ++col) {
        rooster.removeColumnImages(col);
    }
    // The parser's last record is an empty one; slots 1..n hold the players.
    const int n = std::clamp(m_records.playerEnd - 2, 0, kMaxPlayers);
    rooster.setRowCount(n + 1);

    for (int slot = 1; slot <= n; ++slot) {
        const PlayerRecord& p = m_records.players[static_cast<std::size_t>(slot)];
        std::vector<std::string> cells{tk::intText(slot), p.name.str(), tk::intText(p.frags)};
        if (m_settings.Health) {
            cells.push_back(p.health.str());
        }
        cells.push_back(tk::intText(p.ping));
        cells.push_back(TeamName(p.team));
        cells.emplace_back(" ");
        if (m_settings.Spree) {
            cells.push_back(SpreeName(p.spree));
        }
        if (m_settings.Weapon) {
            cells.push_back(p.weapon.str());
        }
        if (m_settings.Inventory) {
            cells.push_back(p.inventory.str());
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
    for (int row = 0; row < infos.rowCount(); ++row) {
        infos.clearRow(row);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        infos.setRow(static_cast<int>(i), {rows[i].first, rows[i].second});
    }
}

void ServerDisplay::storeServerListEntry(int slot) {
    if (slot < 1 || slot >= kServerListSlots) {
        return;
    }
    ServerEntry& target = m_records.serverList[static_cast<std::size_t>(slot)];
    m_records.currentServer.address = target.address;
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
    m_records.currentServer.address = target.address;
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
