#include "qt/MainWindow.h"

#include "qt/DisplayText.h"
#include "qt/FormDialog.h"
#include "qt/Guarded.h"
#include "qt/MenuBuilder.h"
#include "qt/StatusBarView.h"
#include "qt/TrayIconView.h"

#include "app/QueryMain.h"
#include "toolkit/Form.h"

#include <QAbstractScrollArea>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>

namespace gui {

namespace {
constexpr int kToolBar1Height = 30;
constexpr int kToolBar1IconSize = 20;
} // namespace

MainWindow::MainWindow(app::TQueryMain& main, QWidget* parent) : QMainWindow(parent), m_main(main) {
    setObjectName(QStringLiteral("QueryMain"));
    setWindowIcon(m_images.appIcon());
    resize(m_main.form.width(), m_main.form.height());

    if (m_main.pop_servertable) {
        m_popServertable = buildMenu(*m_main.pop_servertable, m_images, this);
    }
    if (m_main.pop_Favourites) {
        m_popFavourites = buildMenu(*m_main.pop_Favourites, m_images, this);
    }
    buildMenus();
    addToolBar(Qt::TopToolBarArea, buildToolBar1());
    setCentralWidget(buildCentre());
    m_statusBar = new StatusBarView(m_main.StatusBar, m_images, this);
    setStatusBar(m_statusBar);
    buildTray();

    m_main.form.changed.connect(guarded(this, [this] { followForm(); }));
    m_main.form.closeRequested.connect(guarded(this, [this] { close(); }));
    followForm();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
    for (const auto& menu : {m_main.mainMenuSkarvell, m_main.mainMenuHelp}) {
        if (menu) {
            menuBar()->addMenu(buildMenu(*menu, m_images, this));
        }
    }
}

QToolBar* MainWindow::buildToolBar1() {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(kToolBar1IconSize, kToolBar1IconSize));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setMinimumHeight(kToolBar1Height);
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    fillToolBar(*bar, m_main.ToolBar1, m_images);
    return bar;
}

void MainWindow::buildTray() {
    QMenu* menu =
        m_main.popApplication ? buildMenu(*m_main.popApplication, m_images, this) : nullptr;
    m_tray = new TrayIconView(m_main.trayicon, m_images.appIcon(), menu, this);
    connect(m_tray, &TrayIconView::restoreRequested, this, [this] { restoreFromTray(); });
}

void MainWindow::attachMenu(QWidget& widget, QMenu* menu) {
    if (!menu) {
        return;
    }
    widget.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&widget, &QWidget::customContextMenuRequested, menu, [&widget, menu](QPoint pos) {
        // A view reports positions in its viewport.
        const auto* area = qobject_cast<QAbstractScrollArea*>(&widget);
        const QWidget* origin = area ? area->viewport() : &widget;
        menu->popup(origin->mapToGlobal(pos));
    });
}

// --- Window state --------------------------------------------------------

void MainWindow::followForm() {
    setWindowTitle(toDisplay(m_main.form.caption()));
    if (!m_shownOnce) {
        return; // the first show() decides how the window starts
    }
    const bool wantMinimised = m_main.form.windowState() == tk::Form::WindowState::Minimized;
    const bool minimised = isMinimized() || (isHidden() && m_tray->shown());
    if (wantMinimised && !minimised) {
        minimise();
    } else if (!wantMinimised && minimised) {
        restore();
    }
}

void MainWindow::minimise() {
    if (m_tray->shown()) {
        // With an icon in the tray the window leaves the taskbar.
        hide();
    } else {
        showMinimized();
    }
}

void MainWindow::restore() {
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::restoreFromTray() {
    if (m_main.form.windowState() == tk::Form::WindowState::Minimized) {
        // Through the command, so that its caption follows.
        m_main.actShowHide.execute();
    }
    restore();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || m_closed) {
        return;
    }
    if (isMinimized()) {
        m_main.form.setWindowState(tk::Form::WindowState::Minimized);
        if (m_tray->shown()) {
            QTimer::singleShot(0, this, [this] {
                if (isMinimized()) {
                    hide();
                }
            });
        }
    } else {
        m_main.form.setWindowState(tk::Form::WindowState::Normal);
    }
}

// --- Events ----------------------------------------------------------------

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Hints go to panel 0 of the status bar, the other panels stay.
        m_statusBar->showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        centreOnScreen(*this);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closed && !m_main.FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
    emit closed();
}

} // namespace gui
