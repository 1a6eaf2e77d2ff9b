#pragma once

#include "war/WarGraph.h"
#include "war/WarRecord.h"

#include <optional>
#include <string>
#include <string_view>

namespace cfg {
struct SettingsBlock;
}

namespace war {

inline constexpr std::string_view kWarGraphFile = "warstats.gif";
inline constexpr std::string_view kPlayerGraphFile = "playerstats.gif";
// The longest side of a saved image; sizes are kept within 1 and this.
inline constexpr int kMaxGraphSide = 4096;

// Where and how the graphs are saved ([Web-Server] and [Colors]).
struct GraphExportOptions {
    std::string folder; // SaveTo
    int width = 400;    // StatsWidth
    int height = 300;   // StatsHeight
    GraphColors colors;
};

[[nodiscard]] GraphExportOptions graphExportOptionsOf(const cfg::SettingsBlock& settings);

// The path of one image file in the export folder, joined with the native
// separator unless the folder already ends with one; an empty folder means
// the root folder. The name is used exactly as given, unlike game paths,
// because a web server serves it by that name.
[[nodiscard]] std::string graphFilePath(std::string_view folder, std::string_view fileName);

// Export graphs: draws the war graph and the player graph onto images of
// the options' size and saves them as warstats.gif and playerstats.gif in
// the folder, each replaced whole (see writeGifFile). Both files are
// overwritten every time; a record that does not show gives two empty
// frames. Returns nothing when both are saved; otherwise the message of the
// first failure, for the caller to show, and the files after it are not
// written.
[[nodiscard]] std::optional<std::string> exportGraphs(const WarRecord& record,
                                                      const GraphExportOptions& options);

} // namespace war
