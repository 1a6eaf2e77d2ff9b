#include "query/ReplyAssembly.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string part(int reply, int number, bool final, const std::string& body = "\\k\\v") {
    return body + "\\queryid\\" + std::to_string(reply) + "." + std::to_string(number) +
           (final ? "\\final\\" : "");
}

TEST(ReplyAssembly, AFloodOfDatagramsIsHeldWithinItsBounds) {
    query::ReplyAssembly assembly;
    for (int i = 1; i <= 1000; ++i) {
        EXPECT_FALSE(assembly.add(part(50, i, false)));
    }
    EXPECT_EQ(assembly.heldDatagrams(), query::ReplyAssembly::kMaxDatagrams);
    // The flood goes with the second query after it; a reply fits again.
    assembly.newQuery();
    assembly.newQuery();
    EXPECT_EQ(assembly.heldDatagrams(), 0U);
    EXPECT_TRUE(assembly.add(part(51, 1, true)));
}

TEST(ReplyAssembly, BytesBeyondTheLimitLoseTheirReplyButNotTheNextOne) {
    query::ReplyAssembly assembly;
    const std::string big(30000, 'x');
    EXPECT_FALSE(assembly.add(part(7, 1, false, "\\a\\" + big)));
    EXPECT_FALSE(assembly.add(part(7, 2, false, "\\b\\" + big)));
    EXPECT_FALSE(assembly.add(part(7, 3, true, "\\c\\" + big))); // past 64 KB
    assembly.newQuery();
    assembly.newQuery();
    EXPECT_TRUE(assembly.add(part(8, 1, true, "\\c\\" + big)));
}

TEST(ReplyAssembly, AWholeReplyIsReadInNumberedOrderAndLetGo) {
    query::ReplyAssembly assembly;
    EXPECT_FALSE(assembly.add(part(9, 3, true, "\\c\\3")));
    EXPECT_FALSE(assembly.add(part(9, 1, false, "\\a\\1")));
    EXPECT_FALSE(assembly.add(part(4, 1, false, "\\x\\4")));
    EXPECT_TRUE(assembly.add(part(9, 2, false, "\\b\\2")));
    EXPECT_EQ(assembly.reply(), part(9, 1, false, "\\a\\1") + part(9, 2, false, "\\b\\2") +
                                    part(9, 3, true, "\\c\\3"));
    EXPECT_EQ(assembly.heldDatagrams(), 1U); // the other reply's datagram
}

} // namespace
