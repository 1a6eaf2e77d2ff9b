#pragma once

#include "query/Records.h"
#include "war/WarRecord.h"

#include <cstdint>
#include <string_view>

namespace war {

// One team's figures from the latest reply.
struct TeamFigures {
    std::int32_t players = 0;  // present now
    std::int64_t frags = 0;    // sum over the present players
    std::int64_t pingSum = 0;  // sum over the present players
    std::int32_t departed = 0; // frags of players who left, as the record keeps them

    // What the team really scored: the present players' frags and those
    // that left with departed players.
    [[nodiscard]] std::int64_t total() const { return frags + departed; }
};

struct WarFigures {
    TeamFigures red;
    TeamFigures blue;
};

// Makes `record` a fresh record of a running war: no samples, no
// histories, the given names and facts. Filled in place: a record is about
// 300 KB.
void NewWarRecord(WarRecord& record, std::string_view teamAName, std::string_view teamBName,
                  std::string_view map, std::string_view gametype, std::string_view hostname);

// Whether the watched server's level time went back since the record's last
// update: the level restarted and its war starts afresh.
[[nodiscard]] bool IsLevelRestart(const WarRecord& record, const query::ServerEntry& server);

// Folds the reply the parser has just stored in `records` into `record`:
// the players' histories, the departed frags, the facts of the match, the
// team names (taken only when both are non-empty), one sample of each team
// and the maxima. Returns the team figures the war page shows.
WarFigures FoldReply(WarRecord& record, const query::ServerRecords& records,
                     std::string_view teamAName, std::string_view teamBName);

// The players of the latest reply that are really stored: slots 1 to this
// number of `records.players`. A server may announce more than it sent or
// than fit.
[[nodiscard]] int storedPlayers(const query::ServerRecords& records);

} // namespace war
