#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace app {

// How the preferences dialog reads its boxes back.

// The query interval a box may hold, in seconds.
inline constexpr std::int32_t kShortestQueryInterval = 1;
inline constexpr std::int32_t kLongestQueryInterval = 600;
// What an unusable query interval is set to when its box is left.
inline constexpr const char* kQueryIntervalFallback = "2";

// The query interval box as it stays when left: a whole number from 1 to
// 600 stays as typed, anything else becomes "2".
[[nodiscard]] std::string checkedQueryInterval(std::string text);

// The first local UDP port as it is stored: the number typed when all three
// ports from it fit in 1..65535, else the default first port.
[[nodiscard]] std::int32_t firstLocalPort(std::string_view text);
// The last of the three local ports that will be used for that text.
[[nodiscard]] std::string lastLocalPortText(std::string_view text);

} // namespace app
