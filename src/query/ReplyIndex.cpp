#include "query/ReplyIndex.h"

#include "query/ReplyPairs.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string>

namespace query {

namespace {

// The largest number a key's name may end with to be kept apart from its stem
// (9 digits always fit 32 bits).
constexpr std::size_t kMaxNumberDigits = 9;
constexpr std::int64_t kMaxKeyNumber = 999'999'999;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

ReplyIndex::ReplyIndex(std::string_view text) {
    m_entries.reserve(text.size() / 12 + 8); // a pair of a real reply takes about 16 bytes
    ReplyPairs pairs(text);
    ReplyPair pair;
    while (pairs.next(pair)) {
        const Key key = splitKey(pair.key);
        m_entries.push_back({key, hashKey(key), pair.value});
    }

    std::size_t capacity = 16;
    while (capacity < 2 * m_entries.size()) {
        capacity *= 2;
    }
    m_slots.assign(capacity, 0);
    const std::size_t mask = capacity - 1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        for (std::size_t at = entry.hash & mask;; at = (at + 1) & mask) {
            const std::uint32_t slot = m_slots[at];
            if (slot == 0) {
                m_slots[at] = static_cast<std::uint32_t>(i + 1);
                break;
            }
            const Entry& held = m_entries[slot - 1];
            if (held.hash == entry.hash && held.key.number == entry.key.number &&
                held.key.stem == entry.key.stem) {
                break; // the first occurrence stays
            }
        }
    }
}

std::string_view ReplyIndex::value(std::string_view key) const {
    return find(splitKey(key));
}

std::string_view ReplyIndex::value(std::string_view stem, std::int64_t number) const {
    if (number >= 0 && number <= kMaxKeyNumber && (stem.empty() || !isDigit(stem.back()))) {
        return find({stem, static_cast<std::uint32_t>(number)});
    }
    // The number does not stand apart from the stem in the key's name (a
    // negative or very large number, or a stem ending in a digit): look up the
    // whole name.
    std::array<char, 128> buffer{};
    if (stem.size() + 24 <= buffer.size()) {
        std::memcpy(buffer.data(), stem.data(), stem.size());
        const auto end =
            std::to_chars(buffer.data() + stem.size(), buffer.data() + buffer.size(), number).ptr;
        return value(
            std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.data())));
    }
    return value(std::string(stem) + std::to_string(number));
}

ReplyIndex::Key ReplyIndex::splitKey(std::string_view key) {
    std::size_t start = key.size();
    while (start > 0 && isDigit(key[start - 1])) {
        --start;
    }
    const std::size_t digits = key.size() - start;
    if (digits == 0 || digits > kMaxNumberDigits || (digits > 1 && key[start] == '0')) {
        return {key, kNoNumber};
    }
    std::uint32_t number = 0;
    for (std::size_t i = start; i < key.size(); ++i) {
        number = number * 10 + static_cast<std::uint32_t>(key[i] - '0');
    }
    return {key.substr(0, start), number};
}

std::uint32_t ReplyIndex::hashKey(const Key& key) {
    std::uint32_t hash = 2166136261U; // FNV-1a over the stem, then the number mixed in
    for (const char c : key.stem) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619U;
    }
    hash = (hash ^ key.number) * 0x9E3779B1U;
    return hash ^ (hash >> 16);
}

std::string_view ReplyIndex::find(const Key& key) const {
    const std::uint32_t hash = hashKey(key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const std::uint32_t slot = m_slots[at];
        if (slot == 0) {
            return ""; // not {}: an empty view that still points somewhere
        }
        const Entry& entry = m_entries[slot - 1];
        if (entry.hash == hash && entry.key.number == key.number && entry.key.stem == key.stem) {
            return entry.value;
        }
    }
}

} // namespace query
