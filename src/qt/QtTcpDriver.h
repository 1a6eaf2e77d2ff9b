#pragma once

#include "toolkit/TcpClientSocket.h"

#include <QTcpSocket>

namespace gui {

// A core TCP client on a QTcpSocket. Every step of the connection comes back
// to the core as an event: lookup, connecting, connected, data, disconnect,
// error.
class QtTcpDriver final : public tk::TcpDriver {
public:
    explicit QtTcpDriver(tk::TcpClientSocket& socket);
    ~QtTcpDriver() override;
    QtTcpDriver(const QtTcpDriver&) = delete;
    QtTcpDriver& operator=(const QtTcpDriver&) = delete;

    void open(const std::string& host, std::uint16_t port) override;
    [[nodiscard]] bool send(std::string_view bytes) override;
    void close() override;

private:
    void stateChanged(QAbstractSocket::SocketState state);
    void readAvailable();
    void disconnected();
    void failed(QAbstractSocket::SocketError error);

    tk::TcpClientSocket& m_owner;
    QTcpSocket m_socket;
    // Set while the core itself closes or drops the socket: it reports the
    // disconnect on its own.
    bool m_quiet = false;
};

} // namespace gui
