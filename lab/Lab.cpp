#include "Lab.h"

#include "EmulatedServer.h"
#include "ManyServers.h"
#include "MasterList.h"
#include "MasterServer.h"
#include "Socket.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <queue>
#include <span>
#include <stdexcept>
#include <sys/socket.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace utlab {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kReceiveBuffer = 4096;
// Datagrams read from one socket per wake-up, so a busy server cannot starve the others.
constexpr int kReadsPerWake = 64;
// Files kept free when the crowd is sized to the limit: the master's connections and the like.
constexpr std::size_t kSpareFiles = 128;

struct Pending {
    Clock::time_point due;
    std::uint64_t sequence = 0;
    std::size_t server = 0;
    sockaddr_in peer{};
    std::string payload;

    bool operator>(const Pending& other) const {
        return due != other.due ? due > other.due : sequence > other.sequence;
    }
};

struct Hosted {
    EmulatedServer server;
    PortPair ports;
};

} // namespace

class Lab::Loop {
public:
    Loop(std::vector<Hosted> hosted, std::optional<MasterServer> master)
        : m_hosted(std::move(hosted)), m_master(std::move(master)), m_wake(makeWakePipe()),
          m_start(Clock::now()), m_thread([this] { run(); }) {}

    ~Loop() {
        m_stopping = true;
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(m_wake.write.get(), &byte, 1);
        m_thread.join();
    }

    Loop(const Loop&) = delete;
    Loop& operator=(const Loop&) = delete;

private:
    void run() {
        std::vector<pollfd> fds{{m_wake.read.get(), POLLIN, 0}};
        for (const Hosted& hosted : m_hosted) {
            fds.push_back({hosted.ports.query.get(), POLLIN, 0});
            fds.push_back({hosted.ports.game.get(), POLLIN, 0});
        }
        const std::size_t serverFds = fds.size();
        while (!m_stopping) {
            fds.resize(serverFds);
            if (m_master) {
                m_master->appendPollFds(fds);
            }
            if (::poll(fds.data(), fds.size(), pollTimeout()) < 0 && errno != EINTR) {
                break;
            }
            if (fds[0].revents != 0) {
                drain(m_wake.read.get());
            }
            for (std::size_t i = 0; i < m_hosted.size(); ++i) {
                if (fds[1 + 2 * i].revents != 0) {
                    receive(i);
                }
                if (fds[2 + 2 * i].revents != 0) {
                    drain(m_hosted[i].ports.game.get()); // nobody plays here
                }
            }
            if (m_master) {
                m_master->handleEvents(std::span(fds).subspan(serverFds), Clock::now());
            }
            sendDue();
        }
    }

    [[nodiscard]] int pollTimeout() const {
        std::optional<Clock::time_point> next;
        if (!m_pending.empty()) {
            next = m_pending.top().due;
        }
        if (const auto masterDue = m_master ? m_master->nextDue() : std::nullopt;
            masterDue && (!next || *masterDue < *next)) {
            next = masterDue;
        }
        if (!next) {
            return -1;
        }
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now());
        return static_cast<int>(std::max<std::chrono::milliseconds::rep>(wait.count(), 0));
    }

    static void drain(int fd) {
        char buffer[kReceiveBuffer];
        for (int i = 0; i < kReadsPerWake && ::read(fd, buffer, sizeof buffer) >= 0; ++i) {
        }
    }

    void receive(std::size_t index) {
        Hosted& hosted = m_hosted[index];
        char buffer[kReceiveBuffer];
        for (int i = 0; i < kReadsPerWake; ++i) {
            sockaddr_in peer{};
            socklen_t peerLength = sizeof peer;
            const ssize_t length = ::recvfrom(hosted.ports.query.get(), buffer, sizeof buffer, 0,
                                              reinterpret_cast<sockaddr*>(&peer), &peerLength);
            if (length < 0) {
                return;
            }
            const Clock::time_point now = Clock::now();
            const auto sinceStart =
                std::chrono::duration_cast<std::chrono::milliseconds>(now - m_start);
            for (Outgoing& out : hosted.server.handle(
                     std::string_view(buffer, static_cast<std::size_t>(length)), sinceStart)) {
                if (out.delay.count() == 0) {
                    sendNow(index, peer, out.payload);
                } else {
                    m_pending.push(
                        {now + out.delay, m_sequence++, index, peer, std::move(out.payload)});
                }
            }
        }
    }

    void sendDue() {
        const Clock::time_point now = Clock::now();
        while (!m_pending.empty() && m_pending.top().due <= now) {
            const Pending& next = m_pending.top();
            sendNow(next.server, next.peer, next.payload);
            m_pending.pop();
        }
        if (m_master) {
            m_master->sendDue(now);
        }
    }

    void sendNow(std::size_t index, const sockaddr_in& peer, const std::string& payload) {
        // Like the game: a datagram that cannot be sent is simply lost.
        [[maybe_unused]] const auto sent =
            ::sendto(m_hosted[index].ports.query.get(), payload.data(), payload.size(), 0,
                     reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
    }

    std::vector<Hosted> m_hosted;
    std::optional<MasterServer> m_master;
    WakePipe m_wake;
    Clock::time_point m_start;
    std::priority_queue<Pending, std::vector<Pending>, std::greater<>> m_pending;
    std::uint64_t m_sequence = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread; // last: starts once everything above exists
};

