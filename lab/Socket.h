#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace utlab {

// Owns a file descriptor and closes it.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    [[nodiscard]] int get() const { return m_fd; }
    [[nodiscard]] bool valid() const { return m_fd >= 0; }
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// A non-blocking UDP socket bound to 127.0.0.1:port (0: any free port); throws
// std::system_error naming the port when that fails.
[[nodiscard]] UniqueFd bindLoopbackUdp(std::uint16_t port);

[[nodiscard]] std::uint16_t localPort(const UniqueFd& socket);

// A non-blocking TCP socket bound to 127.0.0.1:port (0: any free port), listening when asked.
// Bound without listening it holds the port while connections to it are refused. Throws
// std::system_error naming the port.
[[nodiscard]] UniqueFd bindLoopbackTcp(std::uint16_t port, bool listening);

// Raises the soft limit of open files to the hard limit; returns the limit now in force.
std::size_t raiseOpenFileLimit();

// The number of files this process has open.
[[nodiscard]] std::size_t openFileCount();

// The two sockets of a server: the game port and the query port one above it. With game port
// 0 a free pair is found.
struct PortPair {
    UniqueFd game;
    UniqueFd query;
    std::uint16_t gamePort = 0;
};

[[nodiscard]] PortPair bindPortPair(std::uint16_t gamePort);

// A pipe whose write end wakes a poll() on the read end.
struct WakePipe {
    UniqueFd read;
    UniqueFd write;
};

[[nodiscard]] WakePipe makeWakePipe();

} // namespace utlab
