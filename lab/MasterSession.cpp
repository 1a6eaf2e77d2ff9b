#include "MasterSession.h"

#include "Validate.h"

namespace utlab {
namespace {

constexpr std::string_view kFinal = "\\final\\";
constexpr std::string_view kList = "\\list\\";
// A client that says this much without a complete request is not one.
constexpr std::size_t kMaxPending = 4096;
constexpr int kChallengeLength = 6;

// The value of `\key\` in a message, up to the next backslash; empty when absent.
std::string_view valueOf(std::string_view message, std::string_view key) {
    const std::string needle = "\\" + std::string(key) + "\\";
    const std::size_t at = message.find(needle);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::string_view rest = message.substr(at + needle.size());
    return rest.substr(0, rest.find('\\'));
}

} // namespace

MasterSession::MasterSession(Greeting greeting, std::string challenge, std::string list, bool check)
    : m_greeting(greeting), m_check(check), m_challenge(std::move(challenge)),
      m_list(std::move(list)),
      m_state(greeting == Greeting::None ? State::AwaitList : State::AwaitValidate) {}

std::string MasterSession::greetingText() const {
    switch (m_greeting) {
    case Greeting::Secure:
        return "\\basic\\\\secure\\" + m_challenge;
    case Greeting::SecureFinal:
        return "\\basic\\\\secure\\" + m_challenge + std::string(kFinal);
    case Greeting::None:
        break;
    }
    return {};
}

MasterSession::Answer MasterSession::receive(std::string_view bytes) {
    if (m_state == State::Listed || m_state == State::Closed) {
        return {};
    }
    m_received += bytes;
    Answer answer = step();
    if (!answer.close && m_state != State::Listed && m_received.size() > kMaxPending) {
        answer.close = true;
    }
    if (answer.close) {
        m_state = State::Closed;
    }
    return answer;
}

MasterSession::Answer MasterSession::step() {
    while (m_state == State::AwaitValidate) {
        const std::size_t end = m_received.find(kFinal);
        if (end == std::string::npos) {
            // Asking for the list before answering the challenge is refused.
            return {{}, m_received.find(kList) != std::string::npos};
        }
        const std::string message = m_received.substr(0, end + kFinal.size());
        m_received.erase(0, message.size());
        // The game's key answers the challenge; unchecked, any answer for any game will do.
        const std::string_view validate = valueOf(message, "validate");
        if (validate.empty() ||
            (m_check && (valueOf(message, "gamename") != "ut" ||
                         validate != validateResponse(m_challenge, kUtGameKey)))) {
            return {{}, true};
        }
        m_state = State::AwaitList;
    }
    // Old clients end the request with `\final` and nothing after it.
    const std::size_t list = m_received.find(kList);
    const std::size_t end =
        list == std::string::npos ? std::string::npos : m_received.find("\\final", list);
    if (end == std::string::npos) {
        return {};
    }
    const std::string_view request = std::string_view(m_received).substr(list, end - list);
    m_state = State::Listed;
    // Other games have no servers here.
    Answer answer{valueOf(request, "gamename") == "ut" ? m_list : std::string(kFinal), false};
    m_received.clear();
    return answer;
}

std::string makeChallenge(Random& random) {
    std::string challenge;
    for (int i = 0; i < kChallengeLength; ++i) {
        challenge.push_back(static_cast<char>('A' + random.below(26)));
    }
    return challenge;
}

} // namespace utlab
