#include "settings/SettingsFile.h"

#include "settings/SettingsFields.h"
#include "toolkit/Ascii.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#if __has_include(<sys/stat.h>)
#include <sys/stat.h>
#define SKARVELL_TEST_POSIX 1
#endif

namespace {

namespace fs = std::filesystem;
using cfg::SettingsBlock;
using fake::readFile;
using fake::writeFile;

// What a first close writes when there was no settings file.
constexpr std::string_view kDefaultFile = "[Settings]\r\n"
                                          "FirstRun=1\r\n"
                                          "QueryInterval=2\r\n"
                                          "QueryTimeout=2000\r\n"
                                          "MaxTimeout=5\r\n"
                                          "qryFavsOnStartup=0\r\n"
                                          "qryMasterOnStartup=0\r\n"
                                          "LoadListOnStartup=0\r\n"
                                          "PingInterval=20\r\n"
                                          "usePlayerColor=1\r\n"
                                          "DoHTTP=1\r\n"
                                          "UTINIBackup=1\r\n"
                                          "AutoPingFavs=1\r\n"
                                          "AutoInterval=5\r\n"
                                          "MasterserverURI=master.333networks.com:28900\r\n"
                                          "UTDir=\r\n"
                                          "Spree=0\r\n"
                                          "Health=1\r\n"
                                          "Weapon=0\r\n"
                                          "Inventory=0\r\n"
                                          "Ports=54321\r\n"
                                          "HostAutoUpdate=1\r\n"
                                          "[Web-Server]\r\n"
                                          "AutoSaveStats=0\r\n"
                                          "SaveStatsInterval=60\r\n"
                                          "SaveTo=\r\n"
                                          "StatsWidth=400\r\n"
                                          "StatsHeight=300\r\n"
                                          "[Colors]\r\n"
                                          "Background=16777215\r\n"
                                          "TeamA=128\r\n"
                                          "TeamB=8388608\r\n"
                                          "Grid=12632256\r\n"
                                          "Font=12632256\r\n"
                                          "[IRC]\r\n"
                                          "server=\r\n"
                                          "channel=\r\n"
                                          "nickname=\r\n"
                                          "port=6667\r\n";

// Every field away from its default, so a field that is not read or not
// written shows.
SettingsBlock unusualSettings() {
    SettingsBlock s;
    s.FirstRun = false;
    s.QueryInterval = 3;
    s.QueryTimeout = 1500;
    s.MaxTimeout = 9;
    s.qryFavsOnStartup = true;
    s.qryMasterOnStartup = true;
    s.LoadListOnStartup = true;
    s.PingInterval = 35;
    s.usePlayerColor = false;
    s.UTDir = "C:\\UnrealTournament";
    s.DoHTTP = false;
    s.UTINIBackup = false;
    s.MasterserverURI = "master.openspy.net:28900";
    s.AutoPingFavs = false;
    s.AutoInterval = 11;
    s.Background = 1;
    s.Grid = 2;
    s.Font = 3;
    s.TeamA = -4;
    s.TeamB = 5;
    s.AutoSaveStats = true;
    s.SaveStatsInterval = 120;
    s.StatsWidth = 640;
    s.StatsHeight = 480;
    s.SaveTo = "/var/www/stats";
    s.server = "irc.example.net";
    s.Port = 6697;
    s.channel = "#clan";
    s.nickname = "reporter";
    s.HostAutoUpdate = false;
    s.Spree = true;
    s.Health = false;
    s.Weapon = true;
    s.Inventory = true;
    s.Ports = 40000;
    return s;
}

// The block as the file would hold it, player colours included.
std::string describe(const SettingsBlock& s) {
    tk::IniFile ini;
    cfg::writeSettings(ini, s);
    std::string text = ini.bytes();
    for (std::size_t i = 0; i < s.Player.size(); ++i) {
        text += "Player" + std::to_string(i) + "=" + std::to_string(s.Player[i]) + "\r\n";
    }
    return text;
}

class SettingsFile : public ::testing::Test {
protected:
    [[nodiscard]] SettingsBlock readText(std::string_view text) {
        writeFile(m_path, text);
        SettingsBlock s;
        EXPECT_TRUE(cfg::ReadSettings(m_path, s));
        return s;
    }

