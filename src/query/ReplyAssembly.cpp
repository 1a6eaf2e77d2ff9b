#include "query/ReplyAssembly.h"

#include "query/ReplyText.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <optional>

namespace query {

namespace {

struct QueryId {
    std::string_view reply;
    std::int32_t number;
};

// "N.M" taken apart; nullopt when M is not a number from 1.
std::optional<QueryId> splitQueryId(std::string_view id) {
    const std::size_t dot = id.find('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> number = tk::parseInt(id.substr(dot + 1));
    if (!number || *number < 1) {
        return std::nullopt;
    }
    return QueryId{id.substr(0, dot), *number};
}

} // namespace

void ReplyAssembly::clear() {
    m_datagrams.clear();
    m_bytes = 0;
}

void ReplyAssembly::newQuery() {
    std::erase_if(m_datagrams, [](const Datagram& d) { return d.older; });
    m_bytes = 0;
    for (Datagram& d : m_datagrams) {
        d.older = true;
        m_bytes += d.text.size();
    }
}

bool ReplyAssembly::add(std::string_view text) {
    const std::optional<QueryId> id = splitQueryId(PacketValue("queryid", text));
    if (!id) {
        return false;
    }
    const bool held = std::any_of(m_datagrams.begin(), m_datagrams.end(), [&](const Datagram& d) {
        return d.reply == id->reply && d.number == id->number;
    });
    if (held) {
        return false; // a duplicate changes nothing
    }
    if (m_datagrams.size() >= kMaxDatagrams || m_bytes + text.size() > kMaxBytes) {
        return false; // its reply can no longer be whole: it is lost
    }
    m_bytes += text.size();
    m_datagrams.push_back(Datagram{std::string(id->reply), id->number,
                                   text.find("\\final\\") != std::string_view::npos, false,
                                   std::string(text)});
    return assemble(id->reply);
}

bool ReplyAssembly::assemble(std::string_view reply) {
    // The final datagram's number is the count of the reply's datagrams.
    std::int32_t count = 0;
    std::vector<const Datagram*> parts;
    for (const Datagram& d : m_datagrams) {
        if (d.reply != reply) {
            continue;
        }
        if (d.final) {
            count = d.number;
        }
        parts.push_back(&d);
    }
    if (count == 0) {
        return false;
    }
    std::sort(parts.begin(), parts.end(),
              [](const Datagram* a, const Datagram* b) { return a->number < b->number; });
    // Numbers are unique within a reply, so 1..count are all there exactly
    // when the first count of them, sorted, run 1, 2, ..., count.
    if (parts.size() < static_cast<std::size_t>(count)) {
        return false;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        if (parts[static_cast<std::size_t>(i)]->number != i + 1) {
            return false;
        }
    }
    m_reply.clear();
    for (std::int32_t i = 0; i < count; ++i) {
        m_reply += parts[static_cast<std::size_t>(i)]->text;
    }
    // The reply is taken; its datagrams and any stray ones of the same
    // number are done with.
    std::erase_if(m_datagrams, [&](const Datagram& d) { return d.reply == reply; });
    m_bytes = 0;
    for (const Datagram& d : m_datagrams) {
        m_bytes += d.text.size();
    }
    return true;
}

} // namespace query
