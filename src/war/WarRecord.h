#pragma once

#include "query/Records.h"
#include "toolkit/FixedText.h"

#include <array>
#include <cstdint>

namespace war {

// Samples kept per team and per player: the latest ones, as a ring.
inline constexpr int kWarSamples = 400;
// Player histories per war: as many players as a reply holds.
inline constexpr int kWarHistories = query::kMaxPlayers;

// One point of a team's or a player's course. A team's total is frags +
// departed; a player's departed is always 0.
struct WarSample {
    std::int32_t departed = 0;
    std::int32_t frags = 0;
    std::int32_t time = 0; // the level time of the update, in seconds
};

// One player seen during the war, in order of first appearance.
struct PlayerHistory {
    tk::FixedText<32> name; // empty while the slot is free
    std::int32_t team = -1; // 0 red, 1 blue; -1 while the slot is free
    std::int32_t frags = 0;
    std::int32_t ping = 0;
    // Samples taken so far; 0 while the slot is free. Beyond kWarSamples the
    // ring holds the latest kWarSamples, the oldest at count % kWarSamples.
    std::int32_t count = 0;
    std::array<WarSample, kWarSamples> samples{};
};

// The record of one war: the facts of the match, the team names, the course
// of both teams and of every player.
struct WarRecord {
    bool active = false;           // belongs to a running war
    bool finished = false;         // a stopped war: its graphs stay until the next war starts
    std::int32_t sampleIndex = 0;  // the ring slot of the next team sample
    std::int32_t levelSeconds = 0; // the server's level time at the last update
    std::int32_t clockSeconds = 0; // the war clock
    std::int32_t timelimit = 0;    // minutes; 0 for none
    tk::FixedText<128> hostname;
    tk::FixedText<30> map;
    tk::FixedText<30> gametype;
    std::int32_t redCount = 0;
    std::int32_t blueCount = 0;
    tk::FixedText<20> teamAName;
    tk::FixedText<20> teamBName;
    std::array<PlayerHistory, kWarHistories> histories{};
    std::array<WarSample, kWarSamples> redSeries{};
    std::array<WarSample, kWarSamples> blueSeries{};
    std::int32_t redDeparted = 0;
    std::int32_t blueDeparted = 0;
    std::int32_t maxPlayerFrags = 0;
    std::int32_t maxTeamTotal = 0;
};

} // namespace war
