#include "settings/SettingsFields.h"

#include "toolkit/Ascii.h"

#include <array>
#include <utility>
#include <vector>

namespace cfg {

namespace {

constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kWebServer = "Web-Server";
constexpr std::string_view kColors = "Colors";
constexpr std::string_view kIrc = "IRC";

template <auto Member> bool& flagRef(SettingsBlock& s) {
    return s.*Member;
}
template <auto Member> std::int32_t& numberRef(SettingsBlock& s) {
    return s.*Member;
}
template <auto Member> std::string_view textOf(const SettingsBlock& s) {
    return (s.*Member).view();
}
template <auto Member> void setTextOf(SettingsBlock& s, std::string_view value) {
    s.*Member = value;
}
template <std::size_t I> std::int32_t& playerColourRef(SettingsBlock& s) {
    return s.Player[I];
}

template <auto Member> SettingsField flag(std::string_view section, std::string key) {
    return {section, std::move(key), FieldKind::Flag, 0, true, &flagRef<Member>};
}

template <auto Member> SettingsField number(std::string_view section, std::string key) {
    return {section, std::move(key), FieldKind::Number, 0, true, nullptr, &numberRef<Member>};
}

template <auto Member> SettingsField text(std::string_view section, std::string key) {
    using Text = std::remove_reference_t<decltype(std::declval<SettingsBlock&>().*Member)>;
    return {section,         std::move(key), FieldKind::Text,     Text::kCapacity,
            true,            nullptr,        nullptr,             &textOf<Member>,
            &setTextOf<Member>};
}

template <std::size_t... I> void addPlayerColours(std::vector<SettingsField>& out,
                                                  std::index_sequence<I...>) {
    // Read but never written: the first sixteen are a fixed palette, the
    // rest are edited in the file by hand.
    (out.push_back({kColors, "Player" + std::to_string(I), FieldKind::Number, 0, false, nullptr,
                    &playerColourRef<I>}),
     ...);
}

std::vector<SettingsField> buildFields() {
    using B = SettingsBlock;
    std::vector<SettingsField> f{
        flag<&B::FirstRun>(kSettings, "FirstRun"),
        number<&B::QueryInterval>(kSettings, "QueryInterval"),
        number<&B::QueryTimeout>(kSettings, "QueryTimeout"),
        number<&B::MaxTimeout>(kSettings, "MaxTimeout"),
        flag<&B::qryFavsOnStartup>(kSettings, "qryFavsOnStartup"),
        flag<&B::qryMasterOnStartup>(kSettings, "qryMasterOnStartup"),
        flag<&B::LoadListOnStartup>(kSettings, "LoadListOnStartup"),
        number<&B::PingInterval>(kSettings, "PingInterval"),
        flag<&B::usePlayerColor>(kSettings, "usePlayerColor"),
        flag<&B::DoHTTP>(kSettings, "DoHTTP"),
        flag<&B::UTINIBackup>(kSettings, "UTINIBackup"),
        flag<&B::AutoPingFavs>(kSettings, "AutoPingFavs"),
        number<&B::AutoInterval>(kSettings, "AutoInterval"),
        text<&B::MasterserverURI>(kSettings, "MasterserverURI"),
        text<&B::UTDir>(kSettings, "UTDir"),
        flag<&B::Spree>(kSettings, "Spree"),
        flag<&B::Health>(kSettings, "Health"),
        flag<&B::Weapon>(kSettings, "Weapon"),
        flag<&B::Inventory>(kSettings, "Inventory"),
        number<&B::Ports>(kSettings, "Ports"),
        flag<&B::HostAutoUpdate>(kSettings, "HostAutoUpdate"),

        flag<&B::AutoSaveStats>(kWebServer, "AutoSaveStats"),
        number<&B::SaveStatsInterval>(kWebServer, "SaveStatsInterval"),
        text<&B::SaveTo>(kWebServer, "SaveTo"),
        number<&B::StatsWidth>(kWebServer, "StatsWidth"),
        number<&B::StatsHeight>(kWebServer, "StatsHeight"),

        number<&B::Background>(kColors, "Background"),
        number<&B::TeamA>(kColors, "TeamA"),
        number<&B::TeamB>(kColors, "TeamB"),
        number<&B::Grid>(kColors, "Grid"),
        number<&B::Font>(kColors, "Font"),

        text<&B::server>(kIrc, "server"),
        text<&B::channel>(kIrc, "channel"),
        text<&B::nickname>(kIrc, "nickname"),
        // Written in lower case as the file has always had it; keys match
        // without regard to case, so a "Port" entry is replaced, not doubled.
        number<&B::Port>(kIrc, "port"),
    };
    addPlayerColours(f, std::make_index_sequence<std::tuple_size_v<decltype(B::Player)>>{});
    return f;
}

} // namespace

bool SettingsField::flagOf(const SettingsBlock& s) const {
    return flag(const_cast<SettingsBlock&>(s));
}

std::int32_t SettingsField::numberOf(const SettingsBlock& s) const {
    return number(const_cast<SettingsBlock&>(s));
}

std::string SettingsField::valueText(const SettingsBlock& s) const {
    switch (kind) {
    case FieldKind::Flag:
        return flagOf(s) ? "1" : "0";
    case FieldKind::Number:
        return std::to_string(numberOf(s));
    case FieldKind::Text:
        return std::string(text(s));
    }
    return {};
}

std::span<const SettingsField> settingsFields() {
    static const std::vector<SettingsField> fields = buildFields();
    return fields;
}

const SettingsField* findSettingsField(std::string_view section, std::string_view key) {
    for (const SettingsField& field : settingsFields()) {
        if (tk::equalsIgnoreAsciiCase(field.section, section) &&
            tk::equalsIgnoreAsciiCase(field.key, key)) {
            return &field;
        }
    }
    return nullptr;
}

} // namespace cfg
