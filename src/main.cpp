// Skarvell: creates the Qt backend, the main window and its four dialogs,
// and runs the event loop until the main window has closed.

#include "app/QueryMain.h"
#include "qt/AboutDialog.h"
#include "qt/ConnectionWatcher.h"
#include "qt/FindWindow.h"
#include "qt/FormDialog.h"
#include "qt/MainWindow.h"
#include "qt/PreferencesWindow.h"
#include "qt/QtPlatform.h"
#include "qt/TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QString title = QString::fromUtf8(app::kApplicationTitle);
    // The title names the application (message boxes carry it as their
    // caption). It is not set as the display name: Qt would append that to
    // every window caption.
    QApplication::setApplicationName(title);
    QApplication::setApplicationVersion(QStringLiteral("0.4b"));
    // The window may sit in the tray while a dialog closes: the program ends
    // when the main window closes, not when no window is visible.
    QApplication::setQuitOnLastWindowClosed(false);

    gui::QtPlatform platform(title);
    app::TQueryMain main(platform, cfg::kSettingsFile);
    main.FormCreate();

    // The six windows, in their order: main, about, preferences, favourite
    // editor, IRC, find. The dialogs belong to the main window.
    gui::MainWindow window(main);
    platform.setMainWindow(&window);
    QApplication::setWindowIcon(window.images().appIcon());
    auto* about = new gui::AboutDialog(main.aboutBox, window.images(), &window);
    auto* preferences = new gui::PreferencesWindow(main.frmPref, &window);
    auto* favourite = new gui::FormDialog(main.favouriteServers.frmFavourite.form, &window);
    auto* irc = new gui::FormDialog(main.ircform.form, &window);
    auto* find = new gui::FindWindow(main.findDialog, &window);
    platform.registerDialog(main.aboutBox.form, about);
    platform.registerDialog(main.frmPref.form, preferences);
    platform.registerDialog(main.favouriteServers.frmFavourite.form, favourite);
    platform.registerDialog(main.ircform.form, irc);
    platform.registerDialog(main.findDialog.form, find);

    gui::ConnectionWatcher connection(main.INetDetector1);
    gui::TerminationSignals termination;
    QObject::connect(&termination, &gui::TerminationSignals::terminationRequested, &window,
                     &QWidget::close);
    QObject::connect(&window, &gui::MainWindow::closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    window.show();
    return QApplication::exec();
}
