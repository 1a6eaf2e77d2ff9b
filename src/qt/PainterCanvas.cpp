#include "qt/PainterCanvas.h"

#include "qt/DisplayText.h"
#include "qt/ImageList.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace gui {

namespace {
QRect toQRect(const tk::Rect& r) {
    return QRect(QPoint(r.left, r.top), QSize(std::max(r.width(), 0), std::max(r.height(), 0)));
}
} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, const ImageList& images)
    : m_painter(painter), m_images(images), m_font(painter.font()), m_pen(QColor(Qt::black), 1) {
    m_painter.save();
}

PainterCanvas::~PainterCanvas() {
    m_painter.restore();
}

void PainterCanvas::setFont(std::string_view name, int sizePt, bool bold) {
    if (!name.empty()) {
        m_font.setFamily(toDisplay(name));
    }
    if (sizePt > 0) {
        m_font.setPointSize(sizePt);
    }
    m_font.setBold(bold);
}

void PainterCanvas::setPen(tk::Color c, tk::PenStyle style, int width) {
    m_pen = QPen(toQColor(c), std::max(width, 1),
                 style == tk::PenStyle::Dot ? Qt::DotLine : Qt::SolidLine);
}

void PainterCanvas::fillRect(const tk::Rect& r) {
    m_painter.fillRect(toQRect(r), toQColor(m_brushColor));
}

void PainterCanvas::drawTextAt(int x, int y, const QString& text) {
    m_painter.setFont(m_font);
    m_painter.setPen(toQColor(m_fontColor));
    const QFontMetrics metrics(m_font);
    m_painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void PainterCanvas::textRect(const tk::Rect& clip, int x, int y, std::string_view text) {
    m_painter.save();
    m_painter.setClipRect(toQRect(clip), Qt::IntersectClip);
    drawTextAt(x, y, toDisplay(text));
    m_painter.restore();
}

void PainterCanvas::textOut(int x, int y, std::string_view text) {
    drawTextAt(x, y, toDisplay(text));
}

int PainterCanvas::textWidth(std::string_view text) {
    return QFontMetrics(m_font).horizontalAdvance(toDisplay(text));
}

int PainterCanvas::textHeight(std::string_view) {
    return QFontMetrics(m_font).height();
}

void PainterCanvas::moveTo(int x, int y) {
    m_penPos = QPoint(x, y);
}

void PainterCanvas::lineTo(int x, int y) {
    m_painter.setPen(m_pen);
    m_painter.drawLine(m_penPos, QPoint(x, y));
    m_penPos = QPoint(x, y);
}

void PainterCanvas::drawImage(int x, int y, int imageIndex) {
    const QPixmap pixmap = m_images.pixmap(imageIndex);
    if (!pixmap.isNull()) {
        m_painter.drawPixmap(QPoint(x, y), pixmap);
    }
}

} // namespace gui
