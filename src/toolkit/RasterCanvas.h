#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"

#include <string_view>
#include <vector>

namespace tk {

// A canvas that draws into a buffer of width x height pixels in memory, with
// no windowing system: the graphs are drawn onto it to be saved as images.
//
// Like the screen's canvas, rectangles and lines exclude their right and
// bottom edges and their end point: fillRect({0, 0, w, h}) covers the whole
// buffer, and lineTo(x, y) draws up to the pixel before (x, y). A dotted pen
// draws two pixels, skips two, counted along the line from its start. Text
// is drawn with PixelFont, the top-left corner of the first glyph at (x, y),
// transparently over what is there. Everything outside the buffer is
// clipped. Colours keep their low 24 bits (0x00BBGGRR); the image list is
// not available here, so drawImage draws nothing.
class RasterCanvas final : public Canvas {
public:
    // Sizes below 0 count as 0.
    RasterCanvas(int width, int height);

    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }
    // The colour at (x, y); black outside the buffer.
    [[nodiscard]] Color pixel(int x, int y) const;
    // Row by row from the top left, width x height values.
    [[nodiscard]] const std::vector<Color>& pixels() const { return m_pixels; }

    void setFontColor(Color c) override { m_fontColor = c; }
    [[nodiscard]] Color fontColor() const override { return m_fontColor; }
    void setFont(std::string_view name, int sizePt, bool bold) override;
    void setBrushColor(Color c) override { m_brushColor = c; }
    [[nodiscard]] Color brushColor() const override { return m_brushColor; }
    void setPen(Color c, PenStyle style, int width) override;

    void fillRect(const Rect& r) override;
    void textRect(const Rect& clip, int x, int y, std::string_view text) override;
    void textOut(int x, int y, std::string_view text) override;
    [[nodiscard]] int textWidth(std::string_view text) override;
    [[nodiscard]] int textHeight(std::string_view text) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void drawImage(int x, int y, int imageIndex) override;

private:
    void plot(int x, int y, Color c, const Rect& clip);
    void plotPen(int x, int y);
    void drawText(const Rect& clip, int x, int y, std::string_view text);
    [[nodiscard]] Rect bounds() const { return Rect{0, 0, m_width, m_height}; }

    int m_width;
    int m_height;
    std::vector<Color> m_pixels;
    Color m_fontColor = colors::kBlack;
    Color m_brushColor = colors::kWhite;
    Color m_penColor = colors::kBlack;
    PenStyle m_penStyle = PenStyle::Solid;
    int m_penWidth = 1;
    int m_fontScale = 1;
    bool m_bold = false;
    int m_penX = 0;
    int m_penY = 0;
};

} // namespace tk
