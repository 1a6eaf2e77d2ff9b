#pragma once

#include "toolkit/Color.h"
#include "toolkit/RasterCanvas.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace war {

// An image as a GIF holds it: at most 256 colours and one palette index per
// pixel.
struct IndexedImage {
    std::vector<tk::Color> palette;    // 0x00BBGGRR, at most 256
    std::vector<std::uint8_t> indexes; // row by row, one per pixel
};

// The image with a palette of its own colours, in the order they first
// appear from the top left. An image of more than 256 colours takes a fixed
// palette of 6 x 6 x 6 levels instead, each pixel the nearest of them.
[[nodiscard]] IndexedImage indexedImage(const tk::RasterCanvas& image);

// Writes the image as a single-frame GIF file at path, readable by everyone
// (mode 0644). The file appears whole or not at all: the image goes to a
// temporary file beside it, which is flushed to the disk and then renamed
// over it. A folder or a file whose owner has no write permission is
// refused, also when the system would let root write anyway. Returns nothing
// on success, otherwise a message naming the path and the reason; the old
// file then stays as it was and no temporary file is left.
[[nodiscard]] std::optional<std::string> writeGifFile(const tk::RasterCanvas& image,
                                                      const std::filesystem::path& path);

} // namespace war
