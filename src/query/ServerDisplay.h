#pragma once

#include "query/Records.h"
#include "query/WatchControls.h"
#include "toolkit/Canvas.h"
#include "toolkit/Platform.h"
#include "toolkit/StringGrid.h"

#include <string>
#include <vector>

namespace cfg {
struct SettingsBlock;
}

namespace query {

// Team colours of the roster (0x00BBGGRR).
namespace rosterColors {
constexpr tk::Color kTeam0 = tk::rgb(128, 0, 0);    // maroon
constexpr tk::Color kTeam1 = tk::rgb(0, 0, 128);    // navy
constexpr tk::Color kTeam2 = tk::rgb(0, 128, 0);    // green
constexpr tk::Color kTeam3 = tk::rgb(216, 211, 27); // gold
} // namespace rosterColors

// One column of the roster: its header, its width at start, whether the
// player properties switched on show it, and its cell of a player.
struct RosterColumn {
    const char* header;
    int width;
    bool (*shown)(const PlayerProperties&);
    std::string (*cell)(const PlayerRecord& player, int slot);
};

// The roster's columns for the player properties switched on, in order.
[[nodiscard]] std::vector<const RosterColumn*> rosterColumns(const PlayerProperties& properties);
[[nodiscard]] std::vector<std::string> rosterHeaders(const PlayerProperties& properties);
// The player properties that the settings switch on.
[[nodiscard]] PlayerProperties playerProperties(const cfg::SettingsBlock& s);

// Shows the watched server: its settings in ServerInfos, its players in the
// Rooster grid, and its row in the table it was chosen from, with the tray
// tooltip. Also draws and sorts the roster.
class ServerDisplay {
public:
    // Sets the roster to numeric sorting, so that frags and pings compare as
    // numbers.
    ServerDisplay(tk::Platform& platform, const cfg::SettingsBlock& settings,
                  ServerRecords& records, WatchControls& controls);

    // Fills the roster from players: one row per player of the latest reply,
    // written into the rows the last sort gave to their slots.
    void ShowRoster();
    // Fills ServerInfos from currentServer.
    void ShowServerDetails();
    // Writes currentServer back to its slot, redraws its table row and sets
    // the tray tooltip.
    void StoreWatchedEntry();

    // Rooster.onDrawCell: colours and writes a player cell after the grid drew it.
    void RoosterDrawCell(tk::Canvas& canvas, int col, int row, const tk::Rect& rect,
                         tk::CellState state);
    // Rooster.onDblClickCell: a double click on a header cell sorts by its column.
    void RoosterDblClickCell(int col, int row);

    // Rebuilds the roster's columns (headers and widths) for the player
    // properties switched on.
    void BuildRosterColumns();

    // The roster column of "ngStats": 6 with Health on, 5 otherwise.
    [[nodiscard]] int ngStatsColumn() const;

private:
    [[nodiscard]] std::string mapText() const;
    void keepAddressOf(const ServerEntry& slot);
    void storeServerListEntry(int slot);
    void storeFavourite(int slot);

    tk::Platform& m_platform;
    const cfg::SettingsBlock& m_settings;
    ServerRecords& m_records;
    WatchControls& m_controls;
};

} // namespace query
