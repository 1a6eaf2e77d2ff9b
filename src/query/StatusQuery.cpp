#include "query/StatusQuery.h"

#include "settings/SettingsBlock.h"
#include "query/ReplyText.h"
#include "query/ServerDisplay.h"
#include "query/ServerTables.h"
#include "query/StatusParser.h"
#include "toolkit/Number.h"
#include "toolkit/UdpSocket.h"

#include <algorithm>
#include <optional>

namespace query {

namespace {

constexpr int kStatusPanelBytes = 2;
constexpr std::int32_t kDefaultGamePort = 7777;
constexpr std::int32_t kMaxPort = 65535;

// The query port of a game port text: its number + 1, or 7778 when the text
// is not a number or gives no valid port.
[[nodiscard]] std::uint16_t queryPort(std::string_view hostport) {
    std::int32_t game = tk::toIntDef(hostport, kDefaultGamePort);
    if (game < 0 || game >= kMaxPort) {
        game = kDefaultGamePort;
    }
    return static_cast<std::uint16_t>(game + 1);
}

// The number of a datagram within its reply: M of the queryid "N.M".
[[nodiscard]] std::optional<std::int32_t> datagramNumber(std::string_view queryid) {
    const std::size_t dot = queryid.find('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> number = tk::parseInt(queryid.substr(dot + 1));
    if (!number || *number < 1) {
        return std::nullopt;
    }
    return number;
}

} // namespace

StatusQuery::StatusQuery(tk::Platform& platform, const cfg::SettingsBlock& settings,
                         ServerRecords& records, WatchControls& controls, ServerDisplay& display,
                         ServerTables& tables)
    : m_platform(platform), m_settings(settings), m_records(records), m_controls(controls),
      m_display(display), m_tables(tables) {}

void StatusQuery::actQueryServerExecute() {
    m_fireTicks = 0;
    m_controls.progtimer.setPosition(0);
    m_timeoutCount = 0;
    const bool on = !m_controls.qrytimer.enabled();
    m_controls.qrytimer.setEnabled(on);
    m_controls.actQueryServer.setChecked(on);
}

std::string StatusQuery::queryText(std::uint32_t tickCount) const {
    std::string text = "\\status\\\\level_property\\TimeSeconds\\";
    if (m_settings.Health) {
        text += "\\player_property\\health\\";
    }
    if (m_settings.Weapon) {
        text += "\\player_property\\weapon\\";
    }
    if (m_settings.Spree) {
        text += "\\player_property\\spree\\";
    }
    if (m_settings.Inventory) {
        text += "\\player_property\\inventory\\";
    }
    text += PingStamp(tickCount);
    text += tk::intText(m_records.watchSlot);
    return text;
}

void StatusQuery::qrytimerTimer() {
    if (m_fireTicks < m_settings.QueryInterval) {
        ++m_fireTicks;
        m_controls.progtimer.setPosition(m_fireTicks);
        return;
    }
    m_fireTicks = 0;
    m_controls.progtimer.setPosition(0);
    const std::string text = queryText(m_platform.tickCount());

    m_replyText.clear();
    m_replyOverflow = false;
    m_replyBytes = 0;
    m_packetIds.clear();
    m_controls.imgConn.setVisible(false);

    // Text, a zero byte, zeros up to the datagram size.
    std::string datagram = text.substr(0, kDatagramSize - 1);
    datagram.resize(kDatagramSize, '\0');
    sendDatagram(datagram);
}

void StatusQuery::sendDatagram(std::string_view datagram) {
    const ServerEntry* target = m_records.entry(m_records.watchSource, m_records.watchSlot);
    if (target == nullptr) {
        return; // nothing to address: like a failed send, no timeout
    }
    tk::UdpSocket& socket = m_controls.udpsock;
    socket.setRemote(target->address.str(), queryPort(target->hostport));
    if (!socket.send(datagram)) {
        // Swallowed; without a timeout such a server is never given up on.
        return;
    }
    // A timeout still running from an earlier query goes on counting.
    m_controls.timeout.setInterval(m_settings.QueryTimeout);
    m_controls.timeout.setEnabled(true);
}

void StatusQuery::udpsockDataReceived(std::string_view datagram) {
    datagram = datagram.substr(0, tk::UdpSocket::kMaxDatagram);
    const std::string_view text = datagram.substr(0, datagram.find('\0'));

    m_replyBytes += static_cast<std::int64_t>(datagram.size());
    m_records.totalBytes += static_cast<std::int64_t>(datagram.size());
    if (m_controls.statusBar.panelCount() > kStatusPanelBytes) {
        m_controls.statusBar.setPanelText(kStatusPanelBytes, tk::intText(m_records.totalBytes));
    }
    m_controls.txtLoss.setText(tk::intText(m_replyBytes));

    // A flood must not grow the reply without bound: what does not fit is
    // dropped, and a reply that lost bytes is never taken as complete.
    if (m_packetIds.size() < kMaxPacketIds) {
        m_packetIds.emplace_back(PacketValue("queryid", text));
    } else {
        m_replyOverflow = true;
    }
    const std::size_t room = kMaxReplyBytes - m_replyText.size();
    if (text.size() > room) {
        m_replyOverflow = true;
    }
    m_replyText.append(text.substr(0, room));

    if (text.find("\\final\\") == std::string_view::npos) {
        return;
    }
    m_timeoutCount = 0;
    if (replyComplete()) {
        StatusReply();
    }
}

bool StatusQuery::replyComplete() const {
    // Complete when the datagrams numbered 1 to the highest number have all
    // arrived, each once. Compared as numbers, so that replies of ten and
    // more datagrams complete too.
    if (m_replyOverflow || m_packetIds.empty()) {
        return false;
    }
    std::vector<std::int32_t> numbers;
    numbers.reserve(m_packetIds.size());
    for (const std::string& id : m_packetIds) {
        const std::optional<std::int32_t> number = datagramNumber(id);
        if (!number) {
            return false;
        }
        numbers.push_back(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end()) {
        return false;
    }
    return numbers.back() == static_cast<std::int32_t>(numbers.size());
}

void StatusQuery::StatusReply() {
    m_controls.timeout.setEnabled(false);
    const PlayerProperties properties{m_settings.Health, m_settings.Spree, m_settings.Weapon,
                                      m_settings.Inventory};
    ParseStatus(m_replyText, properties, m_platform.tickCount(), m_records);
    m_display.ShowRoster();
    m_display.ShowServerDetails();
    m_display.StoreWatchedEntry();
    if (onCheckLevelRestart) {
        onCheckLevelRestart();
    }
    if (onUpdateWar) {
        onUpdateWar();
    }
    m_packetIds.clear();
}

void StatusQuery::timeoutTimer() {
    m_controls.timeout.setEnabled(false);
    m_controls.imgConn.setVisible(true);
    ++m_timeoutCount;
    if (m_timeoutCount > m_settings.MaxTimeout) {
        giveUp();
    }
    m_fireTicks = m_settings.QueryInterval;
}

void StatusQuery::giveUp() {
    m_controls.qrytimer.setEnabled(false);
    m_timeoutCount = 0;
    // The menu items "Query selected" show this action's checked state.
    m_controls.actQueryServer.setChecked(false);
    const int slot = m_records.watchSlot;
    ServerEntry* entry = m_records.entry(m_records.watchSource, slot);
    if (entry == nullptr) {
        return;
    }
    entry->responded = false;
    if (m_records.watchSource == WatchSource::Favourites) {
        m_tables.ShowFavouriteRow(slot);
    } else {
        // No cell changes; the table is asked to draw itself again.
        m_controls.servertable.layoutChanged.notify();
    }
}

std::string StatusQuery::ReplyValue(std::string_view key) const {
    return std::string(PacketValue(key, m_replyText));
}

} // namespace query
