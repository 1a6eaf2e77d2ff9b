#pragma once

#include <string>
#include <string_view>

namespace serverlist {

// The game's key for answering a master server's challenge.
inline constexpr std::string_view kGameKey = "Z5Nfb0";

// The answer to a master server's "\secure\" challenge: the challenge
// enciphered with a key-scheduled byte permutation of the game key, written
// in base64 letters without '=' padding (six challenge letters give eight
// characters). An empty key leaves the permutation unshuffled.
[[nodiscard]] std::string validateAnswer(std::string_view challenge,
                                         std::string_view key = kGameKey);

} // namespace serverlist
