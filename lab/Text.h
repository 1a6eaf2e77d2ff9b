#pragma once

#include <string>
#include <string_view>

namespace utlab {

enum class Charset { Utf8, Latin1 };

// Re-encodes UTF-8 text for the wire. Latin-1 output turns characters above U+00FF into '?';
// bytes that are not valid UTF-8 are passed through unchanged.
[[nodiscard]] std::string encodeText(std::string_view utf8, Charset charset);

[[nodiscard]] std::string withoutBackslashes(std::string_view text);

// A float as the game prints it: single precision, six decimals ("1234.560059").
[[nodiscard]] std::string formatFloat(float value);

[[nodiscard]] bool equalsIgnoreCase(std::string_view a, std::string_view b);

[[nodiscard]] std::string_view trimmed(std::string_view text);

} // namespace utlab
