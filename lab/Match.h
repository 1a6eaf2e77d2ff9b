#pragma once

#include "Random.h"
#include "Roster.h"
#include "ServerOptions.h"

#include <chrono>
#include <string>
#include <vector>

namespace utlab {

// What a server reports at one moment. The roster lists every player actor in the order the
// server walks them: humans, then bots, then spectators.
struct MatchState {
    std::vector<PlayerState> roster;
    double timeSeconds = 0.0;

    [[nodiscard]] int humans() const;
};

// The game running on one emulated server. A static match never changes; a live one is
// simulated in whole seconds of the given clock, reproducibly for a given seed: kills move
// frags, sprees, health and weapons (in a team game, kills go across the teams), pings wander
// around each player's own line, players join and leave, and when the time limit is over the
// level restarts (TimeSeconds drops back near 0, frags reset). What a war record must cope with
// also happens now and then, each once every one to two minutes with twelve players: a player
// drops and reconnects under the same name with his frags back at 0, on the same or the other
// team; a player renames himself ("|AFK|", a clan tag) and keeps his frags; in a team game a
// player switches teams and keeps his frags.
class Match {
public:
    explicit Match(const ServerOptions& options);

    // Brings the match to `now` (time since the server started). Earlier times are ignored;
    // a jump of more than an hour simulates only the last hour.
    void advance(std::chrono::milliseconds now);

    [[nodiscard]] const MatchState& state() const { return m_state; }
    [[nodiscard]] int levelRestarts() const { return m_restarts; }

private:
    void step();
    void fight();
    void joinOrLeave();
    void dropOut();
    void comeBack();
    void rename();
    void switchTeam();
    void restartLevel();
    [[nodiscard]] bool eventDue(double secondsPerEvent);
    [[nodiscard]] int teamForNewcomer() const;
    [[nodiscard]] std::vector<std::size_t> fighters() const;
    [[nodiscard]] bool nameTaken(const std::string& name) const;

    // A player who dropped out and will be back under the same name.
    struct Away {
        PlayerState player;
        long backAt = 0; // the second of play he tries to reconnect
        long giveUp = 0; // the second he stops trying when the server stays full
    };

    bool m_live;
    bool m_teams;
    int m_maxHumans;
    double m_levelLength;
    Random m_random;
    Roster m_roster;
    MatchState m_state;
    double m_levelTime = 0.0;
    std::chrono::milliseconds m_clock{0};
    long m_played = 0; // whole seconds simulated
    std::vector<Away> m_away;
    int m_restarts = 0;
};

} // namespace utlab
