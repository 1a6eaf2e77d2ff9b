#include "toolkit/GamePath.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using fake::TempFolder;

#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

std::string joined(const std::string& folder, std::initializer_list<const char*> parts) {
    std::string path = folder;
    for (const char* part : parts) {
        path += kSep;
        path += part;
    }
    return path;
}

TEST(GamePathTest, JoinsWithTheNativeSeparatorWhenNothingExists) {
    TempFolder game;
    EXPECT_EQ(tk::gamePath(game.path(), "\\system\\unrealtournament.ini"),
              joined(game.path(), {"system", "unrealtournament.ini"}));
    EXPECT_EQ(tk::gamePath(game.path(), "\\maps\\DM-Test.unr"),
              joined(game.path(), {"maps", "DM-Test.unr"}));
}

TEST(GamePathTest, SkipsEmptyComponentsAndATrailingSeparatorOfTheFolder) {
    TempFolder game;
    EXPECT_EQ(tk::gamePath(game.path(), "system\\\\x.ini\\"),
              joined(game.path(), {"system", "x.ini"}));
    EXPECT_EQ(tk::gamePath(game.path() + kSep, "\\system\\x.ini"),
              joined(game.path(), {"system", "x.ini"}));
    EXPECT_EQ(tk::gamePath(game.path(), ""), game.path());
    EXPECT_EQ(tk::gamePath(game.path(), "\\"), game.path());
}

TEST(GamePathTest, AnEmptyFolderGivesAPathFromTheRoot) {
    EXPECT_EQ(tk::gamePath("", "\\skarvell-no-such-folder\\x.unr"),
              std::string(1, kSep) + "skarvell-no-such-folder" + kSep + "x.unr");
}

#ifndef _WIN32
TEST(GamePathTest, MatchesEachComponentIgnoringCase) {
    TempFolder game;
    game.addFile("System/UnrealTournament.ini");
    game.addFile("Maps/DM-Deck16][.unr");
    EXPECT_EQ(tk::gamePath(game.path(), "\\system\\unrealtournament.ini"),
              game.path() + "/System/UnrealTournament.ini");
    EXPECT_EQ(tk::gamePath(game.path(), "\\maps\\dm-deck16][.UNR"),
              game.path() + "/Maps/DM-Deck16][.unr");
}

TEST(GamePathTest, KeepsTheRestAsWrittenFromTheFirstComponentThatMatchesNothing) {
    TempFolder game;
    game.addFolder("Maps");
    game.addFolder("Other/Maps");
    EXPECT_EQ(tk::gamePath(game.path(), "\\maps\\DM-None.unr"), game.path() + "/Maps/DM-None.unr");
    EXPECT_EQ(tk::gamePath(game.path(), "\\none\\maps\\x.unr"), game.path() + "/none/maps/x.unr");
    EXPECT_EQ(tk::gamePath(game.path(), "\\OTHER\\MAPS"), game.path() + "/Other/Maps");
}

TEST(GamePathTest, PrefersTheExactNameThenTheSmallestMatch) {
    TempFolder game;
    game.addFolder("maps");
    game.addFolder("Maps");
    game.addFolder("MAPS");
    EXPECT_EQ(tk::gamePath(game.path(), "\\Maps"), game.path() + "/Maps");
    EXPECT_EQ(tk::gamePath(game.path(), "\\maps"), game.path() + "/maps");
    EXPECT_EQ(tk::gamePath(game.path(), "\\mAps"),
              game.path() + "/MAPS"); // "MAPS" < "Maps" < "maps"
}

TEST(GamePathTest, AnUnreadableOrMissingFolderMatchesNothing) {
    EXPECT_EQ(tk::gamePath("/skarvell-no-such-folder", "\\System\\x.ini"),
              "/skarvell-no-such-folder/System/x.ini");
}
#endif

TEST(GamePathTest, FileExistsOnlyForRegularFiles) {
    TempFolder game;
    game.addFile("System/UnrealTournament.ini");
    const std::string file = joined(game.path(), {"System", "UnrealTournament.ini"});
    EXPECT_TRUE(tk::fileExists(file));
    EXPECT_FALSE(tk::fileExists(joined(game.path(), {"System"}))); // a folder
    EXPECT_FALSE(tk::fileExists(joined(game.path(), {"System", "missing.ini"})));
    EXPECT_FALSE(tk::fileExists(""));
    EXPECT_FALSE(tk::fileExists(file + std::string(1, '\0') + "x"));
}

TEST(GamePathTest, GameFileExistsGoesThroughTheCaseMatching) {
    TempFolder game;
    game.addFile("System/UnrealTournament.ini");
    EXPECT_TRUE(tk::gameFileExists(game.path(), "\\system\\unrealtournament.ini"));
    EXPECT_FALSE(tk::gameFileExists(game.path(), "\\system\\unrealtournament.bak"));
    EXPECT_FALSE(tk::gameFileExists(game.path(), "\\system"));
}

} // namespace
