// A widget painted by the core through a PaintBox.

#include "qt/PaintBoxView.h"
#include "qt/ImageList.h"

#include "toolkit/PaintBox.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(PaintBoxView, PaintsWhatTheCoreDrawsAtTheWidgetsSize) {
    tk::PaintBox box;
    int paints = 0;
    int lastWidth = 0;
    int lastHeight = 0;
    box.onPaint = [&](tk::Canvas& canvas, int width, int height) {
        ++paints;
        lastWidth = width;
        lastHeight = height;
        canvas.setBrushColor(tk::colors::kWhite);
        canvas.fillRect({0, 0, width, height});
        canvas.setBrushColor(tk::rgb(255, 0, 0));
        canvas.fillRect({10, 5, 20, 15});
        canvas.setPen(tk::rgb(0, 0, 255), tk::PenStyle::Solid, 1);
        canvas.moveTo(0, height - 20);
        canvas.lineTo(width, height - 20);
    };
    const gui::ImageList images;
    gui::PaintBoxView view(box, images);
    view.resize(120, 80);

    const QImage shot = view.grab().toImage();
    EXPECT_EQ(lastWidth, 120);
    EXPECT_EQ(lastHeight, 80);
    EXPECT_EQ(shot.pixelColor(12, 7), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(20, 7), QColor(Qt::white)); // right edge excluded
    EXPECT_EQ(shot.pixelColor(60, 60), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(60, 30), QColor(Qt::white));

    // Asking for a repaint paints again.
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(QTest::qWaitFor([&] { return paints >= 2; }));
    const int before = paints;
    box.invalidate();
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints > before; }));
}

TEST(PaintBoxView, WithoutAPainterShowsTheBaseColour) {
    tk::PaintBox box;
    const gui::ImageList images;
    gui::PaintBoxView view(box, images);
    view.resize(30, 20);
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixelColor(15, 10), view.palette().color(QPalette::Base));
}

} // namespace
