#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace query {

// One `\key\value` pair of a reply.
struct ReplyPair {
    std::string_view key;
    std::string_view value;
};

// Walks the `\key\value` pairs of a reply text in order, in one pass. The text
// is one datagram or several datagrams joined end to end: each datagram starts
// with a backslash, so the empty stretch between one datagram's closing
// "\final\" and the next datagram reads as final's empty value, and old servers'
// "\final\\queryid\N.M" reads as final and queryid alike.
//
// Keys are read only in key position: a value that looks like a key (a player
// named "echo" or "hostname") stays a value. Text before the first backslash
// is skipped; a key at the very end of the text has an empty value.
//
// Servers older than 451 leave backslashes in player names, which shifts the
// keys after such a name into value positions. The walk finds its step again
// at the datagram's closing `\queryid\N.M`: a value "queryid" followed by a
// number of the form digits.digits (never a key) is read as that key and its
// value.
class ReplyPairs {
public:
    explicit ReplyPairs(std::string_view text)
        : m_text(text), m_pos(std::min(text.find('\\'), text.size())) {}

    // The next pair; false once the text is used up.
    bool next(ReplyPair& pair) {
        if (m_pos >= m_text.size()) {
            return false;
        }
        const std::size_t keyEnd = m_text.find('\\', m_pos + 1);
        if (keyEnd == std::string_view::npos) {
            pair = {m_text.substr(m_pos + 1), m_text.substr(m_text.size())};
            m_pos = m_text.size();
            return true;
        }
        pair.key = m_text.substr(m_pos + 1, keyEnd - m_pos - 1);
        m_pos = token(keyEnd, pair.value);
        if (pair.value == "queryid" && m_pos < m_text.size()) {
            std::string_view id;
            const std::size_t idEnd = token(m_pos, id);
            if (isQueryId(id)) {
                pair = {pair.value, id};
                m_pos = idEnd;
            }
        }
        return true;
    }

private:
    // The token after the backslash at `at`, up to the next backslash or the
    // end; returns where the token ends.
    std::size_t token(std::size_t at, std::string_view& out) const {
        const std::size_t end = std::min(m_text.find('\\', at + 1), m_text.size());
        out = m_text.substr(at + 1, end - at - 1);
        return end;
    }

    static bool isQueryId(std::string_view id) {
        const std::size_t dot = id.find('.');
        return dot != std::string_view::npos && dot > 0 && dot + 1 < id.size() &&
               allDigits(id.substr(0, dot)) && allDigits(id.substr(dot + 1));
    }

    static bool allDigits(std::string_view text) {
        for (const char c : text) {
            if (c < '0' || c > '9') {
                return false;
            }
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_pos; // at the backslash that opens the next key, or the end
};

} // namespace query
