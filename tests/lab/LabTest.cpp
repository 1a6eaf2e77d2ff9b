#include "Lab.h"
#include "LabTestSupport.h"
#include "Socket.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <system_error>

namespace utlab {
namespace {

using namespace labtest;
using ::testing::Optional;

constexpr auto kReplyDeadline = 2000ms;

ServerOptions server(std::string name, int players) {
    ServerOptions options;
    options.name = std::move(name);
    options.players = players;
    return options;
}

std::vector<int> datagramNumbers(const std::vector<std::string>& datagrams) {
    std::vector<int> numbers;
    for (const std::string& datagram : datagrams) {
        const std::string id = valueOf(datagram, "queryid").value_or("0.0");
        numbers.push_back(std::stoi(id.substr(id.find('.') + 1)));
    }
    return numbers;
}

TEST(Lab, ServesEveryServerOnItsOwnPorts) {
    Lab lab({server("First", 18), server("Second", 2)});
    lab.start();
    ASSERT_EQ(lab.endpoints().size(), 2u);
    UdpClient client;
    for (const Endpoint& endpoint : lab.endpoints()) {
        EXPECT_EQ(endpoint.queryPort, endpoint.gamePort + 1);
        client.send(endpoint.queryPort, padded(kClientQuery));
        const std::vector<std::string> reply = client.receiveReply(kReplyDeadline);
        ASSERT_FALSE(reply.empty()) << endpoint.name;
        const std::string text = joined(reply);
        EXPECT_EQ(valueOf(text, "hostname"), endpoint.name);
        EXPECT_EQ(valueOf(text, "hostport"), std::to_string(endpoint.gamePort));
        EXPECT_EQ(valueOf(text, "echo_replay"), "ping_123456|3");
        if (endpoint.name == "First") {
            EXPECT_EQ(datagramNumbers(reply), (std::vector<int>{1, 2, 3, 4}));
        }
    }
}

TEST(Lab, SilentServerSendsNothing) {
    ServerOptions options = server("Quiet", 4);
    options.silent = true;
    Lab lab({options});
    lab.start();
    UdpClient client;
    client.send(lab.endpoints()[0].queryPort, padded("\\status\\"));
    EXPECT_EQ(client.receive(300ms), std::nullopt);
}

TEST(Lab, SeededLossDropsSomeDatagrams) {
    ServerOptions options = server("Lossy", 32);
    options.longNames = true;
    options.loss = 0.5;
    options.seed = 9;
    Lab lab({options});
    lab.start();
    UdpClient client;
    client.send(lab.endpoints()[0].queryPort, padded("\\status\\"));
    std::vector<std::string> received;
    while (const std::optional<std::string> datagram = client.receive(300ms)) {
        received.push_back(*datagram);
    }
    const std::vector<int> numbers = datagramNumbers(received);
    ASSERT_FALSE(numbers.empty());
    // The highest number seen bounds the reply's size from below; some below it are missing.
    EXPECT_LT(numbers.size(), static_cast<std::size_t>(*std::ranges::max_element(numbers)));
}

TEST(Lab, ReorderedReplyStillArrivesCompletely) {
    ServerOptions options = server("Shuffled", 32);
    options.longNames = true;
    options.reorder = 0.4;
    options.seed = 3;
    Lab lab({options});
    lab.start();
    UdpClient client;
    client.send(lab.endpoints()[0].queryPort, padded("\\status\\"));
    const std::vector<int> numbers = datagramNumbers(client.receiveReply(kReplyDeadline));
    ASSERT_GE(numbers.size(), 10u);
    EXPECT_FALSE(std::ranges::is_sorted(numbers));
    std::vector<int> sorted = numbers;
    std::ranges::sort(sorted);
    EXPECT_EQ(sorted.back(), static_cast<int>(sorted.size()));
    EXPECT_EQ(std::ranges::adjacent_find(sorted), sorted.end());
}

TEST(Lab, LatencyHoldsTheReplyBack) {
    ServerOptions options = server("Far", 1);
    options.latencyMs = 150;
    Lab lab({options});
    lab.start();
    UdpClient client;
    client.send(lab.endpoints()[0].queryPort, padded("\\info\\"));
    EXPECT_EQ(client.receive(50ms), std::nullopt);
    EXPECT_THAT(client.receive(kReplyDeadline),
                Optional(::testing::EndsWith("\\queryid\\1.1\\final\\")));
}

TEST(Lab, BusyPortMakesStartFailAndStopEndsService) {
    const UniqueFd taken = bindLoopbackUdp(0);
    ServerOptions clash = server("Clash", 0);
    clash.gamePort = static_cast<std::uint16_t>(localPort(taken) - 1);
    Lab failing({server("Fine", 0), clash});
    EXPECT_THROW(failing.start(), std::system_error);

    Lab lab({server("Stopping", 1)});
    lab.start();
    const std::uint16_t port = lab.endpoints()[0].queryPort;
    lab.stop();
    UdpClient client;
    client.send(port, padded("\\info\\"));
    EXPECT_EQ(client.receive(200ms), std::nullopt);
}

} // namespace
} // namespace utlab
