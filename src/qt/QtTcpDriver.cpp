#include "qt/QtTcpDriver.h"

namespace gui {

QtTcpDriver::QtTcpDriver(tk::TcpClientSocket& socket) : m_owner(socket) {
    QObject::connect(&m_socket, &QAbstractSocket::stateChanged, &m_socket,
                     [this](QAbstractSocket::SocketState s) { stateChanged(s); });
    QObject::connect(&m_socket, &QAbstractSocket::connected, &m_socket, [this] {
        if (!m_quiet) {
            m_owner.notifyConnected();
        }
    });
    QObject::connect(&m_socket, &QIODevice::readyRead, &m_socket, [this] { readAvailable(); });
    QObject::connect(&m_socket, &QAbstractSocket::disconnected, &m_socket,
                     [this] { disconnected(); });
    QObject::connect(&m_socket, &QAbstractSocket::errorOccurred, &m_socket,
                     [this](QAbstractSocket::SocketError e) { failed(e); });
}

QtTcpDriver::~QtTcpDriver() {
    // Nothing may reach the core object that is being destroyed.
    QObject::disconnect(&m_socket, nullptr, nullptr, nullptr);
    m_socket.abort();
}

void QtTcpDriver::open(const std::string& host, std::uint16_t port) {
    m_quiet = true;
    m_socket.abort();
    m_quiet = false;
    m_socket.connectToHost(QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())),
                           port);
}

bool QtTcpDriver::send(std::string_view bytes) {
    if (m_socket.state() != QAbstractSocket::ConnectedState) {
        return false;
    }
    return m_socket.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

void QtTcpDriver::close() {
    m_quiet = true;
    m_socket.abort();
    m_quiet = false;
}

void QtTcpDriver::stateChanged(QAbstractSocket::SocketState state) {
    if (m_quiet) {
        return;
    }
    if (state == QAbstractSocket::HostLookupState) {
        m_owner.notifyLookup();
    } else if (state == QAbstractSocket::ConnectingState) {
        m_owner.notifyConnecting();
    }
}

void QtTcpDriver::readAvailable() {
    if (m_quiet) {
        return;
    }
    const QByteArray data = m_socket.readAll();
    if (!data.isEmpty()) {
        m_owner.notifyRead(
            std::string_view(data.constData(), static_cast<std::size_t>(data.size())));
    }
}

void QtTcpDriver::disconnected() {
    if (m_quiet) {
        return;
    }
    // Bytes that came with the close are delivered before the disconnect.
    readAvailable();
    m_owner.notifyDisconnected();
}

void QtTcpDriver::failed(QAbstractSocket::SocketError error) {
    // A peer that closes the connection is a disconnect, not an error; Qt
    // reports both, and the disconnect follows.
    if (m_quiet || error == QAbstractSocket::RemoteHostClosedError) {
        return;
    }
    m_owner.notifyError(m_socket.errorString().toStdString());
}

} // namespace gui
