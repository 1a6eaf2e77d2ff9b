#include "Config.h"

#include "OptionKeys.h"
#include "SectionKeys.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace utlab {

namespace {

// Calls apply(key, value) for each key=value pair of a comma-separated list.
template <typename Apply>
void forEachPair(std::string_view text, std::string_view flag, const Apply& apply) {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(',', start), text.size());
        const std::string_view pair = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (pair.empty()) {
            continue;
        }
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            throw ConfigError("\"" + std::string(pair) + "\" in " + std::string(flag) +
                              " is not key=value");
        }
        apply(trimmed(pair.substr(0, equals)), trimmed(pair.substr(equals + 1)));
    }
}

enum class Section { Server, Master, Many };

} // namespace

ServerOptions parseServerOptions(std::string_view text) {
    ServerOptions options;
    forEachPair(text, "--server", [&](std::string_view key, std::string_view value) {
        applyOption(options, key, value);
    });
    return options;
}

MasterOptions parseMasterOptions(std::string_view text, MasterOptions options) {
    forEachPair(text, "--master", [&](std::string_view key, std::string_view value) {
        applyMasterOption(options, key, value);
    });
    return options;
}

ManyOptions parseManyOptions(std::string_view text, ManyOptions options) {
    if (text.find('=') == std::string_view::npos) {
        applyManyOption(options, "count", trimmed(text));
        return options;
    }
    forEachPair(text, "--many", [&](std::string_view key, std::string_view value) {
        applyManyOption(options, key, value);
    });
    return options;
}

LabConfig parseIni(std::string_view text) {
    LabConfig config;
    std::optional<Section> section;
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
            const std::string_view title = trimmed(line.substr(1, line.size() - 2));
            if (equalsIgnoreCase(title, "Master")) {
                section = Section::Master;
                config.master.emplace();
            } else if (equalsIgnoreCase(title, "Many")) {
                section = Section::Many;
            } else {
                section = Section::Server;
                config.servers.emplace_back().name = title;
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            throw ConfigError(where() + "expected key = value");
        }
        if (!section) {
            throw ConfigError(where() + "key before the first [server] section");
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        try {
            switch (*section) {
            case Section::Server:
                applyOption(config.servers.back(), key, value);
                break;
            case Section::Master:
                applyMasterOption(*config.master, key, value);
                break;
            case Section::Many:
                applyManyOption(config.many, key, value);
                break;
            }
        } catch (const ConfigError& error) {
            throw ConfigError(where() + error.what());
        }
    }
    return config;
}

CommandLine parseCommandLine(std::span<const std::string_view> arguments) {
    CommandLine result;
    std::vector<ServerOptions> fromFlags;
    std::vector<std::string_view> masterFlags;
    std::vector<std::string_view> manyFlags;
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
                LabConfig fromFile = parseIni(content.str());
                std::ranges::move(fromFile.servers, std::back_inserter(result.servers));
                if (fromFile.master) {
                    result.master = fromFile.master;
                }
                if (fromFile.many.count > 0) {
                    result.many = fromFile.many;
                }
            } catch (const ConfigError& error) {
                throw ConfigError(path + ": " + error.what());
            }
        } else if (argument == "--server" || argument == "-s") {
            fromFlags.push_back(parseServerOptions(value()));
        } else if (argument == "--master" || argument == "-m") {
            masterFlags.emplace_back(value());
        } else if (argument == "--many" || argument == "-n") {
            manyFlags.emplace_back(value());
        } else {
            throw ConfigError("unknown argument \"" + std::string(argument) + "\"");
        }
    }
    std::ranges::move(fromFlags, std::back_inserter(result.servers));
    // The flags apply over the file's sections, whatever their order on the command line.
    for (const std::string_view flag : masterFlags) {
        result.master = parseMasterOptions(flag, result.master.value_or(MasterOptions{}));
    }
    for (const std::string_view flag : manyFlags) {
        result.many = parseManyOptions(flag, result.many);
    }
    return result;
}

std::string usageText() {
    std::ostringstream out;
    out << "Usage: utlab [--config FILE] [--server KEY=VALUE,...]... [--many N]\n"
           "             [--master KEY=VALUE,...]\n"
           "\n"
           "Runs emulated Unreal Tournament servers on 127.0.0.1 that answer the UDP query\n"
           "protocol (query port = game port + 1), and a master server listing them over TCP.\n"
           "Prints \"server GAMEPORT QUERYPORT NAME\" per configured server, \"many STARTED\n"
           "REQUESTED\" for generated servers, \"master PORT\" for the master server, then\n"
           "\"ready\"; runs until SIGTERM or SIGINT.\n"
           "\n"
           "  -c, --config FILE   INI file, one [Server name] section per server, KEY = VALUE "
           "lines,\n"
           "                      '#' or ';' comments; a [Master] section starts the master\n"
           "                      server, a [Many] section generated servers\n"
           "  -s, --server OPTIONS   one more server, e.g. --server "
           "\"name=Foo,port=7777,players=16,\n"
           "                      version=469,gametype=CTFGame,loss=0.2,seed=5\"\n"
           "  -n, --many N        N generated servers (up to 10000) beside the others, or\n"
           "                      --many \"count=4000,latency=25-250,seed=2\"\n"
           "  -m, --master OPTIONS   start the master server, e.g. --master "
           "\"port=28900,chunks=5\"\n"
           "                      (over the file's [Master] keys)\n"
           "  -h, --help          this text\n"
           "\n"
           "Keys of a server (the same in OPTIONS and FILE; in OPTIONS values cannot contain "
           "commas):\n";
    out << optionKeysHelp();
    out << "\nKeys of the master server ([Master], --master):\n";
    out << masterKeysHelp();
    out << "\nKeys of the generated servers ([Many], --many):\n";
    out << manyKeysHelp();
    out << "\n"
           "Example lab.ini:\n"
           "  [Capture Lab]\n"
           "  port = 7777\n"
           "  gametype = CTFGame\n"
           "  players = 12\n"
           "  live = true\n"
           "\n"
           "  [Master]\n"
           "  port = 28900\n"
           "  greeting = secure\n"
           "\n"
           "The master server greets with \\basic\\\\secure\\XXXXXX (a seeded challenge), wants\n"
           "\\gamename\\ut\\location\\0\\validate\\VVVVVVVV\\final\\ computed with the game key\n"
           "and closes the connection on a wrong one; then \\list\\\\gamename\\ut\\final\\ gets\n"
           "\\ip\\127.0.0.1:QUERYPORT per server and \\final\\.\n"
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
