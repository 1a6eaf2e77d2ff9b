#include "qt/TerminationSignals.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace gui {

#ifdef Q_OS_UNIX

namespace {

// The write end of the self-pipe. A signal handler can reach no object, only
// static storage, so this one descriptor is static; it is set while a
// TerminationSignals object exists and -1 otherwise.
volatile std::sig_atomic_t s_writeFd = -1;

extern "C" void onTerminationSignal(int) {
    const int saved = errno;
    const int fd = s_writeFd;
    if (fd >= 0) {
        const char byte = 1;
        // Async-signal-safe; a full pipe already holds a pending request.
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = saved;
}

void setNonBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL, 0);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) {
        return; // no clean close on signals; the program works on
    }
    setNonBlocking(fds[0]);
    setNonBlocking(fds[1]);
    m_readFd = fds[0];
    s_writeFd = fds[1];
    m_notifier = new QSocketNotifier(m_readFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (::read(m_readFd, buffer, sizeof buffer) > 0) {
        }
        emit terminationRequested();
    });
    std::signal(SIGTERM, onTerminationSignal);
    std::signal(SIGINT, onTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
    if (m_readFd < 0) {
        return;
    }
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    const int writeFd = s_writeFd;
    s_writeFd = -1;
    m_notifier->setEnabled(false); // before its descriptor closes
    ::close(writeFd);
    ::close(m_readFd);
}

#else

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

#endif

} // namespace gui
