#include "serverlist/PingSweep.h"

#include "query/ReplyIndex.h"
#include "query/ReplyText.h"
#include "query/ServerTables.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace serverlist {

namespace {

constexpr int kStatusPanelBytes = 2;
// An answer is read up to this many bytes.
constexpr std::size_t kMaxAnswer = tk::UdpSocket::kMaxDatagram - 1;

} // namespace

std::uint16_t pingPort(std::string_view portText) {
    const auto port = tk::parseInt(portText);
    if (!port || *port < 1 || *port > 65535) {
        return PingSweep::kDefaultPort;
    }
    return static_cast<std::uint16_t>(*port);
}

PingSweep::PingSweep(tk::Platform& platform, tk::Timer& pingtimer, tk::UdpSocket& udpping,
                     MasterClient& master, query::ServerRecords& records,
                     const ServerListControls& controls, SweepControls sweepControls)
    : m_platform(platform), m_pingtimer(pingtimer), m_udpping(udpping), m_master(master),
      m_records(records), m_controls(controls), m_sweepControls(sweepControls) {}

void PingSweep::wire() {
    m_pingtimer.onTimer = [this] { pingtimerTimer(); };
    m_udpping.onDataReceived = [this](std::string_view bytes, const std::string& fromHost,
                                      std::uint16_t fromPort) {
        udppingDataReceived(bytes, fromHost, fromPort);
    };
    m_sweepControls.actStopMaster.onExecute = [this] { actStopMasterExecute(); };
    m_controls.servertable.setSortMode(tk::StringGrid::SortMode::LeadingNumber);
    m_controls.servertable.onSelectCell = [this](int, int row) { servertableSelectCell(row); };
    m_controls.servertable.onDblClickCell = [this](int col, int row) {
        servertableDblClickCell(row, col);
    };
}

void PingSweep::start() {
    pingCursor = 0;
    m_awaiting.assign(static_cast<std::size_t>(std::max(m_master.masterCount, 0)), false);
    m_pingtimer.setEnabled(true);
}

void PingSweep::pingtimerTimer() {
    const int count = std::min(m_master.masterCount, static_cast<int>(m_master.masterList.size()));
    m_sweepControls.progPing.setMax(m_master.masterCount);
    if (pingCursor < 0 || pingCursor >= count) {
        m_pingtimer.setEnabled(false);
        return;
    }
    const MasterEntry& entry = m_master.masterList[static_cast<std::size_t>(pingCursor)];
    std::string host = entry.host.str();
    m_udpping.setRemote(host, pingPort(entry.port.view()));
    const std::string text = "\\info\\" + query::PingStamp(m_platform.tickCount()) + host;
    std::string datagram(kDatagramSize, '\0');
    std::copy_n(text.begin(), std::min(text.size(), kDatagramSize - 1), datagram.begin());
    if (m_udpping.send(datagram)) {
        if (m_awaiting.size() < static_cast<std::size_t>(count)) {
            m_awaiting.resize(static_cast<std::size_t>(count), false);
        }
        m_awaiting[static_cast<std::size_t>(pingCursor)] = true;
    }
    m_sweepControls.progPing.setPosition(pingCursor);
    ++pingCursor;
}

bool PingSweep::answersOurPing(std::string_view target, const std::string& fromHost,
                               std::uint16_t fromPort) {
    if (target.empty()) {
        return false;
    }
    const auto count = std::min({static_cast<std::size_t>(std::max(m_master.masterCount, 0)),
                                 m_master.masterList.size(), m_awaiting.size()});
    for (std::size_t i = 0; i < count; ++i) {
        const MasterEntry& entry = m_master.masterList[i];
        if (m_awaiting[i] && entry.host == target && pingPort(entry.port.view()) == fromPort &&
            m_udpping.sameHost(entry.host.str(), fromHost)) {
            m_awaiting[i] = false;
            return true;
        }
    }
    return false;
}

void PingSweep::udppingDataReceived(std::string_view datagram, const std::string& fromHost,
                                    std::uint16_t fromPort) {
    datagram = datagram.substr(0, kMaxAnswer);
    const std::string_view text = datagram.substr(0, datagram.find('\0'));
    m_records.totalBytes += static_cast<std::int64_t>(text.size());
    if (m_controls.statusBar.panelCount() > kStatusPanelBytes) {
        m_controls.statusBar.setPanelText(kStatusPanelBytes, tk::intText(m_records.totalBytes));
    }

    const query::EchoParts echo = query::splitEcho(query::echoValue(text));
    const std::uint32_t sendTick = echo.sendTick.value_or(query::kEchoDefaultTick);
    const std::uint32_t now = m_platform.tickCount();
    if (query::answerInTime(now, sendTick) && answersOurPing(echo.target, fromHost, fromPort)) {
        if (m_records.serverRows + 1 < query::kServerListSlots) {
            storeAnswer(text, echo.target, query::echoPing(now, sendTick));
        } else {
            // The list is full: no slot is left for this or any further answer.
            m_pingtimer.setEnabled(false);
        }
    }
    m_controls.servertable.setRowCount(std::max(m_master.masterCount, m_records.serverRows) + 1);
}

void PingSweep::storeAnswer(std::string_view text, std::string_view address, std::int32_t ping) {
    const int slot = ++m_records.serverRows;
    m_controls.lblNumServers.setCaption("Servers: " + tk::intText(slot) + " of " +
                                        tk::intText(m_master.masterCount));

    const query::ReplyIndex reply(text);
    query::ServerEntry& entry = m_records.serverList[static_cast<std::size_t>(slot)];
    entry.hostname = reply.value("hostname");
    entry.hostport = reply.value("hostport");
    entry.gametype = reply.value("gametype");
    entry.maptitle = reply.value("maptitle");
    entry.mapname = reply.value("mapname");
    entry.maxplayers = tk::toIntDef(reply.value("maxplayers"), 0);
    entry.numplayers = tk::toIntDef(reply.value("numplayers"), 0);
    entry.address = address;
    entry.responded = true;
    entry.ping = ping;

    tk::StringGrid& table = m_controls.servertable;
    table.setRowCount(std::max({table.rowCount(), m_master.masterCount + 1, slot + 1}));
    const int row = table.displayRow(slot);
    if (row >= table.fixedRows()) {
        table.setRow(row, query::serverRowCells(entry));
    }
}

void PingSweep::actStopMasterExecute() {
    pingCursor = 0;
    m_pingtimer.setEnabled(!m_pingtimer.enabled());
    tk::Action& action = m_sweepControls.actStopMaster;
    action.setCaption(action.caption() == kStopCaption ? kContinueCaption : kStopCaption);
}

void PingSweep::servertableSelectCell(int row) {
    const int rows = m_records.serverRows;
    if (m_records.warRecording || row < 1 || rows == 0 || row > rows) {
        return;
    }
    const int slot = m_controls.servertable.dataRow(row);
    if (slot < 1 || slot > rows || slot >= query::kServerListSlots) {
        return; // a row that shows no answer
    }
    if (onWatch) {
        onWatch(slot);
    }
}

void PingSweep::servertableDblClickCell(int row, int col) {
    if (row == 0 && col >= 1 && !m_records.warRecording) {
        m_controls.servertable.toggleSort(col);
    }
}

} // namespace serverlist
