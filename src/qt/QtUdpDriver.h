#pragma once

#include "qt/HostAddress.h"

#include "toolkit/UdpSocket.h"

#include <QUdpSocket>

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>

namespace gui {

// A core UDP socket on a QUdpSocket. The socket is bound on every local
// address, IPv4 and IPv6 where the system has both. Host names are looked up
// in the background: a datagram for a name whose lookup is under way waits
// for the answer (the newest kMaxWaiting per host), and sendTo reports it
// sent. A name that did not resolve fails at once for a while.
class QtUdpDriver final : public tk::UdpDriver {
public:
    static constexpr std::size_t kMaxWaiting = 4;

    explicit QtUdpDriver(tk::UdpSocket& socket);
    ~QtUdpDriver() override;
    QtUdpDriver(const QtUdpDriver&) = delete;
    QtUdpDriver& operator=(const QtUdpDriver&) = delete;

    [[nodiscard]] bool bind(std::uint16_t port) override;
    [[nodiscard]] bool sendTo(const std::string& host, std::uint16_t port,
                              std::string_view bytes) override;
    // A host name matches the address its lookup gave.
    [[nodiscard]] bool sameHost(const std::string& host,
                                const std::string& address) const override {
        return m_hosts.sameHost(host, address);
    }

private:
    struct Waiting {
        std::uint16_t port;
        std::string bytes;
    };

    bool bindTo(std::uint16_t port);
    bool writeTo(const QHostAddress& address, std::uint16_t port, std::string_view bytes);
    void lookedUp(const std::string& host, const std::optional<QHostAddress>& address);
    void readPending();

    tk::UdpSocket& m_owner;
    QUdpSocket m_socket;
    // The port asked for by the last successful bind; empty while unbound or
    // when the port was taken.
    std::optional<std::uint16_t> m_boundPort;
    std::map<std::string, std::deque<Waiting>> m_waiting; // by host name
    HostLookups m_hosts;
};

} // namespace gui
