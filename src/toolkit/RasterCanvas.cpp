#include "toolkit/RasterCanvas.h"

#include "toolkit/PixelFont.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tk {

namespace {

constexpr Color kRgbMask = 0xFFFFFF;
// A wider pen than this is drawn this wide.
constexpr int kWidestPen = 64;
// Dotted pens: so many pixels drawn, then so many skipped.
constexpr std::int64_t kDotRun = 2;

// i * delta / steps rounded to the nearest integer, halves upwards; steps > 0
// and |delta| <= steps. The product of two coordinate differences needs up to
// 65 bits.
std::int64_t scaledStep(std::int64_t i, std::int64_t delta, std::int64_t steps) {
#if defined(__SIZEOF_INT128__)
    using Wide = __int128;
    const Wide twice = 2 * static_cast<Wide>(i) * delta + steps;
    const Wide d = 2 * static_cast<Wide>(steps);
    Wide q = twice / d;
    if (twice % d != 0 && twice < 0) {
        --q; // floor, not toward zero
    }
    return static_cast<std::int64_t>(q);
#else
    const long double exact = static_cast<long double>(i) * delta / steps;
    return static_cast<std::int64_t>(std::floor(exact + 0.5L));
#endif
}

bool inside(std::int64_t x, std::int64_t y, const Rect& clip) {
    return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
}

} // namespace

RasterCanvas::RasterCanvas(int width, int height)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
               colors::kWhite) {}

Color RasterCanvas::pixel(int x, int y) const {
    if (!inside(x, y, bounds())) {
        return colors::kBlack;
    }
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

void RasterCanvas::setFont(std::string_view, int sizePt, bool bold) {
    if (sizePt > 0) {
        m_fontScale = PixelFont::scaleFor(sizePt);
    }
    m_bold = bold;
}

void RasterCanvas::setPen(Color c, PenStyle style, int width) {
    m_penColor = c;
    m_penStyle = style;
    m_penWidth = std::clamp(width, 1, kWidestPen);
}

void RasterCanvas::plot(int x, int y, Color c, const Rect& clip) {
    if (!inside(x, y, clip) || !inside(x, y, bounds())) {
        return;
    }
    m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
             static_cast<std::size_t>(x)] = c & kRgbMask;
}

void RasterCanvas::fillRect(const Rect& r) {
    const int left = std::max(r.left, 0);
    const int top = std::max(r.top, 0);
    const int right = std::min(r.right, m_width);
    const int bottom = std::min(r.bottom, m_height);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            plot(x, y, m_brushColor, bounds());
        }
    }
}

void RasterCanvas::drawText(const Rect& clip, int x, int y, std::string_view text) {
    const int scale = m_fontScale;
    const int boldShift = m_bold ? 1 : 0;
    PixelFont::layout(text, scale, m_bold, [&](const PixelFont::Glyph& glyph, int offset) {
        const std::int64_t left = static_cast<std::int64_t>(x) + offset;
        const std::int64_t glyphWidth = (PixelFont::kGlyphWidth + boldShift) * scale;
        if (left >= clip.right || left + glyphWidth <= clip.left) {
            return;
        }
        for (int row = 0; row < PixelFont::kGlyphHeight; ++row) {
            for (int col = 0; col < PixelFont::kGlyphWidth; ++col) {
                if ((glyph[static_cast<std::size_t>(row)] & (0x10 >> col)) == 0) {
                    continue;
                }
                for (int shift = 0; shift <= boldShift; ++shift) {
                    for (int sy = 0; sy < scale; ++sy) {
                        for (int sx = 0; sx < scale; ++sx) {
                            const std::int64_t px = left + (col + shift) * scale + sx;
                            const std::int64_t py = static_cast<std::int64_t>(y) + row * scale + sy;
                            if (inside(px, py, clip)) {
                                plot(static_cast<int>(px), static_cast<int>(py), m_fontColor, clip);
                            }
                        }
                    }
                }
            }
        }
    });
}

void RasterCanvas::textRect(const Rect& clip, int x, int y, std::string_view text) {
    const Rect within{std::max(clip.left, 0), std::max(clip.top, 0), std::min(clip.right, m_width),
                      std::min(clip.bottom, m_height)};
    drawText(within, x, y, text);
}

void RasterCanvas::textOut(int x, int y, std::string_view text) {
    drawText(bounds(), x, y, text);
}

int RasterCanvas::textWidth(std::string_view text) {
    return PixelFont::textWidth(text, m_fontScale, m_bold);
}

int RasterCanvas::textHeight(std::string_view) {
    return PixelFont::kLineHeight * m_fontScale;
}

void RasterCanvas::moveTo(int x, int y) {
    m_penX = x;
    m_penY = y;
}

void RasterCanvas::plotPen(int x, int y) {
    const int before = (m_penWidth - 1) / 2;
    for (int dy = 0; dy < m_penWidth; ++dy) {
        for (int dx = 0; dx < m_penWidth; ++dx) {
            const std::int64_t px = static_cast<std::int64_t>(x) - before + dx;
            const std::int64_t py = static_cast<std::int64_t>(y) - before + dy;
            if (inside(px, py, bounds())) {
                plot(static_cast<int>(px), static_cast<int>(py), m_penColor, bounds());
            }
        }
    }
}

// Steps along the longer axis, one pixel per step, the other coordinate
// rounded to the nearest pixel. Only the steps that can reach the buffer are
// walked, so a line to a far point costs no more than one across the image.
void RasterCanvas::lineTo(int x, int y) {
    const std::int64_t x0 = m_penX;
    const std::int64_t y0 = m_penY;
    const std::int64_t dx = static_cast<std::int64_t>(x) - x0;
    const std::int64_t dy = static_cast<std::int64_t>(y) - y0;
    m_penX = x;
    m_penY = y;

    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);
    if (steps == 0) {
        return;
    }
    const std::int64_t majorStart = alongX ? x0 : y0;
    const std::int64_t majorDir = (alongX ? dx : dy) > 0 ? 1 : -1;
    const std::int64_t minorStart = alongX ? y0 : x0;
    const std::int64_t minorDelta = alongX ? dy : dx;
    const std::int64_t majorSize = alongX ? m_width : m_height;
    const std::int64_t margin = m_penWidth;

    // Steps i whose major coordinate majorStart + i * majorDir lies within
    // [-margin, majorSize + margin).
    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (majorDir > 0) {
        first = std::max(first, -margin - majorStart);
        last = std::min(last, majorSize + margin - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorSize + margin - 1));
        last = std::min(last, majorStart + margin);
    }
    for (std::int64_t i = first; i <= last; ++i) {
        if (m_penStyle == PenStyle::Dot && (i / kDotRun) % 2 != 0) {
            continue;
        }
        const std::int64_t major = majorStart + i * majorDir;
        const std::int64_t minor = minorStart + scaledStep(i, minorDelta, steps);
        const std::int64_t px = alongX ? major : minor;
        const std::int64_t py = alongX ? minor : major;
        if (px < -margin || py < -margin || px > m_width + margin || py > m_height + margin) {
            continue;
        }
        plotPen(static_cast<int>(px), static_cast<int>(py));
    }
}

void RasterCanvas::drawImage(int, int, int) {}

} // namespace tk
