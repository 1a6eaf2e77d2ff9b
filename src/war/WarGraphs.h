#pragma once

#include "toolkit/Action.h"
#include "toolkit/PaintBox.h"
#include "toolkit/Platform.h"

namespace cfg {
struct SettingsBlock;
}

namespace war {

class War;

// The controls of the main window that show and save the war's graphs.
struct GraphControls {
    tk::PaintBox& imgStats;       // the war graph
    tk::PaintBox& imgPlayerStats; // the player graph
    tk::Action& actGraphsSave;
};

// The two graphs of the war record: painted on screen after every update
// and saved as GIF files on request, by the export timer and when a war
// stops.
class WarGraphs {
public:
    WarGraphs(tk::Platform& platform, const cfg::SettingsBlock& settings, War& war,
              GraphControls controls);
    WarGraphs(const WarGraphs&) = delete;
    WarGraphs& operator=(const WarGraphs&) = delete;

    void wire();

    // Export graphs: warstats.gif and playerstats.gif into SaveTo; a failure
    // is shown with the file's path and the system's reason.
    void actGraphsSaveExecute();

private:
    tk::Platform& m_platform;
    const cfg::SettingsBlock& m_settings;
    War& m_war;
    GraphControls m_controls;
};

} // namespace war
