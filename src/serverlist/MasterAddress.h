#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace serverlist {

// The master server's default port.
inline constexpr std::uint16_t kDefaultMasterPort = 28900;

struct MasterAddress {
    std::string host;
    std::uint16_t port = kDefaultMasterPort;
};

// Splits "host:port" at the first colon; the port is read from at most five
// characters and falls back to 28900 when they give no TCP port. A text
// without a colon gives an empty host and a port read from its start.
[[nodiscard]] MasterAddress splitMasterserverURI(std::string_view uri);

} // namespace serverlist
