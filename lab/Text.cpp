#include "Text.h"

#include <algorithm>
#include <cstdio>

namespace utlab {
namespace {

// Length of the UTF-8 sequence starting at text[pos] and its code point; length 0 when the
// bytes there are not a well-formed sequence.
struct Decoded {
    std::size_t length = 0;
    char32_t codePoint = 0;
};

Decoded decodeAt(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    char32_t codePoint = 0;
    if (lead < 0x80) {
        return {1, lead};
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return {};
    }
    if (pos + length > text.size()) {
        return {};
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            return {};
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF) {
        return {};
    }
    return {length, codePoint};
}

} // namespace

std::string encodeText(std::string_view utf8, Charset charset) {
    if (charset == Charset::Utf8) {
        return std::string(utf8);
    }
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Decoded decoded = decodeAt(utf8, pos);
        if (decoded.length == 0) {
            out += utf8[pos++];
            continue;
        }
        out += decoded.codePoint <= 0xFF ? static_cast<char>(decoded.codePoint) : '?';
        pos += decoded.length;
    }
    return out;
}

std::string withoutBackslashes(std::string_view text) {
    std::string out(text);
    std::erase(out, '\\');
    return out;
}

std::string formatFloat(float value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.6f", static_cast<double>(value));
    return length > 0 && static_cast<std::size_t>(length) < sizeof buffer
               ? std::string(buffer, length)
               : std::string("0.000000");
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        return lower(x) == lower(y);
    });
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlank = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

} // namespace utlab
