#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "war/WarRecord.h"

#include <array>

namespace cfg {
struct SettingsBlock;
}

namespace war {

// The colours the graphs are drawn in, 0x00BBGGRR each.
struct GraphColors {
    tk::Color background = tk::colors::kWhite;
    tk::Color grid = tk::colors::kSilver; // axes and tick marks
    tk::Color font = tk::colors::kSilver; // texts and tick labels
    tk::Color teamA = tk::colors::kMaroon;
    tk::Color teamB = tk::colors::kNavy;
    // One per player history slot; slots beyond these take the colour of
    // their slot modulo the table's size.
    std::array<tk::Color, 32> player{};
};

// The graph colours of the settings ([Colors]).
[[nodiscard]] GraphColors graphColorsOf(const cfg::SettingsBlock& settings);

// Whether the graphs show the record: a running war, or a stopped one whose
// result stays until the next war starts.
[[nodiscard]] bool graphShows(const WarRecord& record);

// The war graph on the area (0, 0) to (width, height): the background, the
// time axis 20 pixels above the bottom and the frag axis in the middle; for a
// record that shows, the team names, server, game type and map, the ticks,
// and one line per team: its total with the frags of players who left, and
// from the first departure on a dotted line of what the present players hold.
void DrawWarGraph(tk::Canvas& canvas, int width, int height, const WarRecord& record,
                  const GraphColors& colors);

// The player graph the same way: a legend and a line per player history.
void DrawPlayerGraph(tk::Canvas& canvas, int width, int height, const WarRecord& record,
                     const GraphColors& colors);

} // namespace war
