#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace query {

// The echo stamp that ends every UDP query: "\echo\ping_" + tick + "|".
[[nodiscard]] std::string PingStamp(std::uint32_t tickCount);

// The value of key in a text of backslash-separated keys and values: the text
// after the first "\key\" up to the next backslash; "" when the key is absent.
// Used for one datagram and for an assembled reply alike.
[[nodiscard]] std::string_view PacketValue(std::string_view key, std::string_view text);

// --- The echo, shared by every reader of a reply to a stamped query ---------

// The send time used when an echo carries none.
inline constexpr std::uint32_t kEchoDefaultTick = 10019;

// The echo value of a reply: "echo", or, when that is absent or empty,
// "echo_replay" (servers of version 451 and later answer \echo\x with
// \echo_replay\x).
[[nodiscard]] std::string_view echoValue(std::string_view text);

// An echo value ("ping_" + send tick + "|" + target) taken apart: s is the part
// after the first "_" (all of it without "_"); the send time is the part of s
// before its first "|" (none without "|"), the target the part after it (all
// of s without "|").
struct EchoParts {
    std::optional<std::uint32_t> sendTick; // nullopt: empty or not a number
    std::string_view target;
};
[[nodiscard]] EchoParts splitEcho(std::string_view echo);

// A tick count written in decimal: 0 to 4294967295 (PingStamp writes the
// unsigned count), or a signed 32-bit number taken modulo 2^32; leading blanks
// and a sign are accepted as by tk::parseInt.
[[nodiscard]] std::optional<std::uint32_t> parseTick(std::string_view text);

// tickNow - sendTick - 20 in 32-bit wrap-around arithmetic, as a signed number
// (a reply faster than 20 ms gives a small negative ping).
[[nodiscard]] std::int32_t echoPing(std::uint32_t tickNow, std::uint32_t sendTick);

} // namespace query
