#include "toolkit/IniFile.h"
#include "toolkit/AtomicFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#if __has_include(<sys/resource.h>) && __has_include(<sys/stat.h>)
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#define SKARVELL_TEST_POSIX 1
#endif

namespace {

namespace fs = std::filesystem;
using fake::readFile;
using fake::writeFile;
using tk::IniFile;

// A file as people and the game leave them: a line before any section, mixed
// line endings, repeated keys, comments, odd spacing, a key line without a
// value, a repeated section, and no final newline.
constexpr std::string_view kMessy = "; written by hand\n"
                                    "orphan=1\r\n"
                                    "[Engine.GameEngine]\r\n"
                                    "ServerPackages=SoldierSkins\r\n"
                                    "ServerPackages=CommandoSkins\r\n"
                                    "  ServerActors = IpDrv.UdpBeacon  \r\n"
                                    "\r\n"
                                    "# another comment\n"
                                    "[ Settings ]\n"
                                    "QueryInterval = 7 \n"
                                    "JustAWord\n"
                                    "\n"
                                    "[engine.gameengine]\n"
                                    "ServerPackages=Third\n"
                                    "Tail=last";

std::string repeated(std::string_view piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(IniFile, KeepsEveryByteThroughLoadAndSave) {
    fake::TempFolder dir;
    const fs::path path = dir.file("game.ini");
    writeFile(path, kMessy);

    IniFile ini;
    ASSERT_EQ(ini.load(path), tk::IniLoadResult::Loaded);
    EXPECT_EQ(ini.bytes(), kMessy);
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readFile(path), kMessy);
}

TEST(IniFile, KeepsBytesThatAreNotText) {
    const char raw[] = "[A]\r\nk=\0\xff\r\n\r\r\n\xe9t\xe9=1";
    const std::string bytes(raw, sizeof raw - 1);
    EXPECT_EQ(IniFile::fromBytes(bytes).bytes(), bytes);
}

// Blank runs of every kind around entries: a settings file that gathered
// blank lines over the years must come back byte for byte, and edits must
// land where they would in a short file.
TEST(IniFile, KeepsEveryByteOfAFileWithManyBlankLines) {
    std::string text = "; head\r\n";
    text += repeated("\r\n", 1000) + "[A]\r\n" + repeated("\n", 500) + repeated(" \t \r\n", 100);
    text += "k=1\r\n" + repeated("\r\n", 300) + "; about B\n[B]\n" + repeated("\r\r\n", 3);
    text += "j=2" + repeated("\n", 200);
    fake::TempFolder dir;
    const fs::path path = dir.file("blank.ini");
    writeFile(path, text);

    IniFile ini;
    ASSERT_EQ(ini.load(path), tk::IniLoadResult::Loaded);
    EXPECT_EQ(ini.bytes(), text);
    EXPECT_EQ(ini.value("A", "k"), "1");
    EXPECT_EQ(ini.value("B", "j"), "2");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readFile(path), text);

    ini.writeString("A", "new", "v");
    ini.writeString("B", "j", "3");
    std::string expected = text;
    expected.insert(expected.find("k=1\r\n") + 5, "new=v\r\n");
    expected.replace(expected.find("j=2"), 3, "j=3");
    EXPECT_EQ(ini.bytes(), expected);
    ini.eraseSection("A");
    expected.erase(expected.find("[A]"), expected.find("new=v\r\n") + 7 - expected.find("[A]"));
    EXPECT_EQ(ini.bytes(), expected);
}

// Lookups after edits answer as they do for the same bytes loaded afresh,
// including a write that turns a key line into a section header.
TEST(IniFile, EditsLeaveLookupsAsForTheSameBytesLoadedAfresh) {
    IniFile ini = IniFile::fromBytes(kMessy);
    const std::vector<std::string> sections = {"Engine.GameEngine", "Settings", "k=x", "New", ""};
    const auto check = [&](const std::string& step) {
        const IniFile fresh = IniFile::fromBytes(ini.bytes());
        for (const std::string& section : sections) {
            EXPECT_EQ(ini.sectionKeys(section), fresh.sectionKeys(section)) << step << section;
            EXPECT_EQ(ini.hasSection(section), fresh.hasSection(section)) << step << section;
        }
    };
    ini.writeString("Settings", "[k", "x]");
    check("new key that reads as a header");
    ini.writeString("Settings", "QueryInterval", "9");
    check("value replaced");
    ini.writeString("New", "a", "1");
    check("new section");
    ini.writeString("New", ";b", "2");
    check("new key that reads as a comment");
    ini.eraseSection("Engine.GameEngine");
    check("section erased");
    ini.writeString("Engine.GameEngine", "Again", "1");
    check("section written anew");
}

