// The canvas that draws into memory, and its bitmap font.

#include "toolkit/RasterCanvas.h"
#include "toolkit/PixelFont.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr tk::Color kInk = tk::rgb(200, 10, 30);
constexpr tk::Color kPaper = tk::colors::kWhite;

// The pixels of a colour, as (x, y) pairs.
std::set<std::pair<int, int>> pixelsOf(const tk::RasterCanvas& canvas, tk::Color c) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) == c) {
                out.emplace(x, y);
            }
        }
    }
    return out;
}

using Pixels = std::set<std::pair<int, int>>;

TEST(RasterCanvas, StartsWhiteAndFillsRectanglesWithoutTheirRightAndBottomEdges) {
    tk::RasterCanvas canvas(6, 4);
    EXPECT_EQ(canvas.pixels().size(), 24U);
    EXPECT_EQ(pixelsOf(canvas, kPaper).size(), 24U);

    canvas.setBrushColor(kInk);
    canvas.fillRect({1, 1, 3, 3});
    EXPECT_EQ(pixelsOf(canvas, kInk), (Pixels{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));

    // Clipped at every edge, also far beyond.
    canvas.setBrushColor(tk::colors::kNavy);
    canvas.fillRect({-1'000'000, 3, 1'000'000, 1'000'000});
    EXPECT_EQ(pixelsOf(canvas, tk::colors::kNavy).size(), 6U);
    canvas.fillRect({4, 0, 2, 2}); // inverted: nothing
    EXPECT_EQ(pixelsOf(canvas, tk::colors::kNavy).size(), 6U);

    // Only the low 24 bits are a colour.
    canvas.setBrushColor(0x7F000000 | kInk);
    canvas.fillRect({0, 0, 1, 1});
    EXPECT_EQ(canvas.pixel(0, 0), kInk);
    EXPECT_EQ(canvas.pixel(-1, 0), tk::colors::kBlack);
    EXPECT_EQ(canvas.pixel(6, 0), tk::colors::kBlack);
}

TEST(RasterCanvas, EmptyOrNegativeSizesHoldNoPixels) {
    for (const auto& [w, h] : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-3, -3}}) {
        tk::RasterCanvas canvas(w, h);
        EXPECT_TRUE(canvas.pixels().empty());
        canvas.setBrushColor(kInk);
        canvas.fillRect({0, 0, 5, 5});
        canvas.moveTo(0, 0);
        canvas.lineTo(5, 5);
        canvas.textOut(0, 0, "Hi");
        EXPECT_TRUE(canvas.pixels().empty());
    }
}

