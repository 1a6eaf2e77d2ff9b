#include "Config.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <sstream>

namespace utlab {
namespace {

[[noreturn]] void fail(std::string_view key, std::string_view value, std::string_view expected) {
    throw ConfigError("bad value \"" + std::string(value) + "\" for " + std::string(key) +
                      " (expected " + std::string(expected) + ")");
}

template <typename T> T number(std::string_view key, std::string_view value) {
    T result{};
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
    if (error != std::errc() || end != value.data() + value.size() || value.empty()) {
        fail(key, value, "a number");
    }
    return result;
}

double probability(std::string_view key, std::string_view value) {
    const double result = number<double>(key, value);
    if (!(result >= 0.0 && result <= 1.0)) {
        fail(key, value, "a probability from 0 to 1");
    }
    return result;
}

bool flag(std::string_view key, std::string_view value) {
    for (std::string_view yes : {"1", "true", "yes", "on"}) {
        if (equalsIgnoreCase(value, yes)) {
            return true;
        }
    }
    for (std::string_view no : {"0", "false", "no", "off"}) {
        if (equalsIgnoreCase(value, no)) {
            return false;
        }
    }
    fail(key, value, "true or false");
}

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

using Setter = void (*)(ServerOptions&, std::string_view, std::string_view);

struct Key {
    std::string_view name;
    Setter set;
    std::string_view help;
};

// clang-format off
constexpr std::array<Key, 28> kKeys = {{
    {"name", [](ServerOptions& o, std::string_view, std::string_view v) { o.name = v; }, "server name (hostname)"},
    {"port", [](ServerOptions& o, std::string_view k, std::string_view v) { o.gamePort = number<std::uint16_t>(k, v); }, "game port; query port = port + 1; 0 = any free pair (default)"},
    {"version", [](ServerOptions& o, std::string_view k, std::string_view v) { o.version = number<int>(k, v); }, "436, 451 (default) or 469 (469c-like)"},
    {"gametype", [](ServerOptions& o, std::string_view, std::string_view v) { o.gameType = v; }, "DeathMatchPlus, LastManStanding, TeamGamePlus, CTFGame, Domination, Assault"},
    {"map", [](ServerOptions& o, std::string_view, std::string_view v) { o.mapName = v; }, "map name, e.g. CTF-Face (default: a stock map of the game type)"},
    {"maptitle", [](ServerOptions& o, std::string_view, std::string_view v) { o.mapTitle = v; }, "map title (default: derived from the map)"},
    {"maxplayers", [](ServerOptions& o, std::string_view k, std::string_view v) { o.maxPlayers = number<int>(k, v); }, "player slots (default 16 or more)"},
    {"players", [](ServerOptions& o, std::string_view k, std::string_view v) { o.players = number<int>(k, v); }, "human players, 0..32"},
    {"names", [](ServerOptions& o, std::string_view, std::string_view v) { o.playerNames = splitNames(v); }, "player names separated by ';' (UTF-8); generated names fill up"},
    {"bots", [](ServerOptions& o, std::string_view k, std::string_view v) { o.bots = number<int>(k, v); }, "bots, 0..32 (listed by 469 only)"},
    {"spectators", [](ServerOptions& o, std::string_view k, std::string_view v) { o.spectators = number<int>(k, v); }, "spectators, 0..32"},
    {"timelimit", [](ServerOptions& o, std::string_view k, std::string_view v) { o.timeLimit = number<int>(k, v); }, "minutes (default 20); a live level restarts after it"},
    {"fraglimit", [](ServerOptions& o, std::string_view k, std::string_view v) { o.fragLimit = number<int>(k, v); }, "deathmatch frag limit (default 30)"},
    {"goalteamscore", [](ServerOptions& o, std::string_view k, std::string_view v) { o.goalTeamScore = number<int>(k, v); }, "team score limit (default: the game type's)"},
    {"mutators", [](ServerOptions& o, std::string_view, std::string_view v) { o.mutators = v; }, "mutator list (default: none, key left out)"},
    {"adminname", [](ServerOptions& o, std::string_view, std::string_view v) { o.adminName = v; }, "AdminName (default: left out)"},
    {"adminemail", [](ServerOptions& o, std::string_view, std::string_view v) { o.adminEmail = v; }, "AdminEMail (default: left out)"},
    {"password", [](ServerOptions& o, std::string_view k, std::string_view v) { o.password = flag(k, v); }, "server is passworded (default false)"},
    {"latency", [](ServerOptions& o, std::string_view k, std::string_view v) { o.latencyMs = number<int>(k, v); }, "reply delay in ms (default 0)"},
    {"loss", [](ServerOptions& o, std::string_view k, std::string_view v) { o.loss = probability(k, v); }, "probability that a reply datagram is lost"},
    {"reorder", [](ServerOptions& o, std::string_view k, std::string_view v) { o.reorder = probability(k, v); }, "probability that a reply datagram is held back"},
    {"seed", [](ServerOptions& o, std::string_view k, std::string_view v) { o.seed = number<std::uint64_t>(k, v); }, "seed of names, match and network (default: from the name)"},
    {"oldorder", [](ServerOptions& o, std::string_view k, std::string_view v) { o.oldOrder = flag(k, v); }, "\\final\\ before the queryid (old servers)"},
    {"silent", [](ServerOptions& o, std::string_view k, std::string_view v) { o.silent = flag(k, v); }, "listen but never answer"},
    {"echo", [](ServerOptions& o, std::string_view k, std::string_view v) {
        o.echo = v == "auto" ? EchoStyle::Auto : v == "replay" ? EchoStyle::Replay : v == "plain" ? EchoStyle::Plain
                 : (fail(k, v, "auto, replay or plain"), EchoStyle::Auto); }, "auto (echo_replay from 451 on), replay or plain"},
    {"encoding", [](ServerOptions& o, std::string_view k, std::string_view v) {
        o.charset = v == "auto" ? NameCharset::Auto : v == "utf8" ? NameCharset::Utf8 : v == "latin1" ? NameCharset::Latin1
                    : (fail(k, v, "auto, utf8 or latin1"), NameCharset::Auto); }, "auto (UTF-8 from 469 on), utf8 or latin1"},
    {"longnames", [](ServerOptions& o, std::string_view k, std::string_view v) { o.longNames = flag(k, v); }, "long names and custom skins (many datagrams)"},
    {"live", [](ServerOptions& o, std::string_view k, std::string_view v) { o.live = flag(k, v); }, "frags, pings and time move; players come and go; levels restart"},
}};
// clang-format on

} // namespace

void applyOption(ServerOptions& options, std::string_view key, std::string_view value) {
    const auto it =
        std::ranges::find_if(kKeys, [&](const Key& k) { return equalsIgnoreCase(k.name, key); });
    if (it == kKeys.end()) {
        throw ConfigError("unknown key \"" + std::string(key) + "\"");
    }
    it->set(options, it->name, value);
}

ServerOptions parseServerSpec(std::string_view spec) {
    ServerOptions options;
    for (std::size_t start = 0; start < spec.size();) {
        const std::size_t end = std::min(spec.find(',', start), spec.size());
        const std::string_view pair = trimmed(spec.substr(start, end - start));
        start = end + 1;
        if (pair.empty()) {
            continue;
        }
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            throw ConfigError("\"" + std::string(pair) + "\" in --server is not key=value");
        }
        applyOption(options, trimmed(pair.substr(0, equals)), trimmed(pair.substr(equals + 1)));
    }
    return options;
}

