#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace layers {

// An include that breaks the direction of the layers, or a file outside every known layer.
struct LayerViolation {
    std::string file; // "src/toolkit/IniFile.cpp"
    int line = 0;     // 0 for a file that is wrong as a whole
    std::string include;
    std::string reason;

    bool operator==(const LayerViolation&) const = default;
};

std::ostream& operator<<(std::ostream& out, const LayerViolation& violation);

// Reads the include directives of every C++ file under `sourceRoot` (the src folder) and
// reports each that a file's layer may not make, in file order. The layers and what each may
// include:
//
//   toolkit                        nothing of ours (the standard library only)
//   settings                       toolkit
//   query                          toolkit, settings
//   serverlist, favourites, war    toolkit, settings, query
//   irc                            toolkit, settings, query, war
//   app                            toolkit, settings, query, serverlist, favourites, war, irc
//   qt                             all of the above and Qt
//   main.cpp (directly in src)     app, qt and Qt
//
// A layer always includes its own headers. Qt headers (<Q...>) belong to qt and main.cpp
// only. A folder or a file directly in src that is not in the table is reported, so a new
// layer is added on purpose. A quoted include that names no file of ours is reported too
// (outside headers are written with angle brackets).
[[nodiscard]] std::vector<LayerViolation> checkLayers(const std::filesystem::path& sourceRoot);

} // namespace layers
