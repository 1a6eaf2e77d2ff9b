#include "Match.h"

#include <algorithm>
#include <cmath>

namespace utlab {
namespace {

constexpr std::chrono::milliseconds kStep{1000};
constexpr std::chrono::milliseconds kMaxCatchUp = std::chrono::hours(1);
constexpr double kKillChance = 0.35; // about 1.6 frags a minute for each of twelve players
constexpr double kSuicideChance = 0.06;
constexpr double kJoinOrLeaveChance = 1.0 / 45.0;

// The events a war record must cope with come about this often with kEventRoster humans on the
// server, and less often with fewer.
constexpr int kEventRoster = 12;
constexpr double kSecondsPerReconnect = 100.0;
constexpr double kSecondsPerRename = 75.0;
constexpr double kSecondsPerTeamSwitch = 85.0;
constexpr int kSoonestBack = 15; // seconds away before reconnecting
constexpr int kLatestBack = 90;
constexpr int kPatience = 300; // how long a reconnecting player keeps trying a full server

void respawn(PlayerState& player) {
    player.spree = 0;
    player.health = 100;
    player.weapon = kSpawnWeapon;
    player.inventory = "None";
}

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
    ++m_played;
    m_levelTime += 1.0;
    if (m_levelTime >= m_levelLength) {
        restartLevel();
        return;
    }
    for (PlayerState& player : m_state.roster) {
        if (player.role != Role::Bot) {
            const int drift = m_random.between(-4, 4) + (player.homePing - player.ping) / 8;
            player.ping = std::clamp(player.ping + drift, std::max(5, player.homePing - 30),
                                     std::max(5, player.homePing + 80));
        }
    }
    if (m_random.chance(kKillChance)) {
        fight();
    }
    if (m_random.chance(kJoinOrLeaveChance)) {
        joinOrLeave();
    }
    if (eventDue(kSecondsPerReconnect)) {
        dropOut();
    }
    comeBack();
    if (eventDue(kSecondsPerRename)) {
        rename();
    }
    if (m_teams && eventDue(kSecondsPerTeamSwitch)) {
        switchTeam();
    }
}

bool Match::eventDue(double secondsPerEvent) {
    return m_random.chance(m_state.humans() / (kEventRoster * secondsPerEvent));
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
    const std::size_t victimIndex = candidates[m_random.below(candidates.size())];
    PlayerState& victim = m_state.roster[victimIndex];
    if (m_random.chance(kSuicideChance)) {
        victim.frags -= 1;
        respawn(victim);
        return;
    }
    std::vector<std::size_t> enemies;
    for (const std::size_t i : candidates) {
        if (i != victimIndex && (!m_teams || m_state.roster[i].team != victim.team)) {
            enemies.push_back(i);
        }
    }
    if (enemies.empty()) {
        return; // everybody on one team: nobody to shoot at
    }
    PlayerState& killer = m_state.roster[enemies[m_random.below(enemies.size())]];
    killer.frags += 1;
    killer.spree += 1;
    killer.health = std::max(1, killer.health - m_random.between(0, 60));
    if (m_random.chance(0.3)) {
        killer.weapon = Roster::randomWeapon(m_random);
    }
    if (m_random.chance(0.1)) {
        killer.inventory = Roster::randomItem(m_random);
    }
    respawn(victim);
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
        respawn(newcomer);
        m_state.roster.insert(m_state.roster.begin() + humans, std::move(newcomer));
    }
}

void Match::dropOut() {
    const int humans = m_state.humans();
    if (humans == 0) {
        return;
    }
    const auto leaving =
        m_state.roster.begin() + static_cast<std::ptrdiff_t>(m_random.below(humans));
    const long backAt = m_played + m_random.between(kSoonestBack, kLatestBack);
    m_away.push_back({std::move(*leaving), backAt, backAt + kPatience});
    m_state.roster.erase(leaving);
}

void Match::comeBack() {
    std::erase_if(m_away, [this](const Away& away) { return away.giveUp <= m_played; });
    const auto due =
        std::ranges::find_if(m_away, [this](const Away& away) { return away.backAt <= m_played; });
    const int humans = m_state.humans();
    if (due == m_away.end() || humans >= m_maxHumans) {
        return;
    }
    PlayerState player = std::move(due->player);
    m_away.erase(due);
    // A new connection: a new score, and the team the game or the player picks this time.
    player.frags = 0;
    respawn(player);
    player.ping = player.homePing + m_random.between(0, 20);
    if (m_teams && m_random.chance(0.5)) {
        player.team = player.team == 0 ? 1 : 0;
    }
    m_state.roster.insert(m_state.roster.begin() + humans, std::move(player));
}

bool Match::nameTaken(const std::string& name) const {
    return std::ranges::find(m_state.roster, name, &PlayerState::name) != m_state.roster.end() ||
           std::ranges::any_of(m_away,
                               [&name](const Away& away) { return away.player.name == name; });
}

void Match::rename() {
    const int humans = m_state.humans();
    if (humans == 0) {
        return;
    }
    PlayerState& player = m_state.roster[m_random.below(humans)];
    std::string name = Roster::renamed(m_random, player.name);
    if (!name.empty() && !nameTaken(name)) {
        player.name = std::move(name);
    }
}

void Match::switchTeam() {
    const int humans = m_state.humans();
    int red = 0;
    int blue = 0;
    for (const PlayerState& player : m_state.roster) {
        red += player.role != Role::Spectator && player.team == 0;
        blue += player.role != Role::Spectator && player.team == 1;
    }
    // A player evens out lopsided teams; otherwise anyone may go over.
    const int from = red - blue >= 2 ? 0 : blue - red >= 2 ? 1 : kNoTeam;
    std::vector<std::size_t> movers;
    for (int i = 0; i < humans; ++i) {
        const int team = m_state.roster[i].team;
        if ((team == 0 || team == 1) && (from == kNoTeam || team == from)) {
            movers.push_back(static_cast<std::size_t>(i));
        }
    }
    if (!movers.empty()) {
        PlayerState& player = m_state.roster[movers[m_random.below(movers.size())]];
        player.team = player.team == 0 ? 1 : 0;
    }
}

void Match::restartLevel() {
    ++m_restarts;
    m_levelTime = m_random.between(1, 4) + m_random.between(0, 99) / 100.0;
    for (PlayerState& player : m_state.roster) {
        player.frags = 0;
        if (player.role != Role::Spectator) {
            respawn(player);
        } else {
            player.spree = 0;
            player.health = 100;
        }
    }
}

} // namespace utlab
