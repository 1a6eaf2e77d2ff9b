#pragma once

#include "MasterOptions.h"
#include "ServerOptions.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace utlab {

// "name=Foo,port=7777,players=16": comma-separated key=value pairs.
[[nodiscard]] ServerOptions parseServerOptions(std::string_view text);

// "port=28900,greeting=none" and "count=4000,latency=25-250" (or just "4000").
[[nodiscard]] MasterOptions parseMasterOptions(std::string_view text, MasterOptions options = {});
[[nodiscard]] ManyOptions parseManyOptions(std::string_view text, ManyOptions options = {});

// Everything a lab runs.
struct LabConfig {
    std::vector<ServerOptions> servers;
    std::optional<MasterOptions> master; // none: no master server
    ManyOptions many;
};

// An INI text: one [section] per server (the section title is its name unless a name key
// follows), key = value lines, '#' or ';' comments. The sections [Master] and [Many] hold the
// master server's and the crowd's keys instead. Errors name the line.
[[nodiscard]] LabConfig parseIni(std::string_view text);

struct CommandLine : LabConfig {
    // Servers come from --config first, then each --server in order; --master and --many
    // override the file's keys.
    bool help = false;
};

// Reads the arguments after the program name; throws ConfigError.
[[nodiscard]] CommandLine parseCommandLine(std::span<const std::string_view> arguments);

[[nodiscard]] std::string usageText();

} // namespace utlab
