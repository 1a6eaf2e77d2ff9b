#include "Request.h"

#include <gtest/gtest.h>

namespace utlab {
namespace {

using namespace std::string_literals;

struct ParseCase {
    std::string datagram;
    std::vector<Command> expected;
};

class ParseRequest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseRequest, SplitsCommands) {
    EXPECT_EQ(parseRequest(GetParam().datagram), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRequest,
    ::testing::Values(
        ParseCase{"\\status\\", {{"status", ""}}},
        ParseCase{
            "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\\\echo\\ping_"
            "123456|3",
            {{"status", ""},
             {"level_property", "TimeSeconds"},
             {"player_property", "health"},
             {"echo", "ping_123456|3"}}},
        ParseCase{"\\info", {}}, ParseCase{"\\info\\", {{"info", ""}}},
        ParseCase{"\\basic\\\\info", {{"basic", ""}}},
        ParseCase{"\\info\\\0\\status\\"s, {{"info", ""}}},
        ParseCase{"\\echo\\a\\b", {{"echo", "a"}}}, ParseCase{"junk\\echo\\x", {{"echo", "x"}}},
        ParseCase{"", {}}, ParseCase{"hello", {}}, ParseCase{"\\\\\\\\", {}},
        ParseCase{std::string(700, '\0'), {}}));

TEST(ParseRequest, IgnoresCommandsBeyondTheLimit) {
    std::string flood;
    for (int i = 0; i < 100; ++i) {
        flood += "\\info\\";
    }
    EXPECT_EQ(parseRequest(flood).size(), kMaxCommands);
}

TEST(KnownCommand, CoversTheQueryVocabulary) {
    for (const char* type : {"basic", "info", "rules", "players", "status", "echo",
                             "level_property", "player_property"}) {
        EXPECT_TRUE(isKnownCommand(type)) << type;
    }
    for (const char* type : {"", "Status", "secure", "bogus", "final"}) {
        EXPECT_FALSE(isKnownCommand(type)) << type;
    }
}

} // namespace
} // namespace utlab
