#include "favourites/FavouritesStorage.h"

#include <algorithm>
#include <string>

namespace favourites {

namespace {

constexpr std::int32_t kEmptyEnd = 1;
constexpr std::int32_t kMaxEnd = query::kFavouriteSlots;
constexpr std::int32_t kNoResponsePing = 9999;

std::string indexedKey(std::string_view name, std::int32_t i) {
    return std::string(name) + "[" + std::to_string(i) + "]";
}

std::size_t slotIndex(std::int32_t i) {
    return static_cast<std::size_t>(i);
}

} // namespace

std::int32_t readFavourites(const tk::IniFile& ini, FavouriteSlots& slots) {
    std::int32_t end = ini.readInteger(kFavouritesSection, "FavCount", kEmptyEnd);
    if (end < kEmptyEnd) {
        end = kEmptyEnd;
    }
    end = std::min(end, kMaxEnd);
    for (std::int32_t i = 1; i < end; ++i) {
        query::ServerEntry& slot = slots[slotIndex(i)];
        slot.hostname = ini.readString(kFavouritesSection, indexedKey("FavHost", i), "0");
        slot.address = ini.readString(kFavouritesSection, indexedKey("FavIP", i), "0");
        slot.hostport = ini.readString(kFavouritesSection, indexedKey("FavPort", i), "0");
        slot.responded = false;
        slot.ping = kNoResponsePing;
        slot.gametype = "No response";
    }
    return end;
}

void writeFavourites(tk::IniFile& ini, const FavouriteSlots& slots, std::int32_t favouriteEnd) {
    const std::int32_t end = std::clamp(favouriteEnd, kEmptyEnd, kMaxEnd);
    ini.eraseSection(kFavouritesSection);
    for (std::int32_t i = 1; i < end; ++i) {
        const query::ServerEntry& slot = slots[slotIndex(i)];
        ini.writeString(kFavouritesSection, indexedKey("FavHost", i), slot.hostname);
        ini.writeString(kFavouritesSection, indexedKey("FavIP", i), slot.address);
        ini.writeString(kFavouritesSection, indexedKey("FavPort", i), slot.hostport);
    }
    ini.writeInteger(kFavouritesSection, "FavCount", end);
}

std::int32_t readFavourites(const std::filesystem::path& path, query::ServerRecords& records) {
    tk::IniFile ini;
    static_cast<void>(ini.load(path)); // an unreadable file reads as an empty one
    return readFavourites(ini, records.favourites);
}

bool writeFavourites(const std::filesystem::path& path, const query::ServerRecords& records) {
    tk::IniFile ini;
    if (ini.load(path) == tk::IniLoadResult::Unreadable) {
        return false;
    }
    ini.setLineEnding("\r\n"); // the settings file's lines end in CR LF
    writeFavourites(ini, records.favourites, records.favouriteEnd);
    return ini.save(path);
}

} // namespace favourites
