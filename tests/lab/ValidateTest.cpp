#include "Validate.h"

#include <gtest/gtest.h>

namespace utlab {
namespace {

TEST(Validate, KnownAnswers) {
    struct Case {
        std::string_view challenge;
        std::string_view key;
        std::string_view answer;
    };
    for (const Case& c :
         {Case{"ABCDEF", kUtGameKey, "5OOIQ5Ha"}, Case{"WVNJYU", kUtGameKey, "PSSkoX30"},
          Case{"XXXXXX", kUtGameKey, "3OQbq+7K"}, Case{"WVNJYU", "mgNUaC", "FL2fKXOg"}}) {
        EXPECT_EQ(validateResponse(c.challenge, c.key), c.answer) << c.challenge << ' ' << c.key;
    }
}

TEST(Validate, OutputLengthFollowsThePaddedInput) {
    EXPECT_EQ(validateResponse("", kUtGameKey), "");
    EXPECT_EQ(validateResponse("A", kUtGameKey).size(), 4u);
    EXPECT_EQ(validateResponse("ABCD", kUtGameKey).size(), 8u);
    // Padding bytes are zeros, so the last groups of a short input end in 'A's.
    EXPECT_TRUE(validateResponse("ABCD", kUtGameKey).ends_with("AA"));
}

} // namespace
} // namespace utlab
