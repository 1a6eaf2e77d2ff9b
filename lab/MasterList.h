#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace utlab {

// The list a master server sends: `\ip\127.0.0.1:PORT` per server, then `\final\`.
[[nodiscard]] std::string masterListText(std::span<const std::uint16_t> queryPorts);

// The query ports to list: the lab's own, cut to `entries`, or followed by made-up ports where
// nothing listens (isFree says so) until there are `entries`; entries < 0 lists the lab's own.
// Made-up ports come from 10000 to 32767, the lab's own skipped; when those run out they
// repeat.
[[nodiscard]] std::vector<std::uint16_t>
listedPorts(std::span<const std::uint16_t> labPorts, int entries,
            const std::function<bool(std::uint16_t)>& isFree);

// Cuts a text into `count` pieces of seeded random sizes, none empty. When the text ends with
// `\final\` and there are at least two pieces, one cut falls inside that marker. Fewer pieces
// when the text is too short for `count`.
[[nodiscard]] std::vector<std::string> cutIntoPieces(std::string_view text, int count,
                                                     std::uint64_t seed);

} // namespace utlab
