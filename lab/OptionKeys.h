#pragma once

#include "ServerOptions.h"

#include <string>
#include <string_view>

namespace utlab {

// Sets one option by its configuration key (case does not matter); throws ConfigError for an
// unknown key or a value that does not fit.
void applyOption(ServerOptions& options, std::string_view key, std::string_view value);

// One line per key with what it means, for the usage text.
[[nodiscard]] std::string optionKeysHelp();

} // namespace utlab
