#pragma once

#include "toolkit/FixedText.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace query {

// One game server. Texts are 8-bit, zero-terminated and cut to their width
// minus one.
struct ServerEntry {
    tk::FixedText<128> hostname;
    tk::FixedText<30> address;
    tk::FixedText<6> hostport; // game port; the query port is this + 1
    tk::FixedText<4> gamever;
    tk::FixedText<4> minnetver;
    tk::FixedText<40> gametype;
    tk::FixedText<40> gamestyle;
    std::int32_t numplayers = 0;
    std::int32_t maxplayers = 0;
    tk::FixedText<30> mapname;
    tk::FixedText<30> maptitle;
    tk::FixedText<5> friendlyfire;
    tk::FixedText<2> maxteams;
    tk::FixedText<6> tournament;
    tk::FixedText<4> goalteamscore;
    tk::FixedText<9> balanceteams;
    std::int32_t ping = 0;
    bool responded = false;
    std::int32_t TimeSeconds = 0;
    std::int32_t timelimit = 0;
    std::int32_t fraglimit = 0;
    std::int32_t echoSlot = 0; // currentServer only: the slot the reply belongs to
};

// One player of the watched server.
struct PlayerRecord {
    tk::FixedText<52> name;
    std::int32_t ping = 0;
    std::int32_t team = 0;
    std::int32_t frags = 0;
    tk::FixedText<50> mesh;
    tk::FixedText<50> skin;
    tk::FixedText<50> face;
    tk::FixedText<20> ngsecret; // "Enabled" or empty
    tk::FixedText<6> health;
    tk::FixedText<50> weapon;
    tk::FixedText<50> inventory;
    std::int32_t spree = 0;
};

constexpr int kFavouriteSlots = 100;   // slot 0 unused: 99 favourites
constexpr int kServerListSlots = 4000; // slot 0 unused
// The players of one reply: slot 0 unused, up to kMaxPlayers players, then
// the trailing empty record of the parser's extra pass. Servers with 32
// players and their spectators are common.
constexpr int kMaxPlayers = 64;
constexpr int kPlayerSlots = kMaxPlayers + 2;

// The table the watched server was chosen from.
enum class WatchSource : std::int32_t { Favourites = 1, ServerList = 2 };

// The player properties asked for with every status query, each shown as a
// roster column of its own.
struct PlayerProperties {
    bool health = false;
    bool spree = false;
    bool weapon = false;
    bool inventory = false;
};

// The server records shared by the subsystems: the favourites, the server
// list, the watched server and its players. Owned by the main window.
struct ServerRecords {
    std::array<ServerEntry, kFavouriteSlots> favourites{};
    std::array<ServerEntry, kServerListSlots> serverList{};
    ServerEntry currentServer{};
    std::array<PlayerRecord, kPlayerSlots> players{};
    std::int32_t playerEnd = 0; // one past the last player slot of the latest reply
    WatchSource watchSource = WatchSource::Favourites;
    std::int32_t watchSlot = 1;
    bool warRecording = false;
    std::int32_t favouriteEnd = 1; // one past the last favourite
    std::int32_t serverRows = 0;   // filled slots of serverList
    std::int64_t totalBytes = 0;   // bytes received by all sockets since start

    // The slot of a table, nullptr for a slot outside it (slot 0 included).
    [[nodiscard]] ServerEntry* entry(WatchSource source, int slot);
    [[nodiscard]] const ServerEntry* entry(WatchSource source, int slot) const;
};

inline const ServerEntry* ServerRecords::entry(WatchSource source, int slot) const {
    if (slot < 1) {
        return nullptr;
    }
    switch (source) {
    case WatchSource::Favourites:
        return slot < kFavouriteSlots ? &favourites[static_cast<std::size_t>(slot)] : nullptr;
    case WatchSource::ServerList:
        return slot < kServerListSlots ? &serverList[static_cast<std::size_t>(slot)] : nullptr;
    }
    return nullptr;
}

inline ServerEntry* ServerRecords::entry(WatchSource source, int slot) {
    return const_cast<ServerEntry*>(std::as_const(*this).entry(source, slot));
}

} // namespace query
