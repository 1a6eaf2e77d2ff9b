#include "Config.h"

#include "OptionKeys.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace utlab {

ServerOptions parseServerOptions(std::string_view text) {
    ServerOptions options;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view pair = trimmed(text.substr(start, end - start));
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
            fromFlags.push_back(parseServerOptions(value()));
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
           "  -s, --server OPTIONS   one more server, e.g. --server "
           "\"name=Foo,port=7777,players=16,\n"
           "                      version=469,gametype=CTFGame,loss=0.2,seed=5\"\n"
           "  -h, --help          this text\n"
           "\n"
           "Keys (the same in OPTIONS and FILE; in OPTIONS values cannot contain commas):\n";
    out << optionKeysHelp();
    out << "\n"
           "Example lab.ini:\n"
           "  [Capture Lab]\n"
           "  port = 7777\n"
           "  gametype = CTFGame\n"
           "  players = 12\n"
           "  live = true\n"
           "\n"
           "Faults met on real servers, reproduced:\n"
           "  hostport=7777      behind port forwarding: reports game port 7777 while it\n"
           "                     listens on its own port + 1\n"
           "  names=echo;echo_replay;hostname;final\n"
           "                     players named like the words of the protocol\n"
           "  order=reverse      every reply's datagrams arrive last first (order=shuffle:\n"
           "                     in a seeded random order)\n"
           "  version=469,gametype=CTFGame,players=32,maxplayers=32,spectators=32,longnames=1\n"
           "                     asked for all four player properties, answers about 17 KB\n"
           "                     in 20 datagrams, beyond a 16000-byte reply buffer\n"
           "\n"
           "Exit status: 0 after a signal, 1 when a port cannot be bound, 2 on a bad "
           "configuration.\n";
    return out.str();
}

} // namespace utlab
