#pragma once

#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/StringGrid.h"

namespace query {

// The controls of the main window that watching a server touches. The main
// window owns them; the watch gets references.
struct WatchControls {
    tk::StringGrid& rooster;         // the player roster
    tk::StringGrid& serverInfos;     // the watched server's settings
    tk::StringGrid& favouritestable; // the favourites
    tk::StringGrid& servertable;     // all servers
    tk::TrayIcon& trayicon;
    tk::ProgressBar& progtimer; // ticks until the next query
    tk::Edit& txtLoss;          // bytes of the current reply
    tk::StatusBar& statusBar;   // panel 2: bytes received in all
    tk::Visibility& imgConn;    // shown after a query timeout
    tk::Action& actQueryServer;
};

} // namespace query
