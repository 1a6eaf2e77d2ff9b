#include "war/GifWriter.h"

#include "toolkit/AtomicFile.h"

#include <gif_lib.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <system_error>
#include <unordered_map>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define SKARVELL_HAVE_FSYNC 1
#endif

namespace fs = std::filesystem;

namespace war {

namespace {

constexpr std::size_t kMaxColors = 256;
constexpr tk::Color kRgbMask = 0xFFFFFF;
// Levels per component of the palette for images of many colours.
constexpr int kLevels = 6;
constexpr int kColorResolution = 8; // bits per component in the palette

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        static_cast<void>(EGifCloseFile(gif, &error));
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

struct ColorMapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColorMapHandle = std::unique_ptr<ColorMapObject, ColorMapFreer>;

int levelOf(int component) {
    return (component * (kLevels - 1) + 127) / 255;
}

IndexedImage quantised(const tk::RasterCanvas& image) {
    IndexedImage out;
    for (int r = 0; r < kLevels; ++r) {
        for (int g = 0; g < kLevels; ++g) {
            for (int b = 0; b < kLevels; ++b) {
                const int step = 255 / (kLevels - 1);
                out.palette.push_back(tk::rgb(r * step, g * step, b * step));
            }
        }
    }
    out.indexes.reserve(image.pixels().size());
    for (const tk::Color c : image.pixels()) {
        const int index = (levelOf(tk::redOf(c)) * kLevels + levelOf(tk::greenOf(c))) * kLevels +
                          levelOf(tk::blueOf(c));
        out.indexes.push_back(static_cast<std::uint8_t>(index));
    }
    return out;
}

// The reason for a failure: the system's, when it gave one, else giflib's.
std::string reasonOf(int savedErrno, int gifError) {
    if (savedErrno != 0) {
        return std::generic_category().message(savedErrno);
    }
    const char* text = GifErrorString(gifError);
    return text != nullptr ? std::string(text)
                           : std::string("GIF error ") + std::to_string(gifError);
}

std::string failure(const fs::path& path, const std::string& reason) {
    return "Cannot save the graph to " + path.string() + ": " + reason;
}

std::string systemFailure(const fs::path& path, std::errc code) {
    return failure(path, std::make_error_code(code).message());
}

bool ownerMayWrite(const fs::file_status& status) {
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

// What would keep the file from being written, checked before anything is
// written. The owner's write bits count as well as the system's answer,
// because root may write anywhere.
std::optional<std::string> refusal(const fs::path& path) {
    std::error_code ec;
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    const auto folderStatus = fs::status(folder, ec);
    if (!fs::exists(folderStatus)) {
        return systemFailure(path, std::errc::no_such_file_or_directory);
    }
    if (!fs::is_directory(folderStatus)) {
        return systemFailure(path, std::errc::not_a_directory);
    }
    if (!ownerMayWrite(folderStatus)) {
        return systemFailure(path, std::errc::permission_denied);
    }
    const auto fileStatus = fs::status(path, ec);
    if (fs::is_directory(fileStatus)) {
        return systemFailure(path, std::errc::is_a_directory);
    }
    if (fs::is_regular_file(fileStatus) && !ownerMayWrite(fileStatus)) {
        return systemFailure(path, std::errc::permission_denied);
    }
    return std::nullopt;
}

// Removes the temporary file, never a directory that happens to carry its name.
void discard(const fs::path& temp) {
    std::error_code ec;
    const auto status = fs::symlink_status(temp, ec);
    if (!ec && fs::exists(status) && !fs::is_directory(status)) {
        fs::remove(temp, ec);
    }
}

// Pushes the file's data to the disk before the rename, or a crash could
// leave the name pointing at empty blocks. Returns errno, 0 on success.
int syncFile(const fs::path& file) {
#if defined(SKARVELL_HAVE_FSYNC)
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
#else
    static_cast<void>(file);
    return 0;
#endif
}

void syncFolder(const fs::path& folder) {
#if defined(SKARVELL_HAVE_FSYNC)
    const fs::path name = folder.empty() ? fs::path(".") : folder;
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        static_cast<void>(::fsync(fd));
        ::close(fd);
    }
#else
    static_cast<void>(folder);
#endif
}

// Encodes the image into the file temp, which must not exist yet.
std::optional<std::string> encode(const tk::RasterCanvas& image, const fs::path& temp,
                                  const fs::path& path) {
    const IndexedImage indexed = indexedImage(image);
    // A GIF palette has a power of two entries, at least two.
    int mapSize = 2;
    while (static_cast<std::size_t>(mapSize) < indexed.palette.size()) {
        mapSize *= 2;
    }
    std::vector<GifColorType> colors(static_cast<std::size_t>(mapSize), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < indexed.palette.size(); ++i) {
        const tk::Color c = indexed.palette[i];
        colors[i] = GifColorType{static_cast<GifByteType>(tk::redOf(c)),
                                 static_cast<GifByteType>(tk::greenOf(c)),
                                 static_cast<GifByteType>(tk::blueOf(c))};
    }
    const ColorMapHandle map(GifMakeMapObject(mapSize, colors.data()));
    if (!map) {
        return failure(path, reasonOf(ENOMEM, 0));
    }

    int gifError = 0;
    errno = 0;
    // Creates the file exclusively: a file or link that appeared meanwhile
    // under the temporary name is never written through.
    GifHandle gif(EGifOpenFileName(temp.c_str(), true, &gifError));
    if (!gif) {
        return failure(path, reasonOf(errno, gifError));
    }
    const int width = image.width();
    const int height = image.height();
    errno = 0;
    if (EGifPutScreenDesc(gif.get(), width, height, kColorResolution, 0, map.get()) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) == GIF_ERROR) {
        return failure(path, reasonOf(errno, gif->Error));
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        const auto rowStart = indexed.indexes.begin() + static_cast<std::ptrdiff_t>(y) * width;
        std::copy(rowStart, rowStart + width, line.begin());
        errno = 0;
        if (EGifPutLine(gif.get(), line.data(), width) == GIF_ERROR) {
            return failure(path, reasonOf(errno, gif->Error));
        }
    }
    errno = 0;
    if (EGifCloseFile(gif.release(), &gifError) == GIF_ERROR) {
        return failure(path, reasonOf(errno, gifError));
    }
    return std::nullopt;
}

} // namespace

