// The program as a user runs it: ending the desktop session (SIGTERM) or
// pressing Ctrl+C (SIGINT) closes the main window in order, so the settings,
// the favourites and every other section of skarvell.ini survive.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>

#ifdef Q_OS_LINUX

namespace {

std::string readFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether the process has a handler for the signal, from its status in /proc.
bool catches(qint64 pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("SigCgt:", 0) == 0) {
            const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
            return (mask >> (signal - 1)) & 1ULL;
        }
    }
    return false;
}

class ProgramCloseTest : public ::testing::TestWithParam<int> {};

TEST_P(ProgramCloseTest, ASignalClosesTheWindowInOrder) {
    const int signal = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString ini = folder.filePath(QStringLiteral("skarvell.ini"));
    const std::string before = "[Favorites]\r\nFavHost[1]=Home\r\nFavIP[1]=127.0.0.1\r\n"
                               "FavPort[1]=7777\r\nFavCount=2\r\n[Clan]\r\nmotto = keep me\r\n";
    std::ofstream(ini.toStdString(), std::ios::binary) << before;

    QProcess program;
    program.setWorkingDirectory(folder.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(SKARVELL_BINARY), {});
    ASSERT_TRUE(program.waitForStarted(10000));

    // Up and running once it handles the signal.
    ASSERT_TRUE(QTest::qWaitFor([&] { return catches(program.processId(), signal); }, 20000));
    ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    const std::string after = readFile(ini);
    EXPECT_NE(after.find("[Settings]\r\nFirstRun=1\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("[IRC]\r\n"), std::string::npos);
    EXPECT_NE(after.find("[TablePlayers]\r\nCol0="), std::string::npos);
    EXPECT_NE(after.find("[TableAll]\r\nCol0="), std::string::npos);
    EXPECT_NE(after.find("[TableFav]\r\nCol0="), std::string::npos);
    EXPECT_EQ(after.rfind(before, 0), 0u)
        << "the favourites and the clan's section come first, unchanged";
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramCloseTest, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& info) {
                             return std::string(info.param == SIGTERM ? "Term" : "Interrupt");
                         });

} // namespace

#endif
