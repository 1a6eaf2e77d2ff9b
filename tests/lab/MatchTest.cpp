#include "Match.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

namespace utlab {
namespace {

using std::chrono::milliseconds;
using std::chrono::minutes;
using std::chrono::seconds;

ServerOptions liveServer(std::uint64_t seed) {
    ServerOptions options;
    options.players = 8;
    options.spectators = 1;
    options.gameType = "CTFGame";
    options.live = true;
    options.seed = seed;
    return completed(options);
}

int totalFrags(const MatchState& state) {
    int frags = 0;
    for (const PlayerState& player : state.roster) {
        frags += player.frags;
    }
    return frags;
}

std::vector<std::string> namesOf(const MatchState& state) {
    std::vector<std::string> names;
    for (const PlayerState& player : state.roster) {
        names.push_back(player.name);
    }
    return names;
}

using Snapshot = std::vector<std::tuple<std::string, int, int, int>>; // name, team, frags, ping

Snapshot snapshotOf(const MatchState& state) {
    Snapshot snapshot;
    for (const PlayerState& player : state.roster) {
        snapshot.emplace_back(player.name, player.team, player.frags, player.ping);
    }
    return snapshot;
}

// A twelve-player server, as a clan war is played on.
ServerOptions warServer(std::uint64_t seed, std::string gameType = "CTFGame") {
    ServerOptions options;
    options.players = 12;
    options.maxPlayers = 14;
    options.spectators = 1;
    options.gameType = std::move(gameType);
    options.timeLimit = 30;
    options.live = true;
    options.seed = seed;
    return completed(options);
}

// What a war record sees when it compares one look at the server with the next, a second later.
// A player is told apart only by his name, as on the wire.
struct Course {
    int reconnects = 0;
    int resetReconnects = 0; // came back with frags at 0 after leaving with some
    int sameTeamReconnects = 0;
    int otherTeamReconnects = 0;
    int renames = 0;
    int teamSwitches = 0;
    bool operator==(const Course&) const = default;
};

// "|AFK|Raptor" and "Raptor", "[SKV]Raptor" and "Raptor": one is the other with a tag in front.
bool tagVariant(const std::string& a, const std::string& b) {
    const std::string& longer = a.size() > b.size() ? a : b;
    const std::string& shorter = a.size() > b.size() ? b : a;
    return !shorter.empty() && longer.size() <= shorter.size() + 6 && longer.ends_with(shorter);
}

Course watch(Match& match, const ServerOptions& options, seconds length) {
    Course course;
    std::map<std::string, PlayerState> gone; // left and not seen since
    auto humansOf = [](const MatchState& state) {
        std::map<std::string, PlayerState> humans;
        for (const PlayerState& player : state.roster) {
            if (player.role == Role::Human) {
                humans.emplace(player.name, player);
            }
        }
        return humans;
    };
    std::map<std::string, PlayerState> before = humansOf(match.state());
    for (seconds now{1}; now <= length; ++now) {
        match.advance(now);
        const std::map<std::string, PlayerState> after = humansOf(match.state());
        EXPECT_LE(static_cast<int>(after.size()), options.maxPlayers - options.bots);
        std::vector<std::string> vanished;
        std::vector<std::string> appeared;
        for (const auto& [name, player] : before) {
            if (const auto still = after.find(name); still == after.end()) {
                vanished.push_back(name);
            } else if (still->second.team != player.team) {
                ++course.teamSwitches;
                // The frags stay; a kill in the same second may add or take one.
                EXPECT_LE(std::abs(still->second.frags - player.frags), 1) << name;
            }
        }
        for (const auto& [name, player] : after) {
            if (!before.contains(name)) {
                appeared.push_back(name);
            }
        }
        for (const std::string& old : vanished) {
            const auto renamed = std::ranges::find_if(
                appeared, [&old](const std::string& name) { return tagVariant(old, name); });
            if (renamed == appeared.end()) {
                gone[old] = before.at(old);
                continue;
            }
            ++course.renames;
            EXPECT_LE(std::abs(after.at(*renamed).frags - before.at(old).frags), 1)
                << old << " -> " << *renamed;
            appeared.erase(renamed);
        }
        for (const std::string& name : appeared) {
            const auto left = gone.find(name);
            if (left == gone.end()) {
                continue; // a newcomer
            }
            const PlayerState& back = after.at(name);
            ++course.reconnects;
            EXPECT_LE(std::abs(back.frags), 1) << name; // a new connection starts again from 0
            course.resetReconnects += left->second.frags >= 2 && back.frags <= 1;
            ++(back.team == left->second.team ? course.sameTeamReconnects
                                              : course.otherTeamReconnects);
            gone.erase(left);
        }
        before = after;
    }
    return course;
}

TEST(Match, SameSeedGivesTheSameRun) {
    Match a(liveServer(5));
    Match b(liveServer(5));
    Match other(liveServer(6));
    for (const seconds now : {seconds(10), seconds(95), seconds(420)}) {
        a.advance(now);
        b.advance(now);
        other.advance(now);
        EXPECT_EQ(snapshotOf(a.state()), snapshotOf(b.state()));
        EXPECT_EQ(a.state().timeSeconds, b.state().timeSeconds);
    }
    EXPECT_NE(namesOf(a.state()), namesOf(other.state()));

    Match c(warServer(8));
    Match d(warServer(8));
    const Course course = watch(c, warServer(8), minutes(20));
    EXPECT_EQ(watch(d, warServer(8), minutes(20)), course);
    EXPECT_GT(course.reconnects + course.renames + course.teamSwitches, 0);
    EXPECT_EQ(snapshotOf(c.state()), snapshotOf(d.state()));
}

// Over half an hour each thing a war record must cope with happens, about once every one to
// three minutes, and no more often than now and then.
TEST(Match, WarEventsHappenNowAndThen) {
    for (const std::uint64_t seed : {21, 22, 23}) {
        SCOPED_TRACE(seed);
        Match match(warServer(seed));
        const Course course = watch(match, warServer(seed), minutes(30));
        const struct {
            const char* event;
            int count;
            int least;
            int most;
        } rows[] = {
            {"reconnect", course.reconnects, 6, 40},
            {"reconnect with the frags reset", course.resetReconnects, 1, 40},
            {"reconnect on the same team", course.sameTeamReconnects, 1, 40},
            {"reconnect on the other team", course.otherTeamReconnects, 1, 40},
            {"rename", course.renames, 6, 40},
            {"team switch", course.teamSwitches, 6, 40},
        };
        for (const auto& row : rows) {
            EXPECT_GE(row.count, row.least) << row.event;
            EXPECT_LE(row.count, row.most) << row.event;
        }
    }
}

TEST(Match, DeathmatchHasNoTeamsToSwitch) {
    const ServerOptions options = warServer(31, "DeathMatchPlus");
    Match match(options);
    const Course course = watch(match, options, minutes(30));
    EXPECT_EQ(course.teamSwitches, 0);
    EXPECT_GE(course.renames, 6);
    EXPECT_GE(course.reconnects, 6);
}

// Players leave with their frags and take them along when switching, so a team's sum may fall
// for a while; what its players score from one second to the next rises in both teams at a rate
// seen on real servers.
TEST(Match, BothTeamsScoreAtABelievableRate) {
    for (const std::uint64_t seed : {41, 42, 43}) {
        SCOPED_TRACE(seed);
        Match match(warServer(seed));
        std::map<int, int> gained; // team: frags its players scored while on it
        MatchState before = match.state();
        for (seconds now{1}; now <= minutes(5); ++now) {
            match.advance(now);
            for (const PlayerState& player : match.state().roster) {
                const auto then = std::ranges::find(before.roster, player.name, &PlayerState::name);
                if (then != before.roster.end() && then->team == player.team) {
                    gained[player.team] += player.frags - then->frags;
                }
            }
            before = match.state();
        }
        ASSERT_EQ(match.levelRestarts(), 0);
        for (const int team : {0, 1}) {
            // Six a side, each scoring half a frag to five frags a minute.
            EXPECT_GE(gained[team], 5 * 3) << "team " << team;
            EXPECT_LE(gained[team], 5 * 30) << "team " << team;
        }
    }
}

TEST(Match, PingsWanderWithinEachPlayersBand) {
    Match match(warServer(51));
    std::map<std::string, std::pair<int, int>> seen; // lowest and highest ping of each name
    for (seconds now{1}; now <= minutes(10); ++now) {
        match.advance(now);
        for (const PlayerState& player : match.state().roster) {
            if (player.role == Role::Bot) {
                continue;
            }
            EXPECT_GE(player.ping, 5);
            EXPECT_LE(player.ping, 400);
            auto [it, added] = seen.try_emplace(player.name, player.ping, player.ping);
            it->second = {std::min(it->second.first, player.ping),
                          std::max(it->second.second, player.ping)};
        }
    }
    int moved = 0;
    for (const auto& [name, band] : seen) {
        EXPECT_LE(band.second - band.first, 110) << name;
        moved += band.second > band.first;
    }
    EXPECT_GE(moved, 10);
}

TEST(Match, StaticMatchStandsStill) {
    ServerOptions options = liveServer(3);
    options.live = false;
    Match match(options);
    const MatchState before = match.state();
    match.advance(minutes(30));
    EXPECT_EQ(match.state().timeSeconds, before.timeSeconds);
    EXPECT_EQ(totalFrags(match.state()), totalFrags(before));
    EXPECT_EQ(namesOf(match.state()), namesOf(before));
}

TEST(Match, LiveMatchMovesTimeAndFrags) {
    Match match(liveServer(7));
    const MatchState before = match.state();
    match.advance(milliseconds(60'500));
    EXPECT_NEAR(match.state().timeSeconds - before.timeSeconds, 60.5, 1e-6);
    EXPECT_NE(totalFrags(match.state()), totalFrags(before));
    match.advance(seconds(10)); // going back in time changes nothing
    EXPECT_NEAR(match.state().timeSeconds - before.timeSeconds, 60.5, 1e-6);
}

TEST(Match, PlayersComeAndGoWithinTheSlots) {
    ServerOptions options = liveServer(11);
    options.maxPlayers = 10;
    Match match(options);
    bool changed = false;
    for (int minute = 1; minute <= 60; ++minute) {
        match.advance(minutes(minute));
        const int humans = match.state().humans();
        EXPECT_LE(humans, 10);
        changed = changed || humans != 8;
    }
    EXPECT_TRUE(changed);
}

TEST(Match, LevelRestartsWhenTheTimeLimitIsOver) {
    ServerOptions options = liveServer(2);
    options.timeLimit = 1;
    Match match(options);
    double previous = match.state().timeSeconds;
    for (int second = 1; second <= 120 && match.levelRestarts() == 0; ++second) {
        previous = match.state().timeSeconds;
        match.advance(seconds(second));
    }
    ASSERT_EQ(match.levelRestarts(), 1);
    EXPECT_GT(previous, 58.0);
    EXPECT_LT(match.state().timeSeconds, 5.0);
    EXPECT_EQ(totalFrags(match.state()), 0);
}

TEST(Match, HugeClockJumpsAreBounded) {
    Match match(liveServer(4));
    match.advance(std::chrono::hours(24 * 365 * 100));
    EXPECT_GE(match.state().timeSeconds, 0.0);
}

} // namespace
} // namespace utlab
