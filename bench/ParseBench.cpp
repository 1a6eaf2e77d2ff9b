// What reading one status reply costs: the parser against a plain one-pass
// split of the same bytes, and against the scanning lookups the parser used to
// make (one search of the whole reply per key).
//
// The reply is the busy CTF server's answer of BusyReply.h (32 players, 11
// datagrams), its datagrams joined in their numbered order.
//
// The counter vs_split is a benchmark's CPU time per reply divided by the
// split's (both read from this thread's CPU clock).

#include "BusyReply.h"
#include "query/Records.h"
#include "query/ReplyIndex.h"
#include "query/StatusParser.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint32_t kTickNow = 1100; // the echo of the reply was stamped at 1000

const bench::BusyReply& busyReply() {
    static const bench::BusyReply reply = bench::makeBusyReply();
    return reply;
}

// The plain one-pass split: every backslash-separated token, taken as keys
// and values in turn.
std::size_t splitPairs(std::string_view text) {
    std::size_t sum = 0;
    std::size_t pos = text.find('\\');
    while (pos < text.size()) {
        const std::size_t keyEnd = std::min(text.find('\\', pos + 1), text.size());
        const std::size_t valueEnd =
            keyEnd < text.size() ? std::min(text.find('\\', keyEnd + 1), text.size()) : keyEnd;
        sum += (keyEnd - pos) + (valueEnd - keyEnd);
        pos = valueEnd;
    }
    return sum;
}

// CPU time of this thread: the machine may be busy with other work.
double threadNanos() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// The split's time per reply, measured once: the median of several batches.
double splitNanos() {
    static const double nanos = [] {
        const std::string_view text = busyReply().text;
        std::vector<double> batches;
        for (int batch = 0; batch < 21; ++batch) {
            constexpr int kRounds = 2000;
            const double start = threadNanos();
            for (int i = 0; i < kRounds; ++i) {
                benchmark::DoNotOptimize(splitPairs(text));
            }
            batches.push_back((threadNanos() - start) / kRounds);
        }
        std::nth_element(batches.begin(), batches.begin() + 10, batches.end());
        return batches[10];
    }();
    return nanos;
}

// Runs body once per iteration and sets the counters of a reply benchmark.
template <typename Body> void measure(benchmark::State& state, Body body) {
    const bench::BusyReply& reply = busyReply();
    if (reply.datagrams.size() != bench::kBusyDatagrams) {
        state.SkipWithError(
            ("the reply fills " + std::to_string(reply.datagrams.size()) + " datagrams, not 11")
                .c_str());
        return;
    }
    const double start = threadNanos();
    for (auto _ : state) {
        body(reply.text);
    }
    const double took = threadNanos() - start;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.text.size()));
    state.counters["datagrams"] = static_cast<double>(reply.datagrams.size());
    state.counters["vs_split"] = took / static_cast<double>(state.iterations()) / splitNanos();
}

void BM_Split(benchmark::State& state) {
    measure(state, [](std::string_view text) { benchmark::DoNotOptimize(splitPairs(text)); });
}
BENCHMARK(BM_Split);

void BM_IndexBuild(benchmark::State& state) {
    measure(state, [](std::string_view text) {
        const query::ReplyIndex index(text);
        benchmark::DoNotOptimize(index.value("numplayers"));
    });
}
BENCHMARK(BM_IndexBuild);

void BM_ParseStatus(benchmark::State& state) {
    const query::PlayerProperties all{
        .health = true, .spree = true, .weapon = true, .inventory = true};
    const auto records = std::make_unique<query::ServerRecords>();
    query::ParseStatus(busyReply().text, all, kTickNow, *records);
    if (records->currentServer.numplayers != bench::kBusyPlayers ||
        records->playerEnd != bench::kBusyPlayers + 2 ||
        records->players[bench::kBusyPlayers].name.empty() ||
        records->currentServer.echoSlot != 3) {
        state.SkipWithError("the parser misread the reply");
        return;
    }
    measure(state, [&](std::string_view text) {
        query::ParseStatus(text, all, kTickNow, *records);
        benchmark::ClobberMemory();
    });
}
BENCHMARK(BM_ParseStatus);

// The lookups the parser made before it had an index: the same keys in the
// same order, each a search of the whole reply for "\key\" with the key's
// name built in a fresh string. Only the lookups, none of the record writes.
std::string_view scanValue(std::string_view key, std::string_view text) {
    std::string pattern;
    pattern.reserve(key.size() + 2);
    pattern.append("\\").append(key).append("\\");
    const std::size_t at = text.find(pattern);
    if (at == std::string_view::npos) {
        return "";
    }
    const std::string_view rest = text.substr(at + pattern.size());
    return rest.substr(0, rest.find('\\'));
}

std::size_t scanLikeTheOldParser(std::string_view text) {
    std::size_t sum = 0;
    for (const std::string_view key :
         {"hostname",     "hostport",    "gamever",      "gametype",    "gamestyle",
          "minnetver",    "maptitle",    "mapname",      "maxplayers",  "numplayers",
          "timelimit",    "fraglimit",   "friendlyfire", "maxteams",    "goalteamscore",
          "balanceteams", "TimeSeconds", "echo",         "echo_replay", "tournament"}) {
        sum += scanValue(key, text).size();
    }
    const auto numbered = [&](std::string_view stem, int number) {
        std::string name(stem);
        name += std::to_string(number);
        sum += scanValue(name, text).size();
    };
    for (int i = 0; i <= bench::kBusyPlayers; ++i) { // n + 1 passes
        for (const std::string_view stem :
             {"player_", "mesh_", "frags_", "ping_", "team_", "skin_", "face_"}) {
            numbered(stem, i);
        }
        for (const std::string_view stem : {"health_", "spree_", "weapon_", "inventory_"}) {
            numbered(stem, i + 2);
        }
        numbered("ngsecret_", i);
    }
    return sum;
}

void BM_OldScanningLookups(benchmark::State& state) {
    measure(state,
            [](std::string_view text) { benchmark::DoNotOptimize(scanLikeTheOldParser(text)); });
}
BENCHMARK(BM_OldScanningLookups);

} // namespace

BENCHMARK_MAIN();
