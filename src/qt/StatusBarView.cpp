#include "qt/StatusBarView.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"
#include "qt/PainterCanvas.h"

#include "toolkit/Canvas.h"
#include "toolkit/Controls.h"

#include <QLabel>
#include <QPainter>

namespace gui {

namespace {

// A panel drawn by the core.
class DrawnPanel final : public QWidget {
public:
    DrawnPanel(tk::StatusBar& bar, int index, const ImageList& images, QWidget* parent)
        : QWidget(parent), m_bar(bar), m_index(index), m_images(images) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_bar.onDrawPanel) {
            return;
        }
        QPainter painter(this);
        PainterCanvas canvas(painter, m_images);
        canvas.setBrushColor(fromQColor(palette().color(QPalette::Window)));
        canvas.setFontColor(fromQColor(palette().color(QPalette::WindowText)));
        m_bar.onDrawPanel(canvas, m_index, tk::Rect{0, 0, width(), height()});
    }

private:
    tk::StatusBar& m_bar;
    int m_index;
    const ImageList& m_images;
};

QLabel* textPanel(const tk::StatusBar::Panel& panel, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(
        (panel.align == tk::StatusBar::Align::Right ? Qt::AlignRight : Qt::AlignLeft) |
        Qt::AlignVCenter);
    label->setFrameShape(panel.bevel ? QFrame::StyledPanel : QFrame::NoFrame);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

StatusBarView::StatusBarView(tk::StatusBar& bar, const ImageList& images, QWidget* parent)
    : QStatusBar(parent), m_bar(bar) {
    setObjectName(QStringLiteral("StatusBar"));
    const int count = m_bar.panelCount();
    for (int i = 0; i < count; ++i) {
        const tk::StatusBar::Panel& panel = m_bar.panel(i);
        QWidget* widget = panel.ownerDrawn
                              ? static_cast<QWidget*>(new DrawnPanel(bar, i, images, this))
                              : textPanel(panel, this);
        widget->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        const bool last = i == count - 1;
        if (last) {
            widget->setMinimumWidth(panel.width);
        } else {
            widget->setFixedWidth(panel.width);
        }
        addWidget(widget, last ? 1 : 0);
        m_panels.push_back(widget);
    }
    m_bar.changed.connect(guarded(this, [this] { refresh(); }));
    refresh();
}

void StatusBarView::showHint(const QString& hint) {
    m_hint = hint;
    refresh();
}

void StatusBarView::refresh() {
    for (int i = 0; i < static_cast<int>(m_panels.size()); ++i) {
        QWidget* widget = m_panels[static_cast<std::size_t>(i)];
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            const QString text = toDisplay(m_bar.panel(i).text);
            label->setText(i == 0 && !m_hint.isEmpty() ? m_hint : text);
        } else {
            widget->update();
        }
    }
}

} // namespace gui
