#include "qt/TrayIconView.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "toolkit/Controls.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace gui {

TrayIconView::TrayIconView(tk::TrayIcon& model, const QIcon& icon, QMenu* menu, QObject* parent)
    : QObject(parent), m_model(model), m_icon(new QSystemTrayIcon(icon, this)) {
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit restoreRequested();
                }
            });
    m_model.changed.connect(guarded(this, [this] { refresh(); }));
    refresh();
}

bool TrayIconView::shown() const {
    return m_icon->isVisible();
}

void TrayIconView::refresh() {
    m_icon->setToolTip(toDisplay(m_model.hint()));
    m_icon->setVisible(m_model.visible() && QSystemTrayIcon::isSystemTrayAvailable());
}

} // namespace gui