TEST(RasterCanvas, LinesRunUpToTheirEndPoint) {
    struct Case {
        const char* what;
        int x0, y0, x1, y1;
        Pixels pixels;
    };
    const Case cases[] = {
        {"across", 1, 2, 5, 2, {{1, 2}, {2, 2}, {3, 2}, {4, 2}}},
        {"leftwards", 5, 2, 1, 2, {{5, 2}, {4, 2}, {3, 2}, {2, 2}}},
        {"down", 3, 0, 3, 3, {{3, 0}, {3, 1}, {3, 2}}},
        {"up", 3, 3, 3, 0, {{3, 3}, {3, 2}, {3, 1}}},
        {"diagonal", 0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}},
        {"shallow", 0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
        {"steep upwards", 1, 4, 0, 0, {{1, 4}, {1, 3}, {1, 2}, {0, 1}}},
        {"a point", 2, 2, 2, 2, {}},
        {"clipped", -2, 1, 2, 1, {{0, 1}, {1, 1}}},
        {"outside", -5, -5, 5, -5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tk::RasterCanvas canvas(6, 5);
        canvas.setPen(kInk, tk::PenStyle::Solid, 1);
        canvas.moveTo(c.x0, c.y0);
        canvas.lineTo(c.x1, c.y1);
        EXPECT_EQ(pixelsOf(canvas, kInk), c.pixels);
    }
}

TEST(RasterCanvas, AFarLineDrawsItsVisiblePartOnly) {
    // From far outside to far outside, through the middle of the image:
    // exactly the image's row, and without walking two billion steps.
    tk::RasterCanvas canvas(50, 10);
    canvas.setPen(kInk, tk::PenStyle::Solid, 1);
    canvas.moveTo(-2'000'000'000, 5);
    canvas.lineTo(2'000'000'000, 5);
    Pixels row;
    for (int x = 0; x < 50; ++x) {
        row.emplace(x, 5);
    }
    EXPECT_EQ(pixelsOf(canvas, kInk), row);

    // A steep far line keeps its slope where it crosses.
    tk::RasterCanvas steep(10, 10);
    steep.setPen(kInk, tk::PenStyle::Solid, 1);
    steep.moveTo(-1'000'000'000, -1'000'000'000);
    steep.lineTo(1'000'000'000, 1'000'000'000);
    EXPECT_EQ(pixelsOf(steep, kInk).size(), 10U);
    EXPECT_EQ(steep.pixel(7, 7), kInk);
}

TEST(RasterCanvas, ADottedPenDrawsTwoPixelsAndSkipsTwo) {
    tk::RasterCanvas canvas(12, 3);
    canvas.setPen(kInk, tk::PenStyle::Dot, 1);
    canvas.moveTo(0, 1);
    canvas.lineTo(11, 1);
    EXPECT_EQ(pixelsOf(canvas, kInk), (Pixels{{0, 1}, {1, 1}, {4, 1}, {5, 1}, {8, 1}, {9, 1}}));
}

TEST(RasterCanvas, AWidePenDrawsASquareAtEachStep) {
    tk::RasterCanvas canvas(8, 5);
    canvas.setPen(kInk, tk::PenStyle::Solid, 3);
    canvas.moveTo(2, 2);
    canvas.lineTo(4, 2);
    // Steps at x 2 and 3, each a 3 x 3 square around the step.
    Pixels expected;
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 3; ++y) {
            expected.emplace(x, y);
        }
    }
    EXPECT_EQ(pixelsOf(canvas, kInk), expected);
}

// The pixels a glyph sets, from its picture, at (x, y).
Pixels glyphPixels(char c, int x, int y) {
    Pixels out;
    const auto& glyph = tk::PixelFont::glyph(static_cast<unsigned char>(c));
    for (int row = 0; row < tk::PixelFont::kGlyphHeight; ++row) {
        for (int col = 0; col < tk::PixelFont::kGlyphWidth; ++col) {
            if (glyph[static_cast<std::size_t>(row)] & (0x10 >> col)) {
                out.emplace(x + col, y + row);
            }
        }
    }
    return out;
}

TEST(RasterCanvas, WritesTextInTheFontColourOverWhatIsThere) {
    tk::RasterCanvas canvas(30, 12);
    canvas.setBrushColor(tk::colors::kNavy);
    canvas.fillRect({0, 0, 30, 12});
    canvas.setFont("Verdana", 8, false);
    canvas.setFontColor(kInk);
    canvas.textOut(2, 3, "L1");

    Pixels expected = glyphPixels('L', 2, 3);
    const Pixels one = glyphPixels('1', 8, 3);
    expected.insert(one.begin(), one.end());
    EXPECT_EQ(pixelsOf(canvas, kInk), expected);
    // The rest keeps the background: text has no box of its own.
    EXPECT_EQ(pixelsOf(canvas, tk::colors::kNavy).size(), 30U * 12U - expected.size());
    EXPECT_EQ(canvas.textWidth("L1"), 12);
    EXPECT_EQ(canvas.textHeight("L1"), 9);
}

TEST(RasterCanvas, BoldTextIsOnePixelWiderPerCharacterAndLargeSizesScale) {
    tk::RasterCanvas canvas(40, 20);
    canvas.setFontColor(kInk);
    canvas.setFont("Verdana", 8, true);
    EXPECT_EQ(canvas.textWidth("ab"), 14);
    canvas.textOut(0, 0, "I");
    // "I" in bold: the picture and the picture one pixel to the right.
    Pixels bold = glyphPixels('I', 0, 0);
    const Pixels shifted = glyphPixels('I', 1, 0);
    bold.insert(shifted.begin(), shifted.end());
    EXPECT_EQ(pixelsOf(canvas, kInk), bold);

    canvas.setFont("Verdana", 16, false);
    EXPECT_EQ(canvas.textWidth("ab"), 24);
    EXPECT_EQ(canvas.textHeight("ab"), 18);
}

TEST(RasterCanvas, TextRectClipsToItsRectangle) {
    tk::RasterCanvas canvas(30, 12);
    canvas.setFontColor(kInk);
    canvas.textRect({0, 0, 8, 5}, 2, 3, "L1");
    Pixels expected;
    for (const auto& p : glyphPixels('L', 2, 3)) {
        if (p.first < 8 && p.second < 5) {
            expected.insert(p);
        }
    }
    EXPECT_EQ(pixelsOf(canvas, kInk), expected);
    EXPECT_FALSE(expected.empty());
}

TEST(PixelFont, EveryPrintableCharacterHasAGlyphOfItsOwn) {
    std::set<tk::PixelFont::Glyph> seen;
    const tk::PixelFont::Glyph& box = tk::PixelFont::glyph(0x01);
    for (int c = 0x21; c <= 0x7E; ++c) {
        SCOPED_TRACE(std::string(1, static_cast<char>(c)));
        const auto& glyph = tk::PixelFont::glyph(static_cast<unsigned char>(c));
        EXPECT_NE(glyph, box);
        EXPECT_NE(glyph, tk::PixelFont::glyph(' '));
        EXPECT_TRUE(seen.insert(glyph).second) << "the same picture as an earlier character";
    }
}

TEST(PixelFont, BytesOutsideAsciiShowAsOneBoxPerCharacter) {
    const auto& box = tk::PixelFont::glyph(0x01);
    struct Case {
        const char* what;
        std::string text;
        int glyphs;
    };
    const Case cases[] = {
        {"UTF-8 e acute", "\xC3\xA9", 1},
        {"UTF-8 euro sign", "\xE2\x82\xAC", 1},
        {"Latin-1 e acute twice", "\xE9\xE9", 2},
        {"a tab", "\t", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int drawn = 0;
        tk::PixelFont::layout(c.text, 1, false, [&](const tk::PixelFont::Glyph& g, int) {
            EXPECT_EQ(g, box);
            ++drawn;
        });
        EXPECT_EQ(drawn, c.glyphs);
    }
}

} // namespace
