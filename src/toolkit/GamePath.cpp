#include "toolkit/GamePath.h"

#include "toolkit/Ascii.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace tk {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::vector<std::string_view> components(std::string_view relative) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos < relative.size()) {
        while (pos < relative.size() && isSeparator(relative[pos])) {
            ++pos;
        }
        std::size_t end = pos;
        while (end < relative.size() && !isSeparator(relative[end])) {
            ++end;
        }
        if (end > pos) {
            parts.push_back(relative.substr(pos, end - pos));
        }
        pos = end;
    }
    return parts;
}

#ifndef _WIN32
bool pathExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec) && !ec;
}

// The name under which `name` exists in `dir`, matched case-insensitively; the
// smallest such name, so the answer does not depend on the directory's order.
std::optional<std::string> findIgnoreCase(const std::string& dir, std::string_view name) {
    std::error_code ec;
    fs::directory_iterator it(fs::path(dir.empty() ? std::string("/") : dir), ec);
    std::optional<std::string> best;
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().native();
        if (tk::equalsIgnoreAsciiCase(entry, name) && (!best || entry < *best)) {
            best = std::move(entry);
        }
    }
    return best;
}
#endif

} // namespace

std::string gamePath(std::string_view gameFolder, std::string_view relative) {
#ifdef _WIN32
    constexpr char kSeparator = '\\';
#else
    constexpr char kSeparator = '/';
#endif
    std::string path(gameFolder);
    bool matching = true; // off Windows: the path so far exists on disk
    for (std::string_view part : components(relative)) {
        const std::size_t parentSize = path.size();
        if (path.empty() || path.back() != kSeparator) {
            path += kSeparator;
        }
        const std::size_t nameAt = path.size();
        path += part;
#ifdef _WIN32
        (void)parentSize;
        (void)nameAt;
        (void)matching; // the file system ignores case itself
#else
        if (matching && part.find('\0') == std::string_view::npos && !pathExists(path)) {
            if (auto found = findIgnoreCase(path.substr(0, parentSize), part)) {
                path.replace(nameAt, std::string::npos, *found);
            } else {
                matching = false; // nothing below a missing component can exist
            }
        }
#endif
    }
    return path;
}

bool fileExists(std::string_view path) {
    if (path.empty() || path.find('\0') != std::string_view::npos) {
        return false;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(std::string(path)), ec);
    return !ec && fs::is_regular_file(status);
}

bool gameFileExists(std::string_view gameFolder, std::string_view relative) {
    return fileExists(gamePath(gameFolder, relative));
}

} // namespace tk
