#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// How the game is started to join a server: the program and its arguments,
// handed over as a list (never through a shell).
struct GameLaunch {
    std::string program;
    std::vector<std::string> arguments;
};

// Which system the game runs on.
enum class GameSystem { Windows, Unix };

// The game's start for joining address:port (the port matters: a server
// that is not on 7777 would otherwise be joined on the wrong one).
// On Windows: <game folder>\System\UnrealTournament.exe. Elsewhere: the
// game's native binary (System64/ut-bin-amd64, else System/ut-bin), or else
// System/UnrealTournament.exe through wine when `wine` names it; each path
// component is found without regard to case. nullopt when there is no game
// to start.
[[nodiscard]] std::optional<GameLaunch> planGameLaunch(std::string_view gameFolder,
                                                       std::string_view address,
                                                       std::string_view gamePort,
                                                       GameSystem system,
                                                       const std::optional<std::string>& wine);

// The system this program runs on.
[[nodiscard]] GameSystem thisSystem();

// A program of the given name on the PATH, nullopt when there is none.
[[nodiscard]] std::optional<std::string> findProgram(std::string_view name);

} // namespace app
