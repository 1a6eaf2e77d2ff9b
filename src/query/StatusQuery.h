#pragma once

#include "query/Records.h"
#include "query/ReplyAssembly.h"
#include "query/WatchControls.h"
#include "toolkit/Platform.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace cfg {
struct SettingsBlock;
}

namespace query {

class ServerDisplay;
class ServerTables;

// The status query of the watched server: every QueryInterval + 1 ticks of
// qrytimer one query goes to the watched slot's query port; the datagrams of
// the reply are assembled until it is whole; a silent server is given up
// after more than MaxTimeout timeouts in a row. Owns its timers and socket.
class StatusQuery {
public:
    // The whole query datagram, zero-padded.
    static constexpr std::size_t kDatagramSize = 700;
    // Echo stamps remembered for replies that come in late.
    static constexpr std::size_t kRememberedQueries = 8;

    StatusQuery(tk::Platform& platform, const cfg::SettingsBlock& settings, ServerRecords& records,
                WatchControls& controls, ServerDisplay& display, ServerTables& tables);

    // Handlers: actQueryServer, qrytimer, udpsock, timeout.
    void actQueryServerExecute();
    void qrytimerTimer();
    // One datagram as the socket delivered it, with its sender.
    void udpsockDataReceived(std::string_view datagram, const std::string& fromHost,
                             std::uint16_t fromPort);
    void timeoutTimer();

    // The value of key in the last whole reply, "" when absent.
    [[nodiscard]] std::string ReplyValue(std::string_view key) const;

    // Steps of a whole reply that belong to the war record: the level
    // restart check (a fresh war record when currentServer.TimeSeconds went
    // back) and the update of the war record and its page. Unset: skipped.
    std::function<void()> onCheckLevelRestart;
    std::function<void()> onUpdateWar;

    [[nodiscard]] const std::string& replyText() const { return m_assembly.reply(); }
    [[nodiscard]] std::size_t heldDatagrams() const { return m_assembly.heldDatagrams(); }
    [[nodiscard]] int fireTicks() const { return m_fireTicks; }
    [[nodiscard]] int timeoutCount() const { return m_timeoutCount; }
    [[nodiscard]] std::int64_t replyBytes() const { return m_replyBytes; }

    tk::Timer qrytimer;
    tk::Timer timeout;
    tk::UdpSocket udpsock;

private:
    // Where the queries of the watched slot go.
    struct Target {
        WatchSource source = WatchSource::Favourites;
        int slot = 0;
        std::string host;
        std::uint16_t port = 0;
        bool operator==(const Target&) const = default;
    };

    [[nodiscard]] std::optional<Target> watchedTarget() const;
    // The query text for the watched slot at the given tick count.
    [[nodiscard]] std::string queryText(std::uint32_t tickCount) const;
    void send(std::string_view datagram, std::uint32_t tickCount);
    // A whole reply that answers one of this target's queries.
    [[nodiscard]] bool answersOurQuery(std::string_view reply) const;
    void StatusReply();
    void giveUp();

    tk::Platform& m_platform;
    const cfg::SettingsBlock& m_settings;
    ServerRecords& m_records;
    WatchControls& m_controls;
    ServerDisplay& m_display;
    ServerTables& m_tables;

    ReplyAssembly m_assembly;
    std::optional<Target> m_target;   // of the latest query sent
    std::deque<std::string> m_echoes; // of the latest queries to m_target
    int m_timeoutCount = 0;
    int m_fireTicks = 0;
    std::int64_t m_replyBytes = 0;
};

} // namespace query
