#include "Match.h"

#include <gtest/gtest.h>

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

TEST(Match, SameSeedGivesTheSameRun) {
    Match a(liveServer(5));
    Match b(liveServer(5));
    Match other(liveServer(6));
    for (const seconds now : {seconds(10), seconds(95), seconds(420)}) {
        a.advance(now);
        b.advance(now);
        other.advance(now);
        EXPECT_EQ(namesOf(a.state()), namesOf(b.state()));
        EXPECT_EQ(totalFrags(a.state()), totalFrags(b.state()));
        EXPECT_EQ(a.state().timeSeconds, b.state().timeSeconds);
    }
    EXPECT_NE(namesOf(a.state()), namesOf(other.state()));
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
