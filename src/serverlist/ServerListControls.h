#pragma once

#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/StringGrid.h"

namespace serverlist {

// The controls of the main window that the server list touches. The main
// window owns them; the server list gets references.
struct ServerListControls {
    tk::StringGrid& servertable; // all servers
    tk::Label& lblNumServers;    // how many servers the list holds
    tk::StatusBar& statusBar;    // panel 2: bytes received in all
    tk::Action& actQueryMaster;
    tk::Action& actOpenServers;
    tk::Action& actSaveServers;
};

// The controls of the ping sweep besides the table and its label.
struct SweepControls {
    tk::ProgressBar& progPing; // how far the sweep has come
    tk::Action& actStopMaster; // "Stop querying" / "Continue querying"
};

} // namespace serverlist
