#include "query/Watch.h"

#include "settings/SettingsBlock.h"

namespace query {

Watch::Watch(tk::Platform& platform, const cfg::SettingsBlock& settings, ServerRecords& records,
             WatchControls controls_)
    : controls(controls_), display(platform, settings, records, controls),
      tables(records, controls, display),
      statusQuery(platform, settings, records, controls, display, tables), m_settings(settings) {}

void Watch::wire() {
    StatusQuery& q = statusQuery;
    controls.actQueryServer.onExecute = [&q] { q.actQueryServerExecute(); };
    q.qrytimer.onTimer = [&q] { q.qrytimerTimer(); };
    q.timeout.onTimer = [&q] { q.timeoutTimer(); };
    q.udpsock.onDataReceived = [&q](std::string_view bytes, const std::string& fromHost,
                                    std::uint16_t fromPort) {
        q.udpsockDataReceived(bytes, fromHost, fromPort);
    };
    controls.rooster.onDrawCell = [this](tk::Canvas& canvas, int col, int row,
                                         const tk::Rect& rect, tk::CellState state) {
        display.RoosterDrawCell(canvas, col, row, rect, state);
    };
    controls.rooster.onDblClickCell = [this](int col, int row) {
        display.RoosterDblClickCell(col, row);
    };
    controls.favouritestable.onSelectCell = [this](int, int row) {
        tables.favouritestableSelectCell(row);
    };
}

void Watch::applySettings(std::uint16_t localPort) {
    controls.progtimer.setMax(m_settings.QueryInterval);
    (void)statusQuery.udpsock.setLocalPort(localPort);
    display.BuildRosterColumns();
}

} // namespace query
