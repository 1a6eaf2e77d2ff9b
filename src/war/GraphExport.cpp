#include "war/GraphExport.h"

#include "settings/SettingsBlock.h"
#include "toolkit/RasterCanvas.h"
#include "war/GifWriter.h"

#include <algorithm>
#include <filesystem>

namespace war {

GraphExportOptions graphExportOptionsOf(const cfg::SettingsBlock& settings) {
    GraphExportOptions options;
    options.folder = settings.SaveTo.str();
    options.width = settings.StatsWidth;
    options.height = settings.StatsHeight;
    options.colors = graphColorsOf(settings);
    return options;
}

std::string graphFilePath(std::string_view folder, std::string_view fileName) {
    constexpr auto kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string path(folder);
    if (path.empty() || (path.back() != kSeparator && path.back() != '/')) {
        path += kSeparator;
    }
    path += fileName;
    return path;
}

std::optional<std::string> exportGraphs(const WarRecord& record,
                                        const GraphExportOptions& options) {
    const int width = std::clamp(options.width, 1, kMaxGraphSide);
    const int height = std::clamp(options.height, 1, kMaxGraphSide);
    tk::RasterCanvas image(width, height);

    DrawWarGraph(image, width, height, record, options.colors);
    if (auto failed = writeGifFile(image, graphFilePath(options.folder, kWarGraphFile))) {
        return failed;
    }
    DrawPlayerGraph(image, width, height, record, options.colors);
    return writeGifFile(image, graphFilePath(options.folder, kPlayerGraphFile));
}

} // namespace war