std::vector<ServerOptions> parseIni(std::string_view text) {
    std::vector<ServerOptions> servers;
    int lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = trimmed(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        const auto where = [&] { return "line " + std::to_string(lineNumber) + ": "; };
        if (line.empty() || line.front() == '#' || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) {
                throw ConfigError(where() + "a section header looks like [Server name]");
            }
            servers.emplace_back().name = trimmed(line.substr(1, line.size() - 2));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            throw ConfigError(where() + "expected key = value");
        }
        if (servers.empty()) {
            throw ConfigError(where() + "key before the first [server] section");
        }
        try {
            applyOption(servers.back(), trimmed(line.substr(0, equals)),
                        trimmed(line.substr(equals + 1)));
        } catch (const ConfigError& error) {
            throw ConfigError(where() + error.what());
        }
    }
    return servers;
}

CommandLine parseCommandLine(std::span<const std::string_view> arguments) {
    CommandLine result;
    std::vector<ServerOptions> fromFlags;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        std::string_view inlineValue;
        bool hasInlineValue = false;
        if (const std::size_t equals = argument.find('=');
            argument.starts_with("--") && equals != std::string_view::npos) {
            inlineValue = argument.substr(equals + 1);
            argument = argument.substr(0, equals);
            hasInlineValue = true;
        }
        const auto value = [&]() -> std::string_view {
            if (hasInlineValue) {
                return inlineValue;
            }
            if (i + 1 >= arguments.size()) {
                throw ConfigError(std::string(argument) + " needs a value");
            }
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h") {
            result.help = true;
        } else if (argument == "--config" || argument == "-c") {
            const std::string path(value());
            std::ifstream file(path, std::ios::binary);
            std::ostringstream content;
            if (!file || !(content << file.rdbuf())) {
                throw ConfigError("cannot read the config file \"" + path + "\"");
            }
            try {
                for (ServerOptions& options : parseIni(content.str())) {
                    result.servers.push_back(std::move(options));
                }
            } catch (const ConfigError& error) {
                throw ConfigError(path + ": " + error.what());
            }
        } else if (argument == "--server" || argument == "-s") {
            fromFlags.push_back(parseServerSpec(value()));
        } else {
            throw ConfigError("unknown argument \"" + std::string(argument) + "\"");
        }
    }
    std::ranges::move(fromFlags, std::back_inserter(result.servers));
    return result;
}

std::string usageText() {
    std::ostringstream out;
    out << "Usage: utlab [--config FILE] [--server KEY=VALUE,KEY=VALUE,...]...\n"
           "\n"
           "Runs emulated Unreal Tournament servers on 127.0.0.1 that answer the UDP query\n"
           "protocol (query port = game port + 1). Prints \"server GAMEPORT QUERYPORT NAME\" per\n"
           "server, then \"ready\"; runs until SIGTERM or SIGINT.\n"
           "\n"
           "  -c, --config FILE   INI file, one [Server name] section per server, KEY = VALUE "
           "lines,\n"
           "                      '#' or ';' comments\n"
           "  -s, --server SPEC   one more server, e.g. --server \"name=Foo,port=7777,players=16,\n"
           "                      version=469,gametype=CTFGame,loss=0.2,seed=5\"\n"
           "  -h, --help          this text\n"
           "\n"
           "Keys (the same in SPEC and FILE; in SPEC values cannot contain commas):\n";
    for (const Key& key : kKeys) {
        out << "  " << key.name << std::string(16 - key.name.size(), ' ') << key.help << '\n';
    }
    out << "\n"
           "Example lab.ini:\n"
           "  [Capture Lab]\n"
           "  port = 7777\n"
           "  gametype = CTFGame\n"
           "  players = 12\n"
           "  live = true\n"
           "\n"
           "Exit status: 0 after a signal, 1 when a port cannot be bound, 2 on a bad "
           "configuration.\n";
    return out.str();
}

} // namespace utlab
