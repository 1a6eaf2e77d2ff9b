#include "qt/HostAddress.h"

#include <QHostInfo>

namespace gui {

std::optional<QHostAddress> resolveHost(const std::string& host) {
    const QString text =
        QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())).trimmed();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    QHostAddress literal;
    if (literal.setAddress(text)) {
        return literal;
    }
    const QHostInfo info = QHostInfo::fromName(text);
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

std::optional<QHostAddress> HostLookupCache::resolve(const std::string& host) {
    const auto it = m_entries.find(host);
    if (it != m_entries.end() && !it->second.expires.hasExpired()) {
        return it->second.address;
    }
    const std::optional<QHostAddress> address = resolveHost(host);
    if (!address) {
        if (it != m_entries.end()) {
            m_entries.erase(it);
        }
        return std::nullopt;
    }
    if (m_entries.size() >= kMaxEntries) {
        m_entries.clear(); // a sweep over many names; simply start again
    }
    m_entries[host] = Entry{*address, QDeadlineTimer(kKeepMs)};
    return address;
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
