#pragma once

#include "MasterOptions.h"

#include <string>
#include <string_view>

namespace utlab {

// The keys of the [Master] and [Many] sections (and of --master and --many): set one option by
// its key (case does not matter); throw ConfigError for an unknown key or a value out of range.
void applyMasterOption(MasterOptions& options, std::string_view key, std::string_view value);
void applyManyOption(ManyOptions& options, std::string_view key, std::string_view value);

// One line per key with what it means, for the usage text.
[[nodiscard]] std::string masterKeysHelp();
[[nodiscard]] std::string manyKeysHelp();

} // namespace utlab
