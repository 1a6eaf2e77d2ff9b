#pragma once

#include "ServerOptions.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace utlab {

// "name=Foo,port=7777,players=16": comma-separated key=value pairs.
[[nodiscard]] ServerOptions parseServerOptions(std::string_view text);

// An INI text: one [section] per server (the section title is its name unless a name key
// follows), key = value lines, '#' or ';' comments. Errors name the line.
[[nodiscard]] std::vector<ServerOptions> parseIni(std::string_view text);

struct CommandLine {
    bool help = false;
    std::vector<ServerOptions> servers; // from --config first, then each --server in order
};

// Reads the arguments after the program name; throws ConfigError.
[[nodiscard]] CommandLine parseCommandLine(std::span<const std::string_view> arguments);

[[nodiscard]] std::string usageText();

} // namespace utlab
