// The list of all servers end to end: the main window on the Qt backend asks
// the lab's master server (secure greeting, validate checked) for its list
// over TCP, pings every server listed over UDP and shows the answers in the
// table of all servers.

#include "Lab.h"
#include "MasterOptions.h"
#include "ServerOptions.h"
#include "app/QueryMain.h"
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

// The first of three consecutive local UDP ports that nobody holds now,
// below the range the system hands out for port 0 and picked at random, so
// that test programs running side by side do not meet.
std::uint16_t freeLocalPorts() {
    constexpr int kLowest = 20000;
    constexpr int kSpan = 12000;
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto first = static_cast<std::uint16_t>(kLowest + random() % kSpan);
        std::array<QUdpSocket, 3> probes;
        bool free = true;
        for (std::uint16_t i = 0; i < probes.size() && free; ++i) {
            free = probes[i].bind(QHostAddress::AnyIPv4, static_cast<quint16>(first + i),
                                  QAbstractSocket::DontShareAddress);
        }
        if (free) {
            return first;
        }
    }
    ADD_FAILURE() << "no three free consecutive UDP ports found";
    return 0;
}

int column(const tk::StringGrid& grid, std::string_view header) {
    for (int c = 0; c < grid.colCount(); ++c) {
        if (grid.cell(c, 0) == header) {
            return c;
        }
    }
    ADD_FAILURE() << "no column \"" << header << "\"";
    return -1;
}

// A whole decimal number, or -1 for any other text.
int number(const std::string& text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return -1;
    }
    return std::stoi(text);
}

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
