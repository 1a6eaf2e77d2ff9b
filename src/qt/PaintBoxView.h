#pragma once

#include <QWidget>

namespace tk {
class PaintBox;
}

namespace gui {

class ImageList;

// A widget painted by the core through a PaintBox: every paint event draws
// onPaint onto an off-screen image of the widget's size, which is then
// copied onto the widget at once. The box's invalidate() schedules a repaint.
class PaintBoxView final : public QWidget {
public:
    PaintBoxView(tk::PaintBox& box, const ImageList& images, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    tk::PaintBox& m_box;
    const ImageList& m_images;
};

} // namespace gui
