#pragma once

#include "query/Records.h"
#include "serverlist/MasterClient.h"
#include "serverlist/MasterFile.h"
#include "serverlist/PingSweep.h"
#include "serverlist/ServerListControls.h"
#include "toolkit/Platform.h"
#include "toolkit/TcpClientSocket.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace cfg {
struct SettingsBlock;
}

namespace serverlist {

// The list of all servers: the master server client and the ping sweep,
// with their socket and timer. masterFile is where a master's reply is kept.
class ServerList {
public:
    explicit ServerList(tk::Platform& platform, std::filesystem::path masterFile = kMasterFile);
    ServerList(const ServerList&) = delete;
    ServerList& operator=(const ServerList&) = delete;

    // Hands the server list the records and the main window's controls it
    // uses, and installs the handlers of its socket, timers and actions.
    // Called once; a complete list starts the sweep.
    void wire(query::ServerRecords& records, ServerListControls controls,
              SweepControls sweepControls);

    // The master's address, the pace of the sweep and the sweep's local port.
    // The ping socket is bound here and stays bound between pings, so that
    // no answer already waiting is thrown away.
    void applySettings(const cfg::SettingsBlock& settings, std::uint16_t localPort);

    tk::Timer pingtimer;
    tk::UdpSocket udpping;
    tk::TcpClientSocket mastercon;
    // The master server client, from wire() on.
    std::optional<MasterClient> master;
    // The ping sweep, from wire() on.
    std::optional<PingSweep> sweep;

private:
    tk::Platform& m_platform;
    std::filesystem::path m_masterFile;
};

} // namespace serverlist
