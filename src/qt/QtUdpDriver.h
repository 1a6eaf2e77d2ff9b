#pragma once

#include "qt/Core.h"
#include "qt/HostAddress.h"

#include <QUdpSocket>

#include <cstdint>
#include <optional>

namespace gui {

// A core UDP socket on a QUdpSocket. The socket is bound on every local
// address, IPv4 and IPv6 where the system has both.
class QtUdpDriver final : public tk::UdpDriver {
public:
    explicit QtUdpDriver(tk::UdpSocket& socket);
    ~QtUdpDriver() override;
    QtUdpDriver(const QtUdpDriver&) = delete;
    QtUdpDriver& operator=(const QtUdpDriver&) = delete;

    [[nodiscard]] bool bind(std::uint16_t port) override;
    [[nodiscard]] bool sendTo(const std::string& host, std::uint16_t port,
                              std::string_view bytes) override;

private:
    bool bindTo(std::uint16_t port);
    void readPending();

    tk::UdpSocket& m_owner;
    QUdpSocket m_socket;
    // The port asked for by the last successful bind; empty while unbound or
    // when the port was taken.
    std::optional<std::uint16_t> m_boundPort;
    HostLookupCache m_hosts;
};

} // namespace gui
