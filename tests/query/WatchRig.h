#pragma once

#include "query/Records.h"
#include "query/Watch.h"
#include "settings/SettingsBlock.h"
#include "support/FakePlatform.h"
#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/StringGrid.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testing_query {

// The watch on the fake backend: the records, settings and controls the
// main window owns, and the watch subsystem wired by its own wire().
struct WatchRig {
    static constexpr std::uint16_t kLocalPort = 54321;

    fake::FakePlatform platform;
    cfg::SettingsBlock settings;
    std::unique_ptr<query::ServerRecords> recordsPtr = std::make_unique<query::ServerRecords>();
    query::ServerRecords& records = *recordsPtr;

    tk::StringGrid rooster{6, 33, 0, 1};
    tk::StringGrid serverInfos{2, 20, 0, 0};
    tk::StringGrid favouritestable{6, 100, 1, 1};
    tk::StringGrid servertable{6, 4000, 1, 1};
    tk::TrayIcon trayicon;
    tk::ProgressBar progtimer;
    tk::Edit txtLoss;
    tk::StatusBar statusBar{{{}, {}, {}, {}}};
    tk::Visibility imgConn;
    tk::Action actQueryServer{"Server", "Query selected", "Query selected server"};

    query::Watch watch{platform, settings, records,
                       query::WatchControls{rooster, serverInfos, favouritestable, servertable,
                                            trayicon, progtimer, txtLoss, statusBar, imgConn,
                                            actQueryServer}};
    query::ServerDisplay& display = watch.display;
    query::ServerTables& tables = watch.tables;
    query::StatusQuery& query = watch.statusQuery;
    tk::Timer& qrytimer = query.qrytimer;
    tk::Timer& timeout = query.timeout;

    WatchRig() {
        watch.wire();
        watch.applySettings(kLocalPort);
    }

    // The roster's columns for the player properties switched on, as the
    // settings would build them.
    void buildRosterColumns() { display.BuildRosterColumns(); }

    // Adds a favourite at the end of the list and draws its row.
    int addFavourite(std::string_view name, std::string_view address, std::string_view port) {
        const int slot = records.favouriteEnd++;
        auto& f = records.favourites[static_cast<std::size_t>(slot)];
        f.hostname = name;
        f.address = address;
        f.hostport = port;
        tables.ShowFavouriteRow(slot);
        return slot;
    }

    // A datagram arriving on the query socket from where the last query went.
    void receive(std::string_view bytes) {
        receiveFrom(query.udpsock.remoteHost(), query.udpsock.remotePort(), bytes);
    }
    void receiveFrom(const std::string& host, std::uint16_t port, std::string_view bytes) {
        query.udpsock.deliver(bytes, host, port);
    }

    [[nodiscard]] std::vector<fake::SentDatagram> sentQueries() const {
        return platform.sentFrom(kLocalPort);
    }
};

// The cells of a display row, left to right.
[[nodiscard]] inline std::vector<std::string> rowCells(const tk::StringGrid& grid, int row) {
    std::vector<std::string> cells;
    for (int col = 0; col < grid.colCount(); ++col) {
        cells.push_back(grid.cell(col, row));
    }
    return cells;
}

} // namespace testing_query
