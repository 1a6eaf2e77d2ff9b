#include "serverlist/MasterReply.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using serverlist::MasterEntry;

std::vector<MasterEntry> freshList(int size = serverlist::kMasterListSize) {
    return std::vector<MasterEntry>(static_cast<std::size_t>(size));
}

TEST(ParseMasterReply, ReadsEntriesAsTheListGivesThem) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::pair<std::string, std::string>> entries; // host, port
    };
    const Case cases[] = {
        {"one entry", "\\ip\\192.0.2.1:7778\\final\\", {{"192.0.2.1", "7778"}}},
        {"two entries",
         "\\ip\\192.0.2.10:7778\\ip\\192.0.2.11:7778\\final\\",
         {{"192.0.2.10", "7778"}, {"192.0.2.11", "7778"}}},
        {"no colon: empty host, the whole entry as port", "\\ip\\7778\\final\\", {{"", "7778"}}},
        {"split at the first colon", "\\ip\\a:b:c\\final\\", {{"a", "b:c"}}},
        {"the last entry runs to the end", "\\ip\\192.0.2.1:77", {{"192.0.2.1", "77"}}},
        {"ports are not checked", "\\ip\\192.0.2.1:abc\\final\\", {{"192.0.2.1", "abc"}}},
        {"no entries", "\\final\\", {}},
        {"the key is matched with its case", "\\IP\\192.0.2.1:7778\\final\\", {}},
        {"the search resumes one past the key: an empty entry hides the next",
         "\\ip\\\\ip\\192.0.2.1:7778\\final\\",
         {{"", ""}}},
        {"fields are cut to their width",
         "\\ip\\" + std::string(40, '1') + ":123456789\\final\\",
         {{std::string(29, '1'), "123456"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto list = freshList();
        const int n = serverlist::parseMasterReply("ip", c.text, list, 0);
        ASSERT_EQ(n, static_cast<int>(c.entries.size()));
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            EXPECT_EQ(list[i].host.view(), c.entries[i].first);
            EXPECT_EQ(list[i].port.view(), c.entries[i].second);
        }
    }
}

TEST(ParseMasterReply, AppendsFromTheGivenCount) {
    auto list = freshList();
    list[0].host = "kept";
    EXPECT_EQ(serverlist::parseMasterReply("ip", "\\ip\\192.0.2.5:1\\final\\", list, 1), 2);
    EXPECT_EQ(list[0].host.view(), "kept");
    EXPECT_EQ(list[1].host.view(), "192.0.2.5");
}

TEST(ParseMasterReply, IgnoresEntriesBeyondTheList) {
    std::string text;
    for (int i = 0; i < serverlist::kMasterListSize + 5; ++i) {
        text += "\\ip\\10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256) + ":7778";
    }
    text += "\\final\\";
    auto list = freshList();
    EXPECT_EQ(serverlist::parseMasterReply("ip", text, list, 0), serverlist::kMasterListSize);
    EXPECT_EQ(list.back().host.view(), "10.0.15.159"); // entry 3999
    // A full list takes nothing more, and a short one stops at its end.
    EXPECT_EQ(serverlist::parseMasterReply("ip", text, list, serverlist::kMasterListSize),
              serverlist::kMasterListSize);
    auto small = freshList(2);
    EXPECT_EQ(serverlist::parseMasterReply("ip", text, small, 1), 2);
    EXPECT_EQ(small[1].host.view(), "10.0.0.0");
}

TEST(EndMarker, IsFoundInTheChunkOrAcrossItsStart) {
    struct Case {
        const char* before;
        const char* chunk;
        bool arrived;
    };
    const Case cases[] = {
        {"", "\\final\\", true},
        {"\\ip\\192.0.2.1:7778", "\\final\\", true},
        {"\\ip\\192.0.2.1:7778\\", "final\\", true},
        {"\\ip\\192.0.2.1:7778\\fin", "al\\", true},
        {"\\ip\\192.0.2.1:7778\\final", "\\", true},
        {"\\ip\\1:2\\final\\", "\\ip\\3:4", false}, // an old marker is not a new one
        {"\\fin", "xal\\", false},
        {"", "\\final", false},
        {"\\f", "in", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " | " + c.chunk);
        EXPECT_EQ(serverlist::endMarkerArrived(c.before, c.chunk), c.arrived);
    }
}

} // namespace
