#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Platform.h"
#include "toolkit/Timer.h"

#include <cstdint>

namespace cfg {
struct SettingsBlock;
}

namespace war {

// The controls of the main window that the war record writes.
struct WarControls {
    tk::Label& lblwar_Time; // the match clock
};

// The war record: the match clock and the automatic export of the graphs,
// with their timers.
class War {
public:
    War(tk::Platform& platform, WarControls controls);
    War(const War&) = delete;
    War& operator=(const War&) = delete;

    void wire();
    // The export timer takes its interval and waits for a war.
    void applySettings(const cfg::SettingsBlock& settings);

    // timeblinktimer: one more second of the war on the clock.
    void timeblinktimerTimer();

    // Elapsed seconds of the war and its time limit in minutes.
    std::int32_t warSeconds = 0;
    std::int32_t warTimeLimit = 0;

    tk::Timer timeblinktimer;
    tk::Timer timerStatsSave;

private:
    WarControls m_controls;
};

// The export interval in milliseconds for an interval in seconds; values
// that would not fit a timer's interval are cut to the longest one.
[[nodiscard]] int statsSaveIntervalMs(std::int32_t seconds);

} // namespace war
