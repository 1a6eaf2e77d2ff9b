#include "query/ReplyText.h"

#include "toolkit/Number.h"

namespace query {

std::string PingStamp(std::uint32_t tickCount) {
    return "\\echo\\ping_" + std::to_string(tickCount) + "|";
}

std::string_view PacketValue(std::string_view key, std::string_view text) {
    std::string pattern;
    pattern.reserve(key.size() + 2);
    pattern.append("\\").append(key).append("\\");
    const std::size_t at = text.find(pattern);
    if (at == std::string_view::npos) {
        return ""; // not {}: an empty view that still points somewhere
    }
    const std::string_view rest = text.substr(at + pattern.size());
    return rest.substr(0, rest.find('\\'));
}

std::string_view echoValue(std::string_view text) {
    const std::string_view echo = PacketValue("echo", text);
    return echo.empty() ? PacketValue("echo_replay", text) : echo;
}

EchoParts splitEcho(std::string_view echo) {
    const std::size_t underscore = echo.find('_');
    const std::string_view s =
        underscore == std::string_view::npos ? echo : echo.substr(underscore + 1);
    const std::size_t bar = s.find('|');
    if (bar == std::string_view::npos) {
        return {std::nullopt, s};
    }
    return {parseTick(s.substr(0, bar)), s.substr(bar + 1)};
}

std::optional<std::uint32_t> parseTick(std::string_view text) {
    if (const std::optional<std::int32_t> value = tk::parseInt(text)) {
        return static_cast<std::uint32_t>(*value);
    }
    // Above 2^31 - 1: after about 24.8 days of uptime the tick count no longer
    // fits a signed 32-bit number.
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    if (pos < text.size() && text[pos] == '+') {
        ++pos;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0xFFFFFFFFULL) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

std::int32_t echoPing(std::uint32_t tickNow, std::uint32_t sendTick) {
    return static_cast<std::int32_t>(tickNow - sendTick - 20U);
}

} // namespace query
