#include "ManyServers.h"
#include "Config.h"
#include "Lab.h"
#include "LabTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace utlab {
namespace {

using namespace labtest;

TEST(ManyServers, SeededSpreadOfLatenciesWithinTheRange) {
    const ManyOptions options = parseManyOptions("count=500,latency=25-250,seed=3");
    const std::vector<ServerOptions> servers = manyServers(options, options.count);
    ASSERT_EQ(servers.size(), 500u);
    std::set<int> latencies;
    std::set<std::string> names;
    for (const ServerOptions& server : servers) {
        EXPECT_GE(server.latencyMs, 25);
        EXPECT_LE(server.latencyMs, 250);
        latencies.insert(server.latencyMs);
        names.insert(server.name);
        EXPECT_NO_THROW((void)completed(server)) << server.name;
    }
    EXPECT_GT(latencies.size(), 100u);
    EXPECT_EQ(names.size(), 500u);
    EXPECT_LT(*latencies.begin(), 60);
    EXPECT_GT(*latencies.rbegin(), 215);

    const std::vector<ServerOptions> again = manyServers(options, options.count);
    const std::vector<ServerOptions> other = manyServers(parseManyOptions("count=500,seed=4"), 500);
    const auto latencyOf = [](const ServerOptions& s) { return s.latencyMs; };
    EXPECT_TRUE(std::ranges::equal(servers, again, {}, latencyOf, latencyOf));
    EXPECT_FALSE(std::ranges::equal(servers, other, {}, latencyOf, latencyOf));
}

// 4000 servers in one process, one poll() thread; a sample of them is asked at once and every
// one answers, after its own latency.
TEST(ManyServers, FourThousandServersAnswerInfo) {
    LabConfig config;
    config.many = parseManyOptions("4000");
    config.master = parseMasterOptions("greeting=none");
    Lab lab(std::move(config));
    lab.start();
    ASSERT_EQ(lab.manyReport().requested, 4000);
    ASSERT_EQ(lab.manyReport().started, 4000) << lab.manyReport().shortfall;
    ASSERT_EQ(lab.endpoints().size(), 4000u);
    std::set<std::uint16_t> ports;
    for (const Endpoint& endpoint : lab.endpoints()) {
        ports.insert(endpoint.queryPort);
    }
    EXPECT_EQ(ports.size(), 4000u);

    constexpr std::size_t kSample = 80;
    UdpClient client;
    std::set<std::string> expected;
    for (std::size_t i = 0; i < kSample; ++i) {
        const Endpoint& endpoint = lab.endpoints()[i * 4000 / kSample + i % 7];
        client.send(endpoint.queryPort, padded("\\info\\"));
        expected.insert(endpoint.name);
    }
    std::set<std::string> answered;
    while (answered.size() < expected.size()) {
        const std::optional<std::string> reply = client.receive(2000ms);
        if (!reply) {
            break;
        }
        answered.insert(valueOf(*reply, "hostname").value_or("?"));
    }
    EXPECT_EQ(answered, expected);

    // The master lists every one of them.
    TcpClient master;
    ASSERT_EQ(master.connect(lab.masterPort().value()), 0);
    master.send("\\list\\\\gamename\\ut\\final");
    const std::string list = joined(master.readToEnd(3000ms));
    for (const std::uint16_t port :
         {lab.endpoints().front().queryPort, lab.endpoints().back().queryPort}) {
        EXPECT_NE(list.find("\\ip\\127.0.0.1:" + std::to_string(port) + "\\"), std::string::npos);
    }
    EXPECT_EQ(std::ranges::count(list, ':'), 4000);
}

} // namespace
} // namespace utlab
