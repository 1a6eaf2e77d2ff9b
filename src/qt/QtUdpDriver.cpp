#include "qt/QtUdpDriver.h"

#include <QNetworkDatagram>

namespace gui {

QtUdpDriver::QtUdpDriver(tk::UdpSocket& socket)
    : m_owner(socket),
      m_hosts([this](const std::string& host, const std::optional<QHostAddress>& address) {
          lookedUp(host, address);
      }) {
    QObject::connect(&m_socket, &QUdpSocket::readyRead, &m_socket, [this] { readPending(); });
}

QtUdpDriver::~QtUdpDriver() {
    // Nothing may reach the core object that is being destroyed.
    QObject::disconnect(&m_socket, nullptr, nullptr, nullptr);
    m_socket.abort();
}

bool QtUdpDriver::bindTo(std::uint16_t port) {
    // DontShareAddress: a port already used by another program must fail here
    // rather than be shared silently (SO_REUSEADDR would let two sockets split
    // the replies between them).
    constexpr auto kMode = QAbstractSocket::DontShareAddress;
    if (m_socket.bind(QHostAddress::Any, port, kMode)) {
        return true;
    }
    if (m_socket.error() == QAbstractSocket::AddressInUseError) {
        return false;
    }
    // A system without IPv6: bind IPv4 only.
    m_socket.abort();
    return m_socket.bind(QHostAddress::AnyIPv4, port, kMode);
}

bool QtUdpDriver::bind(std::uint16_t port) {
    if (port != 0 && m_boundPort == port) {
        return true;
    }
    m_boundPort.reset();
    // abort() keeps the object: bind() may be called from inside readPending().
    m_socket.abort();
    if (bindTo(port)) {
        m_boundPort = port;
        return true;
    }
    m_socket.abort();
    if (port != 0) {
        // The port is taken: stay able to send from a port of the system's choice.
        (void)bindTo(0);
    }
    return false;
}

bool QtUdpDriver::sendTo(const std::string& host, std::uint16_t port, std::string_view bytes) {
    const HostLookups::Result found = m_hosts.find(host);
    switch (found.state) {
    case HostLookups::State::Ready:
        return writeTo(found.address, port, bytes);
    case HostLookups::State::Failed:
        return false;
    case HostLookups::State::Pending:
        break;
    }
    std::deque<Waiting>& waiting = m_waiting[host];
    if (waiting.size() >= kMaxWaiting) {
        waiting.pop_front();
    }
    waiting.push_back(Waiting{port, std::string(bytes)});
    return true;
}

void QtUdpDriver::lookedUp(const std::string& host, const std::optional<QHostAddress>& address) {
    const auto it = m_waiting.find(host);
    if (it == m_waiting.end()) {
        return;
    }
    const std::deque<Waiting> waiting = std::move(it->second);
    m_waiting.erase(it);
    if (!address) {
        return; // dropped: the core sees no reply, as for a lost datagram
    }
    for (const Waiting& w : waiting) {
        (void)writeTo(*address, w.port, w.bytes);
    }
}

bool QtUdpDriver::writeTo(const QHostAddress& address, std::uint16_t port, std::string_view bytes) {
    if (m_socket.state() != QAbstractSocket::BoundState && !bindTo(0)) {
        return false;
    }
    const qint64 sent =
        m_socket.writeDatagram(bytes.data(), static_cast<qint64>(bytes.size()), address, port);
    return sent == static_cast<qint64>(bytes.size());
}

void QtUdpDriver::readPending() {
    while (m_socket.state() == QAbstractSocket::BoundState && m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram =
            m_socket.receiveDatagram(static_cast<qint64>(tk::UdpSocket::kMaxDatagram));
        if (!datagram.isValid()) {
            break;
        }
        const QByteArray data = datagram.data();
        m_owner.deliver(std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                        addressText(datagram.senderAddress()),
                        static_cast<std::uint16_t>(datagram.senderPort()));
    }
}

} // namespace gui
