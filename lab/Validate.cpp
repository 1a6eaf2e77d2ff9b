#include "Validate.h"

#include <array>
#include <cstdint>
#include <numeric>
#include <utility>

namespace utlab {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

using Table = std::array<std::uint8_t, 256>;

Table keyedTable(std::string_view key) {
    Table table{};
    std::iota(table.begin(), table.end(), std::uint8_t{0});
    if (key.empty()) {
        return table;
    }
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        j = static_cast<std::uint8_t>(j + table[i] +
                                      static_cast<std::uint8_t>(key[i % key.size()]));
        std::swap(table[i], table[j]);
    }
    return table;
}

std::string scrambled(std::string_view challenge, Table table) {
    std::string out;
    out.reserve(challenge.size());
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (const char letter : challenge) {
        const auto c = static_cast<std::uint8_t>(letter);
        a = static_cast<std::uint8_t>(a + c + 1);
        const std::uint8_t x = table[a];
        b = static_cast<std::uint8_t>(b + x);
        const std::uint8_t y = table[b];
        table[b] = x;
        table[a] = y;
        out.push_back(static_cast<char>(c ^ table[static_cast<std::uint8_t>(x + y)]));
    }
    return out;
}

// Every three bytes (zero-padded at the end) as four characters of the alphabet.
std::string encoded(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            group <<= 8;
            if (i + k < bytes.size()) {
                group |= static_cast<std::uint8_t>(bytes[i + k]);
            }
        }
        for (int shift = 18; shift >= 0; shift -= 6) {
            out.push_back(kAlphabet[(group >> shift) & 0x3F]);
        }
    }
    return out;
}

} // namespace

std::string validateResponse(std::string_view challenge, std::string_view gameKey) {
    return encoded(scrambled(challenge, keyedTable(gameKey)));
}

} // namespace utlab
