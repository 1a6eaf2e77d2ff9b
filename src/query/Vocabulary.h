#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace query {

// The game's internal vocabulary turned into the texts the user sees.
// "Contains" is always a case-sensitive search; the first rule that matches
// decides.

// The spree title for a kill count: " " below 5 and from 99 on.
[[nodiscard]] std::string SpreeName(std::int32_t kills);
// A display name for a game-type class name, or the class name itself.
[[nodiscard]] std::string GameTypeName(std::string_view className);
// "red", "blue", "green", "gold", or "none".
[[nodiscard]] std::string TeamName(std::int32_t team);
// The weapon number of a weapon class, -1 when no rule matches.
[[nodiscard]] std::int32_t WeaponIndex(std::string_view className);
// The display name of a weapon number, "unknown" for any other number.
[[nodiscard]] std::string WeaponName(std::int32_t index);
// The display name of an inventory item, or the item up to its first "'".
[[nodiscard]] std::string InventoryName(std::string_view item);
// The war clock: the time left (with a limit in minutes) or played, as mm:ss.
[[nodiscard]] std::string ClockText(std::int32_t seconds, std::int32_t limitMinutes);
// Whether the map file <gameFolder>\maps\<mapName>.unr exists.
[[nodiscard]] bool MapInstalled(std::string_view mapName, std::string_view gameFolder);

} // namespace query
