#pragma once

#include "toolkit/Platform.h"
#include "toolkit/TcpClientSocket.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <cstdint>

namespace cfg {
struct SettingsBlock;
}

namespace serverlist {

// The list of all servers: the master server client and the ping sweep,
// with their socket and timer.
class ServerList {
public:
    explicit ServerList(tk::Platform& platform);
    ServerList(const ServerList&) = delete;
    ServerList& operator=(const ServerList&) = delete;

    // The master's address, the pace of the sweep and the sweep's local port.
    void applySettings(const cfg::SettingsBlock& settings, std::uint16_t localPort);

    tk::Timer pingtimer;
    tk::UdpSocket udpping;
    tk::TcpClientSocket mastercon;
};

} // namespace serverlist
