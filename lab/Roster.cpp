#include "Roster.h"

#include <array>

namespace utlab {
namespace {

constexpr std::array<std::string_view, 40> kHandles = {
    "Raptor", "Vex",     "Nightfall", "Grimjack", "Kestrel",  "Sn1per", "Mörser", "Valkyrie",
    "Drax",   "Ósk",     "Pyro",      "Tank",     "Zephyr",   "Blitz",  "Wraith", "Hexen",
    "Cobalt", "Ravage",  "Sølvpil",   "Quake",    "Nova",     "Fang",   "Jäger",  "Lynx",
    "Torque", "Havoc",   "Bishop",    "Echo",     "Rook",     "Glitch", "Mamba",  "Frost",
    "Draugr", "Specter", "Ironside",  "Cipher",   "Maverick", "Dusk",   "Brontë", "Ragnarök"};
constexpr std::array<std::string_view, 6> kClanTags = {
    "[SKV]", "|NK|", "=TxF=", "{ÆX}", "", "(UTr)"};
constexpr std::array<std::string_view, 8> kEpithets = {
    " the Unbreakable Harbinger of Eternal Night and Endless Frags",
    " of the Crimson Vanguard Legion Reborn from the Ashes of Deck",
    " ~ Keeper of the Facing Worlds Sniper Tower since Nineteen 99",
    " ~ Défenseur éternel du drapeau rouge et de la tour de gauche",
    " and the Seven Thunders of Morpheus Station in Low Gravity",
    " -=[ Last Gunslinger of Deck Sixteen and the Flak Monkeys ]=-",
    " ™ Grand Marshal of the Liandri Tournament Ladder Champions",
    " :: Hammer of the Northern Skaarj Hunters and Nali Defenders"};
constexpr std::array<std::string_view, 12> kBotNames = {
    "Malcolm", "Brock", "Lauren", "Xan",   "Othello", "Dominator",
    "Visse",   "Gorge", "Kira",   "Loque", "Tamika",  "Cathode"};

struct Model {
    std::string_view mesh;
    std::string_view skin;
    std::array<std::string_view, 3> faces;
};

constexpr std::array<Model, 5> kModels = {{
    {"Male Commando", "CommandoSkins.cmdo", {"CommandoSkins.Blake", "CommandoSkins.Gorn", ""}},
    {"Male Soldier", "SoldierSkins.blkt", {"SoldierSkins.Brock", "SoldierSkins.Malcolm", ""}},
    {"Female Commando",
     "FCommandoSkins.cmdo",
     {"FCommandoSkins.Gromida", "FCommandoSkins.Anna", ""}},
    {"Female Soldier", "SGirlSkins.army", {"SGirlSkins.Lauren", "SGirlSkins.Annaka", ""}},
    {"Boss", "BossSkins.boss", {"BossSkins.Xan", "BossSkins.Xan", "BossSkins.Xan"}},
}};

// Custom model packs as seen on servers with long player names.
constexpr std::array<Model, 2> kCustomModels = {{
    {"Female Soldier",
     "NaliChroniclesSkinPackV3_Deluxe.Vanguard_Commander_Elite",
     {"NaliChroniclesSkinPackV3_Deluxe.Vanguard_Commander_Face",
      "NaliChroniclesSkinPackV3_Deluxe.Ghost_Face", ""}},
    {"Male Commando",
     "UltimateMercenariesPack2004_Deluxe.Mercenary_Heavy_Armor",
     {"UltimateMercenariesPack2004_Deluxe.Mercenary_Face_Raven",
      "UltimateMercenariesPack2004_Deluxe.Scar", ""}},
}};

constexpr std::array<std::string_view, 12> kWeapons = {
    "Botpack.ShockRifle",    "Botpack.enforcer",     "Botpack.PulseGun",
    "Botpack.ut_biorifle",   "Botpack.SniperRifle",  "Botpack.minigun2",
    "Botpack.UT_FlakCannon", "Botpack.UT_Eightball", "Botpack.ripper",
    "Botpack.ImpactHammer",  "Botpack.Translocator", "Botpack.WarheadLauncher"};
constexpr std::array<std::string_view, 8> kItems = {"Botpack.UDamage",
                                                    "Botpack.Armor2",
                                                    "Botpack.ThighPads",
                                                    "Botpack.UT_JumpBoots",
                                                    "Botpack.UT_Stealth",
                                                    "None",
                                                    "None",
                                                    "None"};

template <typename T, std::size_t N>
const T& pickFrom(Random& random, const std::array<T, N>& items) {
    return random.pick(std::span<const T>(items));
}

} // namespace

Roster::Roster(Random& random, bool longNames)
    : m_longNames(longNames), m_nameOffset(random.below(kHandles.size())) {}

std::string Roster::nextName(Random& random) {
    const std::size_t serial = m_names++;
    std::string name(kHandles[(m_nameOffset + serial * 7) % kHandles.size()]);
    if (serial >= kHandles.size()) {
        name += std::to_string(serial / kHandles.size() + 1);
    }
    if (m_longNames) {
        return std::string(kClanTags[serial % kClanTags.size()]) + name +
               std::string(kEpithets[serial % kEpithets.size()]);
    }
    return std::string(kClanTags[random.below(kClanTags.size())]) + name;
}

std::string Roster::renamed(Random& random, std::string_view name) {
    if (name.starts_with(kAfkTag)) {
        return std::string(name.substr(kAfkTag.size()));
    }
    if (random.chance(0.4)) {
        return std::string(kAfkTag) + std::string(name);
    }
    for (const std::string_view tag : kClanTags) {
        if (!tag.empty() && name.starts_with(tag)) {
            return std::string(name.substr(tag.size()));
        }
    }
    std::string_view tag;
    while (tag.empty()) {
        tag = pickFrom(random, kClanTags);
    }
    return std::string(tag) + std::string(name);
}

void Roster::dress(Random& random, PlayerState& player) const {
    const Model& model = m_longNames ? pickFrom(random, kCustomModels) : pickFrom(random, kModels);
    player.mesh = model.mesh;
    player.skin = model.skin;
    player.face = pickFrom(random, model.faces);
}

PlayerState Roster::human(Random& random, std::string name, int team) {
    PlayerState player;
    player.name = std::move(name);
    player.team = team;
    dress(random, player);
    player.frags = random.between(0, 25);
    player.ping = random.between(25, 180);
    player.homePing = player.ping;
    player.ngsecret = random.chance(0.7) ? "true" : "false";
    player.health = random.between(1, 199);
    player.weapon = randomWeapon(random);
    player.spree = random.between(0, 4);
    player.inventory = randomItem(random);
    return player;
}

PlayerState Roster::bot(Random& random, int team) {
    PlayerState player = human(random, std::string(kBotNames[m_bots++ % kBotNames.size()]), team);
    player.role = Role::Bot;
    player.ping = 0;
    player.homePing = 0;
    player.ngsecret = "bot";
    return player;
}

PlayerState Roster::spectator(Random& random) {
    PlayerState player;
    player.role = Role::Spectator;
    player.name = m_spectators++ == 0 ? "Spectator" : "Spectator" + std::to_string(m_spectators);
    player.ping = random.between(30, 150);
    player.homePing = player.ping;
    player.mesh = "Spectator";
    player.skin = "None";
    player.ngsecret = "false";
    player.weapon = "None";
    player.inventory = "None";
    return player;
}

std::string_view Roster::randomWeapon(Random& random) {
    return pickFrom(random, kWeapons);
}

std::string_view Roster::randomItem(Random& random) {
    return pickFrom(random, kItems);
}

} // namespace utlab
