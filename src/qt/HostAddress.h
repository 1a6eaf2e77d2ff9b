#pragma once

#include <QDeadlineTimer>
#include <QHostAddress>

#include <map>
#include <optional>
#include <string>

namespace gui {

// An address given as text: a literal IPv4/IPv6 address, or a host name that
// is looked up (blocking) with IPv4 answers preferred. Empty when the text
// names no host.
[[nodiscard]] std::optional<QHostAddress> resolveHost(const std::string& host);

// Host names looked up recently. A watched server named by its host name is
// queried every few seconds; the lookup blocks, so it is done once a while
// rather than for every query. Only answers are kept: a name that did not
// resolve is asked again next time.
class HostLookupCache {
public:
    static constexpr int kKeepMs = 5 * 60 * 1000;
    static constexpr std::size_t kMaxEntries = 256;

    [[nodiscard]] std::optional<QHostAddress> resolve(const std::string& host);

private:
    struct Entry {
        QHostAddress address;
        QDeadlineTimer expires;
    };
    std::map<std::string, Entry> m_entries;
};

// An address as the core shows it: IPv4-mapped IPv6 addresses (what a
// dual-stack socket reports for IPv4 peers) in plain dotted form.
[[nodiscard]] std::string addressText(const QHostAddress& address);

} // namespace gui
