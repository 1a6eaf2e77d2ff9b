#pragma once

#include "MasterOptions.h"
#include "MasterSession.h"
#include "Random.h"
#include "Socket.h"

#include <chrono>
#include <deque>
#include <optional>
#include <poll.h>
#include <span>
#include <string>
#include <vector>

namespace utlab {

// The master server's TCP side, served from the lab's poll() loop: it adds its sockets to the
// loop's list, handles their events and sends the pieces of the list when they are due.
class MasterServer {
public:
    using Clock = std::chrono::steady_clock;

    // Binds 127.0.0.1:options.port (listening unless it refuses); throws std::system_error.
    explicit MasterServer(MasterOptions options);

    [[nodiscard]] std::uint16_t port() const { return m_port; }

    // The list every client is sent.
    void setList(std::string list) { m_list = std::move(list); }

    // Appends the sockets to watch: the listening one first, then one per connection.
    void appendPollFds(std::vector<pollfd>& fds) const;
    // Handles the events of the sockets appendPollFds() added, in the same order.
    void handleEvents(std::span<const pollfd> fds, Clock::time_point now);
    // Writes what is due and ends connections that are done.
    void sendDue(Clock::time_point now);
    // When sendDue() has something to do next.
    [[nodiscard]] std::optional<Clock::time_point> nextDue() const;

private:
    struct Piece {
        Clock::time_point due;
        std::string bytes;
    };

    struct Connection {
        Connection(UniqueFd s, MasterSession session)
            : socket(std::move(s)), session(std::move(session)) {}

        UniqueFd socket;
        MasterSession session;
        std::deque<Piece> queue; // not yet due
        std::string writing;     // due, not yet taken by the socket
        bool closeWhenSent = false;
        bool finishing = false;     // our side is shut; waiting for the client to close
        Clock::time_point deadline; // of finishing
        bool done = false;
    };

    void accept(Clock::time_point now);
    void read(Connection& connection, Clock::time_point now);
    void answer(Connection& connection, const MasterSession::Answer& answer, Clock::time_point now);
    static void write(Connection& connection);

    MasterOptions m_options;
    UniqueFd m_socket;
    std::uint16_t m_port = 0;
    std::string m_list;
    Random m_random;
    std::vector<Connection> m_connections;
    // Out of files: the listening socket rests until then instead of waking the loop at once.
    Clock::time_point m_acceptPausedUntil;
};

} // namespace utlab
