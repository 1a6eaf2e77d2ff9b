#include "settings/SettingsBlock.h"
#include "support/FakePlatform.h"
#include "toolkit/Controls.h"
#include "war/War.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(War, TheClockTicksWhileItsTimerRuns) {
    fake::FakePlatform platform;
    tk::Label clock;
    war::War war(platform, war::WarControls{clock});
    war.wire();
    war.warTimeLimit = 1;
    war.timeblinktimer.setEnabled(true);
    platform.clock.advance(3000);
    EXPECT_EQ(clock.caption(), "00:57");
}

TEST(War, TheExportIntervalNeverOverflows) {
    struct Case {
        std::int32_t seconds;
        int ms;
    };
    constexpr int kLongest = std::numeric_limits<int>::max() / 1000 * 1000;
    const Case cases[] = {{60, 60000},
                          {0, 0},
                          {-5, 0},
                          {2147483, 2147483000},
                          {2147484, kLongest},
                          {std::numeric_limits<std::int32_t>::max(), kLongest}};
    for (const Case& c : cases) {
        EXPECT_EQ(war::statsSaveIntervalMs(c.seconds), c.ms) << c.seconds;
    }
    fake::FakePlatform platform;
    tk::Label clock;
    war::War war(platform, war::WarControls{clock});
    cfg::SettingsBlock settings;
    settings.SaveStatsInterval = std::numeric_limits<std::int32_t>::max();
    war.applySettings(settings);
    EXPECT_EQ(war.timerStatsSave.interval(), kLongest);
    EXPECT_FALSE(war.timerStatsSave.enabled());
}

} // namespace
