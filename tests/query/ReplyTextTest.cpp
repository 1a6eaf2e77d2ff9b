#include "query/ReplyText.h"
#include "query/ReplyIndex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

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

// One datagram is read with PacketValue, a whole reply through a ReplyIndex:
// both read the same pairs.
class ReplyValueTest : public testing::TestWithParam<ValueCase> {};
TEST_P(ReplyValueTest, PacketValueAndIndexAgree) {
    EXPECT_EQ(query::PacketValue(GetParam().key, GetParam().text), GetParam().expected);
    EXPECT_EQ(query::ReplyIndex(GetParam().text).value(GetParam().key), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    ReplyText, ReplyValueTest,
    testing::Values(
        ValueCase{"hostname", "\\hostname\\My Server\\hostport\\7777", "My Server"},
        ValueCase{"hostport", "\\hostname\\My Server\\hostport\\7777", "7777"}, // up to the end
        ValueCase{"numplayers", "\\queryid\\3.2\\numplayers\\7", "7"},
        ValueCase{"maxplayers", "\\hostname\\x\\numplayers\\7", ""}, // absent
        ValueCase{"face_0", "\\face_0\\\\ngsecret_0\\true", ""},     // empty value
        ValueCase{"ngsecret_0", "\\face_0\\\\ngsecret_0\\true", "true"},
        ValueCase{"final", "\\queryid\\17.1\\final\\", ""},
        // A key is matched only whole, between backslashes.
        ValueCase{"player_1", "\\player_10\\Ten\\player_1\\One", "One"},
        ValueCase{"player_1", "\\player_10\\Ten", ""}, ValueCase{"name", "\\hostname\\x", ""},
        ValueCase{"host", "\\hostname\\x", ""},
        ValueCase{"player_1", "\\player_01\\Zero\\player_1\\One", "One"},
        ValueCase{"player_01", "\\player_01\\Zero\\player_1\\One", "Zero"},
        ValueCase{"health_2147483649", "\\health_2147483649\\5", "5"},
        // A value that looks like a key stays a value.
        ValueCase{"hostname", "\\player_0\\hostname\\frags_0\\3\\hostname\\Real", "Real"},
        ValueCase{"echo", "\\player_0\\echo\\frags_0\\3", ""},
        ValueCase{"player_1", "\\player_0\\player_1\\frags_0\\3", ""},
        ValueCase{"frags_0", "\\player_0\\queryid\\frags_0\\5", "5"},
        ValueCase{"queryid", "\\player_0\\queryid\\frags_0\\5\\queryid\\8.1", "8.1"},
        // A name with backslashes (servers before 451) shifts the keys after
        // it; the datagram's queryid puts them right again.
        ValueCase{"player_1",
                  "\\player_0\\bad\\name\\frags_0\\5\\queryid\\9.1\\player_1\\Good\\queryid\\9.2",
                  "Good"},
        ValueCase{"queryid", "\\player_0\\a\\b\\queryid\\9.1\\player_1\\Good", "9.1"},
        // The first occurrence counts (the first datagram in arrival order).
        ValueCase{"queryid", "\\queryid\\5.2\\final\\\\hostname\\x\\queryid\\5.1", "5.2"},
        // Datagrams after a final one, in the new and the old order.
        ValueCase{"player_1", "\\a\\1\\queryid\\7.3\\final\\\\player_1\\B\\queryid\\7.2", "B"},
        ValueCase{"player_1", "\\a\\1\\final\\\\queryid\\7.3\\player_1\\B\\queryid\\7.2", "B"},
        ValueCase{"final", "\\a\\1\\final\\\\queryid\\7.3\\player_1\\B\\queryid\\7.2", ""},
        // Case matters.
        ValueCase{"HostName", "\\hostname\\x", ""},
        ValueCase{"TimeSeconds", "\\TimeSeconds\\1234.560059", "1234.560059"},
        // A key at the very end has no value; text before the first backslash
        // is no key.
        ValueCase{"final", "\\final", ""}, ValueCase{"x", "", ""},
        ValueCase{"junk", "junk\\b\\2", ""}, ValueCase{"b", "junk\\b\\2", "2"},
        // Leading blanks are part of the value (the number conversion skips them).
        ValueCase{"ping_0", "\\ping_0\\ 61\\team_0\\1", " 61"}));

TEST(PacketValueTest, ReturnsAViewIntoTheText) {
    const std::string text = "\\mapname\\DM-Deck16][\\";
    const std::string_view value = query::PacketValue("mapname", text);
    EXPECT_EQ(value, "DM-Deck16][");
    EXPECT_EQ(value.data(), text.data() + 9);
    EXPECT_EQ(query::ReplyIndex(text).value("mapname").data(), text.data() + 9);
}

TEST(PacketValueTest, AnAbsentKeyGivesAnEmptyViewThatPointsSomewhere) {
    // Record fields copy the view with memcpy; a null pointer there is undefined.
    for (const std::string_view text : {std::string_view(""), std::string_view{},
                                        std::string_view("\\y\\z"), std::string_view("\\x")}) {
        EXPECT_NE(query::PacketValue("x", text).data(), nullptr) << text;
        EXPECT_NE(query::ReplyIndex(text).value("x").data(), nullptr) << text;
        EXPECT_NE(query::ReplyIndex(text).value("x", 1).data(), nullptr) << text;
    }
}

struct NumberedCase {
    std::string text;
    std::string stem;
    std::int64_t number;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const NumberedCase& c) {
        return os << c.stem << " + " << c.number << " in \"" << c.text << "\" -> \"" << c.expected
                  << '"';
    }
};

