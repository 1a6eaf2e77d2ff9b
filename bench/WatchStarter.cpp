// Loaded into the real program with LD_PRELOAD by watch-cpu.sh, to start
// watching from outside: the program has no command-line switch for it, and
// the offscreen platform takes no input from another process.
//
// On SIGUSR1 it triggers the first action captioned "Query selected", as a
// click on that menu entry would, and prints a line on stderr. When the
// application quits it prints the roster's row count and the bytes received
// that the status bar shows, so that a run can tell the replies came in.
// Nothing runs in between: the signal wakes the event loop through a pipe.

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    (void)::write(g_pipe[1], &byte, 1);
}

template <typename T> T* findByName(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = top->findChild<T*>(name)) {
            return found;
        }
    }
    return nullptr;
}

QAction* queryAction() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        for (QAction* action : top->findChildren<QAction*>()) {
            if (action->text() == QStringLiteral("Query selected")) {
                return action;
            }
        }
    }
    return nullptr;
}

void report(const char* when) {
    const auto* rooster = findByName<QAbstractItemView>(QStringLiteral("Rooster"));
    const auto* bytes = findByName<QLabel>(QStringLiteral("StatusPanel2"));
    std::fprintf(stderr, "watch-starter: %s: roster rows %d, bytes received %s\n", when,
                 rooster != nullptr && rooster->model() != nullptr ? rooster->model()->rowCount()
                                                                   : -1,
                 bytes != nullptr ? bytes->text().toUtf8().constData() : "?");
}

void startWatching() {
    char drained[16];
    while (::read(g_pipe[0], drained, sizeof drained) > 0) {
    }
    QAction* action = queryAction();
    if (action == nullptr) {
        std::fprintf(stderr, "watch-starter: no \"Query selected\" action found\n");
        return;
    }
    action->trigger();
    std::fprintf(stderr, "watch-starter: watching %s\n",
                 action->isChecked() ? "started" : "stopped");
}

void install() {
    if (::pipe2(g_pipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        std::perror("watch-starter: pipe");
        return;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGUSR1, &action, nullptr);
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] { startWatching(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] { report("at quit"); });
    std::fprintf(stderr, "watch-starter: ready, SIGUSR1 starts watching\n");
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install)
