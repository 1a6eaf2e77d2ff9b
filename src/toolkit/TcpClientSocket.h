#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tk {

class Platform;

class TcpDriver {
public:
    virtual ~TcpDriver() = default;
    // Starts a non-blocking connect; progress comes back through the socket's
    // events.
    virtual void open(const std::string& host, std::uint16_t port) = 0;
    [[nodiscard]] virtual bool send(std::string_view bytes) = 0;
    virtual void close() = 0;
};

// A non-blocking TCP client: every step of the connection is an event.
class TcpClientSocket {
public:
    enum class State { Closed, LookingUp, Connecting, Connected };

    explicit TcpClientSocket(Platform& platform);
    ~TcpClientSocket();
    TcpClientSocket(const TcpClientSocket&) = delete;
    TcpClientSocket& operator=(const TcpClientSocket&) = delete;

    void setHost(std::string host) { m_host = std::move(host); }
    void setPort(std::uint16_t port) { m_port = port; }
    [[nodiscard]] const std::string& host() const { return m_host; }
    [[nodiscard]] std::uint16_t port() const { return m_port; }
    [[nodiscard]] State state() const { return m_state; }
    [[nodiscard]] bool active() const { return m_state != State::Closed; }

    void open();
    void close();
    [[nodiscard]] bool send(std::string_view bytes);

    std::function<void()> onLookup;
    std::function<void()> onConnecting;
    std::function<void()> onConnect;
    std::function<void(std::string_view)> onRead;
    std::function<void()> onDisconnect;
    std::function<void(const std::string&)> onError;

    // Called by the driver.
    void notifyLookup();
    void notifyConnecting();
    void notifyConnected();
    void notifyRead(std::string_view bytes);
    void notifyDisconnected();
    void notifyError(const std::string& message);

private:
    std::unique_ptr<TcpDriver> m_driver;
    std::string m_host;
    std::uint16_t m_port = 0;
    State m_state = State::Closed;
};

} // namespace tk
