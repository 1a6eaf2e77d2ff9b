#pragma once

#include "ServerOptions.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <utility>

// Reading the values of configuration keys; every failure is a ConfigError naming key and value.
namespace utlab::optionvalues {

[[noreturn]] inline void fail(std::string_view key, std::string_view value,
                              std::string_view expected) {
    throw ConfigError("bad value \"" + std::string(value) + "\" for " + std::string(key) +
                      " (expected " + std::string(expected) + ")");
}

template <typename T> T number(std::string_view key, std::string_view value) {
    T result{};
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, result);
    if (value.empty() || error != std::errc() || stop != end) {
        fail(key, value, "a number");
    }
    return result;
}

// A whole number from low to high.
inline int numberIn(std::string_view key, std::string_view value, int low, int high) {
    const auto result = number<long long>(key, value);
    if (result < low || result > high) {
        fail(key, value, std::to_string(low) + " to " + std::to_string(high));
    }
    return static_cast<int>(result);
}

// Picks the choice whose name equals the value.
template <typename T, std::size_t N>
T choice(std::string_view key, std::string_view value,
         const std::array<std::pair<std::string_view, T>, N>& choices, std::string_view expected) {
    for (const auto& [name, result] : choices) {
        if (equalsIgnoreCase(name, value)) {
            return result;
        }
    }
    fail(key, value, expected);
}

inline bool flag(std::string_view key, std::string_view value) {
    constexpr std::array<std::pair<std::string_view, bool>, 8> kFlags = {{{"true", true},
                                                                          {"yes", true},
                                                                          {"on", true},
                                                                          {"1", true},
                                                                          {"false", false},
                                                                          {"no", false},
                                                                          {"off", false},
                                                                          {"0", false}}};
    return choice(key, value, kFlags, "true or false");
}

} // namespace utlab::optionvalues