IndexedImage indexedImage(const tk::RasterCanvas& image) {
    IndexedImage out;
    std::unordered_map<tk::Color, std::uint8_t> known;
    out.indexes.reserve(image.pixels().size());
    for (const tk::Color pixel : image.pixels()) {
        const tk::Color c = pixel & kRgbMask;
        auto it = known.find(c);
        if (it == known.end()) {
            if (out.palette.size() == kMaxColors) {
                return quantised(image);
            }
            it = known.emplace(c, static_cast<std::uint8_t>(out.palette.size())).first;
            out.palette.push_back(c);
        }
        out.indexes.push_back(it->second);
    }
    return out;
}

std::optional<std::string> writeGifFile(const tk::RasterCanvas& image, const fs::path& path) {
    try {
        if (image.width() < 1 || image.height() < 1 || image.width() > 0xFFFF ||
            image.height() > 0xFFFF) {
            return failure(path, "an image of " + std::to_string(image.width()) + " x " +
                                     std::to_string(image.height()) +
                                     " pixels cannot be saved as GIF");
        }
        if (auto refused = refusal(path)) {
            return refused;
        }
        const fs::path temp = tk::tempPathFor(path);
        std::error_code ec;
        // A temporary file left by an earlier crash is replaced; a directory
        // in its place is not ours to delete.
        const auto tempStatus = fs::symlink_status(temp, ec);
        if (fs::is_directory(tempStatus)) {
            return failure(path, temp.string() + " is a folder in the way");
        }
        if (fs::exists(tempStatus) && !fs::remove(temp, ec)) {
            return failure(path, ec.message());
        }

        if (auto failed = encode(image, temp, path)) {
            discard(temp);
            return failed;
        }
        if (const int error = syncFile(temp); error != 0) {
            discard(temp);
            return failure(path, reasonOf(error, 0));
        }
        fs::permissions(temp,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read,
                        fs::perm_options::replace, ec);
        if (!ec) {
            fs::rename(temp, path, ec);
        }
        if (ec) {
            discard(temp);
            return failure(path, ec.message());
        }
        syncFolder(path.parent_path());
        return std::nullopt;
    } catch (const std::exception& e) {
        return failure(path, e.what());
    }
}

} // namespace war
