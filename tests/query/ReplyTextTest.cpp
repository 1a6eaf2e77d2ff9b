#include "query/ReplyText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace {

TEST(PingStampTest, WritesTheTickInDecimalBetweenEchoAndBar) {
    EXPECT_EQ(query::PingStamp(123456), "\\echo\\ping_123456|");
    EXPECT_EQ(query::PingStamp(0), "\\echo\\ping_0|");
    EXPECT_EQ(query::PingStamp(4294967295U), "\\echo\\ping_4294967295|"); // unsigned, not -1
}

TEST(PingStampTest, WithTheSlotAppendedIsTheQueryEnding) {
    const std::string query =
        "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\" +
        query::PingStamp(123456) + "3";
    EXPECT_EQ(query, "\\status\\\\level_property\\TimeSeconds\\\\player_property\\health\\\\echo\\"
                     "ping_123456|3");
}

struct ValueCase {
    std::string key;
    std::string text;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const ValueCase& c) {
        return os << "key " << c.key << " in \"" << c.text << "\" -> \"" << c.expected << '"';
    }
};

class PacketValueTest : public testing::TestWithParam<ValueCase> {};
TEST_P(PacketValueTest, Table) {
    EXPECT_EQ(query::PacketValue(GetParam().key, GetParam().text), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    ReplyText, PacketValueTest,
    testing::Values(
        ValueCase{"hostname", "\\hostname\\My Server\\hostport\\7777", "My Server"},
        ValueCase{"hostport", "\\hostname\\My Server\\hostport\\7777", "7777"}, // up to the end
        ValueCase{"numplayers", "\\queryid\\3.2\\numplayers\\7", "7"},
        ValueCase{"maxplayers", "\\hostname\\x\\numplayers\\7", ""}, // absent
        ValueCase{"face_0", "\\face_0\\\\ngsecret_0\\true", ""},     // empty value
        ValueCase{"final", "\\queryid\\17.1\\final\\", ""},
        // A key is matched only whole, between backslashes.
        ValueCase{"player_1", "\\player_10\\Ten\\player_1\\One", "One"},
        ValueCase{"player_1", "\\player_10\\Ten", ""}, ValueCase{"name", "\\hostname\\x", ""},
        ValueCase{"host", "\\hostname\\x", ""},
        // The first occurrence counts (the first datagram in arrival order).
        ValueCase{"queryid", "\\queryid\\5.2\\final\\\\hostname\\x\\queryid\\5.1", "5.2"},
        // Case matters.
        ValueCase{"HostName", "\\hostname\\x", ""},
        ValueCase{"TimeSeconds", "\\TimeSeconds\\1234.560059", "1234.560059"},
        // A key at the very end has no value.
        ValueCase{"final", "\\final", ""}, ValueCase{"x", "", ""},
        // Leading blanks are part of the value (the number conversion skips them).
        ValueCase{"ping_0", "\\ping_0\\ 61\\team_0\\1", " 61"}));

TEST(PacketValueTest, ReturnsAViewIntoTheText) {
    const std::string text = "\\mapname\\DM-Deck16][\\";
    const std::string_view value = query::PacketValue("mapname", text);
    EXPECT_EQ(value, "DM-Deck16][");
    EXPECT_EQ(value.data(), text.data() + 9);
}

TEST(PacketValueTest, AnAbsentKeyGivesAnEmptyViewThatPointsSomewhere) {
    // Record fields copy the view with memcpy; a null pointer there is undefined.
    EXPECT_NE(query::PacketValue("x", "").data(), nullptr);
    EXPECT_NE(query::PacketValue("x", std::string_view{}).data(), nullptr);
    EXPECT_NE(query::PacketValue("x", "\\y\\z").data(), nullptr);
}

TEST(EchoValueTest, ReadsEchoAndThenEchoReplay) {
    EXPECT_EQ(query::echoValue("\\echo\\ping_1|2"), "ping_1|2");
    EXPECT_EQ(query::echoValue("\\echo_replay\\ping_1|2"), "ping_1|2"); // 451 and later
    EXPECT_EQ(query::echoValue("\\echo_replay\\ping_3|4\\echo\\ping_1|2"), "ping_1|2");
    EXPECT_EQ(query::echoValue("\\echo\\\\echo_replay\\ping_3|4"), "ping_3|4");
    EXPECT_EQ(query::echoValue("\\hostname\\x"), "");
}

struct EchoCase {
    std::string echo;
    std::optional<std::uint32_t> sendTick;
    std::string target;
    friend std::ostream& operator<<(std::ostream& os, const EchoCase& c) {
        os << '"' << c.echo << "\" -> ";
        if (c.sendTick) {
            os << *c.sendTick;
        } else {
            os << "(none)";
        }
        return os << " | \"" << c.target << '"';
    }
};

class SplitEchoTest : public testing::TestWithParam<EchoCase> {};
TEST_P(SplitEchoTest, Table) {
    const query::EchoParts parts = query::splitEcho(GetParam().echo);
    EXPECT_EQ(parts.sendTick, GetParam().sendTick);
    EXPECT_EQ(parts.target, GetParam().target);
}
INSTANTIATE_TEST_SUITE_P(
    ReplyText, SplitEchoTest,
    testing::Values(EchoCase{"ping_1000|7", 1000U, "7"},
                    EchoCase{"ping_123456|192.0.2.10", 123456U, "192.0.2.10"},
                    EchoCase{"ping_4294967295|1", 4294967295U, "1"}, // after 49.7 days
                    EchoCase{"ping_3000000000|1", 3000000000U, "1"},
                    EchoCase{"ping_1000", std::nullopt, "1000"}, // no "|": all of s
                    EchoCase{"1000|7", 1000U, "7"},              // no "_": all of the value
                    EchoCase{"ping_|7", std::nullopt, "7"}, EchoCase{"ping_1000|", 1000U, ""},
                    EchoCase{"ping_abc|7", std::nullopt, "7"},
                    EchoCase{"ping_4294967296|7", std::nullopt, "7"},
                    EchoCase{"ping_1_2|3|4", std::nullopt, "3|4"}, // first "_", first "|"
                    EchoCase{"", std::nullopt, ""}));

TEST(ParseTickTest, ReadsTheUnsignedRangeAndSignedNumbers) {
    EXPECT_EQ(query::parseTick("0"), 0U);
    EXPECT_EQ(query::parseTick("2147483647"), 2147483647U);
    EXPECT_EQ(query::parseTick("2147483648"), 2147483648U);
    EXPECT_EQ(query::parseTick(" +4294967295"), 4294967295U);
    EXPECT_EQ(query::parseTick("-1"), 4294967295U);
    EXPECT_EQ(query::parseTick("4294967296"), std::nullopt);
    EXPECT_EQ(query::parseTick("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(query::parseTick(""), std::nullopt);
    EXPECT_EQ(query::parseTick("+"), std::nullopt);
    EXPECT_EQ(query::parseTick("12x"), std::nullopt);
}

TEST(EchoPingTest, WrapsAt32Bits) {
    EXPECT_EQ(query::echoPing(1100, 1000), 80);
    EXPECT_EQ(query::echoPing(1010, 1000), -10);      // faster than 20 ms
    EXPECT_EQ(query::echoPing(100, 4294967290U), 86); // the tick count wrapped in between
    EXPECT_EQ(query::echoPing(20037, query::kEchoDefaultTick), 9998);
}

} // namespace
