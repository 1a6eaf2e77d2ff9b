#include "settings/SettingsFile.h"

#include "settings/SettingsFields.h"

#include <string>

namespace cfg {

namespace {

// Widths beyond this are not a window's columns but a broken file; they
// would also overflow the sums a view makes of its column widths.
constexpr int kMaxColumnWidth = 10000;

std::string colKey(int col) {
    return "Col" + std::to_string(col);
}

} // namespace

bool SettingsFile::load() {
    m_unreadable = m_ini.load(m_path) == tk::IniLoadResult::Unreadable;
    m_ini.setLineEnding("\r\n"); // lines added to the settings file end in CR LF
    return !m_unreadable;
}

bool SettingsFile::save() const {
    return !m_unreadable && m_ini.save(m_path);
}

void readSettings(const tk::IniFile& ini, SettingsBlock& s) {
    const SettingsBlock defaults;
    for (const SettingsField& field : settingsFields()) {
        switch (field.kind) {
        case FieldKind::Flag:
            field.flag(s) = ini.readBool(field.section, field.key, field.flagOf(defaults));
            break;
        case FieldKind::Number:
            field.number(s) = ini.readInteger(field.section, field.key, field.numberOf(defaults));
            break;
        case FieldKind::Text:
            field.setText(s, ini.readString(field.section, field.key, field.text(defaults)));
            break;
        }
    }
}

void writeSettings(tk::IniFile& ini, const SettingsBlock& s) {
    for (const SettingsField& field : settingsFields()) {
        if (!field.written) {
            continue;
        }
        switch (field.kind) {
        case FieldKind::Flag:
            ini.writeBool(field.section, field.key, field.flagOf(s));
            break;
        case FieldKind::Number:
            ini.writeInteger(field.section, field.key, field.numberOf(s));
            break;
        case FieldKind::Text:
            ini.writeString(field.section, field.key, field.text(s));
            break;
        }
    }
}

bool ReadSettings(const std::filesystem::path& path, SettingsBlock& settings) {
    SettingsFile file(path);
    if (!file.load()) {
        return false;
    }
    readSettings(file.document(), settings);
    return true;
}

bool WriteSettings(const std::filesystem::path& path, const SettingsBlock& settings) {
    SettingsFile file(path);
    if (!file.load()) {
        return false;
    }
    writeSettings(file.document(), settings);
    return file.save();
}

void readColumnWidths(const tk::IniFile& ini, std::string_view section, tk::StringGrid& grid) {
    for (int col = 0; col < grid.colCount(); ++col) {
        const int width = ini.readInteger(section, colKey(col), -1);
        if (width >= 0 && width <= kMaxColumnWidth) {
            grid.setColWidth(col, width);
        }
    }
}

void writeColumnWidths(tk::IniFile& ini, std::string_view section, const tk::StringGrid& grid) {
    for (int col = 0; col < grid.colCount(); ++col) {
        ini.writeInteger(section, colKey(col), grid.colWidth(col));
    }
}

} // namespace cfg
