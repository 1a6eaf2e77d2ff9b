#pragma once

// The pens, paints and shapes the program's drawn icons share. Drawings use a
// 16 x 16 grid.

#include <QColor>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <initializer_list>

class QPainter;

namespace gui::drawing {

namespace ink {
inline const QColor kBlue(0x2a, 0x6f, 0xdb);
inline const QColor kBlueDark(0x1a, 0x4a, 0x9c);
inline const QColor kBlueLight(0x7d, 0xb4, 0xf5);
inline const QColor kGreen(0x2e, 0x9d, 0x3a);
inline const QColor kGreenDark(0x1d, 0x6e, 0x27);
inline const QColor kRed(0xd8, 0x32, 0x2f);
inline const QColor kRedDark(0x9e, 0x1c, 0x1a);
inline const QColor kGold(0xf3, 0xc2, 0x21);
inline const QColor kGoldDark(0xb0, 0x82, 0x0c);
inline const QColor kGrey(0x6e, 0x6e, 0x6e);
inline const QColor kGreyDark(0x45, 0x45, 0x45);
inline const QColor kGreyLight(0xd8, 0xd8, 0xd8);
inline const QColor kPaper(0xfd, 0xfd, 0xfd);
inline const QColor kWood(0xa8, 0x74, 0x3c);
inline const QColor kOrange(0xf0, 0x9a, 0x1a);
} // namespace ink

// A pen with round ends and joins.
[[nodiscard]] QPen pen(const QColor& c, qreal width);
[[nodiscard]] QLinearGradient verticalGradient(qreal top, qreal bottom, const QColor& a,
                                               const QColor& b);
// A polygon through the corners, closed.
[[nodiscard]] QPainterPath closedPath(std::initializer_list<QPointF> corners);
// A disc with a soft top light, the base of several images.
void disc(QPainter& p, const QPointF& centre, qreal radius, const QColor& light,
          const QColor& dark);
// White text centred in a box; the painter's scale applies to text too.
void glyph(QPainter& p, const QRectF& box, const QString& text, int pixelSize);
[[nodiscard]] QPolygonF star(const QPointF& centre, qreal outer, qreal inner);
// The golden star of the favourites.
void favouriteStar(QPainter& p);
// A filled arrow head with its tip at tip, pointing at angleDeg.
void arrowHead(QPainter& p, const QPointF& tip, qreal angleDeg, const QColor& c);

} // namespace gui::drawing
