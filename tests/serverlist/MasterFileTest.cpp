#include "ServerListRig.h"

#include "serverlist/MasterFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using testing_serverlist::ServerListRig;

const std::string kTwoServers = "\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\final\\";

TEST(MasterFile, ReadsLinesEachEndedByCrLf) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"empty", "", ""},
        {"no line end", "\\ip\\a:1", "\\ip\\a:1\r\n"},
        {"CR LF", "\\ip\\a:1\r\n", "\\ip\\a:1\r\n"},
        {"LF and CR alone", "a\nb\rc\r\n\r\nd", "a\r\nb\r\nc\r\n\r\nd\r\n"},
        {"8-bit bytes and zero bytes stay", std::string("\xE9\0x", 3),
         std::string("\xE9\0x\r\n", 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake::TempFolder folder;
        fake::writeFile(folder.file("master.dat"), c.bytes);
        const auto read = serverlist::readMasterFile(folder.file("master.dat"));
        ASSERT_TRUE(read.text.has_value()) << read.error;
        EXPECT_EQ(*read.text, c.text);
    }
}

TEST(MasterFile, SaveAndOpenKeepTheList) {
    ServerListRig rig;
    rig.connectSecure();
    rig.receive(kTwoServers);
    rig.actSaveServers.execute();
    EXPECT_EQ(rig.masterDat(), kTwoServers + "\r\n");

    // Opening twice gives the same list and count both times; every save
    // after an opening adds one line end, which changes nothing in the list.
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        rig.records.serverRows = 7;
        rig.servertable.setCell(1, 1, "old row");
        rig.actOpenServers.execute();
        EXPECT_EQ(rig.master().masterCount, 2);
        EXPECT_EQ(rig.master().masterList[1].host.view(), "192.0.2.11");
        EXPECT_EQ(rig.caption(), "Servers: 2");
        EXPECT_EQ(rig.records.serverRows, 0);
        EXPECT_EQ(rig.servertable.cell(1, 1), "");
        EXPECT_EQ(rig.sweeps, 1 + round);
        EXPECT_EQ(rig.master().lastMasterReply, kTwoServers + "\r\n");
    }
    rig.actSaveServers.execute();
    EXPECT_EQ(rig.masterDat(), kTwoServers + "\r\n\r\n");
    rig.actOpenServers.execute();
    EXPECT_EQ(rig.master().masterCount, 2);
    EXPECT_TRUE(rig.platform.messages.empty());
}

TEST(MasterFile, SaveBeforeAnyListWritesNothing) {
    ServerListRig rig;
    rig.actSaveServers.execute();
    EXPECT_FALSE(fs::exists(rig.folder.file("master.dat")));
    ASSERT_EQ(rig.platform.messages.size(), 1U);
    EXPECT_NE(rig.platform.messages[0].find("no server list to save"), std::string::npos);

    // An aborted query leaves the last complete list to be saved.
    rig.connectSecure();
    rig.receive(kTwoServers);
    rig.actQueryMaster.execute();
    rig.actSaveServers.execute();
    EXPECT_EQ(rig.masterDat(), kTwoServers + "\r\n");
}

TEST(MasterFile, AFileThatCannotBeOpenedLeavesTheListAsItWas) {
    struct Case {
        const char* name;
        void (*prepare)(const fake::TempFolder&);
        const char* reason;
    };
    const Case cases[] = {
        {"missing", [](const fake::TempFolder&) {}, "No such file or directory"},
        {"a folder", [](const fake::TempFolder& f) { f.addFolder("master.dat"); },
         "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ServerListRig rig;
        rig.connectSecure();
        rig.receive(kTwoServers);
        c.prepare(rig.folder);
        rig.actOpenServers.execute();
        ASSERT_EQ(rig.platform.messages.size(), 1U);
        const std::string& message = rig.platform.messages[0];
        EXPECT_NE(message.find(rig.folder.file("master.dat").string()), std::string::npos)
            << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_EQ(rig.master().masterCount, 2);
        EXPECT_EQ(rig.master().lastMasterReply, kTwoServers);
        EXPECT_EQ(rig.caption(), "Servers: 2");
        EXPECT_EQ(rig.sweeps, 1);
    }
}

TEST(MasterFile, AFileThatCannotBeWrittenStaysAsItWas) {
    fake::TempFolder folder;
    const fs::path readOnly = folder.file("master.dat");
    fake::writeFile(readOnly, "old\r\n");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read);
    const fs::path noFolder = folder.file("missing/master.dat");
    const fs::path isFolder = folder.file("folder");
    folder.addFolder("folder");

    struct Case {
        fs::path path;
        const char* reason;
    };
    const Case cases[] = {
        {readOnly, "Permission denied"},
        {noFolder, "No such file or directory"},
        {isFolder, "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        const auto error = serverlist::writeMasterFile(c.path, kTwoServers);
        ASSERT_TRUE(error.has_value());
        EXPECT_NE(error->find(c.path.string()), std::string::npos) << *error;
        EXPECT_NE(error->find(c.reason), std::string::npos) << *error;
    }
    EXPECT_EQ(fake::readFile(readOnly), "old\r\n");
    EXPECT_FALSE(fs::exists(noFolder));
    EXPECT_TRUE(fs::is_directory(isFolder));
    fs::permissions(readOnly, fs::perms::owner_all);
}

TEST(MasterFile, SaveServersReportsAnUnwritableFile) {
    ServerListRig rig;
    rig.connectSecure();
    rig.receive(kTwoServers);
    rig.folder.addFolder("master.dat");
    rig.actSaveServers.execute();
    ASSERT_EQ(rig.platform.messages.size(), 1U);
    EXPECT_NE(rig.platform.messages[0].find("master.dat"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(rig.folder.file("master.dat")));
}

} // namespace
