#pragma once

#include <QHostAddress>

#include <optional>
#include <string>

namespace gui {

// An address given as text: a literal IPv4/IPv6 address, or a host name that
// is looked up (blocking) with IPv4 answers preferred. Empty when the text
// names no host.
[[nodiscard]] std::optional<QHostAddress> resolveHost(const std::string& host);

// An address as the core shows it: IPv4-mapped IPv6 addresses (what a
// dual-stack socket reports for IPv4 peers) in plain dotted form.
[[nodiscard]] std::string addressText(const QHostAddress& address);

} // namespace gui
