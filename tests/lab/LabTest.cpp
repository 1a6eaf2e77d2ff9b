#include "Lab.h"
#include "Config.h"
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

// Datagram numbers that are 1 to N, each once, in any order.
void expectNumberedOneToN(std::vector<int> numbers) {
    ASSERT_FALSE(numbers.empty());
    std::ranges::sort(numbers);
    EXPECT_EQ(numbers.back(), static_cast<int>(numbers.size()));
    EXPECT_EQ(std::ranges::adjacent_find(numbers), numbers.end());
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
    expectNumberedOneToN(numbers);
}

TEST(Lab, ScrambledOrderHoldsOnTheWire) {
    ServerOptions reversed = server("Reversed", 18);
    reversed.order = DatagramOrder::Reverse;
    ServerOptions shuffled = server("Shuffled", 32);
    shuffled.longNames = true;
    shuffled.order = DatagramOrder::Shuffle;
    Lab lab({reversed, shuffled});
    lab.start();
    UdpClient client;
    client.send(lab.endpoints()[0].queryPort, padded(kClientQuery));
    EXPECT_EQ(datagramNumbers(client.receiveReply(kReplyDeadline)), (std::vector<int>{4, 3, 2, 1}));

    client.send(lab.endpoints()[1].queryPort, padded(kClientQuery));
    const std::vector<int> numbers = datagramNumbers(client.receiveReply(kReplyDeadline));
    ASSERT_GE(numbers.size(), 10u);
    EXPECT_FALSE(std::ranges::is_sorted(numbers));
    expectNumberedOneToN(numbers);
}

// A server behind a router: reached on one port, it reports the one it was set up with.
TEST(Lab, ForwardedServerReportsItsOwnGamePort) {
    ServerOptions options = server("Forwarded", 2);
    options.hostPort = 7777;
    Lab lab({options});
    lab.start();
    const Endpoint& endpoint = lab.endpoints()[0];
    ASSERT_NE(endpoint.gamePort, 7777);
    UdpClient client;
    for (const std::string_view query : {"\\info\\", "\\status\\"}) {
        client.send(endpoint.queryPort, padded(query));
        EXPECT_EQ(valueOf(joined(client.receiveReply(kReplyDeadline)), "hostport"), "7777")
            << query;
    }
}

// Players may call themselves by the words of the protocol; the server sends their names as
// they are, so a reply holds `\final\` and `\echo_replay\` before the real ones.
TEST(Lab, PlayerNamesMayBeProtocolWords) {
    Lab lab({parseServerOptions("name=Trap,version=451,names=echo;echo_replay;hostname;final")});
    lab.start();
    UdpClient client;
    client.send(lab.endpoints()[0].queryPort, padded(kClientQuery));
    const std::string text = joined(client.receiveReply(kReplyDeadline));
    const auto pairs = pairsOf(text);
    const auto has = [&](std::string key, std::string value) {
        return std::ranges::find(pairs, std::pair(key, value)) != pairs.end();
    };
    EXPECT_TRUE(has("player_0", "echo")) << text;
    EXPECT_TRUE(has("player_1", "echo_replay")) << text;
    EXPECT_TRUE(has("player_2", "hostname")) << text;
    EXPECT_TRUE(has("player_3", "final")) << text;
    EXPECT_TRUE(has("hostname", "Trap")) << text;
    EXPECT_TRUE(has("echo_replay", "ping_123456|3")) << text;
    EXPECT_LT(text.find("\\final\\"), text.rfind("\\final\\")) << text;
    EXPECT_TRUE(text.ends_with("\\final\\"));
}

// A full server with spectators, asked for every player property, answers as much as a real
// one: more than a client's 16000-byte reply buffer, in many datagrams of at most 2048 bytes.
TEST(Lab, FullServerAnswersAllPlayerPropertiesInMoreThan16000Bytes) {
    ServerOptions options = server("Full House", 32);
    options.version = 469;
    options.gameType = "CTFGame";
    options.maxPlayers = 32;
    options.spectators = 32;
    options.longNames = true;
    Lab lab({options});
    lab.start();
    UdpClient client;
    client.send(lab.endpoints()[0].queryPort, padded(kFullClientQuery));
    const std::vector<std::string> reply = client.receiveReply(kReplyDeadline);
    const std::vector<int> numbers = datagramNumbers(reply);
    ASSERT_GE(numbers.size(), 16u);
    expectNumberedOneToN(numbers);
    for (const std::string& datagram : reply) {
        EXPECT_LE(datagram.size(), 2048u);
    }
    const std::string text = joined(reply);
    EXPECT_GT(text.size(), 16000u);
    EXPECT_TRUE(valueOf(text, "player_63").has_value());
    EXPECT_TRUE(valueOf(text, "inventory_64").has_value());
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
