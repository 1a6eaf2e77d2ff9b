#pragma once

#include "query/Records.h"
#include "serverlist/ServerList.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/StringGrid.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace testing_serverlist {

// The server list on the fake backend: the records and controls the main
// window owns, a master.dat in a folder of its own, and the subsystem wired
// by its own wire().
struct ServerListRig {
    fake::FakePlatform platform;
    fake::TempFolder folder;
    std::unique_ptr<query::ServerRecords> recordsPtr = std::make_unique<query::ServerRecords>();
    query::ServerRecords& records = *recordsPtr;

    tk::StringGrid servertable{6, 4000, 1, 1};
    tk::Label lblNumServers{"No servers found yet"};
    tk::StatusBar statusBar{{{}, {}, {}, {}}};
    tk::Action actQueryMaster{"Server", "Query masterserver", ""};
    tk::Action actOpenServers{"File", "Open serverlist", ""};
    tk::Action actSaveServers{"File", "Save serverlist", ""};
    tk::ProgressBar progPing;
    tk::Action actStopMaster{"Server", "Stop querying", ""};

    serverlist::ServerList list{platform, folder.file("master.dat")};
    int sweeps = 0; // lists handed to the sweep
    static constexpr std::uint16_t kPingPort = 9876;

    ServerListRig() {
        list.wire(records,
                  serverlist::ServerListControls{servertable, lblNumServers, statusBar,
                                                 actQueryMaster, actOpenServers, actSaveServers},
                  serverlist::SweepControls{progPing, actStopMaster});
        list.mastercon.setHost("master.example.net");
        list.mastercon.setPort(28900);
        list.pingtimer.setInterval(20);
        (void)list.udpping.setLocalPort(kPingPort);
        master().onListComplete = [this, start = master().onListComplete] {
            ++sweeps;
            start();
        };
    }

    serverlist::MasterClient& master() { return *list.master; }
    serverlist::PingSweep& sweep() { return *list.sweep; }
    fake::FakeTcpDriver& tcp() { return *platform.tcp.at(&list.mastercon); }
    [[nodiscard]] std::string caption() const { return lblNumServers.caption(); }

    // "Query masterserver", and the master accepts the connection.
    void connect() {
        actQueryMaster.execute();
        list.mastercon.notifyConnected();
    }
    void receive(std::string_view chunk) { list.mastercon.notifyRead(chunk); }
    // Connects, lets the master greet with a challenge, and clears what was
    // sent in answer.
    void connectSecure() {
        connect();
        receive("\\basic\\\\secure\\ABCDEF\\final\\");
        tcp().sent.clear();
    }
    [[nodiscard]] std::string masterDat() const {
        return fake::readFile(folder.file("master.dat"));
    }
};

} // namespace testing_serverlist
