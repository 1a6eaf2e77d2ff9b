// What one status reply costs on its whole way through the watch, on the fake
// backend: the 11 datagrams of a busy server's reply (BusyReply.h) delivered
// to the watch's socket from where the query went, assembled, matched to the
// query by its echo, parsed and shown: the roster, the details, the watched
// favourite's row and the tray hint. The watch is the one the tests use
// (WatchRig), with all four player properties switched on.
//
// Every iteration is a new reply: its number N in \queryid\N.M changes, the
// echo stays that of the one query sent, so each reply is taken as an answer.
// N is written into the prepared datagrams in place (a few bytes per
// datagram), which the timing includes.
//
// Counters, per reply:
//   cells_notified     cells the roster, details and favourites grids told
//                      their views about (cellChanged);
//   first_reply_cells  the same for the first reply, which fills the grids
//                      (taken before the timing starts).
// For an unchanged server cells_notified should be 0; in "frags_change" the
// 28 playing players' frags change with every reply.

#include "BusyReply.h"
#include "query/WatchRig.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using testing_query::WatchRig;

// Reply numbers have six digits, so that N can be rewritten in place.
constexpr std::uint32_t kFirstReplyNumber = 100000;
constexpr std::uint32_t kReplyNumbers = 900000;
constexpr std::uint64_t kRoundTripMs = 60;

// Counts the cells that grids notify.
struct CellCounter {
    std::int64_t cells = 0;
    void observe(tk::StringGrid& grid) {
        grid.cellChanged.connect([this](int, int) { ++cells; });
    }
};

// One reply's datagrams with the place of N in each.
struct PreparedReply {
    std::vector<std::string> datagrams;
    std::vector<std::size_t> numberAt;
    std::size_t bytes = 0;
};

std::optional<PreparedReply> prepare(const bench::BusyReply& reply) {
    const std::string idKey = "\\queryid\\" + std::to_string(kFirstReplyNumber) + ".";
    PreparedReply prepared;
    for (const std::string& datagram : reply.datagrams) {
        const std::size_t at = datagram.rfind(idKey);
        if (at == std::string::npos) {
            return std::nullopt;
        }
        prepared.datagrams.push_back(datagram);
        prepared.numberAt.push_back(at + std::string_view("\\queryid\\").size());
        prepared.bytes += datagram.size();
    }
    return prepared;
}

void writeNumber(PreparedReply& reply, std::uint32_t number) {
    char digits[6];
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    for (std::size_t d = 0; d < reply.datagrams.size(); ++d) {
        reply.datagrams[d].replace(reply.numberAt[d], 6, digits, 6);
    }
}

// The echo stamp of a query datagram: the value of \echo\, up to the padding.
std::string echoOfQuery(std::string_view query) {
    constexpr std::string_view kKey = "\\echo\\";
    const std::size_t at = query.rfind(kKey);
    if (at == std::string_view::npos) {
        return {};
    }
    const std::string_view rest = query.substr(at + kKey.size());
    return std::string(rest.substr(0, rest.find_first_of(std::string_view("\\\0", 2))));
}

// A watch on the fake backend that has sent its first query to the watched
// favourite and counts the replies it takes and the cells it changes.
struct WatchedServer {
    CellCounter counter; // outlives the grids it observes
    WatchRig rig;
    std::int64_t replies = 0;
    std::string echo;

    // Empty when all went as planned, else what went wrong.
    std::string start() {
        rig.settings.QueryInterval = 0;
        rig.settings.Health = true;
        rig.settings.Spree = true;
        rig.settings.Weapon = true;
        rig.settings.Inventory = true;
        rig.watch.applySettings(WatchRig::kLocalPort);
        const int slot = rig.addFavourite("Big", "127.0.0.1", "7777");
        rig.records.watchSource = query::WatchSource::Favourites;
        rig.records.watchSlot = slot;
        rig.query.onUpdateWar = [this] { ++replies; };
        counter.observe(rig.rooster);
        counter.observe(rig.serverInfos);
        counter.observe(rig.favouritestable);

        rig.actQueryServer.execute();
        rig.platform.clock.advance(1000); // QueryInterval 0: a query every tick
        const std::vector<fake::SentDatagram> sent = rig.sentQueries();
        if (sent.size() != 1) {
            return "the watch sent " + std::to_string(sent.size()) + " queries, not 1";
        }
        echo = echoOfQuery(sent.front().bytes);
        if (echo.empty()) {
            return "the query carries no echo";
        }
        rig.platform.clock.advance(kRoundTripMs); // the replies arrive a moment later
        return {};
    }

    void deliver(const PreparedReply& reply) {
        for (const std::string& datagram : reply.datagrams) {
            rig.receive(datagram);
        }
    }
};

// The whole reply path. Each entry of fragsGained is one reply of the cycle
// that the iterations go through.
void BM_WatchReply(benchmark::State& state, std::vector<int> fragsGained) {
    WatchedServer server;
    if (const std::string error = server.start(); !error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::vector<PreparedReply> cycle;
    for (const int gained : fragsGained) {
        const bench::BusyReply reply =
            bench::makeBusyReply({std::to_string(kFirstReplyNumber), server.echo, gained});
        std::optional<PreparedReply> prepared = prepare(reply);
        if (reply.datagrams.size() != bench::kBusyDatagrams || !prepared) {
            state.SkipWithError("the reply is not 11 datagrams with a queryid each");
            return;
        }
        cycle.push_back(std::move(*prepared));
    }

    // The first reply fills the grids.
    std::uint32_t number = 0;
    writeNumber(cycle.front(), kFirstReplyNumber + number++);
    server.deliver(cycle.front());
    const WatchRig& rig = server.rig;
    if (server.replies != 1 || rig.rooster.rowCount() != bench::kBusyPlayers + 1 ||
        rig.rooster.cell(1, 1).empty() || rig.serverInfos.cell(1, 1).empty()) {
        state.SkipWithError("the watch did not show the first reply");
        return;
    }
    const std::int64_t firstReplyCells = server.counter.cells;

    server.counter.cells = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        PreparedReply& reply = cycle[number % cycle.size()];
        writeNumber(reply, kFirstReplyNumber + number % kReplyNumbers);
        ++number;
        server.deliver(reply);
        bytes += reply.bytes;
    }

    const auto iterations = static_cast<std::int64_t>(state.iterations());
    if (server.replies != iterations + 1) {
        state.SkipWithError(("the watch took " + std::to_string(server.replies - 1) + " of " +
                             std::to_string(iterations) + " replies")
                                .c_str());
        return;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["datagrams"] = static_cast<double>(bench::kBusyDatagrams);
    state.counters["cells_notified"] = benchmark::Counter(static_cast<double>(server.counter.cells),
                                                          benchmark::Counter::kAvgIterations);
    state.counters["first_reply_cells"] = static_cast<double>(firstReplyCells);
}
BENCHMARK_CAPTURE(BM_WatchReply, unchanged, std::vector<int>{0});
BENCHMARK_CAPTURE(BM_WatchReply, frags_change, std::vector<int>{0, 1});

} // namespace

BENCHMARK_MAIN();
