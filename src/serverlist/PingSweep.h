#pragma once

#include "query/Records.h"
#include "serverlist/MasterClient.h"
#include "serverlist/ServerListControls.h"
#include "toolkit/Platform.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace serverlist {

// The ping sweep: sends every server of the master list a stamped "info"
// query, one per tick of pingtimer, and stores every answer that comes back
// in time in the next free slot of serverList and its row of servertable.
class PingSweep {
public:
    // The size of a ping datagram: the text, then zero bytes.
    static constexpr std::size_t kDatagramSize = 400;
    // The port used for a master entry whose port is not a number.
    static constexpr std::uint16_t kDefaultPort = 7778;
    static constexpr const char* kStopCaption = "Stop querying";
    static constexpr const char* kContinueCaption = "Continue querying";

    PingSweep(tk::Platform& platform, tk::Timer& pingtimer, tk::UdpSocket& udpping,
              MasterClient& master, query::ServerRecords& records,
              const ServerListControls& controls, SweepControls sweepControls);
    PingSweep(const PingSweep&) = delete;
    PingSweep& operator=(const PingSweep&) = delete;

    // Installs the handlers of the timer, the socket, the table and
    // "Stop querying".
    void wire();

    // A new list is complete: sweeps it from its first entry.
    void start();
    // One tick: pings the next listed server, or ends the sweep.
    void pingtimerTimer();
    // One datagram on the ping socket.
    void udppingDataReceived(std::string_view datagram, const std::string& fromHost,
                             std::uint16_t fromPort);
    // "Stop querying" / "Continue querying": switches the sweep off or on,
    // from the first entry either way.
    void actStopMasterExecute();
    // A row of the table was selected (display row): watches its server.
    void servertableSelectCell(int row);
    // A double click on a cell: a header sorts by its column.
    void servertableDblClickCell(int row, int col);

    // The index into the master list of the next server to ping.
    int pingCursor = 0;
    // Makes serverList[slot] the watched server; set by the main window.
    std::function<void(int slot)> onWatch;

private:
    [[nodiscard]] bool answersOurPing(std::string_view target, const std::string& fromHost,
                                      std::uint16_t fromPort);
    void storeAnswer(std::string_view text, std::string_view address, std::int32_t ping);

    tk::Platform& m_platform;
    tk::Timer& m_pingtimer;
    tk::UdpSocket& m_udpping;
    MasterClient& m_master;
    query::ServerRecords& m_records;
    ServerListControls m_controls;
    SweepControls m_sweepControls;
    // Entries of the master list pinged and not yet answered: one answer per
    // ping is taken.
    std::vector<bool> m_awaiting;
};

// The port of a master entry: its text read as a decimal number, the
// default port when that is not a port number.
[[nodiscard]] std::uint16_t pingPort(std::string_view portText);

} // namespace serverlist