// 10 MB of blank lines, or of short entries, loads in one pass and takes
// memory near the file's size instead of an object per line.
TEST(IniFile, LargeFileLoadsCompactly) {
    struct Case {
        std::string_view line;
        double maxFootprintPerByte;
    };
    constexpr std::size_t kSize = 10u * 1024u * 1024u;
    for (const Case& c : {Case{"\n", 1.5}, Case{"\r\n", 1.5}, Case{" \t\r\n", 1.5},
                          Case{"; note\n", 1.5}, Case{"k=1\n", 4.0}}) {
        std::string text = "[Top]\r\n" + repeated(c.line, kSize / c.line.size());
        text += "[End]\r\nkey=last\r\n";
        fake::TempFolder dir;
        const fs::path path = dir.file("large.ini");
        writeFile(path, text);

        IniFile ini;
        ASSERT_EQ(ini.load(path), tk::IniLoadResult::Loaded);
        EXPECT_TRUE(ini.bytes() == text) << "not the same bytes";
        EXPECT_LE(static_cast<double>(ini.footprint()),
                  c.maxFootprintPerByte * static_cast<double>(text.size()))
            << ini.footprint() << " bytes for a file of " << text.size();
        EXPECT_EQ(ini.readString("End", "key", ""), "last");
        ini.writeString("End", "key", "saved");
        ASSERT_TRUE(ini.save(path));
        text.replace(text.rfind("last"), 4, "saved");
        EXPECT_TRUE(readFile(path) == text) << "not the same bytes";
    }
}

struct ReadCase {
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniFileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniFileRead, FindsValue) {
    const IniFile ini = IniFile::fromBytes(kMessy);
    EXPECT_EQ(ini.value(GetParam().section, GetParam().key), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileRead,
    ::testing::Values(ReadCase{"Engine.GameEngine", "ServerPackages", "SoldierSkins"}, // first wins
                      ReadCase{"ENGINE.gameengine", "serverpackages", "SoldierSkins"},
                      ReadCase{"Engine.GameEngine", "ServerActors", "IpDrv.UdpBeacon"},
                      ReadCase{"Settings", "QueryInterval", "7"},
                      ReadCase{"engine.gameengine", "Tail", "last"}, // second occurrence
                      ReadCase{"Engine.GameEngine", "orphan", std::nullopt},
                      ReadCase{"Settings", "JustAWord", std::nullopt},
                      ReadCase{"Settings", "ServerPackages", std::nullopt},
                      ReadCase{"Nowhere", "QueryInterval", std::nullopt}));

struct NumberCase {
    const char* value;
    std::int32_t integer; // read with the default 42
    bool flag;            // read with the default on
};

class IniFileNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IniFileNumber, ReadsIntegerAndBool) {
    const IniFile ini = IniFile::fromBytes(std::string("[S]\r\nk=") + GetParam().value + "\r\n");
    EXPECT_EQ(ini.readInteger("S", "k", 42), GetParam().integer);
    EXPECT_EQ(ini.readBool("S", "k", true), GetParam().flag);
}

INSTANTIATE_TEST_SUITE_P(Cases, IniFileNumber,
                         ::testing::Values(NumberCase{"0x10", 16, true}, NumberCase{"16", 16, true},
                                           NumberCase{" -5 ", -5, true}, NumberCase{"0", 0, false},
                                           NumberCase{"0x0", 0, false}, NumberCase{"2", 2, true},
                                           NumberCase{"abc", 42, true}, NumberCase{"", 42, true},
                                           NumberCase{"12abc", 42, true},
                                           NumberCase{"0x", 42, true},
                                           NumberCase{"99999999999", 42, true},
                                           NumberCase{"0xFFFFFFFF", -1, true}));

