#include "war/War.h"

#include "query/Vocabulary.h"
#include "settings/SettingsBlock.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

namespace war {

namespace {

// The last seconds of a time limit, when the clock turns red.
constexpr std::int64_t kFinalSeconds = 30;

} // namespace

War::War(tk::Platform& platform, const cfg::SettingsBlock& settings, query::ServerRecords& records,
         query::StatusQuery& statusQuery, tk::Timer& favouriteTimer, WarControls controls)
    : recordPtr(std::make_unique<WarRecord>()), warRecord(*recordPtr),
      timeblinktimer(platform, 1000), timerStatsSave(platform, 60000), m_settings(settings),
      m_records(records), m_statusQuery(statusQuery), m_favouriteTimer(favouriteTimer),
      m_controls(controls) {
    m_controls.lblwar_Time.setFontColor(kClockLime);
    // The edits take no more than the record keeps of a team name.
    m_controls.txtTeamA.setMaxLength(decltype(WarRecord::teamAName)::kCapacity);
    m_controls.txtTeamB.setMaxLength(decltype(WarRecord::teamBName)::kCapacity);
}

void War::wire() {
    timeblinktimer.onTimer = [this] { timeblinktimerTimer(); };
    timerStatsSave.onTimer = [this] { timerStatsSaveTimer(); };
    m_controls.actWarRecord.onExecute = [this] { actWarRecordExecute(); };
    m_statusQuery.onCheckLevelRestart = [this] { CheckLevelRestart(); };
    m_statusQuery.onUpdateWar = [this] { UpdateWar(); };
}

void War::applySettings(const cfg::SettingsBlock& settings) {
    timerStatsSave.setInterval(statsSaveIntervalMs(settings.SaveStatsInterval));
    timerStatsSave.setEnabled(false);
}

void War::actWarRecordExecute() {
    if (m_records.warRecording) {
        stopWar();
    } else {
        startWar();
    }
}

void War::startWar() {
    m_controls.actWarRecord.setChecked(true);
    m_records.warRecording = true;
    if (m_controls.statusBar.panelCount() > kModePanel) {
        m_controls.statusBar.setPanelText(kModePanel, "Recording");
    }
    const query::ServerEntry& server = m_records.currentServer;
    NewWarRecord(warRecord, "Red", "Blue", server.maptitle, server.gametype, server.hostname);
    timerStatsSave.setEnabled(m_settings.AutoSaveStats);
    if (!m_statusQuery.qrytimer.enabled()) {
        m_statusQuery.actQueryServerExecute();
    }
    if (m_settings.AutoPingFavs) {
        m_favouriteTimer.setEnabled(false);
    }
}

void War::stopWar() {
    m_controls.actWarRecord.setChecked(false);
    // The result stays: graphs and exports show it until the next war.
    warRecord.active = false;
    warRecord.finished = true;
    m_records.warRecording = false;
    if (m_controls.statusBar.panelCount() > kModePanel) {
        m_controls.statusBar.setPanelText(kModePanel, "Watching");
    }
    timeblinktimer.setEnabled(false);
    if (m_settings.AutoPingFavs) {
        m_favouriteTimer.setEnabled(true);
    }
    // The automatic export saves the final result once and then rests.
    if (timerStatsSave.enabled()) {
        timerStatsSave.setEnabled(false);
        if (onExportGraphs) {
            onExportGraphs();
        }
    }
}

void War::CheckLevelRestart() {
    const query::ServerEntry& server = m_records.currentServer;
    if (IsLevelRestart(warRecord, server)) {
        NewWarRecord(warRecord, "red", "blue", server.maptitle, server.gametype, server.hostname);
    }
}

void War::UpdateWar() {
    const WarFigures figures =
        FoldReply(warRecord, m_records, m_controls.txtTeamA.text(), m_controls.txtTeamB.text());
    const std::int32_t fraglimit = m_records.currentServer.fraglimit;
    showTeam(m_controls.red, figures.red, fraglimit);
    showTeam(m_controls.blue, figures.blue, fraglimit);
    if (onRepaintGraphs) {
        onRepaintGraphs();
    }
    if (TakeWarRecord) {
        TakeWarRecord(warRecord);
    }
    showAverages(figures);
    showClock();
}

void War::showTeam(const WarTeamLabels& labels, const TeamFigures& team, std::int32_t fraglimit) {
    labels.players.setCaption(tk::intText(team.players));
    labels.frags.setCaption(tk::intText(team.frags));
    labels.interpol.setCaption(tk::intText(team.total()));
    // Negative once the limit is passed.
    labels.spread.setCaption(fraglimit > 0 ? tk::intText(fraglimit - team.frags) : "-");
}

void War::showAverages(const WarFigures& figures) {
    // With a team empty the averages keep what they showed.
    if (figures.red.players == 0 || figures.blue.players == 0) {
        return;
    }
    for (const auto& [labels, team] :
         {std::pair{&m_controls.red, &figures.red}, std::pair{&m_controls.blue, &figures.blue}}) {
        labels->avgFrags.setCaption(tk::intText(team->frags / team->players));
        labels->avgPing.setCaption(tk::intText(team->pingSum / team->players));
    }
}

void War::showClock() {
    const std::int32_t seconds = warRecord.levelSeconds;
    const std::int32_t limit = warRecord.timelimit;
    m_controls.lblwar_Time.setCaption(query::ClockText(seconds, limit));
    warRecord.clockSeconds = seconds;
    timeblinktimer.setEnabled(true);
    if (limit > 0) {
        const std::int64_t left = std::int64_t{limit} * 60 - seconds;
        m_controls.lblwar_Time.setFontColor(left < kFinalSeconds ? kClockRed : kClockLime);
        m_controls.lblwar_TimeCaption.setCaption("remaining");
    } else {
        m_controls.lblwar_TimeCaption.setCaption("elapsed");
    }
}

void War::timeblinktimerTimer() {
    if (warRecord.clockSeconds < std::numeric_limits<std::int32_t>::max()) {
        ++warRecord.clockSeconds;
    }
    m_controls.lblwar_Time.setCaption(
        query::ClockText(warRecord.clockSeconds, warRecord.timelimit));
}

void War::timerStatsSaveTimer() {
    if (onExportGraphs) {
        onExportGraphs();
    }
}

int statsSaveIntervalMs(std::int32_t seconds) {
    constexpr std::int32_t kLongest = std::numeric_limits<int>::max() / 1000;
    return std::clamp(seconds, 0, kLongest) * 1000;
}

} // namespace war
