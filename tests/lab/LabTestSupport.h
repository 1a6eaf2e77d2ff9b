#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace utlab::labtest {

using namespace std::chrono_literals;

// The client's status query: text, one zero byte, zero padding to 700 bytes.
inline constexpr std::string_view kClientQuery =
    "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\\\echo\\ping_123456|3";
// The same with all four player properties asked for.
inline constexpr std::string_view kFullClientQuery =
    "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\\\player_property"
    "\\weapon\\\\player_property\\spree\\\\player_property\\inventory\\\\echo\\ping_123456|3";
[[nodiscard]] std::string padded(std::string_view text);

// The `\key\value` pairs of a reply text, in order.
[[nodiscard]] std::vector<std::pair<std::string, std::string>> pairsOf(std::string_view text);
// Value of the first `\key\`, as the client reads it; nullopt when absent.
[[nodiscard]] std::optional<std::string> valueOf(std::string_view text, std::string_view key);
// The datagrams of a reply joined in order.
[[nodiscard]] std::string joined(const std::vector<std::string>& datagrams);
// The number of each datagram within its reply (the M of `\queryid\N.M`), 0 when missing.
[[nodiscard]] std::vector<int> datagramNumbers(const std::vector<std::string>& datagrams);

// A plain POSIX UDP client on 127.0.0.1.
class UdpClient {
public:
    UdpClient();
    ~UdpClient();
    UdpClient(const UdpClient&) = delete;
    UdpClient& operator=(const UdpClient&) = delete;

    void send(std::uint16_t port, std::string_view datagram);
    // The next datagram, or nullopt when none arrives before the deadline.
    [[nodiscard]] std::optional<std::string> receive(std::chrono::milliseconds timeout);
    // Datagrams until one carries `\final\` and all numbered before it are in, or the deadline.
    [[nodiscard]] std::vector<std::string> receiveReply(std::chrono::milliseconds timeout);

private:
    int m_fd;
};

// A plain POSIX TCP client on 127.0.0.1 that keeps every piece it reads apart.
class TcpClient {
public:
    TcpClient();
    ~TcpClient();
    TcpClient(const TcpClient&) = delete;
    TcpClient& operator=(const TcpClient&) = delete;

    // 0 when connected, else the errno of the failure (ECONNREFUSED...).
    [[nodiscard]] int connect(std::uint16_t port);
    void send(std::string_view bytes);
    // The next piece the server sent; nullopt at the deadline; "" when the server closed.
    [[nodiscard]] std::optional<std::string> read(std::chrono::milliseconds timeout);
    // Pieces until the server closes (closed() is then true) or the deadline.
    [[nodiscard]] std::vector<std::string> readToEnd(std::chrono::milliseconds timeout);
    // Pieces until their text ends with `marker`, the server closes, or the deadline.
    [[nodiscard]] std::vector<std::string> readUntil(std::string_view marker,
                                                     std::chrono::milliseconds timeout);
    [[nodiscard]] bool closed() const { return m_closed; }

private:
    int m_fd;
    bool m_closed = false;
};

// Full path of an executable found on PATH, or empty.
[[nodiscard]] std::string findOnPath(std::string_view program);

} // namespace utlab::labtest
