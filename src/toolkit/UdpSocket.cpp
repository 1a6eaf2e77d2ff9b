#include "toolkit/UdpSocket.h"

#include "toolkit/Platform.h"

namespace tk {

UdpSocket::UdpSocket(Platform& platform) : m_driver(platform.createUdpDriver(*this)) {}

UdpSocket::~UdpSocket() = default;

bool UdpSocket::setLocalPort(std::uint16_t port) {
    m_localPort = port;
    return m_driver->bind(port);
}

void UdpSocket::setRemote(std::string host, std::uint16_t port) {
    m_remoteHost = std::move(host);
    m_remotePort = port;
}

bool UdpSocket::send(std::string_view bytes) {
    if (m_remoteHost.empty()) {
        return false;
    }
    return m_driver->sendTo(m_remoteHost, m_remotePort, bytes);
}

void UdpSocket::deliver(std::string_view bytes, const std::string& fromHost,
                        std::uint16_t fromPort) {
    if (bytes.size() > kMaxDatagram) {
        bytes = bytes.substr(0, kMaxDatagram);
    }
    if (onDataReceived) {
        onDataReceived(bytes, fromHost, fromPort);
    }
}

} // namespace tk
