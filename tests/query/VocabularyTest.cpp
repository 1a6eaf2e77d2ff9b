#include "query/Vocabulary.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace {

using fake::TempFolder;

// --- SpreeName, TeamName, WeaponName: number -> text ------------------------

struct NumberCase {
    std::int32_t value;
    const char* expected;
    friend std::ostream& operator<<(std::ostream& os, const NumberCase& c) {
        return os << c.value << " -> \"" << c.expected << '"';
    }
};

class SpreeNameTest : public testing::TestWithParam<NumberCase> {};
TEST_P(SpreeNameTest, Table) {
    EXPECT_EQ(query::SpreeName(GetParam().value), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Vocabulary, SpreeNameTest,
    testing::Values(NumberCase{std::numeric_limits<std::int32_t>::min(), " "}, NumberCase{-3, " "},
                    NumberCase{0, " "}, NumberCase{4, " "}, NumberCase{5, "Killing Spree"},
                    NumberCase{9, "Killing Spree"}, NumberCase{10, "Rampage"},
                    NumberCase{14, "Rampage"}, NumberCase{15, "Dominating"},
                    NumberCase{19, "Dominating"}, NumberCase{20, "Unstoppable"},
                    NumberCase{24, "Unstoppable"}, NumberCase{25, "GODLIKE"},
                    NumberCase{98, "GODLIKE"}, NumberCase{99, " "}, NumberCase{1000, " "},
                    NumberCase{std::numeric_limits<std::int32_t>::max(), " "}));

class TeamNameTest : public testing::TestWithParam<NumberCase> {};
TEST_P(TeamNameTest, Table) {
    EXPECT_EQ(query::TeamName(GetParam().value), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Vocabulary, TeamNameTest,
                         testing::Values(NumberCase{0, "red"}, NumberCase{1, "blue"},
                                         NumberCase{2, "green"}, NumberCase{3, "gold"},
                                         NumberCase{4, "none"}, NumberCase{255, "none"},
                                         NumberCase{-1, "none"}));

class WeaponNameTest : public testing::TestWithParam<NumberCase> {};
TEST_P(WeaponNameTest, Table) {
    EXPECT_EQ(query::WeaponName(GetParam().value), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Vocabulary, WeaponNameTest,
    testing::Values(NumberCase{0, "Impact Hammer"}, NumberCase{1, "ASMD"},
                    NumberCase{2, "Translocator"}, NumberCase{3, "Mini Gun"},
                    NumberCase{4, "Biosludge"}, NumberCase{5, "Enforcer"},
                    NumberCase{6, "Rocket Launcher"}, NumberCase{7, "Pulse Gun"},
                    NumberCase{8, "Sniper"}, NumberCase{9, "Ripper"}, NumberCase{10, "Redeemer"},
                    NumberCase{11, "Chainsaw"}, NumberCase{12, "unknown"},
                    NumberCase{-1, "unknown"},
                    NumberCase{std::numeric_limits<std::int32_t>::min(), "unknown"}));

// --- GameTypeName, InventoryName: text -> text ------------------------------

struct TextCase {
    std::string input;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const TextCase& c) {
        return os << '"' << c.input << "\" -> \"" << c.expected << '"';
    }
};

class GameTypeNameTest : public testing::TestWithParam<TextCase> {};
TEST_P(GameTypeNameTest, Table) {
    EXPECT_EQ(query::GameTypeName(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(Vocabulary, GameTypeNameTest,
                         testing::Values(TextCase{"Pkg.InfilTeamGamePlus", "Infiltration Teamgame"},
                                         TextCase{"Pkg.TeamGamePlus", "Team Deathmatch"},
                                         TextCase{"Botpack.CTFGame", "Capture The Flag"},
                                         TextCase{"CTFGame", "Capture The Flag"},
                                         TextCase{"Botpack.DeathMatchPlus", "Deathmatch"},
                                         TextCase{"Botpack.Assault", "Assault"},
                                         TextCase{"Botpack.Domination", "Domination"},
                                         TextCase{"Botpack.LastManStanding", "Last Man Standing"},
                                         TextCase{"SWATGame", "S.W.A.T"},
                                         // The first rule wins: a CTF variant of a team game class.
                                         TextCase{"CTFGameTeamGamePlus", "Team Deathmatch"},
                                         TextCase{"Pkg.FooGame", "Pkg.FooGame"}, TextCase{"", ""},
                                         TextCase{"pkg.ctfgame", "pkg.ctfgame"}));

class InventoryNameTest : public testing::TestWithParam<TextCase> {};
TEST_P(InventoryNameTest, Table) {
    EXPECT_EQ(query::InventoryName(GetParam().input), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Vocabulary, InventoryNameTest,
    testing::Values(
        TextCase{"Pkg.UDamage", "Amplifier"}, TextCase{"Botpack.Armor2", "Armor"},
        TextCase{"Pkg.armor2", "Armor"}, TextCase{"Pkg.RelicRegen", "Relic"},
        TextCase{"Botpack.UT_Jumpboots", "Jump Boots"}, TextCase{"Pkg.ThighPads", "Thigh Pads"},
        TextCase{"Botpack.UT_Stealth", "Invisibility"}, TextCase{"Pkg.shieldbelt", "Shield Belt"},
        TextCase{"Pkg.ShieldBelt", "Pkg.ShieldBelt"},
        // First rule wins when several keys are contained.
        TextCase{"UDamage+ThighPads", "Amplifier"}, TextCase{"", ""}, TextCase{"abc'def'", "abc"},
        TextCase{"'x'", ""}, TextCase{"Class'Pkg.Thing'", "Class"}));

// --- WeaponIndex, and the pair the parser uses --------------------------------

struct WeaponCase {
    std::string className;
    std::int32_t index;
    std::string name;
    friend std::ostream& operator<<(std::ostream& os, const WeaponCase& c) {
        return os << '"' << c.className << "\" -> " << c.index << " \"" << c.name << '"';
    }
};

class WeaponIndexTest : public testing::TestWithParam<WeaponCase> {};
TEST_P(WeaponIndexTest, Table) {
    EXPECT_EQ(query::WeaponIndex(GetParam().className), GetParam().index);
    EXPECT_EQ(query::WeaponName(query::WeaponIndex(GetParam().className)), GetParam().name);
}
INSTANTIATE_TEST_SUITE_P(
    Vocabulary, WeaponIndexTest,
    testing::Values(
        WeaponCase{"Pkg.enforcer", 5, "Enforcer"},
        WeaponCase{"Botpack.doubleenforcer", 5, "Enforcer"},
        WeaponCase{"Pkg.Enforcer", -1, "unknown"}, // "enfor" is lower case
        WeaponCase{"Botpack.ShockRifle", 1, "ASMD"}, WeaponCase{"Pkg.SuperShockRifle", 1, "ASMD"},
        WeaponCase{"Pkg.ASMD", 1, "ASMD"}, WeaponCase{"Botpack.Translocator", 2, "Translocator"},
        WeaponCase{"Pkg.ChainSaw", 11, "Chainsaw"}, WeaponCase{"Botpack.ripper", 9, "Ripper"},
        WeaponCase{"Pkg.Razorjack", 9, "Ripper"}, WeaponCase{"Botpack.minigun2", 3, "Mini Gun"},
        WeaponCase{"Pkg.Minigun", 3, "Mini Gun"}, WeaponCase{"Botpack.PulseGun", 7, "Pulse Gun"},
        WeaponCase{"Pkg.Redeemer", 10, "Redeemer"},
        WeaponCase{"Botpack.WarheadLauncher", 6, "Rocket Launcher"},
        WeaponCase{"Pkg.FlakCannon", 4, "Biosludge"},
        WeaponCase{"Botpack.ImpactHammer", 0, "Impact Hammer"},
        WeaponCase{"Botpack.ut_biorifle", 4, "Biosludge"},
        WeaponCase{"Botpack.SniperRifle", 8, "Sniper"},
        WeaponCase{"Pkg.RocketLauncher", 6, "Rocket Launcher"},
        WeaponCase{"Botpack.UT_Eightball", 6, "Rocket Launcher"},
        // Order matters: "Shock" is tried before "Trans", "enfor" before all.
        WeaponCase{"TransShock", 1, "ASMD"}, WeaponCase{"enforShock", 5, "Enforcer"},
        WeaponCase{"", -1, "unknown"}, WeaponCase{"Pkg.Sword", -1, "unknown"}));

// --- ClockText ----------------------------------------------------------------

struct ClockCase {
    std::int32_t seconds;
    std::int32_t limitMinutes;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const ClockCase& c) {
        return os << c.seconds << " s, limit " << c.limitMinutes << " min -> " << c.expected;
    }
};

class ClockTextTest : public testing::TestWithParam<ClockCase> {};
TEST_P(ClockTextTest, Table) {
    EXPECT_EQ(query::ClockText(GetParam().seconds, GetParam().limitMinutes), GetParam().expected);
}
INSTANTIATE_TEST_SUITE_P(
    Vocabulary, ClockTextTest,
    testing::Values(ClockCase{0, 0, "00:00"}, ClockCase{9, 0, "00:09"}, ClockCase{75, 0, "01:15"},
                    ClockCase{600, 0, "10:00"}, ClockCase{6000, 0, "100:00"},
                    ClockCase{59999, 0, "999:59"}, ClockCase{61, 20, "18:59"},
                    ClockCase{1200, 20, "00:00"}, ClockCase{0, 15, "15:00"},
                    ClockCase{899, 15, "00:01"},
                    ClockCase{75, -5, "01:15"}, // a negative limit is no limit
                    // Overtime: the overrun with a leading "-", seconds always below 60.
                    ClockCase{61, 1, "-00:01"}, ClockCase{120, 1, "-01:00"},
                    ClockCase{1275, 20, "-01:15"}, ClockCase{-5, 0, "-00:05"},
                    // Extremes stay readable and never overflow.
                    ClockCase{std::numeric_limits<std::int32_t>::max(), 0, "35791394:07"},
                    ClockCase{std::numeric_limits<std::int32_t>::min(), 0, "-35791394:08"},
                    ClockCase{0, std::numeric_limits<std::int32_t>::max(), "2147483647:00"},
                    ClockCase{std::numeric_limits<std::int32_t>::min(), 1, "35791395:08"}));

// --- MapInstalled -------------------------------------------------------------

TEST(MapInstalledTest, FindsTheMapInAMixedCaseMapsFolder) {
    TempFolder game;
    game.addFile("Maps/DM-Test.unr");
    game.addFile("Maps/CTF-Face.unr");
    EXPECT_TRUE(query::MapInstalled("DM-Test", game.path()));
    EXPECT_TRUE(query::MapInstalled("CTF-Face", game.path()));
    EXPECT_TRUE(query::MapInstalled("dm-test", game.path())); // as Windows would
    EXPECT_FALSE(query::MapInstalled("DM-Other", game.path()));
    EXPECT_FALSE(query::MapInstalled("", game.path()));
}

TEST(MapInstalledTest, IsFalseWithoutAGameFolderOrMapsFolder) {
    EXPECT_FALSE(query::MapInstalled("DM-Test", ""));
    TempFolder game;
    EXPECT_FALSE(query::MapInstalled("DM-Test", game.path()));
    EXPECT_FALSE(query::MapInstalled("DM-Test", game.path() + "/no-such-folder"));
}

TEST(MapInstalledTest, IsFalseForAFolderNamedLikeTheMap) {
    TempFolder game;
    game.addFolder("Maps/DM-Test.unr");
    EXPECT_FALSE(query::MapInstalled("DM-Test", game.path()));
}

TEST(MapInstalledTest, AcceptsAPathOf255CharactersAndRefuses256) {
    TempFolder game;
    // The path built is folder + "\maps\" + name + ".unr".
    const std::size_t fixed = game.path().size() + 6 + 4;
    ASSERT_LT(fixed + 10, 255U) << "temporary folder path too long for this test";
    const std::string name255(255 - fixed, 'm');
    const std::string name256(256 - fixed, 'm');
    game.addFile("Maps/" + name255 + ".unr");
    game.addFile("Maps/" + name256 + ".unr"); // exists, but its path is too long
    EXPECT_TRUE(query::MapInstalled(name255, game.path()));
    EXPECT_FALSE(query::MapInstalled(name256, game.path()));
}

TEST(MapInstalledTest, RefusesVeryLongNamesWithoutTouchingTheDisk) {
    EXPECT_FALSE(query::MapInstalled(std::string(100000, 'x'), "/tmp"));
    EXPECT_FALSE(query::MapInstalled("DM-Test", std::string(300, 'y')));
}

} // namespace
