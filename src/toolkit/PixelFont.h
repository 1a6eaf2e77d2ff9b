#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tk {

// The small bitmap font of the raster canvas: one 5 x 7 glyph per printable
// ASCII character, drawn by hand for this program. Bytes outside printable
// ASCII show as a hollow box; the continuation bytes of a UTF-8 sequence add
// nothing, so a name in UTF-8 shows one box per character.
class PixelFont {
public:
    static constexpr int kGlyphWidth = 5;
    static constexpr int kGlyphHeight = 7;
    // Glyph width plus one column of space.
    static constexpr int kAdvance = kGlyphWidth + 1;
    // Glyph height plus two rows of line spacing.
    static constexpr int kLineHeight = kGlyphHeight + 2;

    // Rows top to bottom; bit 4 is the leftmost pixel, bit 0 the rightmost.
    using Glyph = std::array<std::uint8_t, kGlyphHeight>;

    // The pixel scale of a point size: 1 up to 13 pt, 2 up to 23 pt, ...
    [[nodiscard]] static int scaleFor(int sizePt);

    // The glyph of a byte (the box for bytes outside printable ASCII).
    [[nodiscard]] static const Glyph& glyph(unsigned char c);

    // Calls draw(glyph, xOffset) for each character of text that shows, with
    // its offset from the start of the text in pixels; returns the width of
    // the whole text. Bold adds one pixel per character.
    template <typename Draw>
    static int layout(std::string_view text, int scale, bool bold, Draw&& draw) {
        const int advance = (kAdvance + (bold ? 1 : 0)) * scale;
        int x = 0;
        bool afterHighByte = false;
        for (const char ch : text) {
            const auto c = static_cast<unsigned char>(ch);
            const bool continuation = c >= 0x80 && c < 0xC0 && afterHighByte;
            afterHighByte = c >= 0x80;
            if (continuation) {
                continue;
            }
            draw(glyph(c), x);
            x += advance;
        }
        return x;
    }

    [[nodiscard]] static int textWidth(std::string_view text, int scale, bool bold) {
        return layout(text, scale, bold, [](const Glyph&, int) {});
    }
};

} // namespace tk
