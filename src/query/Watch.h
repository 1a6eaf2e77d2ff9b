#pragma once

#include "query/Records.h"
#include "query/ServerDisplay.h"
#include "query/ServerTables.h"
#include "query/StatusQuery.h"
#include "query/WatchControls.h"
#include "toolkit/Platform.h"

#include <cstdint>

namespace cfg {
struct SettingsBlock;
}

namespace query {

// Watching one server: the status query with its timers and socket, the
// display of its details and players, and the choice of the watched slot.
class Watch {
public:
    Watch(tk::Platform& platform, const cfg::SettingsBlock& settings, ServerRecords& records,
          WatchControls controls);
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    // Installs the handlers of the watch's timers, socket, action and grids.
    void wire();
    // Puts the settings the watch uses into effect: the countdown's range,
    // the local port of the query socket and the roster's columns.
    void applySettings(std::uint16_t localPort);

    WatchControls controls;
    ServerDisplay display;
    ServerTables tables;
    StatusQuery statusQuery;

private:
    const cfg::SettingsBlock& m_settings;
};

} // namespace query
