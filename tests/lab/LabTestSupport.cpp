#include "LabTestSupport.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace utlab::labtest {

std::string padded(std::string_view text) {
    std::string datagram(text);
    datagram.resize(700, '\0');
    return datagram;
}

std::vector<std::pair<std::string, std::string>> pairsOf(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<std::string> fields;
    for (std::size_t start = 1; start <= text.size();) {
        const std::size_t end = std::min(text.find('\\', start), text.size());
        fields.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        pairs.emplace_back(fields[i], fields[i + 1]);
    }
    return pairs;
}

std::optional<std::string> valueOf(std::string_view text, std::string_view key) {
    const std::string needle = "\\" + std::string(key) + "\\";
    const std::size_t at = text.find(needle);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t start = at + needle.size();
    return std::string(text.substr(start, text.find('\\', start) - start));
}

std::string joined(const std::vector<std::string>& datagrams) {
    std::string text;
    for (const std::string& datagram : datagrams) {
        text += datagram;
    }
    return text;
}

std::vector<int> datagramNumbers(const std::vector<std::string>& datagrams) {
    std::vector<int> numbers;
    for (const std::string& datagram : datagrams) {
        const std::string id = valueOf(datagram, "queryid").value_or("");
        const std::size_t dot = id.find('.');
        numbers.push_back(dot == std::string::npos ? 0 : std::atoi(id.c_str() + dot + 1));
    }
    return numbers;
}

UdpClient::UdpClient() : m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot open the test client socket");
    }
}

UdpClient::~UdpClient() {
    ::close(m_fd);
}

void UdpClient::send(std::uint16_t port, std::string_view datagram) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::sendto(m_fd, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&address),
                 sizeof address) < 0) {
        throw std::runtime_error("cannot send the test datagram");
    }
}

std::optional<std::string> UdpClient::receive(std::chrono::milliseconds timeout) {
    pollfd fd{m_fd, POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(timeout.count())) <= 0) {
        return std::nullopt;
    }
    char buffer[4096];
    const ssize_t length = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (length < 0) {
        return std::nullopt;
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::vector<std::string> UdpClient::receiveReply(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<std::string> datagrams;
    std::size_t expected = 0;
    while (expected == 0 || datagrams.size() < expected) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const std::optional<std::string> datagram = receive(std::max(left, 0ms));
        if (!datagram) {
            break;
        }
        datagrams.push_back(*datagram);
        if (datagram->find("\\final\\") != std::string::npos) {
            const std::string id = valueOf(*datagram, "queryid").value_or("");
            expected = std::strtoul(id.substr(id.find('.') + 1).c_str(), nullptr, 10);
        }
    }
    return datagrams;
}

TcpClient::TcpClient() : m_fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    if (m_fd < 0) {
        throw std::runtime_error("cannot open the test TCP socket");
    }
}

TcpClient::~TcpClient() {
    ::close(m_fd);
}

int TcpClient::connect(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 0 : errno;
}

void TcpClient::send(std::string_view bytes) {
    if (::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("cannot send on the test TCP socket");
    }
}

std::optional<std::string> TcpClient::read(std::chrono::milliseconds timeout) {
    pollfd fd{m_fd, POLLIN, 0};
    if (::poll(&fd, 1, static_cast<int>(timeout.count())) <= 0) {
        return std::nullopt;
    }
    char buffer[65536];
    const ssize_t length = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (length <= 0) {
        m_closed = true;
        return std::string();
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

std::vector<std::string> TcpClient::readUntil(std::string_view marker,
                                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<std::string> pieces;
    std::string text;
    while (!m_closed && (marker.empty() || !text.ends_with(marker))) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const std::optional<std::string> piece = read(std::max(left, 0ms));
        if (!piece) {
            break;
        }
        if (!piece->empty()) {
            text += *piece;
            pieces.push_back(*piece);
        }
    }
    return pieces;
}

std::vector<std::string> TcpClient::readToEnd(std::chrono::milliseconds timeout) {
    return readUntil({}, timeout);
}

std::string findOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const std::size_t colon = std::min(rest.find(':'), rest.size());
        const std::string candidate =
            std::string(rest.substr(0, colon)) + "/" + std::string(program);
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        rest.remove_prefix(std::min(colon + 1, rest.size()));
    }
    return {};
}

} // namespace utlab::labtest
