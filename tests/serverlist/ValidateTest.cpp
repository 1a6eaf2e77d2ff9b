#include "serverlist/Validate.h"
#include "serverlist/MasterHandshake.h"

#include <gtest/gtest.h>

namespace {

TEST(Validate, AnswersKnownChallenges) {
    struct Case {
        const char* challenge;
        const char* key;
        const char* answer;
    };
    const Case cases[] = {
        {"ABCDEF", "Z5Nfb0", "5OOIQ5Ha"},
        {"WVNJYU", "Z5Nfb0", "PSSkoX30"},
        {"XXXXXX", "Z5Nfb0", "3OQbq+7K"},
        {"WVNJYU", "mgNUaC", "FL2fKXOg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.challenge) + " " + c.key);
        EXPECT_EQ(serverlist::validateAnswer(c.challenge, c.key), c.answer);
    }
    EXPECT_EQ(serverlist::validateAnswer("WVNJYU"), "PSSkoX30"); // the game's key by default
}

TEST(Validate, PadsTheLastGroupWithZeroBytesAndNoEqualsSign) {
    // Lengths that are not a multiple of three still give four letters per
    // started group of three.
    EXPECT_EQ(serverlist::validateAnswer("").size(), 0U);
    EXPECT_EQ(serverlist::validateAnswer("A").size(), 4U);
    EXPECT_EQ(serverlist::validateAnswer("ABCD").size(), 8U);
    EXPECT_EQ(serverlist::validateAnswer("ABCDEFG").find('='), std::string::npos);
    // A prefix of a challenge enciphers to the same bytes: the first group of
    // "ABCDEF" and of "ABC" agree.
    EXPECT_EQ(serverlist::validateAnswer("ABC"), serverlist::validateAnswer("ABCDEF").substr(0, 4));
}

TEST(Validate, TheGreetingAnswerCarriesGameLocationAndValidate) {
    EXPECT_EQ(serverlist::greetingAnswer("ABCDEF"),
              "\\gamename\\ut\\location\\0\\validate\\5OOIQ5Ha\\final\\");
}

} // namespace
