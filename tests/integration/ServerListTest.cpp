// The list of all servers end to end: the main window on the Qt backend asks
// the lab's master server (secure greeting, validate checked) for its list
// over TCP, pings every server listed over UDP and shows the answers in the
// table of all servers.

#include "Lab.h"
#include "MasterOptions.h"
#include "ServerOptions.h"
#include "app/QueryMain.h"
#include "support/qt/BackendTestSupport.h"
#include "qt/QtPlatform.h"
#include "query/Records.h"

#include <QHostAddress>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using backendtest::column;
using backendtest::freeLocalPorts;
using backendtest::number;


TEST(ServerListTest, TheMasterListsTheLabsServersAndTheTableShowsTheirAnswers) {
    const std::vector<std::string> names = {"Lab Alpha", "Lab Bravo", "Lab Charlie"};
    utlab::LabConfig config;
    for (const std::string& name : names) {
        utlab::ServerOptions server;
        server.name = name;
        config.servers.push_back(server);
    }
    utlab::MasterOptions master;
    master.greeting = utlab::Greeting::Secure;
    master.checkValidate = true;
    config.master = master;
    utlab::Lab lab(std::move(config));
    lab.start();
    ASSERT_TRUE(lab.masterPort().has_value());

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::uint16_t ports = freeLocalPorts();
    ASSERT_NE(ports, 0);
    std::string ini = "[Settings]\r\nFirstRun=0\r\nDoHTTP=0\r\nAutoPingFavs=0\r\n";
    ini += "qryMasterOnStartup=0\r\nLoadListOnStartup=0\r\n";
    ini += "Ports=" + std::to_string(ports) + "\r\n";
    ini += "MasterserverURI=127.0.0.1:" + std::to_string(*lab.masterPort()) + "\r\n";
    const std::string path = folder.filePath(QStringLiteral("skarvell.ini")).toStdString();
    std::ofstream(path, std::ios::binary) << ini;

    gui::QtPlatform platform(QStringLiteral("Skarvell test"));
    app::TQueryMain main(platform, path);
    main.FormCreate();
    ASSERT_TRUE(main.actQueryMaster.enabled());
    main.actQueryMaster.execute();

    const tk::StringGrid& table = main.servertable;
    const int server = column(table, "Server");
    const int ping = column(table, "Ping");
    // All three answered: three rows, each with a name and a ping.
    const auto shown = [&] {
        if (table.rowCount() != 4 || main.records.serverRows != 3) {
            return false;
        }
        for (int row = 1; row < table.rowCount(); ++row) {
            if (table.cell(server, row).empty() || number(table.cell(ping, row)) < 0) {
                return false;
            }
        }
        return true;
    };
    ASSERT_TRUE(QTest::qWaitFor(shown, 15000))
        << "rows " << table.rowCount() << ", answers " << main.records.serverRows << ", "
        << main.lblNumServers.caption();

    std::vector<std::string> shownNames;
    for (int row = 1; row < table.rowCount(); ++row) {
        shownNames.push_back(table.cell(server, row));
    }
    std::sort(shownNames.begin(), shownNames.end());
    EXPECT_EQ(shownNames, names);
    EXPECT_EQ(main.lblNumServers.caption(), "Servers: 3 of 3");

    // A row of the table watches its server.
    main.servertable.select(server, 2);
    EXPECT_EQ(main.records.watchSource, query::WatchSource::ServerList);
    EXPECT_EQ(main.records.watchSlot, main.servertable.dataRow(2));
    lab.stop();
}

} // namespace
