#pragma once

#include <optional>
#include <string>

namespace gui {

// A string value of a key under HKEY_LOCAL_MACHINE, read-only. Empty when the
// key does not open, and always off Windows; a missing value reads as "".
[[nodiscard]] std::optional<std::string> readLocalMachineString(const std::string& key,
                                                                const std::string& name);

} // namespace gui
