#include "Socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace utlab {
namespace {

constexpr int kPairAttempts = 64;

[[noreturn]] void throwErrno(int error, const std::string& what) {
    throw std::system_error(error, std::generic_category(), what);
}

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        reset(std::exchange(other.m_fd, -1));
    }
    return *this;
}

void UniqueFd::reset(int fd) {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
    m_fd = fd;
}

UniqueFd bindLoopbackUdp(std::uint16_t port) {
    UniqueFd socket(::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) {
        throwErrno(errno, "cannot create a UDP socket");
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        throwErrno(errno, "cannot bind UDP port 127.0.0.1:" + std::to_string(port));
    }
    return socket;
}

std::uint16_t localPort(const UniqueFd& socket) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(socket.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throwErrno(errno, "cannot read the local address of a socket");
    }
    return ntohs(address.sin_port);
}

UniqueFd bindLoopbackTcp(std::uint16_t port, bool listening) {
    UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket.valid()) {
        throwErrno(errno, "cannot create a TCP socket");
    }
    const int yes = 1;
    ::setsockopt(socket.get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::bind(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        throwErrno(errno, "cannot bind TCP port 127.0.0.1:" + std::to_string(port));
    }
    if (listening && ::listen(socket.get(), SOMAXCONN) != 0) {
        throwErrno(errno, "cannot listen on TCP port 127.0.0.1:" + std::to_string(port));
    }
    return socket;
}

std::size_t raiseOpenFileLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return 0;
    }
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
            limit = raised;
        }
    }
    return limit.rlim_cur == RLIM_INFINITY ? static_cast<std::size_t>(-1)
                                           : static_cast<std::size_t>(limit.rlim_cur);
}

std::size_t openFileCount() {
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
         it.increment(error)) {
        ++count;
    }
    return count;
}

PortPair bindPortPair(std::uint16_t gamePort) {
    if (gamePort != 0) {
        PortPair pair;
        pair.game = bindLoopbackUdp(gamePort);
        pair.query = bindLoopbackUdp(static_cast<std::uint16_t>(gamePort + 1));
        pair.gamePort = gamePort;
        return pair;
    }
    // Let the system choose the query port, then claim the one below it for the game.
    int lastError = EADDRINUSE;
    for (int attempt = 0; attempt < kPairAttempts; ++attempt) {
        UniqueFd query = bindLoopbackUdp(0);
        const std::uint16_t queryPort = localPort(query);
        if (queryPort <= 1) {
            continue;
        }
        try {
            PortPair pair;
            pair.game = bindLoopbackUdp(static_cast<std::uint16_t>(queryPort - 1));
            pair.query = std::move(query);
            pair.gamePort = static_cast<std::uint16_t>(queryPort - 1);
            return pair;
        } catch (const std::system_error& error) {
            lastError = error.code().value();
        }
    }
    throwErrno(lastError, "cannot find a free pair of UDP ports on 127.0.0.1");
}

WakePipe makeWakePipe() {
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        throwErrno(errno, "cannot create a pipe");
    }
    return {UniqueFd(fds[0]), UniqueFd(fds[1])};
}

} // namespace utlab
