#pragma once

#include <string>
#include <string_view>

namespace tk {

// Paths of the game's files. The system describes them relative to the game
// folder with backslashes ("\system\unrealtournament.ini", "\maps\DM-Deck16.unr").
// gamePath turns such a description into a path of this machine:
//
// - the relative path is split at its backslashes (and forward slashes); empty
//   components are skipped; the components are joined to the folder with the
//   native separator;
// - off Windows, each component is matched case-insensitively (ASCII letters)
//   against what exists on disk, as Windows would, because a Linux install has
//   System/ and Maps/: a component that exists as written is kept, otherwise the
//   first matching directory entry (in byte order of the names) is taken; from
//   the first component that matches nothing on, the rest stays as written;
// - the game folder itself is used as given (no matching, no separator added
//   when it already ends with one); an empty folder gives a path from the root.
//
// Never throws; a folder that cannot be read simply matches nothing.
[[nodiscard]] std::string gamePath(std::string_view gameFolder, std::string_view relative);

// Whether a regular file (or a link to one) exists at path. False for
// directories and for anything that cannot be examined. Never throws.
[[nodiscard]] bool fileExists(std::string_view path);

// fileExists(gamePath(gameFolder, relative)).
[[nodiscard]] bool gameFileExists(std::string_view gameFolder, std::string_view relative);

} // namespace tk
