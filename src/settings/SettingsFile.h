#pragma once

#include "settings/SettingsBlock.h"
#include "toolkit/IniFile.h"
#include "toolkit/StringGrid.h"

#include <filesystem>
#include <string_view>

namespace cfg {

// The settings file in the working directory.
inline constexpr const char* kSettingsFile = "./skarvell.ini";

// The settings file held in memory from start to close: it is read once,
// every part of the program reads and edits its sections in the document,
// and it is written back whole in one atomic replace. The settings, the
// grids' column widths and the favourites therefore go out together or not
// at all.
class SettingsFile {
public:
    explicit SettingsFile(std::filesystem::path path) : m_path(std::move(path)) {}

    // Reads the file. A missing file gives an empty document. False when
    // something is there that cannot be read: the document is then empty,
    // and save() refuses, since writing would throw the unread lines away.
    [[nodiscard]] bool load();

    [[nodiscard]] tk::IniFile& document() { return m_ini; }
    [[nodiscard]] const tk::IniFile& document() const { return m_ini; }
    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

    // Writes the whole document (the file is either the old one or the new
    // one). False when the file could not be read at load, or cannot be
    // written; the file on disk is then as it was.
    [[nodiscard]] bool save() const;

private:
    std::filesystem::path m_path;
    tk::IniFile m_ini;
    bool m_unreadable = false;
};

// Fills every field of the block from the document. A missing section or
// key gives the field's default; a value that is not a number gives the
// default of its key.
void readSettings(const tk::IniFile& ini, SettingsBlock& settings);
// Writes every written field into the document, keeping its other lines.
void writeSettings(tk::IniFile& ini, const SettingsBlock& settings);

// The same on a file of its own: false when the file exists but cannot be
// read (the block is then left as it was), or cannot be written.
[[nodiscard]] bool ReadSettings(const std::filesystem::path& path, SettingsBlock& settings);
[[nodiscard]] bool WriteSettings(const std::filesystem::path& path, const SettingsBlock& settings);

// Column widths of a grid, one key per column: "Col0", "Col1", ... holding
// the width in pixels. A missing key, or a width no screen can show, keeps
// the grid's own width for that column.
void readColumnWidths(const tk::IniFile& ini, std::string_view section, tk::StringGrid& grid);
// Writes a key for every current column.
void writeColumnWidths(tk::IniFile& ini, std::string_view section, const tk::StringGrid& grid);

} // namespace cfg
