#include "Config.h"

#include <gtest/gtest.h>

namespace utlab {
namespace {

TEST(Config, ServerSpecSetsEveryKindOfValue) {
    const ServerOptions options = parseServerOptions(
        "name=Foo Bar, port=7777,players=16,version=469,gametype=CTFGame,loss=0.2,seed=5,"
        "oldorder=yes,echo=plain,encoding=latin1,names=Ann;Bo b ; Cy;final,hostport=8888,"
        "order=Shuffle");
    EXPECT_EQ(options.name, "Foo Bar");
    EXPECT_EQ(options.gamePort, 7777);
    EXPECT_EQ(options.players, 16);
    EXPECT_EQ(options.version, 469);
    EXPECT_EQ(options.gameType, "CTFGame");
    EXPECT_DOUBLE_EQ(options.loss, 0.2);
    EXPECT_EQ(options.seed, 5u);
    EXPECT_TRUE(options.oldOrder);
    EXPECT_EQ(options.echo, EchoStyle::Plain);
    EXPECT_EQ(options.charset, NameCharset::Latin1);
    EXPECT_EQ(options.playerNames, (std::vector<std::string>{"Ann", "Bo b", "Cy", "final"}));
    EXPECT_EQ(options.hostPort, 8888);
    EXPECT_EQ(options.order, DatagramOrder::Shuffle);
}

TEST(Config, IniHasOneSectionPerServer) {
    const std::vector<ServerOptions> servers = parseIni("# lab\r\n"
                                                        "[Alpha]\r\n"
                                                        "players = 3\r\n"
                                                        "; comment\n"
                                                        "[Beta]\n"
                                                        "name = Beta Prime\n"
                                                        "Live = true\n");
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[0].name, "Alpha");
    EXPECT_EQ(servers[0].players, 3);
    EXPECT_EQ(servers[1].name, "Beta Prime");
    EXPECT_TRUE(servers[1].live);
}

TEST(Config, BadInputIsRejectedWithAReason) {
    struct Case {
        std::string ini;
        std::string reason;
    };
    for (const Case& c : {Case{"players = 3", "line 1: key before the first [server] section"},
                          Case{"[A]\ncolour = red", "line 2: unknown key \"colour\""},
                          Case{"[A]\nplayers = many", "line 2: bad value \"many\" for players"},
                          Case{"[A]\nloss = 1.5", "line 2: bad value \"1.5\" for loss"},
                          Case{"[A]\nport = 70000", "line 2: bad value \"70000\" for port"},
                          Case{"[A]\nsilent = maybe", "line 2: bad value \"maybe\" for silent"},
                          Case{"[A]\norder = random", "line 2: bad value \"random\" for order"},
                          Case{"[A]\nhostport = 65536", "line 2: bad value \"65536\" for hostport"},
                          Case{"[A]\njust words", "line 2: expected key = value"},
                          Case{"[A", "line 1: a section header"}}) {
        try {
            (void)parseIni(c.ini);
            ADD_FAILURE() << "accepted: " << c.ini;
        } catch (const ConfigError& error) {
            EXPECT_TRUE(std::string(error.what()).starts_with(c.reason)) << error.what();
        }
    }
}

TEST(Config, CompletionChecksRangesAndFillsDefaults) {
    ServerOptions options;
    options.gameType = "CTFGame";
    options.players = 20;
    const ServerOptions done = completed(options);
    EXPECT_EQ(done.mapName, "CTF-Face");
    EXPECT_EQ(done.mapTitle, "Facing Worlds");
    EXPECT_EQ(done.maxPlayers, 20);
    EXPECT_NE(done.seed, 0u);

    for (const char* options : {"players=33", "version=450", "gametype=Football", "port=65535",
                                "maxplayers=4,players=5", "latency=-1"}) {
        EXPECT_THROW((void)completed(parseServerOptions(options)), ConfigError) << options;
    }
}

TEST(Config, CommandLineTakesFileAndServers) {
    const std::vector<std::string_view> arguments = {"--server", "name=One", "--server=name=Two"};
    const CommandLine commandLine = parseCommandLine(arguments);
    ASSERT_EQ(commandLine.servers.size(), 2u);
    EXPECT_EQ(commandLine.servers[1].name, "Two");
    const std::vector<std::string_view> missing = {"--config", "/nonexistent/lab.ini"};
    EXPECT_THROW((void)parseCommandLine(missing), ConfigError);
    const std::vector<std::string_view> unknown = {"--verbose"};
    EXPECT_THROW((void)parseCommandLine(unknown), ConfigError);
}

} // namespace
} // namespace utlab
