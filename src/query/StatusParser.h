#pragma once

#include "query/Records.h"

#include <cstdint>
#include <string_view>

namespace query {

// Players stored from one reply: slots 1 to kMaxPlayers (64) hold players,
// the slot after them the trailing empty record of the extra pass. A reply
// announcing more players is cut to this many (its numplayers is stored as
// announced; readers that walk "slots 1 to numplayers" must stop at
// playerEnd - 2).
inline constexpr std::int32_t kMaxStoredPlayers = kPlayerSlots - 2;

// Parses a complete status reply (its datagrams joined) into
// records.currentServer, records.players and records.playerEnd, reading the
// reply's pairs once. tickNow is the tick count at parse time (for the
// ping); records.watchSlot is the default of the echo slot. Never fails.
void ParseStatus(std::string_view replyText, const PlayerProperties& properties,
                 std::uint32_t tickNow, ServerRecords& records);

} // namespace query
