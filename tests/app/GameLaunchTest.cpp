#include "app/GameLaunch.h"
#include "app/QueryMain.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

// What a game folder holds, and what joining 192.0.2.7:7000 starts from it.
struct LaunchCase {
    const char* name;
    std::vector<std::string> files; // relative to the game folder
    app::GameSystem system;
    bool wine;
    // The started line, with "GAME/" for the game folder; empty: nothing.
    std::vector<std::string> line;
};

TEST(GameLaunch, FindsTheGameAndHandsItTheServersAddressAndPort) {
    const LaunchCase cases[] = {
        {"native 64-bit first",
         {"System64/ut-bin-amd64", "System/ut-bin", "System/UnrealTournament.exe"},
         app::GameSystem::Unix,
         true,
         {"GAME/System64/ut-bin-amd64", "192.0.2.7:7000"}},
        {"32-bit binary, found without regard to case",
         {"SYSTEM/ut-bin"},
         app::GameSystem::Unix,
         true,
         {"GAME/SYSTEM/ut-bin", "192.0.2.7:7000"}},
        {"the Windows game through wine",
         {"system/unrealtournament.exe"},
         app::GameSystem::Unix,
         true,
         {"/usr/bin/wine", "GAME/system/unrealtournament.exe", "192.0.2.7:7000"}},
        {"the Windows game without wine", {"System/UnrealTournament.exe"}, app::GameSystem::Unix,
         false, {}},
        {"no game at all", {"System/Core.u"}, app::GameSystem::Unix, true, {}},
        {"Windows", {"System/UnrealTournament.exe"}, app::GameSystem::Windows, false,
         {"GAME/System/UnrealTournament.exe", "192.0.2.7:7000"}},
    };
    for (const LaunchCase& c : cases) {
        SCOPED_TRACE(c.name);
        fake::TempFolder game;
        for (const std::string& file : c.files) {
            game.addFile(file);
        }
        const auto launch =
            app::planGameLaunch(game.path(), "192.0.2.7", "7000", c.system,
                                c.wine ? std::optional<std::string>("/usr/bin/wine") : std::nullopt);
        if (c.line.empty()) {
            EXPECT_FALSE(launch.has_value());
            continue;
        }
        ASSERT_TRUE(launch.has_value());
        std::vector<std::string> line{launch->program};
        line.insert(line.end(), launch->arguments.begin(), launch->arguments.end());
        for (std::string& part : line) {
            if (part.starts_with(game.path())) {
                part = "GAME" + part.substr(game.path().size());
            }
        }
        EXPECT_EQ(line, c.line);
    }
    // No game folder set up: nothing is looked for from the root.
    EXPECT_FALSE(app::planGameLaunch("", "192.0.2.7", "7777", app::GameSystem::Unix, "/usr/bin/wine"));
}

TEST(GameLaunch, JoinServerStartsTheGameForTheWatchedServerOrSaysWhatIsMissing) {
    fake::TempFolder folder;
    fake::FakePlatform platform;
    fake::writeFile(folder.file("skarvell.ini"),
                    "[Favorites]\r\nFavHost[1]=One\r\nFavIP[1]=192.0.2.1\r\nFavPort[1]=7777\r\n"
                    "FavHost[2]=Two\r\nFavIP[2]=192.0.2.2\r\nFavPort[2]=8888\r\nFavCount=3\r\n");
    app::TQueryMain main(platform, folder.file("skarvell.ini").string());
    main.FormCreate();
    main.favouritestable.select(1, 2);
    ASSERT_TRUE(main.actRunUT.enabled());

    main.actRunUT.execute();
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{
                  "You have to setup your UT base directory in 'Preferences' first."});
    EXPECT_TRUE(platform.startedProcesses.empty());
    EXPECT_EQ(main.form.windowState(), tk::Form::WindowState::Normal);

    folder.addFile("UT/System/ut-bin");
    main.settings.UTDir = folder.file("UT").string();
    main.actRunUT.execute();
    ASSERT_EQ(platform.startedProcesses.size(), 1U);
    EXPECT_EQ(platform.startedProcesses[0],
              (std::vector<std::string>{folder.file("UT/System/ut-bin").string(),
                                        "192.0.2.2:8888"}));
    EXPECT_EQ(main.form.windowState(), tk::Form::WindowState::Minimized);
}

} // namespace
