#include "Config.h"
#include "EmulatedServer.h"
#include "Lab.h"
#include "LabTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <regex>

namespace utlab {
namespace {

using namespace labtest;

struct Player {
    int frags = 0;
    int team = 0;
    bool operator==(const Player&) const = default;
};

using Players = std::map<std::string, Player>;

std::string run(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string output;
    char buffer[4096];
    std::size_t length = 0;
    while (pipe && (length = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
        output.append(buffer, length);
    }
    return output;
}

// The players as the emulated server reports them (the match is static).
Players expectedPlayers(const ServerOptions& options) {
    EmulatedServer server(completed(options));
    std::string text;
    for (const Outgoing& out : server.handle("\\players\\", std::chrono::milliseconds(0))) {
        text += out.payload;
    }
    Players players;
    for (int i = 0;
         const std::optional<std::string> name = valueOf(text, "player_" + std::to_string(i));
         ++i) {
        const std::string n = std::to_string(i);
        players[*name] = {std::stoi(valueOf(text, "frags_" + n).value_or("")),
                          std::stoi(valueOf(text, "team_" + n).value_or(""))};
    }
    return players;
}

ServerOptions checkedServer(std::string gameType, int version, int players) {
    ServerOptions options;
    options.name = "Quakestat Check " + gameType;
    options.gameType = std::move(gameType);
    options.version = version;
    options.players = players;
    for (int i = 0; i < players; ++i) {
        options.playerNames.push_back("Tester" + std::string(1, static_cast<char>('A' + i)));
    }
    return options;
}

class Quakestat : public ::testing::TestWithParam<ServerOptions> {
protected:
    void SetUp() override {
        m_quakestat = findOnPath("quakestat");
        // The set-up installs it: without this check the lab is only checked against itself.
        ASSERT_FALSE(m_quakestat.empty())
            << "quakestat not found: install the Debian package qstat (the binary is quakestat)";
    }

    std::string m_quakestat;
};

TEST_P(Quakestat, ReadsTheWholeServer) {
    const ServerOptions options = GetParam();
    Lab lab({options});
    lab.start();
    const Endpoint& endpoint = lab.endpoints()[0];
    const Players expected = expectedPlayers(options);
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(options.players));
    const std::string target = " -uns 127.0.0.1:" + std::to_string(endpoint.gamePort);

    const std::string plain = run(m_quakestat + target + " -R -P");
    const std::string slots = std::to_string(options.players) + "/";
    EXPECT_NE(plain.find(slots), std::string::npos) << plain;
    EXPECT_NE(plain.find(completed(options).mapName), std::string::npos) << plain;
    EXPECT_NE(plain.find(options.name), std::string::npos) << plain;
    Players fromPlain;
    const std::regex playerLine(R"(\n\t *(-?\d+) frags team#(\d+) +\d+ms ([^\n]*))");
    for (std::sregex_iterator it(plain.begin(), plain.end(), playerLine), end; it != end; ++it) {
        fromPlain[(*it)[3]] = {std::stoi((*it)[1]), std::stoi((*it)[2])};
    }
    EXPECT_EQ(fromPlain, expected) << plain;

    const std::string xml = run(m_quakestat + target + " -xml -R -P");
    EXPECT_NE(xml.find("<name>" + options.name + "</name>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<map>" + completed(options).mapName + "</map>"), std::string::npos);
    EXPECT_NE(xml.find("<numplayers>" + std::to_string(options.players) + "</numplayers>"),
              std::string::npos);
    Players fromXml;
    const std::regex playerElement(
        R"(<name>([^<]*)</name>\s*<score>(-?\d+)</score>\s*<ping>\d+</ping>\s*<team>(\d+)</team>)");
    for (std::sregex_iterator it(xml.begin(), xml.end(), playerElement), end; it != end; ++it) {
        fromXml[(*it)[1]] = {std::stoi((*it)[2]), std::stoi((*it)[3])};
    }
    EXPECT_EQ(fromXml, expected) << xml;
}

INSTANTIATE_TEST_SUITE_P(Servers, Quakestat,
                         ::testing::Values(checkedServer("DeathMatchPlus", 451, 18),
                                           checkedServer("CTFGame", 469, 12),
                                           checkedServer("TeamGamePlus", 436, 3)));

// quakestat answers the challenge with a fixed validate, so it lists a master that takes any
// answer, and then asks every listed server itself. A checking master closes on it: no list.
TEST(QuakestatMaster, ListsTheLabThroughTheMasterServer) {
    const std::string quakestat = findOnPath("quakestat");
    ASSERT_FALSE(quakestat.empty())
        << "quakestat not found: install the Debian package qstat (the binary is quakestat)";
    for (const bool check : {false, true}) {
        LabConfig config;
        config.servers = {parseServerOptions("name=Listed One,players=3"),
                          parseServerOptions("name=Listed Two")};
        config.master = parseMasterOptions(check ? "check=true" : "check=false");
        Lab lab(std::move(config));
        lab.start();
        const std::string output = run(quakestat + " -raw , -gsm,uns 127.0.0.1:" +
                                       std::to_string(lab.masterPort().value()) + " 2>&1");
        const std::string listed = check ? ",0\n" : ",2\n";
        EXPECT_NE(output.find("GSM,127.0.0.1:" + std::to_string(*lab.masterPort()) + listed),
                  std::string::npos)
            << output;
        for (const Endpoint& endpoint : lab.endpoints()) {
            // quakestat names a listed server by its game port, one below the listed one.
            const std::string line =
                "UNS,127.0.0.1:" + std::to_string(endpoint.gamePort) + "," + endpoint.name + ",";
            EXPECT_EQ(output.find(line) != std::string::npos, !check) << output;
        }
    }
}

} // namespace
} // namespace utlab
