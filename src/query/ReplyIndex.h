#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace query {

// The `\key\value` pairs of a reply, read once (see ReplyPairs) and looked up
// by key without scanning the text again. The first occurrence of a key
// counts; keys are matched whole and with case, so "player_1" is not found in
// "player_10" and "player_01" is not "player_1". Values are views into the
// text, which must outlive the index. Lookups allocate nothing.
class ReplyIndex {
public:
    explicit ReplyIndex(std::string_view text);

    // The value of key; "" when the key is absent.
    [[nodiscard]] std::string_view value(std::string_view key) const;
    // The value of stem + number in decimal without leading zeros: ("player_",
    // 12) reads the key "player_12".
    [[nodiscard]] std::string_view value(std::string_view stem, std::int64_t number) const;

private:
    // A key is kept as its stem and the number its name ends with, so that
    // ("player_", 12) is found without writing "player_12". Keys without such
    // a number (none, a leading zero, too many digits) keep kNoNumber.
    struct Key {
        std::string_view stem;
        std::uint32_t number;
    };
    struct Entry {
        Key key;
        std::uint32_t hash;
        std::string_view value;
    };
    static constexpr std::uint32_t kNoNumber = 0xFFFFFFFFU;

    [[nodiscard]] static Key splitKey(std::string_view key);
    [[nodiscard]] static std::uint32_t hashKey(const Key& key);
    [[nodiscard]] std::string_view find(const Key& key) const;

    std::vector<Entry> m_entries;       // every pair, in the order of the text
    std::vector<std::uint32_t> m_slots; // open addressing: entry index + 1, 0 when free
};

} // namespace query
