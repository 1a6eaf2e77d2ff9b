#include "war/WarUpdate.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace war {

namespace {

// Sums of figures a server sent may leave the 32-bit range of the record;
// they are kept at its ends instead of wrapping.
[[nodiscard]] std::int32_t saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

[[nodiscard]] std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

using HistoryName = decltype(PlayerHistory::name);

// The history of a player: the slot that already carries his name, or the
// first free one. Slots are taken in order and never given back, so the
// first free slot comes after every used one. The name is compared as the
// slot stores it, cut to its width, so a long name finds its own slot again.
// nullptr when every slot the server allows is taken by others.
[[nodiscard]] PlayerHistory* historyOf(WarRecord& record, const HistoryName& name,
                                       std::int32_t maxplayers) {
    const int slots = std::clamp(maxplayers, 0, kWarHistories);
    for (int slot = 0; slot < slots; ++slot) {
        PlayerHistory& history = record.histories[at(slot)];
        if (history.count == 0 || history.name == name) {
            return &history;
        }
    }
    return nullptr;
}

void addToHistory(PlayerHistory& history, const query::PlayerRecord& player,
                  const HistoryName& name, std::int32_t time) {
    history.name = name;
    history.team = player.team;
    history.ping = player.ping;
    history.frags = player.frags;
    // Beyond kWarSamples the ring keeps the latest ones.
    history.samples[at(history.count % kWarSamples)] = WarSample{0, player.frags, time};
    if (history.count < std::numeric_limits<std::int32_t>::max()) {
        ++history.count;
    }
}

// Frags that vanished with players who left: the team has fewer players than
// at the last update and fewer frags than its last sample.
void addDeparted(std::int32_t& departed, std::int32_t playersBefore, const WarSample& before,
                 const TeamFigures& now) {
    if (playersBefore > now.players && before.frags > now.frags) {
        departed = saturate(std::int64_t{departed} + (before.frags - now.frags));
    }
}

} // namespace

void NewWarRecord(WarRecord& record, std::string_view teamAName, std::string_view teamBName,
                  std::string_view map, std::string_view gametype, std::string_view hostname) {
    record = WarRecord{};
    record.active = true;
    record.hostname = hostname;
    record.map = map;
    record.gametype = gametype;
    record.teamAName = teamAName;
    record.teamBName = teamBName;
}

bool IsLevelRestart(const WarRecord& record, const query::ServerEntry& server) {
    return server.TimeSeconds < record.levelSeconds;
}

int storedPlayers(const query::ServerRecords& records) {
    // Slot 0 is unused and the parser's trailing empty record follows the
    // last player.
    return std::clamp(std::min(records.currentServer.numplayers, records.playerEnd - 2), 0,
                      query::kMaxPlayers);
}

WarFigures FoldReply(WarRecord& record, const query::ServerRecords& records,
                     std::string_view teamAName, std::string_view teamBName) {
    const query::ServerEntry& server = records.currentServer;
    WarFigures now;

    const int n = storedPlayers(records);
    for (int slot = 1; slot <= n; ++slot) {
        const query::PlayerRecord& player = records.players[at(slot)];
        // A server that counts more players than it lists leaves their
        // records empty: no one to count, no history to give.
        if (player.name.empty()) {
            continue;
        }
        record.maxPlayerFrags = std::max(record.maxPlayerFrags, player.frags);
        const HistoryName name(player.name.view());
        if (PlayerHistory* history = historyOf(record, name, server.maxplayers)) {
            addToHistory(*history, player, name, server.TimeSeconds);
        }
        // Other teams (spectators are 255) count for neither.
        TeamFigures* team = player.team == 0 ? &now.red : player.team == 1 ? &now.blue : nullptr;
        if (team != nullptr) {
            ++team->players;
            team->frags += player.frags;
            team->pingSum += player.ping;
        }
    }

    const int previous = (record.sampleIndex + kWarSamples - 1) % kWarSamples;
    addDeparted(record.redDeparted, record.redCount, record.redSeries[at(previous)], now.red);
    addDeparted(record.blueDeparted, record.blueCount, record.blueSeries[at(previous)], now.blue);
    now.red.departed = record.redDeparted;
    now.blue.departed = record.blueDeparted;

    if (!teamAName.empty() && !teamBName.empty()) {
        record.teamAName = teamAName;
        record.teamBName = teamBName;
    }

    record.gametype = server.gametype.view();
    record.timelimit = server.timelimit;
    record.levelSeconds = server.TimeSeconds;
    record.map = server.mapname.view();
    record.hostname = server.hostname.view();
    record.redCount = now.red.players;
    record.blueCount = now.blue.players;

    const int index = record.sampleIndex;
    record.redSeries[at(index)] =
        WarSample{record.redDeparted, saturate(now.red.frags), record.levelSeconds};
    record.blueSeries[at(index)] =
        WarSample{record.blueDeparted, saturate(now.blue.frags), record.levelSeconds};
    record.maxTeamTotal =
        std::max({record.maxTeamTotal, saturate(now.red.total()), saturate(now.blue.total())});
    record.sampleIndex = (index + 1) % kWarSamples;
    return now;
}

} // namespace war
