#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tk {

class Platform;

class UdpDriver {
public:
    virtual ~UdpDriver() = default;
    // Binds to the local port (0: any). Returns false when the port is taken;
    // the driver then stays bound to a port of the system's choice, so sending
    // still works.
    [[nodiscard]] virtual bool bind(std::uint16_t port) = 0;
    // Sends one datagram. False when the host cannot be resolved or the send
    // fails.
    [[nodiscard]] virtual bool sendTo(const std::string& host, std::uint16_t port,
                                      std::string_view bytes) = 0;
    // Whether a datagram's sender address is the host that datagrams were
    // sent to: the same text, or a host name that resolved to it.
    [[nodiscard]] virtual bool sameHost(const std::string& host,
                                        const std::string& address) const {
        return host == address;
    }
};

// One UDP conversation: a local port, a remote host and port set before each
// send, and one event per received datagram.
class UdpSocket {
public:
    // At most this many bytes of a datagram are delivered.
    static constexpr std::size_t kMaxDatagram = 2048;

    explicit UdpSocket(Platform& platform);
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // Binds the socket to the port; see UdpDriver::bind.
    bool setLocalPort(std::uint16_t port);
    [[nodiscard]] std::uint16_t localPort() const { return m_localPort; }

    void setRemote(std::string host, std::uint16_t port);
    [[nodiscard]] const std::string& remoteHost() const { return m_remoteHost; }
    [[nodiscard]] std::uint16_t remotePort() const { return m_remotePort; }

    // Sends to the remote host and port; false on failure.
    [[nodiscard]] bool send(std::string_view bytes);
    // See UdpDriver::sameHost.
    [[nodiscard]] bool sameHost(const std::string& host, const std::string& address) const {
        return m_driver->sameHost(host, address);
    }

    // datagram (cut to kMaxDatagram), sender address, sender port
    std::function<void(std::string_view, const std::string&, std::uint16_t)> onDataReceived;

    // Called by the driver for every datagram that arrives.
    void deliver(std::string_view bytes, const std::string& fromHost, std::uint16_t fromPort);

private:
    std::unique_ptr<UdpDriver> m_driver;
    std::uint16_t m_localPort = 0;
    std::string m_remoteHost;
    std::uint16_t m_remotePort = 0;
};

} // namespace tk
