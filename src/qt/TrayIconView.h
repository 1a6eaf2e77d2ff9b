#pragma once

#include <QObject>

class QIcon;
class QMenu;
class QSystemTrayIcon;

namespace tk {
class TrayIcon;
}

namespace gui {

// The core's tray icon: its hint is the tooltip, a double click asks to
// restore the window, the menu opens on the context click. Where the desktop
// has no system tray (offscreen, a bare X server) nothing is shown.
class TrayIconView final : public QObject {
    Q_OBJECT
public:
    TrayIconView(tk::TrayIcon& model, const QIcon& icon, QMenu* menu, QObject* parent);

    // Whether the icon is in the tray now: the window may then leave the
    // taskbar while it is minimised.
    [[nodiscard]] bool shown() const;

signals:
    void restoreRequested();

private:
    void refresh();

    tk::TrayIcon& m_model;
    QSystemTrayIcon* m_icon;
};

} // namespace gui
