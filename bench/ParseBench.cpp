// What reading one status reply costs: the parser against a plain one-pass
// split of the same bytes, and against the scanning lookups the parser used to
// make (one search of the whole reply per key).
//
// The reply is a busy CTF server's answer to a status query with all four
// player properties: 32 players, 4 of them spectators, packed into 11
// datagrams as the game packs them (blocks up to about 1000 characters, each
// datagram closed by \queryid\N.M, the last one by \final\), joined in their
// numbered order.
//
// The counter vs_split is a benchmark's CPU time per reply divided by the
// split's (both read from this thread's CPU clock).

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

constexpr int kPlayers = 32;
constexpr std::size_t kDatagramBudget = 1000;
constexpr std::size_t kExpectedDatagrams = 11;
constexpr std::uint32_t kTickNow = 1100; // the echo below was stamped at 1000

void appendPair(std::string& out, std::string_view key, std::string_view value) {
    out += '\\';
    out += key;
    out += '\\';
    out += value;
}

std::string playerBlock(int i) {
    static const std::vector<std::string> kNames = {
        "[UTPG]Thunderstruck-the-Unstoppable", "xXx_FragMaster_from_Hamburg_xXx",
        "=DoC=Sniper Elite (away till 9pm)",   "Lord Vader's Apprentice |AFK|",
        "{NOS}Quickdraw McGraw the Third",     "ShockComboKing^on^a^Sunday",
        "[BOSS]Mr. Redeemer Himself",          "Flak Monkey 2000 [newbie, be nice]"};
    const std::string n = std::to_string(i);
    const bool spectator = i % 8 == 7;
    std::string block;
    appendPair(block, "player_" + n, kNames[static_cast<std::size_t>(i) % kNames.size()] + n);
    appendPair(block, "frags_" + n, spectator ? "0" : std::to_string(37 - i));
    appendPair(block, "ping_" + n, " " + std::to_string(40 + 3 * i));
    appendPair(block, "team_" + n, spectator ? "255" : std::to_string(i % 2));
    appendPair(block, "mesh_" + n, spectator ? "Spectator" : "Male Soldier Custom Model");
    appendPair(block, "skin_" + n, spectator ? "None" : "CustomSkins.BlackMetal_Edition");
    appendPair(block, "face_" + n, spectator ? "" : "CustomSkins.BlackMetal_Face3");
    appendPair(block, "ngsecret_" + n, "true");
    return block;
}

std::string propertyValue(std::string_view property, int actor) {
    static const std::vector<std::string> kWeapons = {"Botpack.ShockRifle", "Botpack.UT_FlakCannon",
                                                      "Botpack.PulseGun", "Botpack.Minigun2",
                                                      "Botpack.SniperRifle"};
    static const std::vector<std::string> kItems = {"Botpack.UDamage", "Botpack.Armor2",
                                                    "Botpack.ThighPads", "Botpack.UT_ShieldBelt"};
    const auto at = static_cast<std::size_t>(actor);
    if (property == "weapon") {
        return kWeapons[at % kWeapons.size()];
    }
    if (property == "inventory") {
        return kItems[at % kItems.size()];
    }
    if (property == "health") {
        return std::to_string(100 - actor);
    }
    return std::to_string(actor % 7); // spree
}

std::vector<std::string> replyBlocks() {
    std::vector<std::string> blocks;
    std::string block;
    appendPair(block, "gamename", "ut");
    appendPair(block, "gamever", "469");
    appendPair(block, "gamerevision", "d");
    appendPair(block, "minnetver", "432");
    appendPair(block, "location", "0");
    blocks.push_back(std::move(block));

    block.clear();
    appendPair(block, "hostname",
               "=DoC= Clan Server | CTF 24/7 | Instagib Sundays | www.example.org");
    appendPair(block, "hostport", "7777");
    appendPair(block, "maptitle", "Facing Worlds");
    appendPair(block, "mapname", "CTF-Face");
    appendPair(block, "gametype", "CTFGame");
    appendPair(block, "numplayers", std::to_string(kPlayers));
    appendPair(block, "maxplayers", "32");
    appendPair(block, "gamemode", "openplaying");
    appendPair(block, "gamever", "469");
    appendPair(block, "minnetver", "432");
    appendPair(block, "worldlog", "False");
    appendPair(block, "wantworldlog", "False");
    blocks.push_back(std::move(block));

    block.clear();
    appendPair(block, "mutators", "NoRedeemer, Relics");
    appendPair(block, "listenserver", "False");
    appendPair(block, "password", "False");
    appendPair(block, "timelimit", "20");
    appendPair(block, "goalteamscore", "3");
    appendPair(block, "minplayers", "0");
    appendPair(block, "changelevels", "True");
    appendPair(block, "maxteams", "2");
    appendPair(block, "balanceteams", "True");
    appendPair(block, "playersbalanceteams", "True");
    appendPair(block, "friendlyfire", "0%");
    appendPair(block, "tournament", "False");
    appendPair(block, "gamestyle", "Hardcore");
    appendPair(block, "AdminName", "Ann");
    appendPair(block, "AdminEMail", "admin@example.org");
    blocks.push_back(std::move(block));

    for (int i = 0; i < kPlayers; ++i) {
        blocks.push_back(playerBlock(i));
    }

    block.clear();
    appendPair(block, "TimeSeconds", "1234.560059");
    blocks.push_back(std::move(block));
    // Counted from 1 over every player actor, spectators included.
    for (const std::string_view property : {"health", "weapon", "spree", "inventory"}) {
        for (int actor = 1; actor <= kPlayers; ++actor) {
            block.clear();
            appendPair(block, std::string(property) + "_" + std::to_string(actor),
                       propertyValue(property, actor));
            blocks.push_back(std::move(block));
        }
    }
    block.clear();
    appendPair(block, "echo_replay", "ping_1000|3");
    blocks.push_back(std::move(block));
    return blocks;
}

struct Reply {
    std::string text;
    std::size_t datagrams = 0;
};

const Reply& busyReply() {
    static const Reply reply = [] {
        Reply r;
        std::string datagram;
        const auto close = [&](bool last) {
            appendPair(datagram, "queryid", "17." + std::to_string(++r.datagrams));
            if (last) {
                datagram += "\\final\\";
            }
            r.text += datagram;
            datagram.clear();
        };
        for (const std::string& block : replyBlocks()) {
            if (!datagram.empty() && datagram.size() + block.size() > kDatagramBudget) {
                close(false);
            }
            datagram += block;
        }
        close(true);
        return r;
    }();
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
    const Reply& reply = busyReply();
    if (reply.datagrams != kExpectedDatagrams) {
        state.SkipWithError(
            ("the reply fills " + std::to_string(reply.datagrams) + " datagrams, not 11").c_str());
        return;
    }
    const double start = threadNanos();
    for (auto _ : state) {
        body(reply.text);
    }
    const double took = threadNanos() - start;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * reply.text.size()));
    state.counters["datagrams"] = static_cast<double>(reply.datagrams);
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
    if (records->currentServer.numplayers != kPlayers || records->playerEnd != kPlayers + 2 ||
        records->players[kPlayers].name.empty() || records->currentServer.echoSlot != 3) {
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
    for (int i = 0; i <= kPlayers; ++i) { // n + 1 passes
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
