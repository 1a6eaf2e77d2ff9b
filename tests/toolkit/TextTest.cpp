#include "toolkit/FixedText.h"
#include "toolkit/Number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ParseInt, AcceptsDecimalWithBlanksAndSignOnly) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"61", 61},
        {" 61", 61},
        {"-5", -5},
        {"+7", 7},
        {"", std::nullopt},
        {" ", std::nullopt},
        {"12abc", std::nullopt},
        {"1.5", std::nullopt},
        {"-", std::nullopt},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(tk::parseInt(c.text), c.value);
    }
}

TEST(ParseInt, HexadecimalOnlyWhereAsked) {
    EXPECT_EQ(tk::toIntDefHex("0x10", 5), 16);
    EXPECT_EQ(tk::toIntDefHex("$FF", 5), 255);
    EXPECT_EQ(tk::toIntDefHex("0xFFFFFFFF", 5), -1);
    EXPECT_EQ(tk::toIntDefHex("0xZZ", 5), 5);
    EXPECT_EQ(tk::toIntDefHex("42", 5), 42);
    EXPECT_EQ(tk::toIntDef("0x10", 5), 5);
}

TEST(FixedText, CutsToCapacityAndStopsAtZeroBytes) {
    tk::FixedText<6> t("hostport-too-long");
    EXPECT_EQ(t.view(), "hostp");
    t = std::string("ab\0cd", 5);
    EXPECT_EQ(t.view(), "ab");
    t = "";
    EXPECT_TRUE(t.empty());
}

} // namespace
