#pragma once

#include <cstdint>

namespace tk {

// Colours are 0x00BBGGRR: red in the low byte.
using Color = std::int32_t;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Color c) {
    return c & 0xFF;
}
constexpr int greenOf(Color c) {
    return (c >> 8) & 0xFF;
}
constexpr int blueOf(Color c) {
    return (c >> 16) & 0xFF;
}

namespace colors {
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kMaroon = 0x000080;
constexpr Color kNavy = 0x800000;
constexpr Color kGreen = 0x008000;
constexpr Color kSilver = 0xC0C0C0;
constexpr Color kRed = 0x0000FF;
} // namespace colors

// Colours that come from the desktop theme.
enum class SystemColor { Highlight, HighlightText, InfoBackground, Window, WindowText };

} // namespace tk
