#pragma once

#include <string>
#include <string_view>

namespace utlab {

// The game key of Unreal Tournament for the master server's challenge.
inline constexpr std::string_view kUtGameKey = "Z5Nfb0";

// The answer a client gives to a master server's `\secure\` challenge: the challenge run
// through a keyed byte shuffle, written in the 64-character alphabet A-Z a-z 0-9 + / without
// '=' padding (six challenge letters give eight characters).
[[nodiscard]] std::string validateResponse(std::string_view challenge, std::string_view gameKey);

} // namespace utlab
