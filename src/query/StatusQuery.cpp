#include "query/StatusQuery.h"

#include "query/ReplyText.h"
#include "query/ServerDisplay.h"
#include "query/ServerTables.h"
#include "query/StatusParser.h"
#include "settings/SettingsBlock.h"
#include "toolkit/Number.h"

#include <algorithm>

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

// The echo a reply to the stamp brings back: "ping_" + tick + "|" + slot.
[[nodiscard]] std::string echoOf(std::uint32_t tickCount, int slot) {
    return "ping_" + std::to_string(tickCount) + "|" + std::to_string(slot);
}

} // namespace

StatusQuery::StatusQuery(tk::Platform& platform, const cfg::SettingsBlock& settings,
                         ServerRecords& records, WatchControls& controls, ServerDisplay& display,
                         ServerTables& tables)
    : qrytimer(platform, 1000), timeout(platform, 990), udpsock(platform), m_platform(platform),
      m_settings(settings), m_records(records), m_controls(controls), m_display(display),
      m_tables(tables) {}

void StatusQuery::actQueryServerExecute() {
    m_fireTicks = 0;
    m_controls.progtimer.setPosition(0);
    m_timeoutCount = 0;
    const bool on = !qrytimer.enabled();
    qrytimer.setEnabled(on);
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
    const std::uint32_t tick = m_platform.tickCount();
    const std::string text = queryText(tick);

    m_replyBytes = 0;
    m_controls.imgConn.setVisible(false);

    // Text, a zero byte, zeros up to the datagram size.
    std::string datagram = text.substr(0, kDatagramSize - 1);
    datagram.resize(kDatagramSize, '\0');
    send(datagram, tick);
}

std::optional<StatusQuery::Target> StatusQuery::watchedTarget() const {
    const ServerEntry* entry = m_records.entry(m_records.watchSource, m_records.watchSlot);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return Target{m_records.watchSource, m_records.watchSlot, entry->address.str(),
                  queryPort(entry->hostport)};
}

void StatusQuery::send(std::string_view datagram, std::uint32_t tickCount) {
    const std::optional<Target> target = watchedTarget();
    if (!target) {
        return; // nothing to address: like a failed send, no timeout
    }
    if (target != m_target) {
        // Another server: nothing that was asked of the last one may show.
        m_assembly.clear();
        m_echoes.clear();
        m_target = target;
    }
    m_assembly.newQuery();
    m_echoes.push_back(echoOf(tickCount, target->slot));
    if (m_echoes.size() > kRememberedQueries) {
        m_echoes.pop_front();
    }
    udpsock.setRemote(target->host, target->port);
    // A send that fails (a host name that does not resolve) is a query
    // without an answer: the timeout counts it, so such a server is given
    // up like a silent one instead of being asked for ever.
    (void)udpsock.send(datagram);
    // A timeout still running from an earlier query goes on counting.
    timeout.setInterval(m_settings.QueryTimeout);
    timeout.setEnabled(true);
}

void StatusQuery::udpsockDataReceived(std::string_view datagram, const std::string& fromHost,
                                      std::uint16_t fromPort) {
    // Only the server the queries went to may answer them.
    if (!m_target || fromPort != m_target->port || !udpsock.sameHost(m_target->host, fromHost)) {
        return;
    }
    datagram = datagram.substr(0, tk::UdpSocket::kMaxDatagram);
    const std::string_view text = datagram.substr(0, datagram.find('\0'));

    m_replyBytes += static_cast<std::int64_t>(datagram.size());
    m_records.totalBytes += static_cast<std::int64_t>(datagram.size());
    if (m_controls.statusBar.panelCount() > kStatusPanelBytes) {
        m_controls.statusBar.setPanelText(kStatusPanelBytes, tk::intText(m_records.totalBytes));
    }
    m_controls.txtLoss.setText(tk::intText(m_replyBytes));

    if (m_assembly.add(text) && answersOurQuery(m_assembly.reply())) {
        StatusReply();
    }
}

bool StatusQuery::answersOurQuery(std::string_view reply) const {
    // The watched slot may have changed since the query went out.
    if (watchedTarget() != m_target) {
        return false;
    }
    const std::string_view echo = echoValue(reply);
    // A server that sends no echo cannot tell; its sender was checked.
    return echo.empty() || std::find(m_echoes.begin(), m_echoes.end(), echo) != m_echoes.end();
}

void StatusQuery::StatusReply() {
    m_timeoutCount = 0;
    timeout.setEnabled(false);
    const PlayerProperties properties{m_settings.Health, m_settings.Spree, m_settings.Weapon,
                                      m_settings.Inventory};
    ParseStatus(m_assembly.reply(), properties, m_platform.tickCount(), m_records);
    // The details show the address and port the queries go to, not the game
    // port the server reports (behind port forwarding that is its inner one).
    if (const ServerEntry* slot = m_records.entry(m_records.watchSource, m_records.watchSlot)) {
        m_records.currentServer.address = slot->address;
        m_records.currentServer.hostport = slot->hostport;
    }
    m_display.ShowRoster();
    m_display.ShowServerDetails();
    m_display.StoreWatchedEntry();
    if (onCheckLevelRestart) {
        onCheckLevelRestart();
    }
    if (onUpdateWar) {
        onUpdateWar();
    }
}

void StatusQuery::timeoutTimer() {
    timeout.setEnabled(false);
    m_controls.imgConn.setVisible(true);
    ++m_timeoutCount;
    if (m_timeoutCount > m_settings.MaxTimeout) {
        giveUp();
    }
    m_fireTicks = m_settings.QueryInterval;
}

void StatusQuery::giveUp() {
    qrytimer.setEnabled(false);
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
    return std::string(PacketValue(key, m_assembly.reply()));
}

} // namespace query
