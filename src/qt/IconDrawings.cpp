#include "qt/IconDrawings.h"

#include "toolkit/ImageIndex.h"
#include "qt/IconKit.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace gui {

namespace {

using namespace drawing;

// A round badge in the lower right corner with a plus, minus or pencil.
enum class Badge { Plus, Minus, Pencil };
void badge(QPainter& p, Badge kind) {
    const QPointF c(11.8, 11.8);
    const QColor colour = kind == Badge::Plus    ? ink::kGreen
                          : kind == Badge::Minus ? ink::kRed
                                                 : ink::kBlue;
    p.setBrush(colour);
    p.setPen(pen(Qt::white, 1.0));
    p.drawEllipse(c, 3.9, 3.9);
    p.setPen(pen(Qt::white, 1.5));
    if (kind == Badge::Pencil) {
        p.drawLine(QPointF(10.2, 13.4), QPointF(13.4, 10.2));
        return;
    }
    p.drawLine(QPointF(c.x() - 2, c.y()), QPointF(c.x() + 2, c.y()));
    if (kind == Badge::Plus) {
        p.drawLine(QPointF(c.x(), c.y() - 2), QPointF(c.x(), c.y() + 2));
    }
}

void globe(QPainter& p) {
    disc(p, QPointF(8, 8), 6.6, ink::kBlueLight, ink::kBlue);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(255, 255, 255, 200), 0.8));
    p.drawEllipse(QPointF(8, 8), 2.8, 6.6);
    p.drawLine(QPointF(8, 1.4), QPointF(8, 14.6));
    p.drawLine(QPointF(1.4, 8), QPointF(14.6, 8));
    p.drawLine(QPointF(2.6, 4.8), QPointF(13.4, 4.8));
    p.drawLine(QPointF(2.6, 11.2), QPointF(13.4, 11.2));
}

void refresh(QPainter& p) {
    const QRectF r(2.5, 2.5, 11, 11);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink::kGreen, 2.0));
    p.drawArc(r, 100 * 16, 150 * 16);
    p.drawArc(r, 280 * 16, 150 * 16);
    arrowHead(p, QPointF(2.9, 10.4), 80, ink::kGreen);
    arrowHead(p, QPointF(13.1, 5.6), 260, ink::kGreen);
}

void chat(QPainter& p) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(1.2, 2.0, 13.6, 9.2), 3.0, 3.0);
    const QPainterPath tail = closedPath({{3.6, 10.0}, {3.0, 14.6}, {7.6, 10.8}});
    p.setBrush(verticalGradient(2, 11, ink::kPaper, QColor(0xdc, 0xe9, 0xfb)));
    p.setPen(pen(ink::kBlue, 1.0));
    p.drawPath(bubble.united(tail));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kBlue);
    for (const qreal x : {4.8, 8.0, 11.2}) {
        p.drawEllipse(QPointF(x, 6.6), 1.05, 1.05);
    }
}

void cross(QPainter& p) {
    p.setPen(pen(ink::kRedDark, 3.4));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
    p.setPen(pen(ink::kRed, 2.2));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void tick(QPainter& p) {
    QPainterPath path;
    path.moveTo(2.8, 8.6);
    path.lineTo(6.4, 12.2);
    path.lineTo(13.4, 3.8);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink::kGreenDark, 3.4));
    p.drawPath(path);
    p.setPen(pen(QColor(0x3f, 0xbf, 0x4c), 2.2));
    p.drawPath(path);
}

void gear(QPainter& p) {
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-1.5, -7.2, 3.0, 3.6), 0.6, 0.6);
        QTransform t;
        t.translate(8, 8);
        t.rotate(i * 45.0);
        teeth.addPath(t.map(tooth));
    }
    QPainterPath body;
    body.addEllipse(QPointF(8, 8), 5.1, 5.1);
    QPainterPath hole;
    hole.addEllipse(QPointF(8, 8), 2.0, 2.0);
    const QPainterPath shape = body.united(teeth).subtracted(hole);
    p.setBrush(verticalGradient(1, 15, QColor(0xb4, 0xb4, 0xb4), ink::kGrey));
    p.setPen(pen(ink::kGreyDark, 0.8));
    p.drawPath(shape);
}

