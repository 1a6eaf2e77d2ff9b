#pragma once

#include "Match.h"
#include "Random.h"
#include "ServerOptions.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace utlab {

// A reply datagram and how long the network holds it before it leaves.
struct Outgoing {
    std::chrono::milliseconds delay{0};
    std::string payload;
};

// One emulated server without any I/O: takes a query datagram and the time since start,
// returns the datagrams to send. The order of delivery, loss and reordering come from a
// generator seeded by the server's seed, so a run can be repeated exactly.
class EmulatedServer {
public:
    // `options` must be completed (see completed()) and carry the game port actually in use.
    explicit EmulatedServer(ServerOptions options);

    [[nodiscard]] std::vector<Outgoing> handle(std::string_view datagram,
                                               std::chrono::milliseconds now);

    [[nodiscard]] const ServerOptions& options() const { return m_options; }
    [[nodiscard]] const Match& match() const { return m_match; }

private:
    // Puts the datagrams into the configured order of delivery.
    void scramble(std::vector<std::string>& datagrams);
    [[nodiscard]] std::vector<Outgoing> deliver(std::vector<std::string> datagrams);

    ServerOptions m_options;
    Dialect m_dialect;
    Match m_match;
    Random m_network;
    int m_queryNumber = 0;
};

} // namespace utlab
