#pragma once

#include "toolkit/Color.h"
#include "toolkit/FixedText.h"

#include <array>
#include <cstdint>

namespace cfg {

// The default master server: a list server that is in service today.
inline constexpr const char* kDefaultMasterServer = "master.333networks.com:28900";
// The first of the three local UDP ports.
inline constexpr std::int32_t kDefaultLocalPort = 54321;

// Every user setting. Each field is named after its key in skarvell.ini;
// the defaults are the values used when a key is missing. Text fields hold
// at most the number of characters named in their type's comment.
struct SettingsBlock {
    // [Settings]
    bool FirstRun = true;
    std::int32_t QueryInterval = 2;   // seconds between two status queries
    std::int32_t QueryTimeout = 2000; // ms to wait for a status reply
    std::int32_t MaxTimeout = 5;      // unanswered queries in a row before giving up
    bool qryFavsOnStartup = false;
    bool qryMasterOnStartup = false;
    bool LoadListOnStartup = false;
    std::int32_t PingInterval = 20; // ms between two pings
    bool usePlayerColor = true;
    tk::FixedText<255> UTDir; // 254 characters, no trailing separator
    bool DoHTTP = true;
    bool UTINIBackup = true;
    tk::FixedText<100> MasterserverURI{kDefaultMasterServer}; // 99 characters
    bool AutoPingFavs = true;
    std::int32_t AutoInterval = 5; // seconds between two favourites refresh passes
    // [Colors]
    tk::Color Background = 0xFFFFFF;
    tk::Color Grid = 0xC0C0C0;
    tk::Color Font = 0xC0C0C0;
    tk::Color TeamA = 0x000080;
    tk::Color TeamB = 0x800000;
    std::array<tk::Color, 32> Player = filledPlayerColors();
    // [Web-Server]
    bool AutoSaveStats = false;
    std::int32_t SaveStatsInterval = 60;
    std::int32_t StatsWidth = 400;
    std::int32_t StatsHeight = 300;
    tk::FixedText<255> SaveTo; // 254 characters
    // [IRC]
    tk::FixedText<101> server; // 100 characters
    std::int32_t Port = 6667;
    tk::FixedText<30> channel;  // 29 characters
    tk::FixedText<30> nickname; // 29 characters
    // [Settings]
    bool HostAutoUpdate = true;
    bool Spree = false;
    bool Health = true;
    bool Weapon = false;
    bool Inventory = false;
    std::int32_t Ports = kDefaultLocalPort; // first of three local UDP ports

private:
    static constexpr std::array<tk::Color, 32> filledPlayerColors() {
        std::array<tk::Color, 32> a{};
        for (auto& c : a) {
            c = 0xC0C0C0;
        }
        return a;
    }
};

// The three local UDP ports (refresh, status query, ping sweep) from the
// first one. Three consecutive ports must fit; anything else takes the
// default.
[[nodiscard]] constexpr std::array<std::uint16_t, 3> localUdpPorts(std::int32_t first) {
    if (first < 1 || first > 65533) {
        first = kDefaultLocalPort;
    }
    const auto p = static_cast<std::uint16_t>(first);
    return {p, static_cast<std::uint16_t>(p + 1), static_cast<std::uint16_t>(p + 2)};
}

} // namespace cfg
