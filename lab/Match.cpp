#include "Match.h"

#include <algorithm>
#include <cmath>

namespace utlab {
namespace {

constexpr std::chrono::milliseconds kStep{1000};
constexpr std::chrono::milliseconds kMaxCatchUp = std::chrono::hours(1);
constexpr double kKillChance = 0.35;
constexpr double kJoinOrLeaveChance = 1.0 / 45.0;

} // namespace

int MatchState::humans() const {
    return static_cast<int>(std::ranges::count(roster, Role::Human, &PlayerState::role));
}

Match::Match(const ServerOptions& options)
    : m_live(options.live), m_teams(isTeamGame(options.gameType)),
      m_maxHumans(std::max(options.maxPlayers - options.bots, 0)),
      m_levelLength(60.0 * (options.timeLimit > 0 ? options.timeLimit : 20)),
      m_random(options.seed), m_roster(m_random, options.longNames) {
    const int humans = std::max(options.players, static_cast<int>(options.playerNames.size()));
    for (int i = 0; i < humans; ++i) {
        const int team = m_teams ? i % 2 : kNoTeam;
        m_state.roster.push_back(i < static_cast<int>(options.playerNames.size())
                                     ? m_roster.human(m_random, options.playerNames[i], team)
                                     : m_roster.human(m_random, team));
    }
    for (int i = 0; i < options.bots; ++i) {
        m_state.roster.push_back(m_roster.bot(m_random, m_teams ? (humans + i) % 2 : kNoTeam));
    }
    for (int i = 0; i < options.spectators; ++i) {
        m_state.roster.push_back(m_roster.spectator(m_random));
    }
    const double whole = m_random.between(30, static_cast<int>(m_levelLength / 2));
    m_levelTime = whole + m_random.between(0, 99) / 100.0;
    m_state.timeSeconds = m_levelTime;
}

void Match::advance(std::chrono::milliseconds now) {
    if (!m_live || now <= m_clock) {
        return;
    }
    if (now - m_clock > kMaxCatchUp) {
        m_clock = now - kMaxCatchUp;
    }
    while (now - m_clock >= kStep) {
        m_clock += kStep;
        step();
    }
    m_state.timeSeconds = m_levelTime + std::chrono::duration<double>(now - m_clock).count();
}

void Match::step() {
    m_levelTime += 1.0;
    if (m_levelTime >= m_levelLength) {
        restartLevel();
        return;
    }
    for (PlayerState& player : m_state.roster) {
        if (player.role != Role::Bot) {
            player.ping = std::clamp(player.ping + m_random.between(-4, 4), 5, 400);
        }
    }
    if (m_random.chance(kKillChance)) {
        fight();
    }
    if (m_random.chance(kJoinOrLeaveChance)) {
        joinOrLeave();
    }
}

std::vector<std::size_t> Match::fighters() const {
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < m_state.roster.size(); ++i) {
        if (m_state.roster[i].role != Role::Spectator) {
            indices.push_back(i);
        }
    }
    return indices;
}

void Match::fight() {
    const std::vector<std::size_t> candidates = fighters();
    if (candidates.size() < 2) {
        return;
    }
    PlayerState& killer = m_state.roster[candidates[m_random.below(candidates.size())]];
    PlayerState& victim = m_state.roster[candidates[m_random.below(candidates.size())]];
    if (&killer == &victim) {
        victim.frags -= 1; // a suicide
    } else {
        killer.frags += 1;
        killer.spree += 1;
        killer.health = std::max(1, killer.health - m_random.between(0, 60));
        if (m_random.chance(0.3)) {
            killer.weapon = Roster::randomWeapon(m_random);
        }
        if (m_random.chance(0.1)) {
            killer.inventory = Roster::randomItem(m_random);
        }
    }
    victim.spree = 0;
    victim.health = 100;
    victim.weapon = kSpawnWeapon;
    victim.inventory = "None";
}

int Match::teamForNewcomer() const {
    if (!m_teams) {
        return kNoTeam;
    }
    int red = 0;
    int blue = 0;
    for (const PlayerState& player : m_state.roster) {
        red += player.role != Role::Spectator && player.team == 0;
        blue += player.role != Role::Spectator && player.team == 1;
    }
    return red <= blue ? 0 : 1;
}

void Match::joinOrLeave() {
    const int humans = m_state.humans();
    const bool leave = humans > 0 && (humans >= m_maxHumans || m_random.chance(0.5));
    if (leave) {
        m_state.roster.erase(m_state.roster.begin() +
                             static_cast<std::ptrdiff_t>(m_random.below(humans)));
    } else if (humans < m_maxHumans) {
        PlayerState newcomer = m_roster.human(m_random, teamForNewcomer());
        newcomer.frags = 0;
        newcomer.spree = 0;
        newcomer.health = 100;
        newcomer.weapon = kSpawnWeapon;
        newcomer.inventory = "None";
        m_state.roster.insert(m_state.roster.begin() + humans, std::move(newcomer));
    }
}

void Match::restartLevel() {
    ++m_restarts;
    m_levelTime = m_random.between(1, 4) + m_random.between(0, 99) / 100.0;
    for (PlayerState& player : m_state.roster) {
        player.frags = 0;
        player.spree = 0;
        player.health = 100;
        if (player.role != Role::Spectator) {
            player.weapon = kSpawnWeapon;
            player.inventory = "None";
        }
    }
}

} // namespace utlab