TEST(IniFile, MissingKeyGivesDefault) {
    const IniFile ini = IniFile::fromBytes("[S]\r\n");
    EXPECT_EQ(ini.readString("S", "k", "def"), "def");
    EXPECT_EQ(ini.readInteger("S", "k", -1), -1);
    EXPECT_FALSE(ini.readBool("S", "k", false));
}

TEST(IniFile, WriteReplacesFirstMatchInPlace) {
    IniFile ini = IniFile::fromBytes(kMessy);
    ini.writeString("engine.gameengine", "SERVERPACKAGES", "Replaced");
    ini.writeInteger("Engine.GameEngine", "ServerActors", 3);
    std::string expected(kMessy);
    expected.replace(expected.find("SoldierSkins"), 12, "Replaced");
    expected.replace(expected.find(" IpDrv.UdpBeacon  "), 18, "3");
    EXPECT_EQ(ini.bytes(), expected);
}

TEST(IniFile, NewKeyGoesAfterLastEntryOfItsSection) {
    IniFile ini = IniFile::fromBytes(kMessy);
    ini.writeString("Engine.GameEngine", "New", "a");
    ini.writeBool("settings", "Flag", true);
    std::string expected(kMessy);
    // The file's first line ends in LF, so new lines do too.
    expected.insert(expected.find("\r\n\r\n# another") + 2, "New=a\n");
    expected.insert(expected.find("JustAWord\n") + 10, "Flag=1\n");
    EXPECT_EQ(ini.bytes(), expected);
}

TEST(IniFile, NewKeyInSectionWithoutEntriesFollowsHeader) {
    IniFile ini = IniFile::fromBytes("[A]\r\n\r\n[B]\r\nx=1\r\n");
    ini.writeString("A", "k", "v");
    EXPECT_EQ(ini.bytes(), "[A]\r\nk=v\r\n\r\n[B]\r\nx=1\r\n");
}

TEST(IniFile, NewSectionGoesToTheEndAndEndsTheLastLine) {
    IniFile ini = IniFile::fromBytes(kMessy);
    ini.writeString("Fresh", "k", "v");
    EXPECT_EQ(ini.bytes(), std::string(kMessy) + "\n[Fresh]\nk=v\n");

    IniFile crlf = IniFile::fromBytes("[A]\r\nx=1");
    crlf.writeString("A", "y", "2");
    EXPECT_EQ(crlf.bytes(), "[A]\r\nx=1\r\ny=2\r\n");
}

TEST(IniFile, NewDocumentUsesCrLf) {
    IniFile ini;
    ini.writeString("A", "k", "v");
    ini.writeString("B", "k", "w");
    ini.writeString("A", "l", "x");
    EXPECT_EQ(ini.bytes(), "[A]\r\nk=v\r\nl=x\r\n[B]\r\nk=w\r\n");
}

TEST(IniFile, WrittenTextCannotAddLines) {
    IniFile ini;
    ini.writeString("A", "k", "evil\r\n[B]\nk=injected");
    EXPECT_EQ(ini.bytes(), "[A]\r\nk=evil  [B] k=injected\r\n");
    EXPECT_FALSE(ini.hasSection("B"));
}

TEST(IniFile, EraseSectionRemovesEveryOccurrenceAndKeepsTheRest) {
    IniFile ini = IniFile::fromBytes(kMessy);
    ini.eraseSection("ENGINE.GAMEENGINE");
    EXPECT_EQ(ini.bytes(), "; written by hand\n"
                           "orphan=1\r\n"
                           "\r\n"
                           "# another comment\n"
                           "[ Settings ]\n"
                           "QueryInterval = 7 \n"
                           "JustAWord\n"
                           "\n");
    EXPECT_FALSE(ini.hasSection("Engine.GameEngine"));
    EXPECT_TRUE(ini.sectionKeys("Engine.GameEngine").empty());
}

TEST(IniFile, ListsKeysInFileOrderWithRepeats) {
    const IniFile ini = IniFile::fromBytes(kMessy);
    EXPECT_EQ(ini.sectionKeys("engine.gameengine"),
              (std::vector<std::string>{"ServerPackages", "ServerPackages", "ServerActors",
                                        "ServerPackages", "Tail"}));
}

