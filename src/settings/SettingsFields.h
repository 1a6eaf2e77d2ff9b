#pragma once

#include "settings/SettingsBlock.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace cfg {

enum class FieldKind { Flag, Number, Text };

// One setting: where it lives in the settings file, what kind of value it
// is, and how to reach it in the block. The table of all of them drives
// reading, writing and the preferences dialog, so a setting is described
// once.
struct SettingsField {
    std::string_view section;
    std::string key; // as written; read without regard to case
    FieldKind kind;
    std::size_t capacity; // texts: the most characters kept; 0 for others
    bool written;         // false: read from the file but never written back

    // The accessor of the field's kind; the others are null.
    bool& (*flag)(SettingsBlock&) = nullptr;
    std::int32_t& (*number)(SettingsBlock&) = nullptr;
    std::string_view (*text)(const SettingsBlock&) = nullptr;
    void (*setText)(SettingsBlock&, std::string_view) = nullptr;

    [[nodiscard]] bool flagOf(const SettingsBlock& s) const;
    [[nodiscard]] std::int32_t numberOf(const SettingsBlock& s) const;
    // The value as the settings file writes it ("1"/"0" for flags).
    [[nodiscard]] std::string valueText(const SettingsBlock& s) const;
};

// Every setting, in the order the settings file writes them; the keys read
// but not written come last.
[[nodiscard]] std::span<const SettingsField> settingsFields();

// The field of a key in a section, nullptr for none.
[[nodiscard]] const SettingsField* findSettingsField(std::string_view section,
                                                     std::string_view key);

} // namespace cfg
