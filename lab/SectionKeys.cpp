#include "SectionKeys.h"

#include "OptionValues.h"

#include <algorithm>
#include <array>
#include <span>

namespace utlab {
namespace {

using namespace optionvalues;

template <typename Options> struct Key {
    std::string_view name;
    void (*set)(Options&, std::string_view key, std::string_view value);
    std::string_view help;
};

template <typename Options>
void apply(std::span<const Key<Options>> keys, Options& options, std::string_view key,
           std::string_view value) {
    const auto it = std::ranges::find_if(
        keys, [&](const Key<Options>& k) { return equalsIgnoreCase(k.name, key); });
    if (it == keys.end()) {
        throw ConfigError("unknown key \"" + std::string(key) + "\"");
    }
    it->set(options, it->name, value);
}

template <typename Options> std::string help(std::span<const Key<Options>> keys) {
    std::string text;
    for (const Key<Options>& key : keys) {
        text += "  " + std::string(key.name) + std::string(15 - key.name.size(), ' ') +
                std::string(key.help) + '\n';
    }
    return text;
}

using M = MasterOptions;

constexpr std::array<Key<M>, 9> kMasterKeys = {{
    {"port",
     [](M& o, std::string_view k, std::string_view v) {
         o.port = static_cast<std::uint16_t>(numberIn(k, v, 0, 65535));
     },
     "TCP port on 127.0.0.1 (default 0: a free port)"},
    {"greeting",
     [](M& o, std::string_view k, std::string_view v) {
         constexpr std::array<std::pair<std::string_view, Greeting>, 3> kGreetings = {
             {{"secure", Greeting::Secure},
              {"secure-final", Greeting::SecureFinal},
              {"none", Greeting::None}}};
         o.greeting = choice(k, v, kGreetings, "secure, secure-final or none");
     },
     "secure (default): \\basic\\\\secure\\XXXXXX, then a validate is required;\n"
     "                 secure-final: the same followed by \\final\\; none: no greeting,\n"
     "                 the old request \\list\\\\gamename\\ut\\final is answered at once"},
    {"behaviour",
     [](M& o, std::string_view k, std::string_view v) {
         constexpr std::array<std::pair<std::string_view, MasterBehaviour>, 4> kBehaviours = {
             {{"normal", MasterBehaviour::Normal},
              {"slow", MasterBehaviour::Slow},
              {"silent", MasterBehaviour::Silent},
              {"refuse", MasterBehaviour::Refuse}}};
         o.behaviour = choice(k, v, kBehaviours, "normal, slow, silent or refuse");
     },
     "normal (default); slow: the list in pieces spread over seconds;\n"
     "                 silent: accepts and never says anything; refuse: the port is held\n"
     "                 but nothing listens, connections are refused"},
    {"chunks",
     [](M& o, std::string_view k, std::string_view v) { o.chunks = numberIn(k, v, 1, kMaxChunks); },
     "the list leaves in this many pieces of seeded random sizes, one cut\n"
     "                 inside the closing \\final\\ (default 1; slow: at least 6)"},
    {"gap",
     [](M& o, std::string_view k, std::string_view v) { o.gapMs = numberIn(k, v, 0, kMaxGapMs); },
     "ms between pieces (default 10, slow 700)"},
    {"entries",
     [](M& o, std::string_view k, std::string_view v) {
         o.entries = numberIn(k, v, 0, kMaxEntries);
     },
     "list exactly this many servers: the lab's first, then made-up ones on\n"
     "                 127.0.0.1 where nothing listens (default: the lab's servers)"},
    {"keepopen", [](M& o, std::string_view k, std::string_view v) { o.keepOpen = flag(k, v); },
     "leave the connection open after the list (default false: close it)"},
    {"check", [](M& o, std::string_view k, std::string_view v) { o.checkValidate = flag(k, v); },
     "check the client's validate (default true; false: any answer will do,\n"
     "                 as for quakestat, which sends a fixed one)"},
    {"seed",
     [](M& o, std::string_view k, std::string_view v) { o.seed = number<std::uint64_t>(k, v); },
     "seed of the challenges and piece sizes (default 1)"},
}};

using N = ManyOptions;

void setLatencyRange(N& o, std::string_view k, std::string_view v) {
    const std::size_t dash = v.find('-');
    const int low = numberIn(k, trimmed(v.substr(0, dash)), 0, kMaxLatencyMs);
    const int high = dash == std::string_view::npos
                         ? low
                         : numberIn(k, trimmed(v.substr(dash + 1)), 0, kMaxLatencyMs);
    if (high < low) {
        fail(k, v, "LOW-HIGH with LOW at most HIGH");
    }
    o.latencyLowMs = low;
    o.latencyHighMs = high;
}

constexpr std::array<Key<N>, 3> kManyKeys = {{
    {"count",
     [](N& o, std::string_view k, std::string_view v) { o.count = numberIn(k, v, 0, kMaxMany); },
     "how many generated servers to start, 0 to 10000 (default 0)"},
    {"latency", setLatencyRange,
     "each server's reply delay in ms, seeded from LOW-HIGH (default 25-250),\n"
     "                 or one value for all"},
    {"seed",
     [](N& o, std::string_view k, std::string_view v) { o.seed = number<std::uint64_t>(k, v); },
     "seed of the generated servers (default 1)"},
}};

} // namespace

void applyMasterOption(MasterOptions& options, std::string_view key, std::string_view value) {
    apply<M>(kMasterKeys, options, key, value);
}

void applyManyOption(ManyOptions& options, std::string_view key, std::string_view value) {
    apply<N>(kManyKeys, options, key, value);
}

std::string masterKeysHelp() {
    return help<M>(kMasterKeys);
}

std::string manyKeysHelp() {
    return help<N>(kManyKeys);
}

} // namespace utlab
