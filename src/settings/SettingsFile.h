#pragma once

#include "settings/SettingsBlock.h"
#include "toolkit/IniFile.h"
#include "toolkit/StringGrid.h"

#include <filesystem>
#include <string_view>

namespace cfg {

// The settings file in the working directory.
inline constexpr const char* kSettingsFile = "./skarvell.ini";

// Fills every field of the block from the file. A missing file, section or
// key gives the field's default; a value that is not a number gives the
// default of its key. False only when the file exists but cannot be read;
// the block is then left as it was.
[[nodiscard]] bool ReadSettings(const std::filesystem::path& path, SettingsBlock& settings);

// Writes the block into the file, keeping every other line of it (the
// favourites and the grids' column widths live there too). False when the
// file cannot be written, and also when it exists but cannot be read, since
// writing it then would throw those other lines away.
[[nodiscard]] bool WriteSettings(const std::filesystem::path& path, const SettingsBlock& settings);

// The same on a document already in memory.
void readSettings(const tk::IniFile& ini, SettingsBlock& settings);
void writeSettings(tk::IniFile& ini, const SettingsBlock& settings);

// Column widths of a grid, one key per column: "Col0", "Col1", ... holding
// the width in pixels. A missing key, or a width no screen can show, keeps
// the grid's own width for that column.
void readColumnWidths(const tk::IniFile& ini, std::string_view section, tk::StringGrid& grid);
// Writes a key for every current column.
void writeColumnWidths(tk::IniFile& ini, std::string_view section, const tk::StringGrid& grid);

// The same on the file. readColumnWidths leaves the grid alone and returns
// false when the file exists but cannot be read (a missing file is no
// failure); writeColumnWidths returns false when the file cannot be written.
[[nodiscard]] bool readColumnWidths(const std::filesystem::path& path, std::string_view section,
                                    tk::StringGrid& grid);
[[nodiscard]] bool writeColumnWidths(const std::filesystem::path& path, std::string_view section,
                                     const tk::StringGrid& grid);

} // namespace cfg
