#pragma once

#include <QHostAddress>
#include <QObject>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>

class QHostInfo;

namespace gui {

// A literal IPv4/IPv6 address given as text (spaces around it allowed);
// empty for anything else.
[[nodiscard]] std::optional<QHostAddress> literalAddress(const std::string& host);

// The address to use from a lookup's answer: the first IPv4 one, else the
// first. Empty for a failed lookup.
[[nodiscard]] std::optional<QHostAddress> preferredAddress(const QHostInfo& info);

// Host names looked up without blocking. A watched server named by its host
// name is queried every few seconds; its name is looked up once a while, in
// the background, rather than for every query:
// - a literal address is ready at once;
// - an answer is kept for kKeepAnswer, so a changed address is seen within
//   a minute;
// - a failed lookup is kept for kKeepFailure, so that a name that does not
//   resolve is not asked again for every query;
// - anything else starts a lookup (one per name at a time) and is pending
//   until it reports through onDone.
class HostLookups {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::seconds kKeepAnswer{60};
    static constexpr std::chrono::seconds kKeepFailure{30};
    static constexpr std::size_t kMaxEntries = 256;

    enum class State { Ready, Pending, Failed };
    struct Result {
        State state;
        QHostAddress address; // when Ready
    };

    // onDone(host, address) runs from the event loop when a lookup started
    // here has finished; the address is empty when it failed. The clock is
    // for the tests; it defaults to the steady clock.
    explicit HostLookups(
        std::function<void(const std::string&, const std::optional<QHostAddress>&)> onDone,
        Clock clock = {});

    [[nodiscard]] Result find(const std::string& host);

    // Whether a datagram from `address` (as addressText shows it) comes from
    // `host`: the same address, or the last answer for the name.
    [[nodiscard]] bool sameHost(const std::string& host, const std::string& address) const;

private:
    struct Entry {
        State state = State::Pending;
        QHostAddress address; // the last answer, also while a new lookup runs
        std::chrono::steady_clock::time_point until;
    };

    void startLookup(const std::string& host, const QString& name, Entry& entry);
    void finished(const std::string& host, const QHostInfo& info);
    void makeRoom();

    std::function<void(const std::string&, const std::optional<QHostAddress>&)> m_onDone;
    Clock m_clock;
    std::map<std::string, Entry> m_entries;
    // The lookups report to this object; a report still under way when it
    // goes is dropped.
    QObject m_context;
};

// An address as the core shows it: IPv4-mapped IPv6 addresses (what a
// dual-stack socket reports for IPv4 peers) in plain dotted form.
[[nodiscard]] std::string addressText(const QHostAddress& address);

} // namespace gui