Lab::Lab(std::vector<ServerOptions> servers) : Lab(LabConfig{std::move(servers), {}, {}}) {}

Lab::Lab(LabConfig config) : m_master(config.master), m_many(config.many) {
    for (ServerOptions& options : config.servers) {
        m_servers.push_back(completed(std::move(options)));
    }
}

Lab::~Lab() {
    stop();
}

namespace {

Hosted host(ServerOptions options, PortPair ports, std::vector<Endpoint>& endpoints) {
    options.gamePort = ports.gamePort;
    endpoints.push_back(
        {options.name, ports.gamePort, static_cast<std::uint16_t>(ports.gamePort + 1)});
    return {EmulatedServer(std::move(options)), std::move(ports)};
}

// Starts as much of the crowd as the limit of open files and the free ports allow.
ManyReport hostMany(const ManyOptions& many, std::vector<Hosted>& hosted,
                    std::vector<Endpoint>& endpoints) {
    ManyReport report{many.count, 0, {}};
    if (many.count == 0) {
        return report;
    }
    const std::size_t limit = raiseOpenFileLimit();
    const std::size_t open = openFileCount();
    const std::size_t room = limit > open + kSpareFiles ? (limit - open - kSpareFiles) / 2 : 0;
    int count = many.count;
    if (room < static_cast<std::size_t>(count)) {
        count = static_cast<int>(room);
        report.shortfall = "the limit of " + std::to_string(limit) +
                           " open files leaves room for " + std::to_string(room) + " servers";
    }
    for (ServerOptions& options : manyServers(many, count)) {
        try {
            hosted.push_back(host(completed(std::move(options)), bindPortPair(0), endpoints));
        } catch (const std::system_error& error) {
            report.shortfall = error.what();
            break;
        }
        ++report.started;
    }
    return report;
}

bool nothingListensOn(std::uint16_t port) {
    try {
        (void)bindLoopbackUdp(port);
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

} // namespace

void Lab::start() {
    if (m_loop) {
        throw std::logic_error("utlab::Lab is already running");
    }
    std::vector<Hosted> hosted;
    std::vector<Endpoint> endpoints;
    for (const ServerOptions& configured : m_servers) {
        hosted.push_back(host(configured, bindPortPair(configured.gamePort), endpoints));
    }
    ManyReport report = hostMany(m_many, hosted, endpoints);
    std::optional<MasterServer> master;
    if (m_master) {
        master.emplace(*m_master);
        std::vector<std::uint16_t> queryPorts;
        for (const Endpoint& endpoint : endpoints) {
            queryPorts.push_back(endpoint.queryPort);
        }
        master->setList(
            masterListText(listedPorts(queryPorts, m_master->entries, nothingListensOn)));
    }
    const std::optional<std::uint16_t> masterPort =
        master ? std::optional(master->port()) : std::nullopt;
    m_loop = std::make_unique<Loop>(std::move(hosted), std::move(master));
    m_endpoints = std::move(endpoints);
    m_masterPort = masterPort;
    m_manyReport = std::move(report);
}

void Lab::stop() {
    m_loop.reset();
}

const std::vector<Endpoint>& Lab::endpoints() const {
    return m_endpoints;
}

} // namespace utlab
