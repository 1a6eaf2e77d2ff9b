#pragma once

#include "favourites/FavouriteEditor.h"
#include "query/Records.h"
#include "toolkit/IniFile.h"
#include "toolkit/Platform.h"
#include "toolkit/StringGrid.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <cstdint>

namespace cfg {
struct SettingsBlock;
}

namespace favourites {

// The favourite servers: their list in the settings file, their table, the
// timed refresh with its timer and socket, and the editor.
class Favourites {
public:
    Favourites(tk::Platform& platform, query::ServerRecords& records,
               tk::StringGrid& favouritestable);
    Favourites(const Favourites&) = delete;
    Favourites& operator=(const Favourites&) = delete;

    void wire();
    // The refresh socket's local port, and the refresh at start when the
    // settings ask for it.
    void applySettings(const cfg::SettingsBlock& settings, std::uint16_t localPort);

    // Reads the list from the settings document into the slots and their
    // rows (rows beyond the new list are emptied); returns the new
    // favouriteEnd.
    [[nodiscard]] int LoadFavourites(const tk::IniFile& settingsFile);
    // Writes the list into the settings document.
    void SaveFavourites(tk::IniFile& settingsFile) const;

    // favouritestable: a double click on a header cell sorts by its column,
    // never while a war is recorded.
    void favouritestableDblClickCell(int row, int col);

    bool favouritesChanged = false;
    int refreshCursor = 1;

    tk::Timer favouriteTimer;
    tk::UdpSocket udpfavping;
    TfrmFavourite frmFavourite;

private:
    query::ServerRecords& m_records;
    tk::StringGrid& m_table;
};

} // namespace favourites
