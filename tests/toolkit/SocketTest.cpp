#include "support/FakePlatform.h"
#include "toolkit/TcpClientSocket.h"
#include "toolkit/UdpSocket.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(UdpSocket, DeliversAtMost2048BytesOfADatagram) {
    fake::FakePlatform platform;
    tk::UdpSocket socket(platform);
    std::vector<std::size_t> sizes;
    socket.onDataReceived = [&](std::string_view bytes, const std::string&, std::uint16_t) {
        sizes.push_back(bytes.size());
    };
    socket.deliver(std::string(5000, 'x'), "127.0.0.1", 7778);
    socket.deliver(std::string(2048, 'x'), "127.0.0.1", 7778);
    socket.deliver("", "127.0.0.1", 7778);
    EXPECT_EQ(sizes, (std::vector<std::size_t>{2048, 2048, 0}));
}

TEST(UdpSocket, SendsToTheRemoteSetBeforeAndReportsFailures) {
    fake::FakePlatform platform;
    tk::UdpSocket socket(platform);
    EXPECT_TRUE(socket.setLocalPort(54322));
    EXPECT_FALSE(socket.send("no remote yet"));
    socket.setRemote("192.0.2.7", 7778);
    EXPECT_TRUE(socket.send("\\status\\"));
    platform.unreachableHosts.insert("no.such.host");
    socket.setRemote("no.such.host", 7778);
    EXPECT_FALSE(socket.send("\\status\\"));
    ASSERT_EQ(platform.sent.size(), 1u);
    EXPECT_EQ(platform.sent[0].localPort, 54322);
    EXPECT_EQ(platform.sent[0].host, "192.0.2.7");
    EXPECT_EQ(platform.sent[0].port, 7778);
    EXPECT_EQ(platform.sent[0].bytes, "\\status\\");

    platform.takenPorts.insert(54323);
    EXPECT_FALSE(socket.setLocalPort(54323));
}

TEST(TcpClientSocket, ReportsEveryStepAndSendsOnlyWhenConnected) {
    fake::FakePlatform platform;
    tk::TcpClientSocket socket(platform);
    std::vector<std::string> events;
    socket.onConnect = [&] { events.emplace_back("connect"); };
    socket.onRead = [&](std::string_view b) { events.emplace_back("read " + std::string(b)); };
    socket.onDisconnect = [&] { events.emplace_back("disconnect"); };
    socket.onError = [&](const std::string& m) { events.emplace_back("error " + m); };

    socket.setHost("master.example.net");
    socket.setPort(28900);
    socket.open();
    auto* driver = platform.tcp.at(&socket);
    EXPECT_EQ(driver->openedHost, "master.example.net");
    EXPECT_EQ(driver->openedPort, 28900);
    EXPECT_FALSE(socket.send("too early"));
    socket.open(); // already active: no second connect
    EXPECT_EQ(driver->opens, 1);

    socket.notifyConnected();
    EXPECT_TRUE(socket.send("\\list\\"));
    socket.notifyRead("\\final\\");
    socket.close();
    socket.close();
    EXPECT_FALSE(socket.active());
    socket.open();
    socket.notifyError("refused");
    EXPECT_EQ(driver->sent, "\\list\\");
    EXPECT_EQ(events, (std::vector<std::string>{"connect", "read \\final\\", "disconnect",
                                                "error refused"}));
}

} // namespace
