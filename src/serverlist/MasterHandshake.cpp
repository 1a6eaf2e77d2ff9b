#include "serverlist/MasterHandshake.h"

#include "serverlist/MasterReply.h"
#include "serverlist/Validate.h"

namespace serverlist {

namespace {

constexpr std::size_t kChallengeLength = 6;

Greeting incomplete() {
    return Greeting{Greeting::Kind::Incomplete, {}, 0};
}

} // namespace

Greeting readGreeting(std::string_view data) {
    if (data.size() < kSecureGreeting.size()) {
        return kSecureGreeting.starts_with(data) ? incomplete() : Greeting{};
    }
    if (!data.starts_with(kSecureGreeting)) {
        return Greeting{};
    }
    const std::string_view after = data.substr(kSecureGreeting.size());
    const std::size_t end = after.find('\\');
    if (end == std::string_view::npos) {
        if (after.size() < kChallengeLength) {
            return incomplete();
        }
        return Greeting{Greeting::Kind::Secure, std::string(after), data.size()};
    }
    Greeting g{Greeting::Kind::Secure, std::string(after.substr(0, end)),
               kSecureGreeting.size() + end};
    const std::string_view tail = data.substr(g.length);
    if (tail.starts_with(kEndMarker)) {
        g.length += kEndMarker.size();
    } else if (kEndMarker.starts_with(tail)) {
        // "\fin" may be the start of the greeting's "\final\".
        return incomplete();
    }
    return g;
}

std::string greetingAnswer(std::string_view challenge) {
    return "\\gamename\\ut\\location\\0\\validate\\" + validateAnswer(challenge) + "\\final\\";
}

} // namespace serverlist
