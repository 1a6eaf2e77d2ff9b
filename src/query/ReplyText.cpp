#include "query/ReplyText.h"

#include "query/ReplyIndex.h"
#include "query/ReplyPairs.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <limits>

namespace query {

std::string PingStamp(std::uint32_t tickCount) {
    return "\\echo\\ping_" + std::to_string(tickCount) + "|";
}

std::string_view PacketValue(std::string_view key, std::string_view text) {
    ReplyPairs pairs(text);
    ReplyPair pair;
    while (pairs.next(pair)) {
        if (pair.key == key) {
            return pair.value;
        }
    }
    return ""; // not {}: an empty view that still points somewhere
}

namespace {

std::string_view chooseEcho(std::string_view echoReplay, std::string_view echo) {
    return echoReplay.empty() ? echo : echoReplay;
}

} // namespace

std::string_view echoValue(std::string_view text) {
    return chooseEcho(PacketValue("echo_replay", text), PacketValue("echo", text));
}

std::string_view echoValue(const ReplyIndex& reply) {
    return chooseEcho(reply.value("echo_replay"), reply.value("echo"));
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
    const std::uint32_t trip = roundTrip(tickNow, sendTick);
    if (trip <= kPingAllowance) {
        return 0;
    }
    return static_cast<std::int32_t>(
        std::min<std::uint32_t>(trip - kPingAllowance, std::numeric_limits<std::int32_t>::max()));
}

} // namespace query
