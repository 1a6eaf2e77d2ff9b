// Saving the graphs as GIF files: decoded back and compared pixel by pixel,
// their permissions, and what a failure leaves behind.

#include "war/GraphExport.h"
#include "war/GifWriter.h"
#include "war/WarGraph.h"

#include "support/TempFolder.h"
#include "toolkit/RasterCanvas.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// A GIF file read back with giflib: its size, frames and colours.
struct DecodedGif {
    int width = 0;
    int height = 0;
    int frames = 0;
    int paletteSize = 0;
    std::vector<tk::Color> pixels;
};

DecodedGif decode(const fs::path& path) {
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(path.c_str(), &error));
    DecodedGif out;
    EXPECT_TRUE(gif) << path << ": " << GifErrorString(error);
    if (!gif) {
        return out;
    }
    EXPECT_EQ(DGifSlurp(gif.get()), GIF_OK) << path << ": " << GifErrorString(gif->Error);
    out.width = gif->SWidth;
    out.height = gif->SHeight;
    out.frames = gif->ImageCount;
    if (gif->ImageCount < 1) {
        return out;
    }
    const SavedImage& image = gif->SavedImages[0];
    const ColorMapObject* map =
        image.ImageDesc.ColorMap != nullptr ? image.ImageDesc.ColorMap : gif->SColorMap;
    EXPECT_NE(map, nullptr);
    if (map == nullptr) {
        return out;
    }
    out.paletteSize = map->ColorCount;
    EXPECT_EQ(image.ImageDesc.Width, out.width);
    EXPECT_EQ(image.ImageDesc.Height, out.height);
    const auto count = static_cast<std::size_t>(image.ImageDesc.Width) *
                       static_cast<std::size_t>(image.ImageDesc.Height);
    for (std::size_t i = 0; i < count; ++i) {
        const GifColorType& c = map->Colors[image.RasterBits[i]];
        out.pixels.push_back(tk::rgb(c.Red, c.Green, c.Blue));
    }
    return out;
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

war::WarRecord runningWar() {
    war::WarRecord r;
    r.active = true;
    r.hostname = "Skarvell Test Server";
    r.gametype = "TeamGamePlus";
    r.map = "CTF-Face";
    r.teamAName = "Red";
    r.teamBName = "Blue";
    r.levelSeconds = 300;
    r.maxTeamTotal = 30;
    r.maxPlayerFrags = 12;
    for (int i = 0; i < 6; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        r.redSeries[slot] = {i >= 3 ? 4 : 0, 5 * i, 60 * i};
        r.blueSeries[slot] = {0, 3 * i, 60 * i};
        r.histories[0].samples[slot] = {0, 2 * i, 60 * i};
    }
    r.sampleIndex = 6;
    r.histories[0].name = "Bob";
    r.histories[0].frags = 10;
    r.histories[0].count = 6;
    return r;
}

war::GraphExportOptions optionsFor(const fake::TempFolder& folder, int width, int height) {
    war::GraphExportOptions options;
    options.folder = folder.path();
    options.width = width;
    options.height = height;
    options.colors.player.fill(tk::colors::kSilver);
    options.colors.player[0] = tk::rgb(255, 0, 0);
    return options;
}

