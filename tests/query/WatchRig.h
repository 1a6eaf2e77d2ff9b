#pragma once

#include "settings/SettingsBlock.h"
#include "query/Records.h"
#include "query/ServerDisplay.h"
#include "query/ServerTables.h"
#include "query/StatusQuery.h"
#include "query/WatchControls.h"
#include "support/FakePlatform.h"
#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/StringGrid.h"
#include "toolkit/Timer.h"
#include "toolkit/UdpSocket.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testing_query {

// The watched-server machinery on the fake backend: the records, settings and
// controls the main window owns, the three query objects, wired the way the
// main window wires them.
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
    tk::Timer qrytimer{platform, 1000};
    tk::Timer timeout{platform, 1000};
    tk::UdpSocket udpsock{platform};

    query::WatchControls controls{
        rooster,   serverInfos, favouritestable, servertable, trayicon, progtimer, txtLoss,
        statusBar, imgConn,     actQueryServer,  qrytimer,    timeout,  udpsock};
    query::ServerDisplay display{platform, settings, records, controls};
    query::ServerTables tables{records, controls, display};
    query::StatusQuery query{platform, settings, records, controls, display, tables};

    WatchRig() {
        (void)udpsock.setLocalPort(kLocalPort);
        qrytimer.onTimer = [this] { query.qrytimerTimer(); };
        timeout.onTimer = [this] { query.timeoutTimer(); };
        udpsock.onDataReceived = [this](std::string_view bytes, const std::string&, std::uint16_t) {
            query.udpsockDataReceived(bytes);
        };
        actQueryServer.onExecute = [this] { query.actQueryServerExecute(); };
        rooster.onDrawCell = [this](tk::Canvas& canvas, int col, int row, const tk::Rect& rect,
                                    tk::CellState state) {
            display.RoosterDrawCell(canvas, col, row, rect, state);
        };
        rooster.onDblClickCell = [this](int col, int row) {
            display.RoosterDblClickCell(col, row);
        };
        favouritestable.onSelectCell = [this](int, int row) {
            tables.favouritestableSelectCell(row);
        };
        buildRosterColumns();
    }

    // The roster's columns for the player properties switched on, as the main
    // window builds them.
    void buildRosterColumns() {
        const std::vector<std::string> headers = query::rosterHeaders(settings);
        rooster.setColCount(static_cast<int>(headers.size()));
        rooster.setRow(0, headers);
    }

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

    // A datagram arriving on udpsock.
    void receive(std::string_view bytes) { udpsock.deliver(bytes, "198.51.100.7", 7778); }

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