class ReplyIndexNumberTest : public testing::TestWithParam<NumberedCase> {};
TEST_P(ReplyIndexNumberTest, StemAndNumberReadTheWholeKey) {
    EXPECT_EQ(query::ReplyIndex(GetParam().text).value(GetParam().stem, GetParam().number),
              GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    ReplyText, ReplyIndexNumberTest,
    testing::Values(
        NumberedCase{"\\player_12\\A", "player_", 12, "A"},
        NumberedCase{"\\player_12\\A", "player_", 1, ""},
        NumberedCase{"\\player_1\\A", "player_", 12, ""},
        NumberedCase{"\\player_12\\A", "player_1", 2, "A"}, // the stem ends in a digit
        NumberedCase{"\\player_012\\A", "player_", 12, ""}, // no leading zeros
        NumberedCase{"\\player_0\\A", "player_", 0, "A"},
        NumberedCase{"\\player_-1\\A", "player_", -1, "A"},
        NumberedCase{"\\health_2147483649\\5", "health_", 2147483649, "5"},
        NumberedCase{"\\7\\A", "", 7, "A"},
        NumberedCase{"\\" + std::string(200, 's') + "3\\A", std::string(200, 's'), 3, "A"},
        NumberedCase{"\\" + std::string(200, 's') + "-3\\A", std::string(200, 's'), -3, "A"}));

// Many keys, several of them repeated, and absent keys next to them: the index
// finds exactly what a walk over the text finds.
TEST(ReplyIndexTest, AgreesWithAWalkOverAThousandPairs) {
    std::string text;
    std::vector<std::string> keys;
    for (int i = 0; i < 1000; ++i) {
        const std::string key = (i % 3 == 0 ? "player_" : "frags_") + std::to_string(i % 700);
        text += "\\" + key + "\\v" + std::to_string(i);
        keys.push_back(key);
        keys.push_back("x" + key);
    }
    const query::ReplyIndex index(text);
    for (const std::string& key : keys) {
        ASSERT_EQ(index.value(key), query::PacketValue(key, text)) << key;
    }
    EXPECT_EQ(index.value("player_", 0), "v0");
    EXPECT_EQ(index.value("frags_", 1), "v1");
    EXPECT_EQ(index.value("frags_", 7), "v7"); // not v707, its later repeat
}

struct EchoValueCase {
    std::string text;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const EchoValueCase& c) {
        return os << '"' << c.text << "\" -> \"" << c.expected << '"';
    }
};

class EchoValueTest : public testing::TestWithParam<EchoValueCase> {};
TEST_P(EchoValueTest, EchoReplayFirstThenEcho) {
    EXPECT_EQ(query::echoValue(GetParam().text), GetParam().expected);
    EXPECT_EQ(query::echoValue(query::ReplyIndex(GetParam().text)), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    ReplyText, EchoValueTest,
    testing::Values(
        EchoValueCase{"\\echo\\ping_1|2", "ping_1|2"},
        EchoValueCase{"\\echo_replay\\ping_1|2", "ping_1|2"}, // 451 and later
        EchoValueCase{"\\echo_replay\\ping_3|4\\echo\\ping_1|2", "ping_3|4"},
        EchoValueCase{"\\echo\\ping_1|2\\echo_replay\\ping_3|4", "ping_3|4"},
        EchoValueCase{"\\echo_replay\\\\echo\\ping_1|2", "ping_1|2"}, // an empty echo_replay
        EchoValueCase{"\\hostname\\x", ""},
        // Players named like the echo keys are no echo.
        EchoValueCase{"\\player_0\\echo\\frags_0\\1", ""},
        EchoValueCase{"\\player_0\\echo_replay\\frags_0\\1\\echo\\ping_1|2", "ping_1|2"},
        EchoValueCase{"\\player_0\\echo\\frags_0\\1\\echo_replay\\ping_3|4", "ping_3|4"}));

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

struct PingCase {
    std::uint32_t tickNow;
    std::uint32_t sendTick;
    std::int32_t ping;
    bool inTime;
    friend std::ostream& operator<<(std::ostream& os, const PingCase& c) {
        return os << "sent " << c.sendTick << ", answered " << c.tickNow << " -> ping " << c.ping
                  << (c.inTime ? ", in time" : ", too late");
    }
};

class EchoPingTest : public testing::TestWithParam<PingCase> {};
TEST_P(EchoPingTest, Table) {
    EXPECT_EQ(query::echoPing(GetParam().tickNow, GetParam().sendTick), GetParam().ping);
    EXPECT_EQ(query::answerInTime(GetParam().tickNow, GetParam().sendTick), GetParam().inTime);
}
INSTANTIATE_TEST_SUITE_P(
    ReplyText, EchoPingTest,
    testing::Values(PingCase{1100, 1000, 80, true}, PingCase{1000, 1000, 0, true},
                    PingCase{1010, 1000, 0, true}, // faster than 20 ms: a LAN server
                    PingCase{1020, 1000, 0, true}, PingCase{1021, 1000, 1, true},
                    PingCase{11018, 1000, 9998, true}, PingCase{11019, 1000, 9999, false},
                    PingCase{20037, query::kEchoDefaultTick, 9998, true},
                    PingCase{20038, query::kEchoDefaultTick, 9999, false},
                    PingCase{100, 4294967290U, 86, true}, // the tick count wrapped in between
                    PingCase{5, 4294967295U, 0, true},
                    // A stamp later than now is no answer to this query.
                    PingCase{1000, 1010, 2147483647, false},
                    PingCase{1000, query::kEchoDefaultTick, 2147483647, false}));

} // namespace
