#include "toolkit/TcpClientSocket.h"

#include "toolkit/Platform.h"

namespace tk {

TcpClientSocket::TcpClientSocket(Platform& platform) : m_driver(platform.createTcpDriver(*this)) {}

TcpClientSocket::~TcpClientSocket() = default;

void TcpClientSocket::open() {
    if (active()) {
        return;
    }
    m_state = State::LookingUp;
    m_driver->open(m_host, m_port);
}

void TcpClientSocket::close() {
    if (!active()) {
        return;
    }
    m_driver->close();
    notifyDisconnected();
}

bool TcpClientSocket::send(std::string_view bytes) {
    return m_state == State::Connected && m_driver->send(bytes);
}

void TcpClientSocket::notifyLookup() {
    m_state = State::LookingUp;
    if (onLookup) {
        onLookup();
    }
}

void TcpClientSocket::notifyConnecting() {
    m_state = State::Connecting;
    if (onConnecting) {
        onConnecting();
    }
}

void TcpClientSocket::notifyConnected() {
    m_state = State::Connected;
    if (onConnect) {
        onConnect();
    }
}

void TcpClientSocket::notifyRead(std::string_view bytes) {
    if (onRead) {
        onRead(bytes);
    }
}

void TcpClientSocket::notifyDisconnected() {
    if (m_state == State::Closed) {
        return;
    }
    m_state = State::Closed;
    if (onDisconnect) {
        onDisconnect();
    }
}

void TcpClientSocket::notifyError(const std::string& message) {
    m_state = State::Closed;
    if (onError) {
        onError(message);
    }
}

} // namespace tk
