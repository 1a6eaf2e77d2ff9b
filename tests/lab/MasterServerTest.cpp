#include "Config.h"
#include "Lab.h"
#include "LabTestSupport.h"
#include "Validate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <set>

namespace utlab {
namespace {

using namespace labtest;

constexpr auto kDeadline = 3000ms;
constexpr std::string_view kListRequest = "\\list\\\\gamename\\ut\\final\\";
constexpr std::string_view kOldRequest = "\\list\\\\gamename\\ut\\final";

// A lab of two servers and a master server set up by `options` ("greeting=none,...").
class MasterLab {
public:
    explicit MasterLab(std::string_view options) {
        LabConfig config;
        config.servers = {parseServerOptions("name=One"), parseServerOptions("name=Two")};
        config.master = parseMasterOptions(options);
        m_lab = std::make_unique<Lab>(std::move(config));
        m_lab->start();
    }

    [[nodiscard]] std::uint16_t port() const { return m_lab->masterPort().value(); }

    // The list the lab's servers should give, in their order.
    [[nodiscard]] std::string expectedList() const {
        std::string list;
        for (const Endpoint& endpoint : m_lab->endpoints()) {
            list += "\\ip\\127.0.0.1:" + std::to_string(endpoint.queryPort);
        }
        return list + "\\final\\";
    }

private:
    std::unique_ptr<Lab> m_lab;
};

// Reads the greeting and returns the challenge in it.
std::string readChallenge(TcpClient& client, bool withFinal) {
    const std::string_view prefix = "\\basic\\\\secure\\";
    const std::size_t length = prefix.size() + 6 + (withFinal ? 7 : 0);
    std::string greeting;
    while (greeting.size() < length) {
        const std::optional<std::string> piece = client.read(kDeadline);
        if (!piece || piece->empty()) {
            break;
        }
        greeting += *piece;
    }
    EXPECT_TRUE(greeting.starts_with(prefix)) << greeting;
    EXPECT_EQ(greeting.size(), length) << greeting;
    EXPECT_EQ(greeting.ends_with("\\final\\"), withFinal) << greeting;
    return greeting.substr(prefix.size(), 6);
}

std::string validation(std::string_view challenge) {
    return "\\gamename\\ut\\location\\0\\validate\\" + validateResponse(challenge, kUtGameKey) +
           "\\final\\";
}

TEST(MasterServer, ClientWithTheRightAnswerGetsTheListAndTheEnd) {
    for (const bool withFinal : {false, true}) {
        MasterLab lab(withFinal ? "greeting=secure-final" : "greeting=secure");
        TcpClient client;
        ASSERT_EQ(client.connect(lab.port()), 0);
        const std::string challenge = readChallenge(client, withFinal);
        client.send(validation(challenge));
        client.send(kListRequest);
        EXPECT_EQ(joined(client.readToEnd(kDeadline)), lab.expectedList());
        EXPECT_TRUE(client.closed());
    }
}

TEST(MasterServer, WrongAnswerClosesTheConnection) {
    MasterLab lab("greeting=secure");
    TcpClient client;
    ASSERT_EQ(client.connect(lab.port()), 0);
    (void)readChallenge(client, false);
    client.send("\\gamename\\ut\\location\\0\\validate\\AAAAAAAA\\final\\");
    client.send(kListRequest);
    EXPECT_EQ(joined(client.readToEnd(kDeadline)), "");
    EXPECT_TRUE(client.closed());
}

TEST(MasterServer, EachConnectionGetsItsOwnChallenge) {
    MasterLab lab("greeting=secure,seed=4");
    std::set<std::string> challenges;
    for (int i = 0; i < 5; ++i) {
        TcpClient client;
        ASSERT_EQ(client.connect(lab.port()), 0);
        challenges.insert(readChallenge(client, false));
    }
    EXPECT_EQ(challenges.size(), 5u);
}

TEST(MasterServer, WithoutGreetingTheOldRequestIsAnswered) {
    MasterLab lab("greeting=none,keepopen=true");
    TcpClient client;
    ASSERT_EQ(client.connect(lab.port()), 0);
    client.send(kOldRequest);
    EXPECT_EQ(joined(client.readUntil("\\final\\", kDeadline)), lab.expectedList());
    // keepopen: the master leaves the connection to the client.
    EXPECT_EQ(client.read(200ms), std::nullopt);
    EXPECT_FALSE(client.closed());
}

TEST(MasterServer, ChunksKeepTheBytesAndCutTheEndMarker) {
    MasterLab lab("greeting=none,chunks=6,gap=20,seed=9");
    TcpClient client;
    ASSERT_EQ(client.connect(lab.port()), 0);
    client.send(kOldRequest);
    const std::vector<std::string> pieces = client.readToEnd(kDeadline);
    EXPECT_EQ(joined(pieces), lab.expectedList());
    // Pieces may merge on the way, but never all of them, and no piece holds the whole marker.
    EXPECT_GE(pieces.size(), 2u);
    EXPECT_TRUE(std::ranges::none_of(pieces, [](const std::string& piece) {
        return piece.find("\\final\\") != std::string::npos;
    }));
}

TEST(MasterServer, ListsAsManyEntriesAsAsked) {
    MasterLab lab("greeting=none,entries=5000,chunks=3");
    TcpClient client;
    ASSERT_EQ(client.connect(lab.port()), 0);
    client.send(kOldRequest);
    const std::string list = joined(client.readToEnd(kDeadline));
    ASSERT_TRUE(list.ends_with("\\final\\"));
    const std::string lab2 = lab.expectedList();
    EXPECT_TRUE(list.starts_with(lab2.substr(0, lab2.size() - 7))); // the lab's own first
    std::size_t entries = 0;
    for (std::size_t at = list.find("\\ip\\"); at != std::string::npos;
         at = list.find("\\ip\\", at + 1)) {
        ++entries;
        EXPECT_EQ(list.compare(at + 4, 10, "127.0.0.1:"), 0) << list.substr(at, 30);
    }
    EXPECT_EQ(entries, 5000u);
}

TEST(MasterServer, RefusingMasterRefusesConnections) {
    MasterLab lab("behaviour=refuse");
    TcpClient client;
    EXPECT_EQ(client.connect(lab.port()), ECONNREFUSED);
}

TEST(MasterServer, SilentMasterAcceptsAndSaysNothing) {
    MasterLab lab("behaviour=silent");
    TcpClient client;
    ASSERT_EQ(client.connect(lab.port()), 0);
    EXPECT_EQ(client.read(300ms), std::nullopt);
    client.send(kListRequest);
    EXPECT_EQ(client.read(300ms), std::nullopt);
    EXPECT_FALSE(client.closed());
}

TEST(MasterServer, SlowMasterSpreadsTheList) {
    MasterLab lab("greeting=none,behaviour=slow,gap=150");
    TcpClient client;
    ASSERT_EQ(client.connect(lab.port()), 0);
    const auto sent = std::chrono::steady_clock::now();
    client.send(kOldRequest);
    const std::vector<std::string> pieces = client.readToEnd(kDeadline);
    const auto took = std::chrono::steady_clock::now() - sent;
    EXPECT_EQ(joined(pieces), lab.expectedList());
    EXPECT_GE(pieces.size(), 3u);
    // Six pieces, the first one gap after the request: at least 6 x 150 ms.
    EXPECT_GE(took, 900ms);
}

} // namespace
} // namespace utlab
