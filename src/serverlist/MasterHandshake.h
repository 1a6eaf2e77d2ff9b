#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace serverlist {

// The list request of masters that greet nobody: 24 characters, nothing
// after "final".
inline constexpr std::string_view kPlainListRequest = "\\list\\\\gamename\\ut\\final";
// The list request that follows the answer to a greeting.
inline constexpr std::string_view kListRequest = "\\list\\\\gamename\\ut\\final\\";
// A master that checks its clients greets a new connection with this and a
// challenge of six capital letters, sometimes followed by "\final\".
inline constexpr std::string_view kSecureGreeting = "\\basic\\\\secure\\";

// What the first bytes of a connection are.
struct Greeting {
    enum class Kind {
        Incomplete, // could still become a greeting: wait for more
        None,       // not a greeting
        Secure      // a whole greeting
    };
    Kind kind = Kind::None;
    std::string challenge;  // Secure only
    std::size_t length = 0; // Secure only: the greeting's bytes, "\final\" included
};

// Reads a greeting from the start of data. The challenge runs to the next
// backslash; without one it is taken as complete from six characters on.
[[nodiscard]] Greeting readGreeting(std::string_view data);

// The answer to a greeting: the game, the location and the validate text.
[[nodiscard]] std::string greetingAnswer(std::string_view challenge);

} // namespace serverlist
