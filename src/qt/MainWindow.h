#pragma once

#include "qt/ImageList.h"

#include <QMainWindow>

class QMenu;
class QTabWidget;
class QToolBar;

namespace app {
class TQueryMain;
}
namespace tk {
struct Menu;
class StringGrid;
} // namespace tk

namespace gui {

class GridView;
class StatusBarView;
class TrayIconView;

// The main window around the core's TQueryMain: menus, toolbars, the top
// panel, the server pages on the left, the roster and the detail pages on
// the right, the status bar and the tray icon. It only mirrors the core's
// controls and forwards what the user does.
class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(app::TQueryMain& main, QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] const ImageList& images() const { return m_images; }

    // The main window's context menus have no toolbar toggles.
    QMenu* createPopupMenu() override { return nullptr; }

signals:
    // The window has closed for good; the program ends.
    void closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The frame (MainWindow.cpp).
    void buildMenus();
    QToolBar* buildToolBar1();
    void buildTray();
    void followForm();
    void minimise();
    void restore();
    void restoreFromTray();
    void attachMenu(QWidget& widget, QMenu* menu);

    // The pages (MainWindowPages.cpp).
    QWidget* buildCentre();
    QWidget* buildTopPanel();
    QTabWidget* buildServerPages();
    // A page of a toolbar over a grid, both with the grid's context menu.
    QWidget* buildTablePage(const char* name, tk::Menu& toolBar, tk::StringGrid& grid,
                            const char* gridName, QMenu* popup);
    QWidget* buildFavsPage();
    QWidget* buildServersPage();
    QWidget* buildRightPanel();
    QTabWidget* buildDetailPages();
    QWidget* buildTeamsPage();
    QWidget* buildWarPage();
    QToolBar* pageToolBar(const char* name);

    app::TQueryMain& m_main;
    ImageList m_images;
    QMenu* m_popServertable = nullptr;
    QMenu* m_popFavourites = nullptr;
    StatusBarView* m_statusBar = nullptr;
    TrayIconView* m_tray = nullptr;
    bool m_shownOnce = false;
    bool m_closed = false;
};

} // namespace gui
