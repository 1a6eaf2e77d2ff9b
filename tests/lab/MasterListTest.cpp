#include "MasterList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

namespace utlab {
namespace {

constexpr std::string_view kFinal = "\\final\\";

std::string joinedPieces(const std::vector<std::string>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), std::string());
}

TEST(MasterList, ListsQueryPortsOnLoopbackThenFinal) {
    const std::vector<std::uint16_t> ports = {7778, 7788};
    EXPECT_EQ(masterListText(ports), "\\ip\\127.0.0.1:7778\\ip\\127.0.0.1:7788\\final\\");
    EXPECT_EQ(masterListText({}), "\\final\\");
}

TEST(MasterList, EntriesCutOrFillTheList) {
    const std::vector<std::uint16_t> own = {7778, 10001, 10005};
    const auto everyPort = [](std::uint16_t) { return true; };
    EXPECT_EQ(listedPorts(own, -1, everyPort), own);
    EXPECT_EQ(listedPorts(own, 2, everyPort), (std::vector<std::uint16_t>{7778, 10001}));
    EXPECT_TRUE(listedPorts(own, 0, everyPort).empty());

    // Made-up ports skip the lab's query and game ports and those where something listens.
    const auto busy = [](std::uint16_t port) { return port != 10002; };
    EXPECT_EQ(listedPorts(own, 8, busy),
              (std::vector<std::uint16_t>{7778, 10001, 10005, 10003, 10006, 10007, 10008, 10009}));

    const std::vector<std::uint16_t> many = listedPorts(own, 50000, everyPort);
    ASSERT_EQ(many.size(), 50000u);
    EXPECT_TRUE(std::equal(own.begin(), own.end(), many.begin()));
    EXPECT_TRUE(std::ranges::all_of(many.begin() + 3, many.end(), [](std::uint16_t port) {
        return port >= 10000 && port <= 32767 && port != 10000 && port != 10001 && port != 10004 &&
               port != 10005;
    }));
}

TEST(MasterList, PiecesKeepTheBytesAndCutInsideFinal) {
    const std::string text =
        masterListText(std::vector<std::uint16_t>{7778, 7788, 7798, 7808, 7818});
    for (std::uint64_t seed = 1; seed <= 50; ++seed) {
        for (const int count : {2, 3, 9}) {
            const std::vector<std::string> pieces = cutIntoPieces(text, count, seed);
            ASSERT_EQ(pieces.size(), static_cast<std::size_t>(count));
            EXPECT_EQ(joinedPieces(pieces), text);
            EXPECT_TRUE(std::ranges::none_of(pieces, &std::string::empty));
            // The last piece starts inside the marker: it is a proper tail of `\final\`.
            EXPECT_LT(pieces.back().size(), kFinal.size());
            EXPECT_TRUE(kFinal.ends_with(pieces.back())) << pieces.back();
        }
    }
    EXPECT_NE(cutIntoPieces(text, 5, 1), cutIntoPieces(text, 5, 2));
    EXPECT_EQ(cutIntoPieces(text, 5, 3), cutIntoPieces(text, 5, 3));
}

TEST(MasterList, PiecesOfShortTexts) {
    EXPECT_EQ(cutIntoPieces("\\final\\", 100, 1).size(), 7u);
    EXPECT_EQ(joinedPieces(cutIntoPieces("\\final\\", 100, 1)), "\\final\\");
    EXPECT_EQ(cutIntoPieces("abc", 1, 1), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(cutIntoPieces("", 4, 1), (std::vector<std::string>{""}));
}

} // namespace
} // namespace utlab
