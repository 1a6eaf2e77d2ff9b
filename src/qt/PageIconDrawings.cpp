#include "qt/IconDrawings.h"

#include "qt/IconKit.h"

#include <QPainter>
#include <QPainterPath>

namespace gui {

namespace {

using namespace drawing;

void chartFrame(QPainter& p) {
    p.setBrush(ink::kPaper);
    p.setPen(pen(ink::kGrey, 0.8));
    p.drawRect(QRectF(1.2, 1.8, 13.6, 12.4));
    p.setPen(pen(ink::kGreyLight, 0.6));
    for (const qreal y : {5.0, 8.0, 11.0}) {
        p.drawLine(QPointF(2.0, y), QPointF(14.0, y));
    }
}

} // namespace

void paintAppIcon(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath plate;
    plate.addRoundedRect(QRectF(0.5, 0.5, 15, 15), 3.2, 3.2);
    p.setPen(pen(QColor(0x0c, 0x18, 0x33), 0.6));
    p.setBrush(verticalGradient(0, 16, QColor(0x33, 0x52, 0x8f), QColor(0x13, 0x22, 0x45)));
    p.drawPath(plate);
    // A crosshair: the game's own sight, and a server under watch.
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(0xe8, 0xf0, 0xff), 1.3));
    p.drawEllipse(QPointF(8, 8), 4.4, 4.4);
    p.setPen(pen(QColor(0xe8, 0xf0, 0xff), 1.1));
    p.drawLine(QPointF(8, 2.0), QPointF(8, 5.2));
    p.drawLine(QPointF(8, 10.8), QPointF(8, 14.0));
    p.drawLine(QPointF(2.0, 8), QPointF(5.2, 8));
    p.drawLine(QPointF(10.8, 8), QPointF(14.0, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x4a, 0x3d));
    p.drawEllipse(QPointF(8, 8), 1.5, 1.5);
}

void paintPageIcon(QPainter& p, PageIcon icon) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case PageIcon::Favourites:
        p.translate(1.2, 0.8);
        favouriteStar(p);
        break;
    case PageIcon::ServerDetails: {
        p.setBrush(ink::kPaper);
        p.setPen(pen(ink::kGrey, 0.8));
        p.drawRoundedRect(QRectF(2.2, 1.2, 11.6, 13.6), 1.0, 1.0);
        for (int i = 0; i < 5; ++i) {
            const qreal y = 3.8 + i * 2.3;
            p.setPen(pen(ink::kBlue, 1.1));
            p.drawLine(QPointF(4.2, y), QPointF(6.6, y));
            p.setPen(pen(ink::kGrey, 1.1));
            p.drawLine(QPointF(7.8, y), QPointF(11.8, y));
        }
        break;
    }
    case PageIcon::PlayerGraph: {
        chartFrame(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(ink::kGreen, 1.2));
        p.drawPolyline(QPolygonF(
            {QPointF(2.4, 12.0), QPointF(6.0, 9.0), QPointF(9.0, 10.0), QPointF(13.6, 4.0)}));
        p.setPen(pen(ink::kOrange, 1.2));
        p.drawPolyline(QPolygonF(
            {QPointF(2.4, 10.0), QPointF(5.4, 12.4), QPointF(9.6, 6.4), QPointF(13.6, 8.0)}));
        break;
    }
    case PageIcon::WarGraph: {
        chartFrame(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(ink::kRed, 1.4));
        p.drawPolyline(QPolygonF(
            {QPointF(2.4, 12.6), QPointF(6.0, 8.6), QPointF(10.0, 7.0), QPointF(13.6, 3.6)}));
        p.setPen(pen(ink::kBlue, 1.4));
        p.drawPolyline(QPolygonF(
            {QPointF(2.4, 12.6), QPointF(6.0, 11.0), QPointF(10.0, 9.0), QPointF(13.6, 7.4)}));
        break;
    }
    case PageIcon::War: {
        // Two team flags.
        p.setPen(pen(ink::kGreyDark, 1.1));
        p.drawLine(QPointF(3.0, 2.0), QPointF(3.0, 15.0));
        p.drawLine(QPointF(9.4, 2.0), QPointF(9.4, 15.0));
        p.setPen(pen(ink::kRedDark, 0.7));
        p.setBrush(ink::kRed);
        p.drawPolygon(QPolygonF({QPointF(3.4, 2.2), QPointF(8.2, 4.2), QPointF(3.4, 6.6)}));
        p.setPen(pen(ink::kBlueDark, 0.7));
        p.setBrush(ink::kBlue);
        p.drawPolygon(QPolygonF({QPointF(9.8, 2.2), QPointF(14.8, 4.2), QPointF(9.8, 6.6)}));
        break;
    }
    }
}

} // namespace gui