void infoDisc(QPainter& p, const QString& text) {
    disc(p, QPointF(8, 8), 6.8, ink::kBlueLight, ink::kBlue);
    glyph(p, QRectF(1, 1.4, 14, 14), text, 12);
}

void folder(QPainter& p) {
    const QPainterPath back =
        closedPath({{1.2, 3.2}, {5.6, 3.2}, {7.0, 4.8}, {14.0, 4.8}, {14.0, 13.2}, {1.2, 13.2}});
    p.setBrush(QColor(0xd9, 0xa4, 0x33));
    p.setPen(pen(QColor(0x9c, 0x6b, 0x10), 0.8));
    p.drawPath(back);
    const QPainterPath front = closedPath({{3.2, 7.0}, {15.2, 7.0}, {13.4, 13.2}, {1.2, 13.2}});
    p.setBrush(verticalGradient(7, 13, QColor(0xff, 0xd9, 0x7a), QColor(0xf0, 0xb8, 0x3c)));
    p.drawPath(front);
}

void floppy(QPainter& p) {
    const QPainterPath body =
        closedPath({{1.5, 2.5}, {12.5, 2.5}, {14.5, 4.5}, {14.5, 13.5}, {1.5, 13.5}});
    p.setBrush(verticalGradient(2, 14, QColor(0x4f, 0x86, 0xe0), ink::kBlueDark));
    p.setPen(pen(QColor(0x12, 0x33, 0x6e), 0.8));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::kGreyLight);
    p.drawRect(QRectF(4.2, 2.9, 7.0, 3.8));
    p.setBrush(ink::kGreyDark);
    p.drawRect(QRectF(8.6, 3.4, 1.6, 2.8));
    p.setBrush(ink::kPaper);
    p.drawRoundedRect(QRectF(3.4, 8.4, 9.2, 4.6), 0.6, 0.6);
}

void magnifier(QPainter& p) {
    p.setPen(pen(QColor(0x5a, 0x3a, 0x1c), 2.8));
    p.drawLine(QPointF(10.2, 10.2), QPointF(14.2, 14.2));
    p.setBrush(QColor(0xc8, 0xe1, 0xfb, 200));
    p.setPen(pen(ink::kGreyDark, 1.5));
    p.drawEllipse(QPointF(6.6, 6.6), 4.6, 4.6);
    p.setPen(pen(QColor(255, 255, 255, 220), 1.0));
    p.drawArc(QRectF(3.8, 3.8, 5.6, 5.6), 100 * 16, 70 * 16);
}

void recordDot(QPainter& p) {
    disc(p, QPointF(8, 8), 5.6, QColor(0xff, 0x8a, 0x80), ink::kRed);
}

void eye(QPainter& p) {
    QPainterPath lid;
    lid.moveTo(1.0, 8.0);
    lid.quadTo(8.0, 0.6, 15.0, 8.0);
    lid.quadTo(8.0, 15.4, 1.0, 8.0);
    p.setBrush(ink::kPaper);
    p.setPen(pen(ink::kGreyDark, 1.0));
    p.drawPath(lid);
    disc(p, QPointF(8, 8), 3.2, ink::kBlueLight, ink::kBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8, 8), 1.4, 1.4);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(7.0, 7.0), 0.7, 0.7);
}

void play(QPainter& p) {
    disc(p, QPointF(8, 8), 6.8, QColor(0x7f, 0xd8, 0x86), ink::kGreen);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({QPointF(6.0, 4.4), QPointF(11.8, 8.0), QPointF(6.0, 11.6)}));
}

void stopSign(QPainter& p) {
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const qreal a = std::numbers::pi / 8 + i * std::numbers::pi / 4;
        octagon << QPointF(8 + 6.8 * std::cos(a), 8 + 6.8 * std::sin(a));
    }
    p.setBrush(verticalGradient(1, 15, QColor(0xf0, 0x64, 0x5c), ink::kRed));
    p.setPen(pen(ink::kRedDark, 0.8));
    p.drawPolygon(octagon);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4.2, 6.8, 7.6, 2.4), 0.6, 0.6);
}

