#include "qt/PaintBoxView.h"

#include "qt/Guarded.h"
#include "qt/PainterCanvas.h"

#include "toolkit/PaintBox.h"

#include <QImage>
#include <QPainter>

namespace gui {

PaintBoxView::PaintBoxView(tk::PaintBox& box, const ImageList& images, QWidget* parent)
    : QWidget(parent), m_box(box), m_images(images) {
    // Every paint covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_box.changed.connect(guarded(this, [this] { update(); }));
}

void PaintBoxView::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(palette().color(QPalette::Base));
    if (m_box.onPaint) {
        QPainter painter(&image);
        PainterCanvas canvas(painter, m_images);
        m_box.onPaint(canvas, width(), height());
    }
    QPainter(this).drawImage(QPoint(0, 0), image);
}

} // namespace gui
