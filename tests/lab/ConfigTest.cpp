#include "Config.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

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
                                                        "Live = true\n")
                                                   .servers;
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

TEST(Config, MasterAndManySectionsAndFlags) {
    const LabConfig config = parseIni("[Alpha]\n"
                                      "[master]\n"
                                      "port = 28900\n"
                                      "greeting = secure-final\n"
                                      "chunks = 7\n"
                                      "behaviour = Slow\n"
                                      "entries = 5000\n"
                                      "[Many]\n"
                                      "count = 4000\n"
                                      "latency = 30 - 90\n");
    ASSERT_EQ(config.servers.size(), 1u);
    ASSERT_TRUE(config.master.has_value());
    EXPECT_EQ(config.master->port, 28900);
    EXPECT_EQ(config.master->greeting, Greeting::SecureFinal);
    EXPECT_EQ(config.master->chunks, 7);
    EXPECT_EQ(config.master->behaviour, MasterBehaviour::Slow);
    EXPECT_EQ(config.master->entries, 5000);
    EXPECT_EQ(config.many.count, 4000);
    EXPECT_EQ(config.many.latencyLowMs, 30);
    EXPECT_EQ(config.many.latencyHighMs, 90);
    EXPECT_FALSE(parseIni("[Alpha]\n").master.has_value());

    const std::string ini =
        ::testing::TempDir() + "utlab_config_test_" + std::to_string(::getpid()) + ".ini";
    std::ofstream(ini) << "[Master]\nport = 28900\nchunks = 3\n";
    const std::vector<std::string_view> arguments = {"--master", "greeting=none", "--config",
                                                     ini,        "--many",        "12"};
    const CommandLine commandLine = parseCommandLine(arguments);
    std::remove(ini.c_str());
    ASSERT_TRUE(commandLine.master.has_value());
    EXPECT_EQ(commandLine.master->port, 28900); // from the file
    EXPECT_EQ(commandLine.master->chunks, 3);
    EXPECT_EQ(commandLine.master->greeting, Greeting::None); // the flag wins
    EXPECT_EQ(commandLine.many.count, 12);
    EXPECT_EQ(commandLine.many.latencyLowMs, 25);
    EXPECT_EQ(commandLine.many.latencyHighMs, 250);
}

TEST(Config, BadMasterAndManyValuesAreRejected) {
    for (const std::string_view ini :
         {"[Master]\ngreeting = hello", "[Master]\nbehaviour = rude", "[Master]\nchunks = 0",
          "[Master]\nport = 65536", "[Master]\nentries = -2", "[Master]\nplayers = 3",
          "[Many]\ncount = 10001", "[Many]\nlatency = 250-25", "[Many]\nlatency = fast"}) {
        EXPECT_THROW((void)parseIni(ini), ConfigError) << ini;
    }
    EXPECT_THROW((void)parseMasterOptions("port"), ConfigError);
    EXPECT_THROW((void)parseManyOptions("lots"), ConfigError);
}

} // namespace
} // namespace utlab
