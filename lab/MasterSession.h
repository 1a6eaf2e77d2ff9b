#pragma once

#include "MasterOptions.h"
#include "Random.h"

#include <string>
#include <string_view>

namespace utlab {

// One client connection to the master server, without I/O: what it says on connecting and
// what it answers to the bytes the client sends.
//
// With a greeting the client must first answer the challenge with
// `\gamename\ut\location\0\validate\VVVVVVVV\final\`; a wrong or missing answer ends the
// connection. Then `\list\\gamename\ut\final\` is answered with the list. Without a greeting
// the old request `\list\\gamename\ut\final` (no trailing backslash) is answered at once.
class MasterSession {
public:
    // `challenge` is six capital letters; `list` is the whole list text. Without `check` any
    // `\validate\` is taken, for any game.
    MasterSession(Greeting greeting, std::string challenge, std::string list, bool check = true);

    // What to send as soon as the client has connected (empty without a greeting).
    [[nodiscard]] std::string greetingText() const;

    struct Answer {
        std::string reply;  // the list, or nothing
        bool close = false; // end the connection (after the reply, if any)
    };

    // Takes the next bytes from the client.
    [[nodiscard]] Answer receive(std::string_view bytes);

    [[nodiscard]] bool validated() const { return m_state != State::AwaitValidate; }

private:
    enum class State { AwaitValidate, AwaitList, Listed, Closed };

    [[nodiscard]] Answer step();

    Greeting m_greeting;
    bool m_check;
    std::string m_challenge;
    std::string m_list;
    std::string m_received;
    State m_state;
};

// Six capital letters from the generator.
[[nodiscard]] std::string makeChallenge(Random& random);

} // namespace utlab
