#include "serverlist/Validate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace serverlist {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

using Table = std::array<std::uint8_t, 256>;

Table scheduleKey(std::string_view key) {
    Table t{};
    for (std::size_t i = 0; i < t.size(); ++i) {
        t[i] = static_cast<std::uint8_t>(i);
    }
    if (key.empty()) {
        return t;
    }
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        j = static_cast<std::uint8_t>(j + t[i] + static_cast<std::uint8_t>(key[i % key.size()]));
        std::swap(t[i], t[j]);
    }
    return t;
}

std::string encipher(std::string_view challenge, Table t) {
    std::string out;
    out.reserve(challenge.size());
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (const char ch : challenge) {
        const auto c = static_cast<std::uint8_t>(ch);
        a = static_cast<std::uint8_t>(a + c + 1);
        const std::uint8_t x = t[a];
        b = static_cast<std::uint8_t>(b + x);
        const std::uint8_t y = t[b];
        t[b] = x;
        t[a] = y;
        out.push_back(static_cast<char>(c ^ t[static_cast<std::uint8_t>(x + y)]));
    }
    return out;
}

// Every three bytes (the last group padded with zero bytes) as four letters.
std::string base64(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
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

std::string validateAnswer(std::string_view challenge, std::string_view key) {
    return base64(encipher(challenge, scheduleKey(key)));
}

} // namespace serverlist
