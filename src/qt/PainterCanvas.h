#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"

#include <QColor>
#include <QFont>
#include <QPen>
#include <QPoint>

class QPainter;

namespace gui {

class ImageList;

// The core's drawing surface on a QPainter. Rectangles of the core exclude
// their right and bottom edges. The painter's state is restored on
// destruction.
class PainterCanvas final : public tk::Canvas {
public:
    PainterCanvas(QPainter& painter, const ImageList& images);
    ~PainterCanvas() override;
    PainterCanvas(const PainterCanvas&) = delete;
    PainterCanvas& operator=(const PainterCanvas&) = delete;

    void setFontColor(tk::Color c) override { m_fontColor = c; }
    [[nodiscard]] tk::Color fontColor() const override { return m_fontColor; }
    void setFont(std::string_view name, int sizePt, bool bold) override;
    void setBrushColor(tk::Color c) override { m_brushColor = c; }
    [[nodiscard]] tk::Color brushColor() const override { return m_brushColor; }
    void setPen(tk::Color c, tk::PenStyle style, int width) override;

    void fillRect(const tk::Rect& r) override;
    void textRect(const tk::Rect& clip, int x, int y, std::string_view text) override;
    void textOut(int x, int y, std::string_view text) override;
    [[nodiscard]] int textWidth(std::string_view text) override;
    [[nodiscard]] int textHeight(std::string_view text) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void drawImage(int x, int y, int imageIndex) override;

private:
    void drawTextAt(int x, int y, const QString& text);

    QPainter& m_painter;
    const ImageList& m_images;
    tk::Color m_fontColor = 0;
    tk::Color m_brushColor = 0xFFFFFF;
    QFont m_font;
    QPen m_pen;
    QPoint m_penPos;
};

} // namespace gui
