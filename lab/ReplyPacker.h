#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace utlab {

// A datagram takes blocks until the next one would pass this many characters.
inline constexpr std::size_t kDatagramBudget = 1000;

// Packs the blocks of one reply into datagrams the way the game does: blocks stay whole,
// every datagram ends with `\queryid\N.M` (M counting the datagrams from 1) and the last one
// adds `\final\` (or, in the old order, puts it before the queryid).
class ReplyPacker {
public:
    ReplyPacker(int queryNumber, bool finalFirst);

    void add(std::string_view block);
    [[nodiscard]] std::vector<std::string> finish();

private:
    void flush(bool last);

    int m_queryNumber;
    bool m_finalFirst;
    std::string m_current;
    std::vector<std::string> m_datagrams;
};

// Appends `\key\value`.
void appendPair(std::string& out, std::string_view key, std::string_view value);

} // namespace utlab
