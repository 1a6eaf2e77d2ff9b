#include "qt/IconKit.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace gui::drawing {

QPen pen(const QColor& c, qreal width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath closedPath(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

QLinearGradient verticalGradient(qreal top, qreal bottom, const QColor& a, const QColor& b) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// A disc with a soft top light, the base of several images.
void disc(QPainter& p, const QPointF& centre, qreal radius, const QColor& light,
          const QColor& dark) {
    QRadialGradient g(centre.x() - radius * 0.35, centre.y() - radius * 0.45, radius * 1.6);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.setPen(pen(dark.darker(125), 0.8));
    p.drawEllipse(centre, radius, radius);
}

// White text centred in a box; the painter's scale applies to text too.
void glyph(QPainter& p, const QRectF& box, const QString& text, int pixelSize) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, text);
}

QPolygonF star(const QPointF& centre, qreal outer, qreal inner) {
    QPolygonF poly;
    for (int i = 0; i < 10; ++i) {
        const qreal r = (i % 2 == 0) ? outer : inner;
        const qreal a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        poly << QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
    }
    return poly;
}

void favouriteStar(QPainter& p) {
    p.setBrush(verticalGradient(1, 13, QColor(0xff, 0xe0, 0x6a), ink::kGold));
    p.setPen(pen(ink::kGoldDark, 0.9));
    p.drawPolygon(star(QPointF(6.8, 7.2), 6.2, 2.6));
}

void arrowHead(QPainter& p, const QPointF& tip, qreal angleDeg, const QColor& c) {
    p.save();
    p.translate(tip);
    p.rotate(angleDeg);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(2.6, 0), QPointF(-1.8, -2.6), QPointF(-1.8, 2.6)}));
    p.restore();
}

} // namespace gui::drawing
