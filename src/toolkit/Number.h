#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tk {

// Reads a signed 32-bit decimal integer. Leading blanks and one sign are
// accepted; anything else (empty text, trailing characters, a value outside
// 32 bits) is not a number.
[[nodiscard]] std::optional<std::int32_t> parseInt(std::string_view text);

// parseInt, with a default for text that is not a number.
[[nodiscard]] std::int32_t toIntDef(std::string_view text, std::int32_t def);

// Like toIntDef, but also reads "0x..." (and "$...") as hexadecimal, as the
// settings file allows. Hexadecimal values fill 32 bits (0xFFFFFFFF is -1).
[[nodiscard]] std::int32_t toIntDefHex(std::string_view text, std::int32_t def);

[[nodiscard]] inline std::string intText(std::int64_t v) {
    return std::to_string(v);
}

} // namespace tk
