#include "EmulatedServer.h"

#include "Request.h"
#include "Responder.h"

#include <algorithm>

namespace utlab {
namespace {

constexpr int kQueryNumberWrap = 100;
// A held-back datagram leaves this much later than its neighbours.
constexpr int kHoldBackMinMs = 15;
constexpr int kHoldBackMaxMs = 40;

} // namespace

EmulatedServer::EmulatedServer(ServerOptions options)
    : m_options(std::move(options)), m_dialect(dialectOf(m_options)), m_match(m_options),
      m_network(m_options.seed ^ 0x5EED'0F'D47A'6A11ULL) {}

std::vector<Outgoing> EmulatedServer::handle(std::string_view datagram,
                                             std::chrono::milliseconds now) {
    if (m_options.silent) {
        return {};
    }
    const std::vector<Command> commands = parseRequest(datagram);
    if (commands.empty()) {
        return {};
    }
    m_queryNumber = m_queryNumber % kQueryNumberWrap + 1;
    m_match.advance(now);
    const ReplySource source{m_options, m_dialect, m_match.state()};
    return deliver(buildReply(source, commands, m_queryNumber));
}

void EmulatedServer::scramble(std::vector<std::string>& datagrams) {
    if (datagrams.size() < 2) {
        return;
    }
    if (m_options.order == DatagramOrder::Reverse) {
        std::ranges::reverse(datagrams);
    } else if (m_options.order == DatagramOrder::Shuffle) {
        const std::vector<std::string> sent = datagrams;
        for (std::size_t i = datagrams.size() - 1; i > 0; --i) {
            std::swap(datagrams[i], datagrams[m_network.below(i + 1)]);
        }
        if (datagrams == sent) {
            std::ranges::rotate(datagrams, datagrams.begin() + 1);
        }
    }
}

std::vector<Outgoing> EmulatedServer::deliver(std::vector<std::string> datagrams) {
    scramble(datagrams);
    std::vector<Outgoing> outgoing;
    for (std::string& datagram : datagrams) {
        if (m_options.loss > 0.0 && m_network.chance(m_options.loss)) {
            continue;
        }
        int delay = m_options.latencyMs;
        if (m_options.reorder > 0.0 && m_network.chance(m_options.reorder)) {
            delay += m_network.between(kHoldBackMinMs, kHoldBackMaxMs);
        }
        outgoing.push_back({std::chrono::milliseconds(delay), std::move(datagram)});
    }
    return outgoing;
}

} // namespace utlab
