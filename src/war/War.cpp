#include "war/War.h"

#include "query/Vocabulary.h"
#include "settings/SettingsBlock.h"

#include <algorithm>
#include <limits>

namespace war {

War::War(tk::Platform& platform, WarControls controls)
    : timeblinktimer(platform, 1000), timerStatsSave(platform, 60000), m_controls(controls) {}

void War::wire() {
    timeblinktimer.onTimer = [this] { timeblinktimerTimer(); };
}

void War::applySettings(const cfg::SettingsBlock& settings) {
    timerStatsSave.setInterval(statsSaveIntervalMs(settings.SaveStatsInterval));
    timerStatsSave.setEnabled(false);
}

void War::timeblinktimerTimer() {
    ++warSeconds;
    m_controls.lblwar_Time.setCaption(query::ClockText(warSeconds, warTimeLimit));
}

int statsSaveIntervalMs(std::int32_t seconds) {
    constexpr std::int32_t kLongest = std::numeric_limits<int>::max() / 1000;
    return std::clamp(seconds, 0, kLongest) * 1000;
}

} // namespace war