    fake::TempFolder m_dir;
    fs::path m_path = m_dir.file("skarvell.ini");
};

TEST_F(SettingsFile, NoFileGivesDefaultsAndFirstCloseWritesEveryKeyInOrder) {
    SettingsBlock s = unusualSettings();
    s.Player.fill(7);
    ASSERT_TRUE(cfg::ReadSettings(m_path, s));
    EXPECT_EQ(describe(s), describe(SettingsBlock{}));
    EXPECT_TRUE(
        std::all_of(s.Player.begin(), s.Player.end(), [](tk::Color c) { return c == 0xC0C0C0; }));

    ASSERT_TRUE(cfg::WriteSettings(m_path, s));
    EXPECT_EQ(readFile(m_path), kDefaultFile);
}

TEST_F(SettingsFile, EveryFieldRoundTrips) {
    ASSERT_TRUE(cfg::WriteSettings(m_path, unusualSettings()));
    SettingsBlock s;
    ASSERT_TRUE(cfg::ReadSettings(m_path, s));
    EXPECT_EQ(describe(s), describe(unusualSettings()));
}

TEST_F(SettingsFile, RewriteChangesValuesInPlace) {
    ASSERT_TRUE(cfg::WriteSettings(m_path, SettingsBlock{}));
    SettingsBlock s;
    s.FirstRun = false;
    s.TeamA = 255;
    ASSERT_TRUE(cfg::WriteSettings(m_path, s));
    std::string expected(kDefaultFile);
    expected.replace(expected.find("FirstRun=1"), 10, "FirstRun=0");
    expected.replace(expected.find("TeamA=128"), 9, "TeamA=255");
    EXPECT_EQ(readFile(m_path), expected);
}

struct ValueCase {
    const char* name;
    const char* file;
    std::function<bool(const SettingsBlock&)> holds;
};

class SettingsValue : public SettingsFile, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SettingsValue, Reads) {
    const SettingsBlock s = readText(GetParam().file);
    EXPECT_TRUE(GetParam().holds(s)) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsValue,
    ::testing::Values(
        ValueCase{"HexInteger", "[Settings]\r\nQueryTimeout=0x10\r\n",
                  [](const SettingsBlock& s) { return s.QueryTimeout == 16; }},
        ValueCase{
            "NotANumber", "[Settings]\r\nQueryTimeout=fast\r\nPorts=\r\n",
            [](const SettingsBlock& s) { return s.QueryTimeout == 2000 && s.Ports == 54321; }},
        ValueCase{"NegativeColour", "[Colors]\r\nTeamB=-1\r\n",
                  [](const SettingsBlock& s) { return s.TeamB == -1; }},
        ValueCase{"BoolFromAnyNonZero", "[Settings]\r\nSpree=2\r\nHealth=0\r\nWeapon=0x1\r\n",
                  [](const SettingsBlock& s) { return s.Spree && !s.Health && s.Weapon; }},
        ValueCase{"BoolNotANumber", "[Settings]\r\nSpree=yes\r\nHealth=no\r\n",
                  [](const SettingsBlock& s) { return !s.Spree && s.Health; }},
        ValueCase{"BlanksAroundText", "[Settings]\r\nUTDir =  C:\\Games\\UT \t\r\n",
                  [](const SettingsBlock& s) { return s.UTDir == "C:\\Games\\UT"; }},
        ValueCase{"LowerCasePort", "[irc]\nport=7000\n",
                  [](const SettingsBlock& s) { return s.Port == 7000; }},
        ValueCase{"NamesIgnoreCase", "[SETTINGS]\nfirstrun=0\n[colors]\nBACKGROUND=5\n",
                  [](const SettingsBlock& s) { return !s.FirstRun && s.Background == 5; }},
        ValueCase{"PlayerColour", "[Colors]\r\nPlayer20=255\r\n",
                  [](const SettingsBlock& s) {
                      return s.Player[20] == 255 && s.Player[19] == 0xC0C0C0 &&
                             s.Player[21] == 0xC0C0C0;
                  }},
        ValueCase{
            "KeyInWrongSection", "[Settings]\r\nPort=7000\r\nBackground=5\r\n",
            [](const SettingsBlock& s) { return s.Port == 6667 && s.Background == 0xFFFFFF; }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, CutsOverlongTextsToTheirFields) {
    const std::string longText(400, 'x');
    std::string file = "[Settings]\r\nUTDir=" + longText + "\r\nMasterserverURI=" + longText +
                       "\r\n[Web-Server]\r\nSaveTo=" + longText +
                       "\r\n[IRC]\r\nserver=" + longText + "\r\nchannel=" + longText +
                       "\r\nnickname=" + longText + "\r\n";
    const SettingsBlock s = readText(file);
    EXPECT_EQ(s.UTDir, std::string(254, 'x'));
    EXPECT_EQ(s.MasterserverURI, std::string(99, 'x'));
    EXPECT_EQ(s.SaveTo, std::string(254, 'x'));
    EXPECT_EQ(s.server, std::string(100, 'x'));
    EXPECT_EQ(s.channel, std::string(29, 'x'));
    EXPECT_EQ(s.nickname, std::string(29, 'x'));
}

TEST_F(SettingsFile, WritesOnePortEntryWhateverItsSpelling) {
    for (const char* stored : {"port=7000", "Port=7000", "PORT = 7000"}) {
        const SettingsBlock s = readText(std::string("[IRC]\r\n") + stored + "\r\n");
        ASSERT_EQ(s.Port, 7000) << stored;
        ASSERT_TRUE(cfg::WriteSettings(m_path, s));
        const tk::IniFile ini = tk::IniFile::fromBytes(readFile(m_path));
        const auto keys = ini.sectionKeys("IRC");
        EXPECT_EQ(std::count_if(keys.begin(), keys.end(),
                                [](const std::string& k) {
                                    return k == "port" || k == "Port" || k == "PORT";
                                }),
                  1)
            << stored;
        EXPECT_EQ(ini.readInteger("IRC", "port", 0), 7000) << stored;
    }
}

TEST_F(SettingsFile, WriteLeavesOtherSectionsByteForByte) {
    // LF endings, repeated keys, comments and odd spacing, around a partial
    // [Settings] that the write has to complete.
    const std::string before = "; my settings\n"
                               "[Favorites]\n"
                               "FavHost[1]= Spaced  name \n"
                               "FavIP[1]=192.0.2.10\n"
                               "FavPort[1]=7777\n"
                               "FavCount=2\n"
                               "\n"
                               "[TableFav]\n"
                               "Col0=20\n"
                               "Col1 = 69\n"
                               "[Settings]\n"
                               "QueryInterval=4\n";
    const std::string after = "\n"
                              "[Colors]\n"
                              "Player20=255\n"
                              "[Mine]\n"
                              "ServerPackages=A\n"
                              "ServerPackages=B\n"
                              ";ServerPackages=C\n"
                              "  odd line without equals\n"
                              "[TablePlayers]\n"
                              "Col0=26";
    writeFile(m_path, before + after);
    SettingsBlock s;
    ASSERT_TRUE(cfg::ReadSettings(m_path, s));
    ASSERT_EQ(s.Player[20], 255);
    ASSERT_TRUE(cfg::WriteSettings(m_path, s));

    const std::string out = readFile(m_path);
    ASSERT_EQ(out.substr(0, before.size()), before) << out;
    // The rest of [Settings] follows its last key, in order; the lines the
    // program adds end in CR LF, whatever the hand-edited lines use.
    const std::string settingsTail = "FirstRun=1\r\nQueryTimeout=2000\r\nMaxTimeout=5\r\n";
    EXPECT_EQ(out.substr(before.size(), settingsTail.size()), settingsTail);
    const std::size_t mine = out.find("[Mine]");
    ASSERT_NE(mine, std::string::npos);
    EXPECT_EQ(out.substr(mine, after.size() - after.find("[Mine]")),
              after.substr(after.find("[Mine]")));
    EXPECT_NE(out.find("[Colors]\nPlayer20=255\nBackground=16777215\r\n"), std::string::npos)
        << out;
    EXPECT_EQ(out.find("Player0="), std::string::npos);
    // New sections go to the end, after a last line that had no ending.
    EXPECT_NE(out.find("[TablePlayers]\nCol0=26\r\n[Web-Server]\r\nAutoSaveStats=0\r\n"),
              std::string::npos)
        << out;
    EXPECT_TRUE(out.ends_with("[IRC]\r\nserver=\r\nchannel=\r\nnickname=\r\nport=6667\r\n")) << out;
}

TEST_F(SettingsFile, UnreadableFileIsAFailureAndIsNotOverwritten) {
    const fs::path folder = m_dir.file("folder.ini");
    fs::create_directory(folder);
    SettingsBlock s = unusualSettings();
    EXPECT_FALSE(cfg::ReadSettings(folder, s));
    EXPECT_EQ(describe(s), describe(unusualSettings())) << "the block stays as it was";
    EXPECT_FALSE(cfg::WriteSettings(folder, s));
    EXPECT_TRUE(fs::is_directory(folder));
#ifdef SKARVELL_TEST_POSIX
    // Something that is there but cannot be read as a file must not be
    // replaced by a file holding the settings alone.
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    EXPECT_FALSE(cfg::ReadSettings(m_path, s));
    EXPECT_FALSE(cfg::WriteSettings(m_path, s));
    EXPECT_EQ(fs::status(m_path).type(), fs::file_type::fifo);
#endif
}

TEST_F(SettingsFile, WriteFailureIsReported) {
    EXPECT_FALSE(cfg::WriteSettings(m_dir.file("gone") / "skarvell.ini", SettingsBlock{}));
}

class ColumnWidths : public SettingsFile {
protected:
    // The favourites grid's widths from start.
    [[nodiscard]] static tk::StringGrid favouritesGrid() {
        tk::StringGrid grid(6, 100, 1, 1);
        const int widths[] = {20, 69, 74, 64, 86, 65};
        for (int c = 0; c < 6; ++c) {
            grid.setColWidth(c, widths[c]);
        }
        return grid;
    }
    [[nodiscard]] static std::vector<int> widths(const tk::StringGrid& grid) {
        std::vector<int> w;
        for (int c = 0; c < grid.colCount(); ++c) {
            w.push_back(grid.colWidth(c));
        }
        return w;
    }
};

TEST_F(ColumnWidths, MissingOrUnusableKeysKeepTheGridsWidth) {
    const auto ini =
        tk::IniFile::fromBytes("[tablefav]\r\nCol0=30\r\nCol2=wide\r\nCol3=-1\r\nCol4=-7\r\n"
                               "Col5=2147483647\r\nCol6=50\r\n[TableAll]\r\nCol1=99\r\n");
    tk::StringGrid grid = favouritesGrid();
    cfg::readColumnWidths(ini, "TableFav", grid);
    EXPECT_EQ(widths(grid), (std::vector<int>{30, 69, 74, 64, 86, 65}));
}

TEST_F(ColumnWidths, WritesEveryColumnAndReadsItBack) {
    auto ini = tk::IniFile::fromBytes("[TableFav]\r\nCol1=5\r\n[Settings]\r\nFirstRun=0\r\n");
    tk::StringGrid grid = favouritesGrid();
    grid.setColWidth(1, 120);
    cfg::writeColumnWidths(ini, "TableFav", grid);
    EXPECT_EQ(ini.bytes(), "[TableFav]\r\nCol1=120\r\nCol0=20\r\nCol2=74\r\nCol3=64\r\n"
                           "Col4=86\r\nCol5=65\r\n[Settings]\r\nFirstRun=0\r\n");

    tk::StringGrid fresh(6, 100, 1, 1);
    cfg::readColumnWidths(ini, "TableFav", fresh);
    EXPECT_EQ(widths(fresh), widths(grid));
}

// The settings file as the program keeps it from start to close.
class SettingsDocument : public SettingsFile {};

TEST_F(SettingsDocument, EditsGoOutTogetherInOneSave) {
    writeFile(m_path, "[Favorites]\r\nFavCount=1\r\n[Settings]\r\nQueryInterval=7\r\n");
    cfg::SettingsFile file(m_path);
    ASSERT_TRUE(file.load());
    SettingsBlock s;
    cfg::readSettings(file.document(), s);
    EXPECT_EQ(s.QueryInterval, 7);

    s.QueryInterval = 4;
    cfg::writeSettings(file.document(), s);
    cfg::writeColumnWidths(file.document(), "TableFav", tk::StringGrid(2, 2, 0, 1));
    // Nothing reaches the disk before save.
    EXPECT_EQ(readFile(m_path), "[Favorites]\r\nFavCount=1\r\n[Settings]\r\nQueryInterval=7\r\n");
    ASSERT_TRUE(file.save());
    const std::string written = readFile(m_path);
    EXPECT_EQ(written.find("[Favorites]\r\nFavCount=1\r\n[Settings]\r\n"), 0U);
    EXPECT_NE(written.find("QueryInterval=4\r\n"), std::string::npos);
    EXPECT_NE(written.find("[TableFav]\r\nCol0="), std::string::npos);
}

TEST_F(SettingsDocument, AFileThatCouldNotBeReadIsNeverReplaced) {
    const fs::path folder = m_dir.file("folder.ini");
    fs::create_directory(folder);
    cfg::SettingsFile unreadable(folder);
    EXPECT_FALSE(unreadable.load());
    cfg::writeSettings(unreadable.document(), SettingsBlock{});
    EXPECT_FALSE(unreadable.save());
    EXPECT_TRUE(fs::is_directory(folder));
#ifdef SKARVELL_TEST_POSIX
    ASSERT_EQ(::mkfifo(m_path.c_str(), 0600), 0);
    cfg::SettingsFile fifo(m_path);
    EXPECT_FALSE(fifo.load());
    EXPECT_FALSE(fifo.save());
    EXPECT_EQ(fs::status(m_path).type(), fs::file_type::fifo);
#endif
}

#ifdef SKARVELL_TEST_POSIX
TEST_F(SettingsDocument, AReadOnlyFileIsReportedAndKeptWhole) {
    const std::string before = "[Settings]\r\nQueryInterval=7\r\n[Favorites]\r\nFavCount=1\r\n";
    writeFile(m_path, before);
    fs::permissions(m_path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    cfg::SettingsFile file(m_path);
    ASSERT_TRUE(file.load());
    cfg::writeSettings(file.document(), SettingsBlock{});
    EXPECT_FALSE(file.save());
    EXPECT_EQ(readFile(m_path), before);
    EXPECT_EQ(fs::status(m_path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}
#endif

TEST(SettingsFields, EachKeyOnceWithItsKindAndCapacity) {
    struct Case {
        std::string_view section;
        std::string_view key;
        cfg::FieldKind kind;
        std::size_t capacity;
        bool written;
    };
    const Case cases[] = {
        {"Settings", "QueryInterval", cfg::FieldKind::Number, 0, true},
        {"settings", "usePlayerColor", cfg::FieldKind::Flag, 0, true},
        {"Settings", "UTDir", cfg::FieldKind::Text, 254, true},
        {"Settings", "MasterserverURI", cfg::FieldKind::Text, 99, true},
        {"Web-Server", "SaveTo", cfg::FieldKind::Text, 254, true},
        {"IRC", "server", cfg::FieldKind::Text, 100, true},
        {"IRC", "channel", cfg::FieldKind::Text, 29, true},
        {"IRC", "Port", cfg::FieldKind::Number, 0, true},
        {"Colors", "Player31", cfg::FieldKind::Number, 0, false},
    };
    for (const Case& c : cases) {
        const cfg::SettingsField* field = cfg::findSettingsField(c.section, c.key);
        ASSERT_NE(field, nullptr) << c.key;
        EXPECT_EQ(field->kind, c.kind) << c.key;
        EXPECT_EQ(field->capacity, c.capacity) << c.key;
        EXPECT_EQ(field->written, c.written) << c.key;
    }
    EXPECT_EQ(cfg::findSettingsField("Settings", "Player0"), nullptr);

    std::set<std::string> seen;
    for (const cfg::SettingsField& field : cfg::settingsFields()) {
        EXPECT_TRUE(seen.insert(tk::asciiLower(std::string(field.section) + "/" + field.key)).second)
            << field.key << " is described twice";
    }
}

TEST(LocalPorts, ThreePortsThatCannotAllFitFallBackToTheDefault) {
    using Ports = std::array<std::uint16_t, 3>;
    EXPECT_EQ(cfg::localUdpPorts(54321), (Ports{54321, 54322, 54323}));
    EXPECT_EQ(cfg::localUdpPorts(1000), (Ports{1000, 1001, 1002}));
    EXPECT_EQ(cfg::localUdpPorts(65533), (Ports{65533, 65534, 65535}));
    EXPECT_EQ(cfg::localUdpPorts(65534), (Ports{54321, 54322, 54323}));
    EXPECT_EQ(cfg::localUdpPorts(0), (Ports{54321, 54322, 54323}));
    EXPECT_EQ(cfg::localUdpPorts(-1), (Ports{54321, 54322, 54323}));
}

} // namespace
