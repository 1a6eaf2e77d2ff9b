#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace tk {

// A-Z turned into a-z; every other byte (UTF-8 and Latin-1 letters included)
// stays as it is.
[[nodiscard]] constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

[[nodiscard]] inline std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = asciiLower(c);
    }
    return out;
}

// Equal texts when A-Z and a-z are taken as the same.
[[nodiscard]] inline bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

} // namespace tk
