#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace utlab {

// One `\type\value` pair of a query datagram.
struct Command {
    std::string type;
    std::string value;

    bool operator==(const Command&) const = default;
};

// Commands beyond this many in one datagram are ignored, so a datagram full of `\status\`
// cannot make a server flood its peer.
inline constexpr std::size_t kMaxCommands = 16;

// Splits a query datagram into its commands. The text ends at the first zero byte; anything
// before the first backslash is ignored; a type needs its closing backslash (`\info` alone
// yields nothing) while a value runs to the next backslash or the end of the text; empty types
// (the `\\` between `\status\` and `\echo\x`) are skipped.
[[nodiscard]] std::vector<Command> parseRequest(std::string_view datagram);

// Whether a server answers this command type at all.
[[nodiscard]] bool isKnownCommand(std::string_view type);

} // namespace utlab
