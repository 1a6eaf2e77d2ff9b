#pragma once

#include "query/Records.h"
#include "query/WatchControls.h"

#include <string>
#include <vector>

namespace query {

class ServerDisplay;

// The cells of a favourites or server table row: the unnamed first column,
// name, game type, map, players ("5/16") and ping.
[[nodiscard]] std::vector<std::string> serverRowCells(const ServerEntry& entry);

// Rewrites the favourites table row that shows favourites[slot] (through the
// grid's row mapping). A favourite that has not responded reads
// "No response" with ping "9999". A slot outside 1..99 changes nothing.
void ShowFavouriteRow(const ServerRecords& records, tk::StringGrid& favouritestable, int slot);

// Choosing the watched server from the favourites and the server table.
class ServerTables {
public:
    ServerTables(ServerRecords& records, WatchControls& controls, ServerDisplay& display)
        : m_records(records), m_controls(controls), m_display(display) {}

    // Makes favourites[slot] or serverList[slot] the watched server: copies
    // it into currentServer, empties the roster and shows the details. An
    // unknown source or a slot out of range is ignored.
    void WatchEntry(WatchSource source, int slot);

    void ShowFavouriteRow(int slot);

    // A row of the favourites table was selected (display row).
    void favouritestableSelectCell(int row);

private:
    ServerRecords& m_records;
    WatchControls& m_controls;
    ServerDisplay& m_display;
};

} // namespace query
