#include "query/Vocabulary.h"

#include "toolkit/GamePath.h"

#include <array>
#include <initializer_list>

namespace query {

namespace {

bool contains(std::string_view text, std::string_view key) {
    return text.find(key) != std::string_view::npos;
}

bool containsAny(std::string_view text, std::initializer_list<std::string_view> keys) {
    for (std::string_view key : keys) {
        if (contains(text, key)) {
            return true;
        }
    }
    return false;
}

struct NameRule {
    std::string_view key;
    std::string_view name;
};

constexpr std::array kGameTypes{
    NameRule{"InfilTeamGamePlus", "Infiltration Teamgame"}, // before TeamGamePlus
    NameRule{"TeamGamePlus", "Team Deathmatch"},
    NameRule{"CTFGame", "Capture The Flag"},
    NameRule{"DeathMatchPlus", "Deathmatch"},
    NameRule{"Assault", "Assault"},
    NameRule{"Domination", "Domination"},
    NameRule{"LastMan", "Last Man Standing"},
    NameRule{"SWAT", "S.W.A.T"},
};

constexpr std::array kInventory{
    NameRule{"UDamage", "Amplifier"},    NameRule{"Armor2", "Armor"},
    NameRule{"armor2", "Armor"},         NameRule{"Relic", "Relic"},
    NameRule{"Jumpboots", "Jump Boots"}, NameRule{"ThighPads", "Thigh Pads"},
    NameRule{"Stealth", "Invisibility"}, NameRule{"shieldbelt", "Shield Belt"},
};

constexpr std::array<std::string_view, 12> kWeaponNames{
    "Impact Hammer",   "ASMD",      "Translocator", "Mini Gun", "Biosludge", "Enforcer",
    "Rocket Launcher", "Pulse Gun", "Sniper",       "Ripper",   "Redeemer",  "Chainsaw",
};

// The path that MapInstalled builds holds at most this many characters.
constexpr std::size_t kMaxMapPath = 255;

std::string twoDigits(std::int64_t v) {
    std::string text = std::to_string(v);
    return v < 10 ? "0" + text : text;
}

} // namespace

std::string SpreeName(std::int32_t kills) {
    if (kills >= 5 && kills <= 9) {
        return "Killing Spree";
    }
    if (kills >= 10 && kills <= 14) {
        return "Rampage";
    }
    if (kills >= 15 && kills <= 19) {
        return "Dominating";
    }
    if (kills >= 20 && kills <= 24) {
        return "Unstoppable";
    }
    if (kills >= 25 && kills <= 98) {
        return "GODLIKE";
    }
    return " ";
}

std::string GameTypeName(std::string_view className) {
    for (const NameRule& rule : kGameTypes) {
        if (contains(className, rule.key)) {
            return std::string(rule.name);
        }
    }
    return std::string(className);
}

std::string TeamName(std::int32_t team) {
    switch (team) {
    case 0:
        return "red";
    case 1:
        return "blue";
    case 2:
        return "green";
    case 3:
        return "gold";
    default:
        return "none";
    }
}

std::int32_t WeaponIndex(std::string_view className) {
    if (contains(className, "enfor")) {
        return 5;
    }
    if (containsAny(className, {"Shock", "SuperShock", "ASMD"})) {
        return 1;
    }
    if (contains(className, "Trans")) {
        return 2;
    }
    if (contains(className, "ChainSaw")) {
        return 11;
    }
    if (containsAny(className, {"ripper", "Razorjack"})) {
        return 9;
    }
    if (containsAny(className, {"minigun2", "Minigun"})) {
        return 3;
    }
    if (contains(className, "PulseGun")) {
        return 7;
    }
    if (contains(className, "Redeemer")) {
        return 10;
    }
    if (contains(className, "Flak")) {
        return 4;
    }
    if (contains(className, "Impact")) {
        return 0;
    }
    if (contains(className, "biorifle")) {
        return 4;
    }
    if (contains(className, "Sniper")) {
        return 8;
    }
    if (containsAny(className, {"Rock", "Eightball", "Warhead"})) {
        return 6;
    }
    return -1;
}

std::string WeaponName(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= kWeaponNames.size()) {
        return "unknown";
    }
    return std::string(kWeaponNames[static_cast<std::size_t>(index)]);
}

std::string InventoryName(std::string_view item) {
    for (const NameRule& rule : kInventory) {
        if (contains(item, rule.key)) {
            return std::string(rule.name);
        }
    }
    return std::string(item.substr(0, item.find('\'')));
}

std::string ClockText(std::int32_t seconds, std::int32_t limitMinutes) {
    // 64 bits, so that neither limit x 60 nor the magnitude of t overflows.
    const std::int64_t t = limitMinutes > 0 ? static_cast<std::int64_t>(limitMinutes) * 60 - seconds
                                            : static_cast<std::int64_t>(seconds);
    // Overtime (t < 0) shows the overrun with a leading "-": 61 seconds past a
    // 1-minute limit is -00:01.
    const std::int64_t magnitude = t < 0 ? -t : t;
    return (t < 0 ? "-" : "") + twoDigits(magnitude / 60) + ":" + twoDigits(magnitude % 60);
}

bool MapInstalled(std::string_view mapName, std::string_view gameFolder) {
    if (gameFolder.empty()) {
        return false; // no game folder configured: "\maps\..." would mean the root
    }
    std::string written;
    written.reserve(gameFolder.size() + mapName.size() + 10);
    written.append(gameFolder).append("\\maps\\").append(mapName).append(".unr");
    if (written.size() > kMaxMapPath) {
        return false;
    }
    return tk::fileExists(tk::gamePath(gameFolder, written.substr(gameFolder.size())));
}

} // namespace query
