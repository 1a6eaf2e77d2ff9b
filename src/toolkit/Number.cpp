#include "toolkit/Number.h"

#include <charconv>
#include <limits>

namespace tk {

namespace {

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

} // namespace

std::optional<std::int32_t> parseInt(std::string_view text) {
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0x80000000ULL) {
            return std::nullopt;
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
    }
    if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t toIntDef(std::string_view text, std::int32_t def) {
    return parseInt(text).value_or(def);
}

std::int32_t toIntDefHex(std::string_view text, std::int32_t def) {
    std::string_view t = skipBlanks(text);
    std::string_view digits;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        digits = t.substr(2);
    } else if (t.size() > 1 && t[0] == '$') {
        digits = t.substr(1);
    } else {
        return toIntDef(text, def);
    }
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc{} || end != digits.data() + digits.size()) {
        return def;
    }
    return static_cast<std::int32_t>(value);
}

} // namespace tk
