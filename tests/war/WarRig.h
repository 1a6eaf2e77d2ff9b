#pragma once

#include "query/WatchRig.h"
#include "toolkit/Action.h"
#include "toolkit/Controls.h"
#include "toolkit/Timer.h"
#include "war/War.h"

#include <string>
#include <vector>

namespace testing_war {

struct Player {
    std::string name;
    int team = 0;
    int frags = 0;
    int ping = 50;
};

// One status reply of the watched server, as the war sees it.
struct Reply {
    std::vector<Player> players;
    int timeSeconds = 100;
    int timelimit = 0;
    int fraglimit = 0;
    int maxplayers = 16;
    int numplayers = -1; // -1: as many as players
    std::string map = "CTF-Face";
    std::string maptitle = "Facing Worlds";
    std::string gametype = "CTFGame";
    std::string hostname = "War Server";
};

// The reply's datagrams as the server sends reply number `id`: the server's
// block, then the players, each datagram below 1 KB.
inline std::vector<std::string> replyDatagrams(const Reply& r, int id) {
    const int n = r.numplayers < 0 ? static_cast<int>(r.players.size()) : r.numplayers;
    std::vector<std::string> bodies{
        "\\hostname\\" + r.hostname + "\\hostport\\7777\\maptitle\\" + r.maptitle + "\\mapname\\" +
        r.map + "\\gametype\\" + r.gametype + "\\numplayers\\" + std::to_string(n) +
        "\\maxplayers\\" + std::to_string(r.maxplayers) + "\\timelimit\\" +
        std::to_string(r.timelimit) + "\\fraglimit\\" + std::to_string(r.fraglimit) +
        "\\TimeSeconds\\" + std::to_string(r.timeSeconds) + ".250000"};
    for (std::size_t i = 0; i < r.players.size(); ++i) {
        const Player& p = r.players[i];
        const std::string k = std::to_string(i);
        std::string entry = "\\player_" + k + "\\" + p.name + "\\frags_" + k + "\\" +
                            std::to_string(p.frags) + "\\ping_" + k + "\\" +
                            std::to_string(p.ping) + "\\team_" + k + "\\" + std::to_string(p.team);
        if (bodies.back().size() + entry.size() > 1000) {
            bodies.emplace_back();
        }
        bodies.back() += entry;
    }
    std::vector<std::string> datagrams;
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        datagrams.push_back(bodies[i] + "\\queryid\\" + std::to_string(id) + "." +
                            std::to_string(i + 1) + (i + 1 == bodies.size() ? "\\final\\" : ""));
    }
    return datagrams;
}

// The war subsystem on the fake backend, beside the watch whose whole
// replies it folds, both wired by their own wire().
struct WarRig {
    testing_query::WatchRig watch;
    tk::Timer favouriteTimer{watch.platform, 1500};

    tk::Label rplayer, rfrags, rinterpol, rspread, ravgfrags, ravgping;
    tk::Label bplayer, bfrags, binterpol, bspread, bavgfrags, bavgping;
    tk::Label time{"00:00"};
    tk::Label timeCaption{"Map time"};
    tk::Edit teamA;
    tk::Edit teamB;
    tk::Action actWarRecord{"Server", "War recording", "Starts/Stops war recording"};
    tk::StatusBar statusBar{{{}, {}, {}, {}, {"", 100, tk::StatusBar::Align::Left, true, true}}};

    war::War war{watch.platform,
                 watch.settings,
                 watch.records,
                 watch.query,
                 favouriteTimer,
                 war::WarControls{{rplayer, rfrags, rinterpol, rspread, ravgfrags, ravgping},
                                  {bplayer, bfrags, binterpol, bspread, bavgfrags, bavgping},
                                  time,
                                  timeCaption,
                                  teamA,
                                  teamB,
                                  actWarRecord,
                                  statusBar}};
    war::WarRecord& record = war.warRecord;

    WarRig() {
        war.wire();
        war.applySettings(watch.settings);
        watch.addFavourite("War Server", "192.0.2.20", "7777");
        watch.records.watchSource = query::WatchSource::Favourites;
        watch.records.watchSlot = 1;
    }

    // The reply arrives on the query socket as the answer to a query, and
    // runs the whole reply's steps.
    void reply(const Reply& r) {
        if (!m_asked) {
            // QueryInterval 2: the third tick sends.
            for (int i = 0; i < 3; ++i) {
                watch.query.qrytimerTimer();
            }
            m_asked = true;
        }
        for (const std::string& datagram : replyDatagrams(r, ++m_replyId)) {
            watch.receive(datagram);
        }
    }

    // The red and the blue column of the war page, top to bottom.
    [[nodiscard]] std::vector<std::string> red() const {
        return {rplayer.caption(), rfrags.caption(),    rinterpol.caption(),
                rspread.caption(), ravgfrags.caption(), ravgping.caption()};
    }
    [[nodiscard]] std::vector<std::string> blue() const {
        return {bplayer.caption(), bfrags.caption(),    binterpol.caption(),
                bspread.caption(), bavgfrags.caption(), bavgping.caption()};
    }

private:
    bool m_asked = false;
    int m_replyId = 0;
};

} // namespace testing_war
