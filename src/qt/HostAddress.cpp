#include "qt/HostAddress.h"

#include <QHostInfo>

#include <utility>

namespace gui {

namespace {

QString hostText(const std::string& host) {
    return QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())).trimmed();
}

} // namespace

std::optional<QHostAddress> literalAddress(const std::string& host) {
    QHostAddress literal;
    if (literal.setAddress(hostText(host))) {
        return literal;
    }
    return std::nullopt;
}

std::optional<QHostAddress> preferredAddress(const QHostInfo& info) {
    if (info.error() != QHostInfo::NoError || info.addresses().isEmpty()) {
        return std::nullopt;
    }
    for (const QHostAddress& a : info.addresses()) {
        if (a.protocol() == QAbstractSocket::IPv4Protocol) {
            return a;
        }
    }
    return info.addresses().constFirst();
}

HostLookups::HostLookups(
    std::function<void(const std::string&, const std::optional<QHostAddress>&)> onDone, Clock clock)
    : m_onDone(std::move(onDone)), m_clock(std::move(clock)) {
    if (!m_clock) {
        m_clock = [] { return std::chrono::steady_clock::now(); };
    }
}

HostLookups::Result HostLookups::find(const std::string& host) {
    if (std::optional<QHostAddress> literal = literalAddress(host)) {
        return {State::Ready, *literal};
    }
    const QString name = hostText(host);
    if (name.isEmpty()) {
        return {State::Failed, {}};
    }
    auto it = m_entries.find(host);
    if (it != m_entries.end()) {
        Entry& entry = it->second;
        if (entry.state == State::Pending) {
            return {State::Pending, {}};
        }
        if (m_clock() < entry.until) {
            return {entry.state, entry.state == State::Ready ? entry.address : QHostAddress()};
        }
        startLookup(host, name, entry);
        return {State::Pending, {}};
    }
    makeRoom();
    startLookup(host, name, m_entries[host]);
    return {State::Pending, {}};
}

void HostLookups::startLookup(const std::string& host, const QString& name, Entry& entry) {
    entry.state = State::Pending;
    QHostInfo::lookupHost(name, &m_context,
                          [this, host](const QHostInfo& info) { finished(host, info); });
}

void HostLookups::finished(const std::string& host, const QHostInfo& info) {
    const std::optional<QHostAddress> address = preferredAddress(info);
    Entry& entry = m_entries[host];
    if (address) {
        entry.state = State::Ready;
        entry.address = *address;
        entry.until = m_clock() + kKeepAnswer;
    } else {
        entry.state = State::Failed;
        entry.until = m_clock() + kKeepFailure;
    }
    if (m_onDone) {
        m_onDone(host, address);
    }
}

void HostLookups::makeRoom() {
    if (m_entries.size() < kMaxEntries) {
        return;
    }
    // A sweep over many names: forget what is no longer waited for. A lookup
    // under way keeps its entry, so its report still finds it.
    std::erase_if(m_entries, [](const auto& item) { return item.second.state != State::Pending; });
}

bool HostLookups::sameHost(const std::string& host, const std::string& address) const {
    const std::optional<QHostAddress> from = literalAddress(address);
    if (!from) {
        return host == address;
    }
    if (const std::optional<QHostAddress> literal = literalAddress(host)) {
        return literal->isEqual(*from, QHostAddress::ConvertV4MappedToIPv4);
    }
    const auto it = m_entries.find(host);
    return it != m_entries.end() && !it->second.address.isNull() &&
           it->second.address.isEqual(*from, QHostAddress::ConvertV4MappedToIPv4);
}

std::string addressText(const QHostAddress& address) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4) {
        return QHostAddress(v4).toString().toStdString();
    }
    return address.toString().toStdString();
}

} // namespace gui
