#include "war/WarGraphs.h"

#include "settings/SettingsBlock.h"
#include "war/GraphExport.h"
#include "war/War.h"
#include "war/WarGraph.h"

namespace war {

WarGraphs::WarGraphs(tk::Platform& platform, const cfg::SettingsBlock& settings, War& war,
                     GraphControls controls)
    : m_platform(platform), m_settings(settings), m_war(war), m_controls(controls) {}

void WarGraphs::wire() {
    m_controls.imgStats.onPaint = [this](tk::Canvas& canvas, int width, int height) {
        DrawWarGraph(canvas, width, height, m_war.warRecord, graphColorsOf(m_settings));
    };
    m_controls.imgPlayerStats.onPaint = [this](tk::Canvas& canvas, int width, int height) {
        DrawPlayerGraph(canvas, width, height, m_war.warRecord, graphColorsOf(m_settings));
    };
    // A page that is not showing does not paint, so asking both repaints
    // the one on show.
    m_war.onRepaintGraphs = [this] {
        m_controls.imgStats.invalidate();
        m_controls.imgPlayerStats.invalidate();
    };
    m_war.onExportGraphs = [this] { actGraphsSaveExecute(); };
    m_controls.actGraphsSave.onExecute = [this] { actGraphsSaveExecute(); };
}

void WarGraphs::actGraphsSaveExecute() {
    // No folder chosen is no reason to write into the root of the file
    // system.
    if (m_settings.SaveTo.empty()) {
        m_platform.showMessage(
            "No folder for the graphs is set: choose one under Preferences, Web-Server.");
        return;
    }
    if (auto failed = exportGraphs(m_war.warRecord, graphExportOptionsOf(m_settings))) {
        m_platform.showMessage(*failed);
    }
}

} // namespace war
