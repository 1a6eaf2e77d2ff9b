#include "toolkit/Timer.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Ticks {
    fake::FakePlatform platform;
    std::vector<std::uint64_t> at;
    void record(tk::Timer& t) {
        t.onTimer = [this] { at.push_back(platform.clock.now()); };
    }
};

TEST(Timer, TicksPeriodicallyOnlyWhileEnabled) {
    Ticks t;
    tk::Timer timer(t.platform, 1000);
    t.record(timer);
    t.platform.clock.advance(5000);
    EXPECT_TRUE(t.at.empty());
    timer.setEnabled(true);
    t.platform.clock.advance(3500);
    EXPECT_EQ(t.at, (std::vector<std::uint64_t>{6000, 7000, 8000}));
    timer.setEnabled(false);
    t.platform.clock.advance(3000);
    EXPECT_EQ(t.at.size(), 3u);
}

TEST(Timer, EnablingARunningTimerOrSettingTheSameIntervalDoesNotRestartIt) {
    Ticks t;
    tk::Timer timer(t.platform, 1000);
    t.record(timer);
    timer.setEnabled(true);
    t.platform.clock.advance(600);
    timer.setEnabled(true);
    timer.setInterval(1000);
    t.platform.clock.advance(400);
    EXPECT_EQ(t.at, (std::vector<std::uint64_t>{1000}));
    // A new interval restarts the countdown.
    t.platform.clock.advance(500);
    timer.setInterval(2000);
    t.platform.clock.advance(2000);
    EXPECT_EQ(t.at, (std::vector<std::uint64_t>{1000, 3500}));
}

TEST(Timer, HandlersMayStopTheirOwnOrOtherTimers) {
    fake::FakePlatform platform;
    tk::Timer a(platform, 100);
    tk::Timer b(platform, 150);
    int aTicks = 0;
    int bTicks = 0;
    a.onTimer = [&] {
        ++aTicks;
        b.setEnabled(false);
    };
    b.onTimer = [&] { ++bTicks; };
    a.setEnabled(true);
    b.setEnabled(true);
    platform.clock.advance(1000);
    EXPECT_EQ(aTicks, 10);
    EXPECT_EQ(bTicks, 0);
}

TEST(Timer, ZeroIntervalNeverTicks) {
    Ticks t;
    tk::Timer timer(t.platform, 0);
    t.record(timer);
    timer.setEnabled(true);
    t.platform.clock.advance(10000);
    EXPECT_TRUE(t.at.empty());
}

} // namespace