void clipboard(QPainter& p) {
    p.setBrush(ink::kWood);
    p.setPen(pen(QColor(0x6e, 0x46, 0x1c), 0.8));
    p.drawRoundedRect(QRectF(2.2, 2.2, 11.6, 13.0), 1.2, 1.2);
    p.setBrush(ink::kPaper);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(3.8, 4.2, 8.4, 9.6));
    p.setPen(pen(QColor(0x9a, 0x9a, 0x9a), 0.8));
    for (const qreal y : {7.0, 9.0, 11.0}) {
        p.drawLine(QPointF(5.2, y), QPointF(10.8, y));
    }
    p.setBrush(QColor(0xb8, 0xb8, 0xb8));
    p.setPen(pen(ink::kGreyDark, 0.7));
    p.drawRoundedRect(QRectF(5.4, 1.0, 5.2, 2.8), 0.8, 0.8);
}

void power(QPainter& p) {
    disc(p, QPointF(8, 8), 6.8, QColor(0xf0, 0x78, 0x70), ink::kRed);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(Qt::white, 1.6));
    p.drawArc(QRectF(4.2, 4.6, 7.6, 7.6), 120 * 16, 300 * 16);
    p.drawLine(QPointF(8, 3.4), QPointF(8, 7.8));
}

// A tray with an arrow leaving it (export) or entering it (import).
void tray(QPainter& p, bool outwards) {
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ink::kGreyDark, 1.6));
    QPainterPath tray;
    tray.moveTo(1.8, 9.6);
    tray.lineTo(1.8, 14.0);
    tray.lineTo(14.2, 14.0);
    tray.lineTo(14.2, 9.6);
    p.drawPath(tray);
    const QColor arrow = outwards ? ink::kGreen : ink::kBlue;
    p.setPen(pen(arrow, 2.2));
    if (outwards) {
        p.drawLine(QPointF(8, 11.4), QPointF(8, 4.6));
        arrowHead(p, QPointF(8, 2.0), -90, arrow);
    } else {
        p.drawLine(QPointF(8, 1.4), QPointF(8, 8.2));
        arrowHead(p, QPointF(8, 11.6), 90, arrow);
    }
}

void warning(QPainter& p) {
    const QPainterPath triangle = closedPath({{8, 1.4}, {15.0, 14.2}, {1.0, 14.2}});
    p.setBrush(verticalGradient(1, 14, QColor(0xff, 0xd2, 0x5c), ink::kOrange));
    p.setPen(pen(QColor(0xa8, 0x62, 0x00), 1.0));
    p.drawPath(triangle);
    p.setPen(pen(Qt::black, 1.8));
    p.drawLine(QPointF(8, 5.6), QPointF(8, 9.6));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(8, 12.0), 1.0, 1.0);
}

} // namespace

void paintImage(QPainter& p, int index) {
    namespace img = tk::images;
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case img::kQueryMaster:
        globe(p);
        break;
    case img::kRefreshAll:
        refresh(p);
        break;
    case img::kIrc:
        chat(p);
        break;
    case img::kCross:
        cross(p);
        break;
    case img::kPreferences:
        gear(p);
        break;
    case img::kAbout:
        infoDisc(p, QStringLiteral("i"));
        break;
    case img::kOpen:
        folder(p);
        break;
    case img::kSave:
        floppy(p);
        break;
    case img::kSearch:
        magnifier(p);
        break;
    case img::kRecording:
        recordDot(p);
        break;
    case img::kWatching:
        eye(p);
        break;
    case img::kAddFavourite:
        favouriteStar(p);
        badge(p, Badge::Plus);
        break;
    case img::kEditFavourite:
        favouriteStar(p);
        badge(p, Badge::Pencil);
        break;
    case img::kRemoveFavourite:
        favouriteStar(p);
        badge(p, Badge::Minus);
        break;
    case img::kJoin:
        play(p);
        break;
    case img::kTick:
        tick(p);
        break;
    case img::kStop:
        stopSign(p);
        break;
    case img::kClipboard:
        clipboard(p);
        break;
    case img::kQuit:
        power(p);
        break;
    case img::kHelp:
        infoDisc(p, QStringLiteral("?"));
        break;
    case img::kExport:
        tray(p, true);
        break;
    case img::kImport:
        tray(p, false);
        break;
    case img::kConnectionLost:
        warning(p);
        break;
    default:
        break;
    }
}

} // namespace gui
