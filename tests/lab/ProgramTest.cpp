#include "LabTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace utlab {
namespace {

using namespace labtest;

constexpr auto kDeadline = 10s;

// The utlab program running with piped stdout and stderr; killed if a test leaves it behind.
class Program {
public:
    // Runs utlab, or another program (a shell) with the given arguments.
    explicit Program(std::vector<std::string> arguments, std::string path = UTLAB_BINARY) {
        int out[2];
        int err[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe failed");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        arguments.insert(arguments.begin(), path);
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        const int failed =
            ::posix_spawn(&m_pid, path.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        m_out = out[0];
        m_err = err[0];
        if (failed != 0) {
            m_pid = -1;
        }
    }

    ~Program() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
        ::close(m_err);
    }

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The next stdout line, or nullopt at end of output or at the deadline.
    std::optional<std::string> readLine() {
        while (m_buffer.find('\n') == std::string::npos) {
            if (!readMore(m_out, m_buffer)) {
                return std::nullopt;
            }
        }
        const std::size_t end = m_buffer.find('\n');
        std::string line = m_buffer.substr(0, end);
        m_buffer.erase(0, end + 1);
        return line;
    }

    // Everything the program still writes to the given stream until it closes it.
    std::string rest(bool errors) {
        std::string text;
        while (readMore(errors ? m_err : m_out, text)) {
        }
        return text;
    }

    void signal(int number) { ::kill(m_pid, number); }

    // Exit status once the program has closed its output; -1 when it did not end normally.
    int exitCode() {
        rest(false);
        rest(true);
        int status = 0;
        const pid_t pid = std::exchange(m_pid, -1);
        if (pid <= 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
            return -1;
        }
        return WEXITSTATUS(status);
    }

private:
    bool readMore(int fd, std::string& into) {
        pollfd entry{fd, POLLIN, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(
            m_deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
        char buffer[4096];
        const ssize_t length = ::read(fd, buffer, sizeof buffer);
        if (length <= 0) {
            return false;
        }
        into.append(buffer, static_cast<std::size_t>(length));
        return true;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    std::string m_buffer;
    std::chrono::steady_clock::time_point m_deadline = std::chrono::steady_clock::now() + kDeadline;
};

TEST(Program, PrintsServersThenReadyAndStopsOnSigterm) {
    const std::string ini =
        ::testing::TempDir() + "utlab_program_test_" + std::to_string(::getpid()) + ".ini";
    std::ofstream(ini) << "[From File]\nplayers = 2\ngametype = CTFGame\n";
    Program program({"--config", ini, "--server", "name=From Flag,version=436"});

    std::vector<std::string> names;
    std::optional<std::string> line;
    std::uint16_t queryPort = 0;
    while ((line = program.readLine()) && line->starts_with("server ")) {
        unsigned game = 0;
        unsigned query = 0;
        int consumed = 0;
        ASSERT_EQ(std::sscanf(line->c_str(), "server %u %u %n", &game, &query, &consumed), 2)
            << *line;
        EXPECT_EQ(query, game + 1);
        names.push_back(line->substr(static_cast<std::size_t>(consumed)));
        queryPort = static_cast<std::uint16_t>(query);
    }
    std::remove(ini.c_str()); // read by now, or never
    EXPECT_EQ(names, (std::vector<std::string>{"From File", "From Flag"}));
    ASSERT_EQ(line, "ready");

    UdpClient client;
    client.send(queryPort, padded("\\echo\\hi"));
    EXPECT_EQ(client.receive(2000ms), "\\echo\\hi\\queryid\\1.1\\final\\");

    program.signal(SIGTERM);
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(Program, ReportsTheCrowdAndTheMasterBeforeReady) {
    Program program({"--many", "3", "--master", "greeting=none"});
    EXPECT_EQ(program.readLine(), "many 3 3");
    const std::optional<std::string> master = program.readLine();
    ASSERT_TRUE(master.has_value());
    unsigned port = 0;
    ASSERT_EQ(std::sscanf(master->c_str(), "master %u", &port), 1) << *master;
    ASSERT_EQ(program.readLine(), "ready");

    TcpClient client;
    ASSERT_EQ(client.connect(static_cast<std::uint16_t>(port)), 0);
    client.send("\\list\\\\gamename\\ut\\final");
    const std::string list = joined(client.readToEnd(2000ms));
    EXPECT_EQ(std::ranges::count(list, ':'), 3) << list;
    EXPECT_TRUE(list.ends_with("\\final\\")) << list;
    program.signal(SIGTERM);
    EXPECT_EQ(program.exitCode(), 0);
}

// Under a low limit of open files (the hard limit too, so it cannot be raised) the crowd is cut
// to what fits, and the program says how many it started.
TEST(Program, StartsWhatTheOpenFileLimitAllowsAndSaysSo) {
    Program program(
        {"-c", "ulimit -n 300 && exec \"$0\" --many 4000 --master greeting=none", UTLAB_BINARY},
        "/bin/sh");
    const std::optional<std::string> many = program.readLine();
    ASSERT_TRUE(many.has_value());
    int started = 0;
    int requested = 0;
    ASSERT_EQ(std::sscanf(many->c_str(), "many %d %d", &started, &requested), 2) << *many;
    EXPECT_EQ(requested, 4000);
    EXPECT_GT(started, 10);
    EXPECT_LT(started, 150);
    ASSERT_TRUE(program.readLine().value_or("").starts_with("master "));
    ASSERT_EQ(program.readLine(), "ready");
    program.signal(SIGTERM);
    const std::string errors = program.rest(true);
    EXPECT_NE(errors.find("started " + std::to_string(started) + " of 4000"), std::string::npos)
        << errors;
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(Program, BadConfigurationExitsWithTwo) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--server", "players=lots"}, std::vector<std::string>{},
          std::vector<std::string>{"--master", "greeting=loud"},
          std::vector<std::string>{"--server", "gametype=Football"}}) {
        Program program(arguments);
        const std::string errors = program.rest(true);
        EXPECT_TRUE(errors.starts_with("utlab: ")) << errors;
        EXPECT_EQ(program.exitCode(), 2);
    }
}

} // namespace
} // namespace utlab
