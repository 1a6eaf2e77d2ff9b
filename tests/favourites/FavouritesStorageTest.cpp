#include "favourites/FavouritesStorage.h"
#include "toolkit/AtomicFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#if __has_include(<sys/stat.h>)
#include <sys/stat.h>
#define SKARVELL_TEST_POSIX 1
#endif

namespace {

namespace fs = std::filesystem;
using fake::readFile;
using fake::writeFile;

void setFavourite(query::ServerEntry& e, const char* name, const char* address, const char* port) {
    e.hostname = name;
    e.address = address;
    e.hostport = port;
}

class FavouritesStorage : public ::testing::Test {
protected:
    // The records are large; keep them off the stack.
    std::unique_ptr<query::ServerRecords> m_records = std::make_unique<query::ServerRecords>();
    fake::TempFolder m_dir;
    fs::path m_path = m_dir.file("skarvell.ini");
};

TEST_F(FavouritesStorage, ThreeFavouritesRoundTrip) {
    writeFile(m_path, "[Settings]\r\nFirstRun=0\r\n");
    auto& fav = m_records->favourites;
    setFavourite(fav[1], "My server", "192.0.2.10", "7777");
    setFavourite(fav[2], "Second = best", "198.51.100.7", "7000");
    setFavourite(fav[3], "", "203.0.113.5", "");
    setFavourite(fav[4], "Not in the list", "192.0.2.99", "1");
    m_records->favouriteEnd = 4;
    ASSERT_TRUE(favourites::writeFavourites(m_path, *m_records));
    EXPECT_EQ(readFile(m_path), "[Settings]\r\nFirstRun=0\r\n"
                                "[Favorites]\r\n"
                                "FavHost[1]=My server\r\nFavIP[1]=192.0.2.10\r\nFavPort[1]=7777\r\n"
                                "FavHost[2]=Second = best\r\nFavIP[2]=198.51.100.7\r\n"
                                "FavPort[2]=7000\r\n"
                                "FavHost[3]=\r\nFavIP[3]=203.0.113.5\r\nFavPort[3]=\r\n"
                                "FavCount=4\r\n");

    auto loaded = std::make_unique<query::ServerRecords>();
    auto& slot = loaded->favourites[2];
    slot.mapname = "CTF-Face";
    slot.numplayers = 6;
    slot.responded = true;
    slot.ping = 40;
    slot.gametype = "CTFGame";
    ASSERT_EQ(favourites::readFavourites(m_path, *loaded), 4);
    EXPECT_EQ(slot.hostname, "Second = best");
    EXPECT_EQ(slot.address, "198.51.100.7");
    EXPECT_EQ(slot.hostport, "7000");
    EXPECT_FALSE(slot.responded);
    EXPECT_EQ(slot.ping, 9999);
    EXPECT_EQ(slot.gametype, "No response");
    EXPECT_EQ(slot.mapname, "CTF-Face") << "fields that are not stored keep their value";
    EXPECT_EQ(slot.numplayers, 6);
    EXPECT_EQ(loaded->favourites[3].hostname, "");
    EXPECT_EQ(loaded->favourites[4].hostname, "") << "slots beyond the list stay as they were";
}

TEST_F(FavouritesStorage, NoSectionIsAnEmptyListAndSavesOnlyTheCount) {
    writeFile(m_path, "[TableFav]\nCol0=20\n");
    m_records->favourites[1].hostname = "untouched";
    EXPECT_EQ(favourites::readFavourites(m_path, *m_records), 1);
    EXPECT_EQ(m_records->favourites[1].hostname, "untouched");
    EXPECT_EQ(favourites::readFavourites(m_dir.file("none.ini"), *m_records), 1);

    m_records->favouriteEnd = 1;
    ASSERT_TRUE(favourites::writeFavourites(m_path, *m_records));
    EXPECT_EQ(readFile(m_path), "[TableFav]\nCol0=20\n[Favorites]\r\nFavCount=1\r\n");
}

TEST_F(FavouritesStorage, SaveReplacesTheWholeOldSection) {
    writeFile(m_path, "[Favorites]\r\nFavHost[1]=A\r\nFavHost[5]=Old\r\nFavCount=6\r\n"
                      "; kept\r\n[IRC]\r\nport=7000\r\n");
    setFavourite(m_records->favourites[1], "New", "192.0.2.1", "7777");
    m_records->favouriteEnd = 2;
    ASSERT_TRUE(favourites::writeFavourites(m_path, *m_records));
    EXPECT_EQ(readFile(m_path), "; kept\r\n[IRC]\r\nport=7000\r\n"
                                "[Favorites]\r\nFavHost[1]=New\r\nFavIP[1]=192.0.2.1\r\n"
                                "FavPort[1]=7777\r\nFavCount=2\r\n");
}

struct CountCase {
    const char* count;
    std::int32_t end;
};

class FavouritesCount : public FavouritesStorage,
                        public ::testing::WithParamInterface<CountCase> {};

TEST_P(FavouritesCount, GivesASafeEnd) {
    writeFile(m_path, std::string("[Favorites]\r\nFavHost[1]=One\r\nFavCount=") + GetParam().count +
                          "\r\n");
    m_records->favourites[1].hostname = "before";
    const std::int32_t end = favourites::readFavourites(m_path, *m_records);
    EXPECT_EQ(end, GetParam().end);
    EXPECT_EQ(m_records->favourites[1].hostname, end > 1 ? "One" : "before");
}

INSTANTIATE_TEST_SUITE_P(Cases, FavouritesCount,
                         ::testing::Values(CountCase{"0", 1}, CountCase{"-5", 1},
                                           CountCase{"abc", 1}, CountCase{"", 1}, CountCase{"2", 2},
                                           CountCase{"100", 100}, CountCase{"500", 100},
                                           CountCase{"2147483647", 100}));

TEST_F(FavouritesStorage, MissingKeysReadAsZero) {
    writeFile(m_path, "[Favorites]\r\nFavHost[1]=One\r\nFavPort[2]=7000\r\nFavCount=100\r\n");
    ASSERT_EQ(favourites::readFavourites(m_path, *m_records), 100);
    const auto& fav = m_records->favourites;
    EXPECT_EQ(fav[1].address, "0");
    EXPECT_EQ(fav[2].hostname, "0");
    EXPECT_EQ(fav[2].hostport, "7000");
    EXPECT_EQ(fav[99].hostname, "0");
    EXPECT_EQ(fav[99].gametype, "No response");
}

TEST_F(FavouritesStorage, LongTextsAreCutToTheirFields) {
    const std::string longText(300, '7');
    writeFile(m_path, "[Favorites]\r\nFavHost[1]=" + longText + "\r\nFavIP[1]=" + longText +
                          "\r\nFavPort[1]=" + longText + "\r\nFavCount=2\r\n");
    ASSERT_EQ(favourites::readFavourites(m_path, *m_records), 2);
    const auto& slot = m_records->favourites[1];
    EXPECT_EQ(slot.hostname, std::string(127, '7'));
    EXPECT_EQ(slot.address, std::string(29, '7'));
    EXPECT_EQ(slot.hostport, std::string(5, '7'));
}

TEST_F(FavouritesStorage, ServerNameCannotPlantKeys) {
    setFavourite(m_records->favourites[1], "x\r\n[Settings]\r\nUTDir=C:\\evil", "192.0.2.1",
                 "7777");
    m_records->favouriteEnd = 2;
    ASSERT_TRUE(favourites::writeFavourites(m_path, *m_records));
    const tk::IniFile ini = tk::IniFile::fromBytes(readFile(m_path));
    EXPECT_FALSE(ini.hasSection("Settings"));
    EXPECT_EQ(ini.readInteger("Favorites", "FavCount", 0), 2);
}

TEST_F(FavouritesStorage, EndOutsideTheSlotsIsCutWhenSaving) {
    for (auto& slot : m_records->favourites) {
        setFavourite(slot, "S", "192.0.2.1", "7777");
    }
    for (const std::int32_t end : {0, -3, 101, 5000}) {
        m_records->favouriteEnd = end;
        ASSERT_TRUE(favourites::writeFavourites(m_path, *m_records)) << end;
        const tk::IniFile ini = tk::IniFile::fromBytes(readFile(m_path));
        const std::int32_t expected = end < 1 ? 1 : 100;
        EXPECT_EQ(ini.readInteger("Favorites", "FavCount", 0), expected) << end;
        EXPECT_EQ(ini.sectionKeys("Favorites").size(),
                  static_cast<std::size_t>(3 * (expected - 1) + 1))
            << end;
    }
}

TEST_F(FavouritesStorage, SaveFailureIsReportedAndKeepsTheFile) {
    m_records->favouriteEnd = 1;
    EXPECT_FALSE(favourites::writeFavourites(m_dir.file("gone") / "skarvell.ini", *m_records));

    const fs::path folder = m_dir.file("folder.ini");
    fs::create_directory(folder);
    EXPECT_FALSE(favourites::writeFavourites(folder, *m_records));
    EXPECT_TRUE(fs::is_directory(folder));

#ifdef SKARVELL_TEST_POSIX
    const fs::path fifo = m_dir.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(favourites::writeFavourites(fifo, *m_records));
    EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
#endif

    writeFile(m_path, "[Settings]\r\nFirstRun=0\r\n");
    fs::create_directory(tk::tempPathFor(m_path));
    writeFile(tk::tempPathFor(m_path) / "inside", "x");
    EXPECT_FALSE(favourites::writeFavourites(m_path, *m_records));
    EXPECT_EQ(readFile(m_path), "[Settings]\r\nFirstRun=0\r\n");
}

} // namespace
