#include "MasterServer.h"

#include "MasterList.h"

#include <algorithm>
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace utlab {
namespace {

constexpr std::size_t kMaxConnections = 256;
constexpr std::size_t kReadBuffer = 4096;
// How long a finished connection waits for the client to close its side.
constexpr auto kFinishTimeout = std::chrono::seconds(5);
constexpr auto kAcceptPause = std::chrono::milliseconds(100);

} // namespace

MasterServer::MasterServer(MasterOptions options)
    : m_options(options),
      m_socket(bindLoopbackTcp(options.port, options.behaviour != MasterBehaviour::Refuse)),
      m_port(localPort(m_socket)), m_random(options.seed) {}

void MasterServer::appendPollFds(std::vector<pollfd>& fds) const {
    const bool listening =
        m_options.behaviour != MasterBehaviour::Refuse && Clock::now() >= m_acceptPausedUntil;
    fds.push_back({listening ? m_socket.get() : -1, POLLIN, 0});
    for (const Connection& connection : m_connections) {
        const short events = connection.writing.empty() ? POLLIN : POLLIN | POLLOUT;
        fds.push_back({connection.socket.get(), events, 0});
    }
}

void MasterServer::handleEvents(std::span<const pollfd> fds, Clock::time_point now) {
    for (std::size_t i = 1; i < fds.size() && i - 1 < m_connections.size(); ++i) {
        Connection& connection = m_connections[i - 1];
        if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            read(connection, now);
        }
        if ((fds[i].revents & POLLOUT) != 0 && !connection.done) {
            write(connection);
        }
    }
    std::erase_if(m_connections, [](const Connection& c) { return c.done; });
    if (!fds.empty() && (fds[0].revents & POLLIN) != 0) {
        accept(now);
    }
    sendDue(now);
}

void MasterServer::accept(Clock::time_point now) {
    while (true) {
        UniqueFd socket(::accept4(m_socket.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!socket.valid()) {
            if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
                m_acceptPausedUntil = now + kAcceptPause; // the client waits in the backlog
            }
            return;
        }
        if (m_connections.size() >= kMaxConnections) {
            continue; // closed at once
        }
        const int yes = 1;
        ::setsockopt(socket.get(), IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        MasterSession session(m_options.greeting, makeChallenge(m_random), m_list,
                              m_options.checkValidate);
        Connection& connection = m_connections.emplace_back(std::move(socket), std::move(session));
        if (m_options.behaviour != MasterBehaviour::Silent) {
            if (std::string greeting = connection.session.greetingText(); !greeting.empty()) {
                connection.queue.push_back({now, std::move(greeting)});
            }
        }
    }
}

void MasterServer::read(Connection& connection, Clock::time_point now) {
    char buffer[kReadBuffer];
    while (true) {
        const ssize_t length = ::recv(connection.socket.get(), buffer, sizeof buffer, 0);
        if (length == 0 || (length < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) {
            connection.done = true; // the client has gone
            return;
        }
        if (length < 0) {
            return;
        }
        if (connection.finishing || m_options.behaviour == MasterBehaviour::Silent) {
            continue;
        }
        answer(
            connection,
            connection.session.receive(std::string_view(buffer, static_cast<std::size_t>(length))),
            now);
    }
}

void MasterServer::answer(Connection& connection, const MasterSession::Answer& answer,
                          Clock::time_point now) {
    if (!answer.reply.empty()) {
        const auto gap = std::chrono::milliseconds(chunkGapMs(m_options));
        const bool slow = m_options.behaviour == MasterBehaviour::Slow;
        Clock::time_point due = slow ? now + gap : now;
        for (std::string& piece :
             cutIntoPieces(answer.reply, chunkCount(m_options), m_random.next())) {
            connection.queue.push_back({due, std::move(piece)});
            due += gap;
        }
        connection.closeWhenSent = !m_options.keepOpen;
    }
    if (answer.close) {
        connection.closeWhenSent = true;
    }
}

void MasterServer::write(Connection& connection) {
    while (!connection.writing.empty()) {
        const ssize_t sent = ::send(connection.socket.get(), connection.writing.data(),
                                    connection.writing.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno != EAGAIN && errno != EWOULDBLOCK) {
                connection.done = true;
            }
            return;
        }
        connection.writing.erase(0, static_cast<std::size_t>(sent));
    }
}

void MasterServer::sendDue(Clock::time_point now) {
    for (Connection& connection : m_connections) {
        bool wrote = false;
        while (!connection.queue.empty() && connection.queue.front().due <= now) {
            connection.writing += connection.queue.front().bytes;
            connection.queue.pop_front();
            // Each piece leaves on its own, so the client reads it as one.
            write(connection);
            wrote = true;
            if (connection.done) {
                break;
            }
        }
        if (!wrote && !connection.writing.empty()) {
            write(connection);
        }
        const bool allSent = connection.queue.empty() && connection.writing.empty();
        if (allSent && connection.closeWhenSent && !connection.finishing && !connection.done) {
            // Shut our side and read on until the client closes too: closing with unread
            // bytes would reset the connection and could lose the end of the list.
            ::shutdown(connection.socket.get(), SHUT_WR);
            connection.finishing = true;
            connection.deadline = now + kFinishTimeout;
        }
        if (connection.finishing && now >= connection.deadline) {
            connection.done = true;
        }
    }
    std::erase_if(m_connections, [](const Connection& c) { return c.done; });
}

std::optional<MasterServer::Clock::time_point> MasterServer::nextDue() const {
    std::optional<Clock::time_point> next;
    if (m_acceptPausedUntil > Clock::now()) {
        next = m_acceptPausedUntil;
    }
    for (const Connection& connection : m_connections) {
        std::optional<Clock::time_point> due;
        if (!connection.queue.empty()) {
            due = connection.queue.front().due;
        } else if (connection.finishing) {
            due = connection.deadline;
        } else if (connection.closeWhenSent && connection.writing.empty()) {
            due = Clock::time_point{}; // shut it down at once
        }
        if (due && (!next || *due < *next)) {
            next = due;
        }
    }
    return next;
}

} // namespace utlab
