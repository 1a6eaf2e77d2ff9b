#include "OptionKeys.h"

#include "OptionValues.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace utlab {
namespace {

using namespace optionvalues;

std::vector<std::string> splitNames(std::string_view value) {
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= value.size();) {
        const std::size_t end = std::min(value.find(';', start), value.size());
        if (const std::string_view name = trimmed(value.substr(start, end - start));
            !name.empty()) {
            names.emplace_back(name);
        }
        start = end + 1;
    }
    return names;
}

using Setter = void (*)(ServerOptions&, std::string_view key, std::string_view value);

template <auto Member> void setText(ServerOptions& o, std::string_view, std::string_view v) {
    o.*Member = std::string(v);
}

template <auto Member> void setNumber(ServerOptions& o, std::string_view k, std::string_view v) {
    o.*Member = number<std::remove_reference_t<decltype(o.*Member)>>(k, v);
}

template <auto Member> void setFlag(ServerOptions& o, std::string_view k, std::string_view v) {
    o.*Member = flag(k, v);
}

template <auto Member>
void setProbability(ServerOptions& o, std::string_view k, std::string_view v) {
    const double value = number<double>(k, v);
    if (!(value >= 0.0 && value <= 1.0)) {
        fail(k, v, "a probability from 0 to 1");
    }
    o.*Member = value;
}

void setNames(ServerOptions& o, std::string_view, std::string_view v) {
    o.playerNames = splitNames(v);
}

void setEcho(ServerOptions& o, std::string_view k, std::string_view v) {
    constexpr std::array<std::pair<std::string_view, EchoStyle>, 3> kStyles = {
        {{"auto", EchoStyle::Auto}, {"replay", EchoStyle::Replay}, {"plain", EchoStyle::Plain}}};
    o.echo = choice(k, v, kStyles, "auto, replay or plain");
}

void setEncoding(ServerOptions& o, std::string_view k, std::string_view v) {
    constexpr std::array<std::pair<std::string_view, NameCharset>, 3> kCharsets = {
        {{"auto", NameCharset::Auto},
         {"utf8", NameCharset::Utf8},
         {"latin1", NameCharset::Latin1}}};
    o.charset = choice(k, v, kCharsets, "auto, utf8 or latin1");
}

void setOrder(ServerOptions& o, std::string_view k, std::string_view v) {
    constexpr std::array<std::pair<std::string_view, DatagramOrder>, 3> kOrders = {
        {{"sent", DatagramOrder::Sent},
         {"reverse", DatagramOrder::Reverse},
         {"shuffle", DatagramOrder::Shuffle}}};
    o.order = choice(k, v, kOrders, "sent, reverse or shuffle");
}

struct Key {
    std::string_view name;
    Setter set;
    std::string_view help;
};

using O = ServerOptions;

constexpr std::array<Key, 30> kKeys = {{
    {"name", setText<&O::name>, "server name (hostname)"},
    {"port", setNumber<&O::gamePort>, "game port, query port = port + 1 (default 0: a free pair)"},
    {"hostport", setNumber<&O::hostPort>,
     "game port the replies report, as behind port forwarding (default 0: port)"},
    {"version", setNumber<&O::version>, "436, 451 (default) or 469 (behaves like 469c)"},
    {"gametype", setText<&O::gameType>,
     "DeathMatchPlus (default), LastManStanding, TeamGamePlus, CTFGame, Domination, Assault"},
    {"map", setText<&O::mapName>, "map name, e.g. CTF-Face (default: a stock map)"},
    {"maptitle", setText<&O::mapTitle>, "map title (default: from the map name)"},
    {"maxplayers", setNumber<&O::maxPlayers>,
     "player slots (default 16, or more for more players)"},
    {"players", setNumber<&O::players>, "human players, 0 to 32 (default 0)"},
    {"names", setNames,
     "player names separated by ';' (UTF-8), any text, also protocol words\n"
     "                 (names=echo;final); generated names fill up"},
    {"bots", setNumber<&O::bots>, "bots, 0 to 32; listed by 469 only (default 0)"},
    {"spectators", setNumber<&O::spectators>, "spectators, 0 to 32 (default 0)"},
    {"timelimit", setNumber<&O::timeLimit>, "minutes (default 20); a live level restarts after it"},
    {"fraglimit", setNumber<&O::fragLimit>, "deathmatch frag limit (default 30)"},
    {"goalteamscore", setNumber<&O::goalTeamScore>, "team score limit (default: the game type's)"},
    {"mutators", setText<&O::mutators>, "mutator list (default: none, key left out)"},
    {"adminname", setText<&O::adminName>, "AdminName (default: none, key left out)"},
    {"adminemail", setText<&O::adminEmail>, "AdminEMail (default: none, key left out)"},
    {"password", setFlag<&O::password>, "the server asks for a password (default false)"},
    {"latency", setNumber<&O::latencyMs>, "reply delay in ms, 0 to 10000 (default 0)"},
    {"loss", setProbability<&O::loss>, "probability that a reply datagram is lost (default 0)"},
    {"reorder", setProbability<&O::reorder>,
     "probability that a datagram is held back (default 0)"},
    {"order", setOrder,
     "sent (default), reverse, or shuffle (seeded, never the sent order):\n"
     "                 the order in which every reply's datagrams leave"},
    {"seed", setNumber<&O::seed>, "seed of names, match and network (default: from the name)"},
    {"oldorder", setFlag<&O::oldOrder>, "\\final\\ before the queryid, as old servers (false)"},
    {"silent", setFlag<&O::silent>, "listen but never answer (default false)"},
    {"echo", setEcho, "auto (echo_replay from 451 on; default), replay or plain"},
    {"encoding", setEncoding, "auto (UTF-8 from 469 on, else Latin-1; default), utf8, latin1"},
    {"longnames", setFlag<&O::longNames>, "long names and custom skins: huge replies (false)"},
    {"live", setFlag<&O::live>,
     "frags, pings, time move; players come and go, reconnect, rename, switch teams (default false)"},
}};

} // namespace

void applyOption(ServerOptions& options, std::string_view key, std::string_view value) {
    const auto known = [&](const Key& k) { return equalsIgnoreCase(k.name, key); };
    const auto it = std::ranges::find_if(kKeys, known);
    if (it == kKeys.end()) {
        throw ConfigError("unknown key \"" + std::string(key) + "\"");
    }
    it->set(options, it->name, value);
}

std::string optionKeysHelp() {
    std::string help;
    for (const Key& key : kKeys) {
        help += "  " + std::string(key.name) + std::string(15 - key.name.size(), ' ') +
                std::string(key.help) + '\n';
    }
    return help;
}

} // namespace utlab
