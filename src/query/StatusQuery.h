#pragma once

#include "query/Records.h"
#include "query/WatchControls.h"
#include "toolkit/Platform.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cfg {
struct SettingsBlock;
}

namespace query {

class ServerDisplay;
class ServerTables;

// The status query of the watched server: every QueryInterval + 1 ticks of
// qrytimer one query goes to the watched slot's query port; the datagrams of
// the reply are assembled until the final one completes it; a silent server
// is given up after more than MaxTimeout timeouts in a row.
class StatusQuery {
public:
    // The whole query datagram, zero-padded.
    static constexpr std::size_t kDatagramSize = 700;
    // replyText never grows beyond this; further bytes are dropped and the
    // reply can no longer complete.
    static constexpr std::size_t kMaxReplyBytes = 16000;
    // More datagrams than this in one reply are not a real server's.
    static constexpr std::size_t kMaxPacketIds = 256;

    StatusQuery(tk::Platform& platform, const cfg::SettingsBlock& settings, ServerRecords& records,
                WatchControls& controls, ServerDisplay& display, ServerTables& tables);

    // Handlers: actQueryServer, qrytimer, udpsock, timeout.
    void actQueryServerExecute();
    void qrytimerTimer();
    // One datagram as the socket delivered it; its sender is not checked.
    void udpsockDataReceived(std::string_view datagram);
    void timeoutTimer();

    // The value of key in the assembled reply, "" when absent.
    [[nodiscard]] std::string ReplyValue(std::string_view key) const;

    // Steps of a complete reply that belong to the war record: the level
    // restart check (a fresh war record when currentServer.TimeSeconds went
    // back) and the update of the war record and its page. Unset: skipped.
    std::function<void()> onCheckLevelRestart;
    std::function<void()> onUpdateWar;

    [[nodiscard]] const std::string& replyText() const { return m_replyText; }
    [[nodiscard]] const std::vector<std::string>& packetIds() const { return m_packetIds; }
    [[nodiscard]] int fireTicks() const { return m_fireTicks; }
    [[nodiscard]] int timeoutCount() const { return m_timeoutCount; }
    [[nodiscard]] std::int64_t replyBytes() const { return m_replyBytes; }

private:
    // The query text for the watched slot at the given tick count.
    [[nodiscard]] std::string queryText(std::uint32_t tickCount) const;
    void sendDatagram(std::string_view datagram);
    [[nodiscard]] bool replyComplete() const;
    void StatusReply();
    void giveUp();

    tk::Platform& m_platform;
    const cfg::SettingsBlock& m_settings;
    ServerRecords& m_records;
    WatchControls& m_controls;
    ServerDisplay& m_display;
    ServerTables& m_tables;

    std::string m_replyText;
    std::vector<std::string> m_packetIds;
    bool m_replyOverflow = false; // bytes or datagrams were dropped since the last query
    int m_timeoutCount = 0;
    int m_fireTicks = 0;
    std::int64_t m_replyBytes = 0;
};

} // namespace query
