#include "favourites/Favourites.h"

#include "favourites/FavouritesStorage.h"
#include "query/ServerTables.h"
#include "settings/SettingsBlock.h"

namespace favourites {

Favourites::Favourites(tk::Platform& platform, query::ServerRecords& records,
                       tk::StringGrid& favouritestable)
    : favouriteTimer(platform, 1500), udpfavping(platform), m_records(records),
      m_table(favouritestable) {}

void Favourites::wire() {
    m_table.onDblClickCell = [this](int col, int row) { favouritestableDblClickCell(row, col); };
}

void Favourites::applySettings(const cfg::SettingsBlock& settings, std::uint16_t localPort) {
    (void)udpfavping.setLocalPort(localPort);
    if (settings.qryFavsOnStartup) {
        favouriteTimer.setInterval(settings.PingInterval);
        favouriteTimer.setEnabled(true);
    }
}

int Favourites::LoadFavourites(const tk::IniFile& settingsFile) {
    const int previousEnd = m_records.favouriteEnd;
    const int end = readFavourites(settingsFile, m_records.favourites);
    for (int slot = 1; slot < end; ++slot) {
        query::ShowFavouriteRow(m_records, m_table, slot);
    }
    for (int slot = end; slot < previousEnd; ++slot) {
        m_table.clearRow(m_table.displayRow(slot));
    }
    return end;
}

void Favourites::SaveFavourites(tk::IniFile& settingsFile) const {
    writeFavourites(settingsFile, m_records.favourites, m_records.favouriteEnd);
}

void Favourites::favouritestableDblClickCell(int row, int col) {
    if (row == 0 && col >= 1 && !m_records.warRecording) {
        m_table.toggleSort(col);
    }
}

} // namespace favourites
