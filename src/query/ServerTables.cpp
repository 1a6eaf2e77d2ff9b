#include "query/ServerTables.h"

#include "query/ServerDisplay.h"
#include "query/Vocabulary.h"
#include "toolkit/Number.h"

namespace query {

namespace {

[[nodiscard]] std::string playersText(const ServerEntry& entry) {
    return tk::intText(entry.numplayers) + "/" + tk::intText(entry.maxplayers);
}

} // namespace

std::vector<std::string> serverRowCells(const ServerEntry& entry) {
    return {"",
            entry.hostname.str(),
            GameTypeName(entry.gametype),
            entry.maptitle.str(),
            playersText(entry),
            tk::intText(entry.ping)};
}

void ShowFavouriteRow(const ServerRecords& records, tk::StringGrid& favouritestable, int slot) {
    if (slot < 1 || slot >= kFavouriteSlots) {
        return;
    }
    const int row = favouritestable.displayRow(slot);
    if (row < favouritestable.fixedRows()) {
        return;
    }
    const ServerEntry& entry = records.favourites[static_cast<std::size_t>(slot)];
    if (entry.responded) {
        favouritestable.setRow(row, serverRowCells(entry));
    } else {
        favouritestable.setRow(row, {"", entry.hostname.str(), "No response", "", "", "9999"});
    }
}

void ServerTables::ShowFavouriteRow(int slot) {
    query::ShowFavouriteRow(m_records, m_controls.favouritestable, slot);
}

void ServerTables::WatchEntry(WatchSource source, int slot) {
    const ServerEntry* entry = m_records.entry(source, slot);
    if (entry == nullptr) {
        return;
    }
    m_records.watchSource = source;
    m_records.watchSlot = slot;
    m_records.currentServer = *entry;

    // The previous server's players go; one empty row stays under the header.
    // Its image goes too, so the empty row shows no ngStats mark.
    tk::StringGrid& rooster = m_controls.rooster;
    for (int row = 1; row < rooster.rowCount(); ++row) {
        rooster.clearRow(row);
    }
    for (int col = 0; col < rooster.colCount(); ++col) {
        rooster.removeColumnImages(col);
    }
    rooster.setRowCount(2);
    m_display.ShowServerDetails();
}

void ServerTables::favouritestableSelectCell(int row) {
    if (m_records.warRecording || row < 1 || row >= m_records.favouriteEnd) {
        return;
    }
    const int slot = m_controls.favouritestable.dataRow(row);
    if (slot < 1 || slot >= m_records.favouriteEnd) {
        return; // a row that shows no favourite
    }
    if (m_records.watchSource == WatchSource::Favourites && m_records.watchSlot == slot) {
        return; // already watched
    }
    WatchEntry(WatchSource::Favourites, slot);
}

} // namespace query
