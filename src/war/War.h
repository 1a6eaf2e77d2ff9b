#pragma once

#include "query/Records.h"
#include "query/StatusQuery.h"
#include "toolkit/Action.h"
#include "toolkit/Color.h"
#include "toolkit/Controls.h"
#include "toolkit/Platform.h"
#include "toolkit/Timer.h"
#include "war/WarRecord.h"
#include "war/WarUpdate.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace cfg {
struct SettingsBlock;
}

namespace war {

// The clock's digits: lime while time is left, red in the last 30 seconds.
inline constexpr tk::Color kClockLime = tk::rgb(0, 255, 0);
inline constexpr tk::Color kClockRed = tk::rgb(255, 0, 0);

// The labels of one team's column on the war page.
struct WarTeamLabels {
    tk::Label& players;  // present now
    tk::Label& frags;    // of the present players
    tk::Label& interpol; // frags with those of departed players
    tk::Label& spread;   // frags still needed to reach the frag limit
    tk::Label& avgFrags;
    tk::Label& avgPing;
};

// The controls of the main window that the war record reads and writes.
struct WarControls {
    WarTeamLabels red;
    WarTeamLabels blue;
    tk::Label& lblwar_Time;        // the match clock
    tk::Label& lblwar_TimeCaption; // "remaining" or "elapsed"
    tk::Edit& txtTeamA;            // the red team's name
    tk::Edit& txtTeamB;            // the blue team's name
    tk::Action& actWarRecord;
    tk::StatusBar& statusBar; // panel 4: "Recording" or "Watching"
};

// War recording: the war record, folded from every whole reply of the
// watched server into the war page; starting and stopping a war; the match
// clock and the automatic export of the graphs, with their timers.
class War {
public:
    // Status panel that tells watching from recording.
    static constexpr int kModePanel = 4;

    War(tk::Platform& platform, const cfg::SettingsBlock& settings, query::ServerRecords& records,
        query::StatusQuery& statusQuery, tk::Timer& favouriteTimer, WarControls controls);
    War(const War&) = delete;
    War& operator=(const War&) = delete;

    // Installs the handlers of the timers, of actWarRecord and the war steps
    // of the status query's whole replies.
    void wire();
    // The export timer takes its interval and waits for a war.
    void applySettings(const cfg::SettingsBlock& settings);

    // actWarRecord: starts a war, or stops the running one.
    void actWarRecordExecute();
    // A whole reply whose level time went back: a fresh record "red" against
    // "blue", whether or not a war is being recorded.
    void CheckLevelRestart();
    // Folds the latest reply into the record and shows it on the war page.
    void UpdateWar();
    // timeblinktimer: one more second on the clock.
    void timeblinktimerTimer();
    // timerStatsSave: the graphs are exported.
    void timerStatsSaveTimer();

    // The war record. On the heap: it is about 300 KB.
    std::unique_ptr<WarRecord> recordPtr;
    WarRecord& warRecord;

    tk::Timer timeblinktimer;
    tk::Timer timerStatsSave;

    // Exports both graphs into their files; run by timerStatsSave during a
    // war and once more when the war stops. Unset: nothing is exported.
    std::function<void()> onExportGraphs;
    // Repaints the graphs on screen after an update. Unset: nothing to paint.
    std::function<void()> onRepaintGraphs;
    // Hands a copy of the record to the IRC reporter after every update
    // (its TakeWarRecord). Unset until the IRC window exists.
    std::function<void(const WarRecord&)> TakeWarRecord;

private:
    void startWar();
    void stopWar();
    void showTeam(const WarTeamLabels& labels, const TeamFigures& team, std::int32_t fraglimit);
    void showAverages(const WarFigures& figures);
    void showClock();

    const cfg::SettingsBlock& m_settings;
    query::ServerRecords& m_records;
    query::StatusQuery& m_statusQuery;
    tk::Timer& m_favouriteTimer;
    WarControls m_controls;
};

// The export interval in milliseconds for an interval in seconds; values
// that would not fit a timer's interval are cut to the longest one.
[[nodiscard]] int statsSaveIntervalMs(std::int32_t seconds);

} // namespace war
