#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace query {

class ReplyIndex;

// The echo stamp that ends every UDP query: "\echo\ping_" + tick + "|".
[[nodiscard]] std::string PingStamp(std::uint32_t tickCount);

// The value of key in a text of `\key\value` pairs: one datagram or an
// assembled reply. Keys are matched whole and only in key position (see
// ReplyPairs), the first occurrence counts; "" when the key is absent. For
// many keys of one text, read them through a ReplyIndex instead.
[[nodiscard]] std::string_view PacketValue(std::string_view key, std::string_view text);

// --- The echo, shared by every reader of a reply to a stamped query ---------

// The send time used when an echo carries none.
inline constexpr std::uint32_t kEchoDefaultTick = 10019;

// The echo of a reply: "echo_replay" (servers of version 451 and later answer
// \echo\x with \echo_replay\x) when it carries a value, otherwise "echo". Both
// keys are matched whole, so a player named "echo" is never read as the echo.
[[nodiscard]] std::string_view echoValue(std::string_view text);
[[nodiscard]] std::string_view echoValue(const ReplyIndex& reply);

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

// --- The ping of a stamped query ---------------------------------------------

// Milliseconds taken off every round trip for the time the server needs.
inline constexpr std::uint32_t kPingAllowance = 20;
// The longest round trip of an answer that counts: a ping of 9998 ms.
inline constexpr std::uint32_t kMaxRoundTrip = 9998 + kPingAllowance;

// The round trip of a query stamped at sendTick and answered at tickNow, in
// 32-bit wrap-around arithmetic: right across the wrap of the tick count after
// 49.7 days, and huge for a stray stamp later than tickNow.
[[nodiscard]] constexpr std::uint32_t roundTrip(std::uint32_t tickNow, std::uint32_t sendTick) {
    return tickNow - sendTick;
}

// Whether the answer counts: its round trip is at most kMaxRoundTrip, however
// fast it came.
[[nodiscard]] constexpr bool answerInTime(std::uint32_t tickNow, std::uint32_t sendTick) {
    return roundTrip(tickNow, sendTick) <= kMaxRoundTrip;
}

// The ping shown for an answer: the round trip minus kPingAllowance, never
// below 0 (a server on the LAN shows 0), at most the largest int32.
[[nodiscard]] std::int32_t echoPing(std::uint32_t tickNow, std::uint32_t sendTick);

} // namespace query
