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

std::string addressText(const QHostAddress& address) {
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    if (isV4) {
        return QHostAddress(v4).toString().toStdString();
    }
    return address.toString().toStdString();
}

} // namespace gui
