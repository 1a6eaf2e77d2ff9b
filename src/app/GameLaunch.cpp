#include "app/GameLaunch.h"

#include "toolkit/GamePath.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace app {

namespace {

constexpr const char* kWindowsGame = "\\System\\UnrealTournament.exe";
constexpr const char* kNativeGames[] = {"\\System64\\ut-bin-amd64", "\\System\\ut-bin"};

std::optional<std::string> existingGameFile(std::string_view gameFolder, std::string_view file) {
    if (gameFolder.empty()) {
        return std::nullopt; // no game folder set up: nothing to look for from the root
    }
    std::string path = tk::gamePath(gameFolder, file);
    if (!tk::fileExists(path)) {
        return std::nullopt;
    }
    return path;
}

} // namespace

std::optional<GameLaunch> planGameLaunch(std::string_view gameFolder, std::string_view address,
                                         std::string_view gamePort, GameSystem system,
                                         const std::optional<std::string>& wine) {
    std::string target(address);
    if (!gamePort.empty()) {
        target += ":";
        target += gamePort;
    }
    if (system == GameSystem::Windows) {
        if (auto game = existingGameFile(gameFolder, kWindowsGame)) {
            return GameLaunch{*game, {target}};
        }
        return std::nullopt;
    }
    for (const char* native : kNativeGames) {
        if (auto game = existingGameFile(gameFolder, native)) {
            return GameLaunch{*game, {target}};
        }
    }
    if (wine) {
        if (auto game = existingGameFile(gameFolder, kWindowsGame)) {
            return GameLaunch{*wine, {*game, target}};
        }
    }
    return std::nullopt;
}

GameSystem thisSystem() {
#ifdef _WIN32
    return GameSystem::Windows;
#else
    return GameSystem::Unix;
#endif
}

std::optional<std::string> findProgram(std::string_view name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.empty()) {
        return std::nullopt;
    }
#ifdef _WIN32
    constexpr char kListSeparator = ';';
#else
    constexpr char kListSeparator = ':';
#endif
    std::string_view rest(path);
    while (!rest.empty()) {
        const std::size_t end = rest.find(kListSeparator);
        const std::string_view folder = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (folder.empty()) {
            continue;
        }
        const std::filesystem::path candidate = std::filesystem::path(folder) / name;
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error)) {
            return candidate.string();
        }
    }
    return std::nullopt;
}

} // namespace app
