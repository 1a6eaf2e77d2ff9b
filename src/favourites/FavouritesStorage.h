#pragma once

#include "query/Records.h"
#include "toolkit/IniFile.h"

#include <array>
#include <cstdint>
#include <filesystem>

namespace favourites {

using FavouriteSlots = std::array<query::ServerEntry, query::kFavouriteSlots>;

// The settings file's section that holds the favourites.
inline constexpr std::string_view kFavouritesSection = "Favorites";

// Reads the stored list into the slots and returns the new favouriteEnd (one
// past the last favourite; 1 for an empty list). Slots 1 to end - 1 get their
// name, address and port from the file ("0" for a missing key), responded
// off, ping 9999 and the game type "No response"; their other fields, and
// every slot from end on, keep what they held. A missing or non-numeric
// count, or one below 1, gives an empty list; a count beyond the slots is cut
// to them. favouriteEnd itself is left to the caller, which still needs the
// old value to clear the rows beyond the new list.
[[nodiscard]] std::int32_t readFavourites(const tk::IniFile& ini, FavouriteSlots& slots);

// Replaces the section with slots 1 to favouriteEnd - 1: FavHost[i], FavIP[i],
// FavPort[i] for each, then FavCount. A favouriteEnd outside 1..slots is cut
// to that range.
void writeFavourites(tk::IniFile& ini, const FavouriteSlots& slots, std::int32_t favouriteEnd);

// The same on the settings file. Reading gives an empty list (1) when the
// file cannot be read. Writing returns false when the file cannot be written,
// or when it exists but cannot be read (writing it then would lose the
// settings and column widths it also holds).
[[nodiscard]] std::int32_t readFavourites(const std::filesystem::path& path,
                                          query::ServerRecords& records);
[[nodiscard]] bool writeFavourites(const std::filesystem::path& path,
                                   const query::ServerRecords& records);

} // namespace favourites