TEST(IniFile, LoadTellsMissingFromUnreadable) {
    fake::TempFolder dir;
    IniFile ini = IniFile::fromBytes("[A]\r\nk=v\r\n");
    EXPECT_EQ(ini.load(dir.file("none.ini")), tk::IniLoadResult::Missing);
    EXPECT_EQ(ini.bytes(), "");
    EXPECT_EQ(ini.load(dir.path()), tk::IniLoadResult::Unreadable);
#ifdef SKARVELL_TEST_POSIX
    // A pipe would block a reader until someone writes to it.
    const fs::path fifo = dir.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ini.load(fifo), tk::IniLoadResult::Unreadable);
#endif
}

class IniFileSave : public ::testing::Test {
protected:
    static constexpr std::string_view kOld = "[Favorites]\r\nFavHost[1]=Mine\r\nFavCount=2\r\n";

    void SetUp() override { writeFile(m_path, kOld); }

    // The new content is large enough not to fit any small limit.
    [[nodiscard]] static IniFile bigDocument() {
        std::string text = "[Big]\r\n";
        for (int i = 0; i < 2000; ++i) {
            text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
        }
        return IniFile::fromBytes(text);
    }

    fake::TempFolder m_dir;
    fs::path m_path = m_dir.file("skarvell.ini");
};

TEST_F(IniFileSave, ReplacesFileAndLeavesNoTemporaryFile) {
    const IniFile ini = bigDocument();
    ASSERT_TRUE(ini.save(m_path));
    EXPECT_EQ(readFile(m_path), ini.bytes());
    EXPECT_FALSE(fs::exists(tk::tempPathFor(m_path)));
}

TEST_F(IniFileSave, ReplacesTemporaryFileLeftByACrash) {
    writeFile(tk::tempPathFor(m_path), "half a fi");
    ASSERT_TRUE(bigDocument().save(m_path));
    EXPECT_EQ(readFile(m_path), bigDocument().bytes());
    EXPECT_FALSE(fs::exists(tk::tempPathFor(m_path)));
}

TEST_F(IniFileSave, KeepsOldFileWhenTemporaryFileCannotBeMade) {
    const fs::path blocker = tk::tempPathFor(m_path);
    fs::create_directory(blocker);
    writeFile(blocker / "inside", "x");
    EXPECT_FALSE(bigDocument().save(m_path));
    EXPECT_EQ(readFile(m_path), kOld);
    EXPECT_TRUE(fs::exists(blocker / "inside"));
}

TEST_F(IniFileSave, RemovesTemporaryFileWhenRenameFails) {
    const fs::path target = m_dir.file("taken");
    fs::create_directory(target);
    writeFile(target / "inside", "x");
    EXPECT_FALSE(bigDocument().save(target));
    EXPECT_FALSE(fs::exists(tk::tempPathFor(target)));
    EXPECT_EQ(readFile(target / "inside"), "x");
}

TEST_F(IniFileSave, FailsWhenFolderIsGone) {
    const fs::path gone = m_dir.file("gone");
    EXPECT_FALSE(bigDocument().save(gone / "skarvell.ini"));
    EXPECT_FALSE(fs::exists(gone));
}

#ifdef SKARVELL_TEST_POSIX
// The disk fills in the middle of the write: a file-size limit makes the
// write fail the way a full disk does (EFBIG instead of ENOSPC).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        m_active = ::setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    [[nodiscard]] bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

TEST_F(IniFileSave, KeepsOldFileWhenDiskFillsMidWrite) {
    const IniFile ini = bigDocument();
    ASSERT_GT(ini.bytes().size(), 8192u);
    bool saved = true;
    bool limited = false;
    {
        // Nothing may print while the limit holds: the output may be a file.
        FileSizeLimit limit(4096);
        limited = limit.active();
        saved = ini.save(m_path);
    }
    ASSERT_TRUE(limited);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readFile(m_path), kOld);
    EXPECT_FALSE(fs::exists(tk::tempPathFor(m_path)));
}

TEST_F(IniFileSave, WritesThroughSymbolicLinkAndKeepsPermissions) {
    const fs::path real = m_dir.file("real.ini");
    fs::rename(m_path, real);
    fs::create_symlink(real, m_path);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);

    ASSERT_TRUE(bigDocument().save(m_path));
    EXPECT_TRUE(fs::is_symlink(m_path));
    EXPECT_EQ(readFile(real), bigDocument().bytes());
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}
#endif

} // namespace