TEST(GraphExport, SavesBothGraphsAsSingleFrameGifsOfTheDrawnPixels) {
    fake::TempFolder folder;
    const war::WarRecord record = runningWar();
    for (const auto& [width, height] : {std::pair{400, 300}, std::pair{321, 97}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const war::GraphExportOptions options = optionsFor(folder, width, height);
        ASSERT_EQ(war::exportGraphs(record, options), std::nullopt);
        EXPECT_EQ(namesIn(folder.path()),
                  (std::set<std::string>{"warstats.gif", "playerstats.gif"}));

        tk::RasterCanvas warGraph(width, height);
        war::DrawWarGraph(warGraph, width, height, record, options.colors);
        tk::RasterCanvas playerGraph(width, height);
        war::DrawPlayerGraph(playerGraph, width, height, record, options.colors);

        for (const auto& [name, drawn] :
             {std::pair{"warstats.gif", &warGraph}, std::pair{"playerstats.gif", &playerGraph}}) {
            SCOPED_TRACE(name);
            const DecodedGif gif = decode(folder.file(name));
            EXPECT_EQ(gif.width, width);
            EXPECT_EQ(gif.height, height);
            EXPECT_EQ(gif.frames, 1);
            EXPECT_EQ(gif.pixels, drawn->pixels());
            EXPECT_EQ(modeOf(folder.file(name)), 0644);
        }
        // The graphs differ, and there is more than the background.
        EXPECT_NE(warGraph.pixels(), playerGraph.pixels());
    }
}

TEST(GraphExport, WithoutAWarTheFilesShowTheEmptyFrame) {
    fake::TempFolder folder;
    const war::GraphExportOptions options = optionsFor(folder, 400, 300);
    ASSERT_EQ(war::exportGraphs(war::WarRecord{}, options), std::nullopt);
    tk::RasterCanvas frame(400, 300);
    war::DrawWarGraph(frame, 400, 300, war::WarRecord{}, options.colors);
    EXPECT_EQ(decode(folder.file("warstats.gif")).pixels, frame.pixels());
    EXPECT_EQ(decode(folder.file("playerstats.gif")).pixels, frame.pixels());
    EXPECT_EQ(decode(folder.file("playerstats.gif")).paletteSize, 2); // background and grid
}

TEST(GraphExport, ReplacesOldFilesWholeAndMakesThemReadableByEveryone) {
    fake::TempFolder folder;
    fake::writeFile(folder.file("warstats.gif"), "old");
    fs::permissions(folder.file("warstats.gif"), fs::perms::owner_read | fs::perms::owner_write);
    // A temporary file left by a crash is not in the way, and is gone after.
    fake::writeFile(folder.file("warstats.gif.tmp"), "half");
    struct stat before {};
    ASSERT_EQ(::stat(folder.file("warstats.gif").c_str(), &before), 0);

    ASSERT_EQ(war::exportGraphs(runningWar(), optionsFor(folder, 400, 300)), std::nullopt);
    EXPECT_EQ(namesIn(folder.path()), (std::set<std::string>{"warstats.gif", "playerstats.gif"}));
    EXPECT_EQ(modeOf(folder.file("warstats.gif")), 0644);
    struct stat info {};
    ASSERT_EQ(::stat(folder.file("warstats.gif").c_str(), &info), 0);
    EXPECT_NE(info.st_ino, before.st_ino) << "renamed over, not written in place";
    EXPECT_EQ(decode(folder.file("warstats.gif")).width, 400);
}

TEST(GraphExport, AFailureNamesThePathAndTheReasonAndLeavesNothingHalfWritten) {
    struct Case {
        const char* what;
        // Prepares the folder; returns the folder to save into.
        fs::path (*prepare)(const fake::TempFolder&);
        const char* failingFile;
        const char* reason;
        std::set<std::string> namesAfter;
    };
    const Case cases[] = {
        {"a folder that does not exist",
         [](const fake::TempFolder& f) { return f.file("missing"); },
         "warstats.gif",
         "No such file or directory",
         {}},
        {"a read-only folder (refused also for root)",
         [](const fake::TempFolder& f) {
             fake::writeFile(f.file("warstats.gif"), "old");
             fs::permissions(f.file(""), fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::group_read | fs::perms::others_read);
             return f.file("");
         },
         "warstats.gif",
         "Permission denied",
         {"warstats.gif"}},
        {"a read-only file",
         [](const fake::TempFolder& f) {
             fake::writeFile(f.file("warstats.gif"), "old");
             fs::permissions(f.file("warstats.gif"), fs::perms::owner_read);
             return f.file("");
         },
         "warstats.gif",
         "Permission denied",
         {"warstats.gif"}},
        {"a folder in the place of the second file: the first is saved",
         [](const fake::TempFolder& f) {
             fs::create_directory(f.file("playerstats.gif"));
             return f.file("");
         },
         "playerstats.gif",
         "Is a directory",
         {"warstats.gif", "playerstats.gif"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake::TempFolder temp;
        const fs::path folder = c.prepare(temp);
        war::GraphExportOptions options = optionsFor(temp, 400, 300);
        options.folder = folder.string();
        const auto failed = war::exportGraphs(runningWar(), options);
        fs::permissions(temp.file(""), fs::perms::owner_all); // let the test clean up
        ASSERT_TRUE(failed.has_value());
        EXPECT_NE(failed->find(war::graphFilePath(options.folder, c.failingFile)),
                  std::string::npos)
            << *failed;
        EXPECT_NE(failed->find(c.reason), std::string::npos) << *failed;
        EXPECT_EQ(namesIn(temp.path()), c.namesAfter);
        if (fs::is_regular_file(temp.file("warstats.gif")) &&
            c.namesAfter.count("playerstats.gif") == 0) {
            EXPECT_EQ(fake::readFile(temp.file("warstats.gif")), "old");
        }
    }
}

// The disk fills in the middle of the image: the file size limit stands in
// for it. The old file stays, the temporary file goes.
TEST(GraphExport, AWriteFailingHalfwayKeepsTheOldFile) {
    fake::TempFolder folder;
    fake::writeFile(folder.file("warstats.gif"), "old");
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 200;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto failed = war::exportGraphs(runningWar(), optionsFor(folder, 400, 300));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_TRUE(failed.has_value());
    EXPECT_NE(failed->find(folder.file("warstats.gif").string()), std::string::npos) << *failed;
    EXPECT_NE(failed->find("File too large"), std::string::npos) << *failed;
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"warstats.gif"});
    EXPECT_EQ(fake::readFile(folder.file("warstats.gif")), "old");
}

TEST(GraphExport, ImagesOfManyColoursAreReducedToAPaletteOfNearColours) {
    tk::RasterCanvas image(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            image.setBrushColor(tk::rgb(x * 4, y * 4, (x + y) * 2));
            image.fillRect({x, y, x + 1, y + 1});
        }
    }
    fake::TempFolder folder;
    ASSERT_EQ(war::writeGifFile(image, folder.file("many.gif")), std::nullopt);
    const DecodedGif gif = decode(folder.file("many.gif"));
    ASSERT_EQ(gif.pixels.size(), image.pixels().size());
    EXPECT_LE(gif.paletteSize, 256);
    for (std::size_t i = 0; i < gif.pixels.size(); ++i) {
        const tk::Color want = image.pixels()[i];
        const tk::Color got = gif.pixels[i];
        ASSERT_LE(std::abs(tk::redOf(want) - tk::redOf(got)), 26) << i;
        ASSERT_LE(std::abs(tk::greenOf(want) - tk::greenOf(got)), 26) << i;
        ASSERT_LE(std::abs(tk::blueOf(want) - tk::blueOf(got)), 26) << i;
    }
}

TEST(GraphExport, ImageSizesOutsideTheRangeAreKeptWithinIt) {
    fake::TempFolder folder;
    struct Case {
        int width, height;
        int savedWidth, savedHeight;
    };
    for (const Case c : {Case{0, 300, 1, 300}, Case{-5, -5, 1, 1}, Case{100000, 2, 4096, 2}}) {
        ASSERT_EQ(war::exportGraphs(runningWar(), optionsFor(folder, c.width, c.height)),
                  std::nullopt);
        const DecodedGif gif = decode(folder.file("warstats.gif"));
        EXPECT_EQ(gif.width, c.savedWidth);
        EXPECT_EQ(gif.height, c.savedHeight);
    }
}

TEST(GraphExport, FilePathsJoinTheFolderWithOneSeparator) {
    struct Case {
        const char* folder;
        const char* path;
    };
    for (const Case c :
         {Case{"/srv/www/stats", "/srv/www/stats/warstats.gif"},
          Case{"/srv/www/stats/", "/srv/www/stats/warstats.gif"}, Case{"", "/warstats.gif"}}) {
        EXPECT_EQ(war::graphFilePath(c.folder, war::kWarGraphFile), c.path);
    }
}

} // namespace
