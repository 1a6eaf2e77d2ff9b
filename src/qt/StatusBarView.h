#pragma once

#include <QStatusBar>
#include <QString>

#include <vector>

class QLabel;

namespace tk {
class StatusBar;
}

namespace gui {

class ImageList;

// The status bar with the core's panels, left to right in their widths; the
// last panel takes the rest of the bar. Owner-drawn panels are painted by
// the core's onDrawPanel. Panel 0 shows the hint of the control under the
// mouse while there is one.
class StatusBarView final : public QStatusBar {
    Q_OBJECT
public:
    StatusBarView(tk::StatusBar& bar, const ImageList& images, QWidget* parent = nullptr);

    // The status tip of the control under the mouse; empty when it leaves.
    void showHint(const QString& hint);

private:
    void refresh();

    tk::StatusBar& m_bar;
    std::vector<QWidget*> m_panels;
    QString m_hint;
};

} // namespace gui
