// The backend binds to the toolkit's headers one by one. Only the main
// window and the program's main() see the composition root, which pulls in
// every subsystem; every other window includes the form it shows.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = fs::path(QT_TESTCASE_SOURCEDIR) / ".." / "src";

std::vector<std::string> includesOf(const fs::path& file) {
    std::vector<std::string> found;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::string directive = "#include \"";
        if (line.rfind(directive, 0) == 0) {
            const auto end = line.find('"', directive.size());
            found.push_back(line.substr(directive.size(), end - directive.size()));
        }
    }
    return found;
}

TEST(IncludeRules, OnlyTheMainWindowAndMainSeeTheCompositionRoot) {
    const std::set<std::string> allowed{"qt/MainWindow.h", "qt/MainWindow.cpp",
                                        "qt/MainWindowPages.cpp", "main.cpp"};
    std::vector<fs::path> files{kSourceDir / "main.cpp"};
    for (const auto& entry : fs::directory_iterator(kSourceDir / "qt")) {
        files.push_back(entry.path());
    }
    ASSERT_GT(files.size(), 10U) << kSourceDir;
    for (const fs::path& file : files) {
        const std::string name = fs::relative(file, kSourceDir).generic_string();
        SCOPED_TRACE(name);
        for (const std::string& included : includesOf(file)) {
            EXPECT_NE(included, "qt/Core.h");
            if (included == "app/QueryMain.h") {
                EXPECT_TRUE(allowed.count(name) != 0);
            }
        }
    }
}

TEST(IncludeRules, TheAboutBoxIncludesOnlyTheFormItShows) {
    std::vector<std::string> app;
    for (const std::string& included : includesOf(kSourceDir / "qt" / "AboutDialog.cpp")) {
        if (included.rfind("app/", 0) == 0) {
            app.push_back(included);
        }
    }
    EXPECT_EQ(app, std::vector<std::string>{"app/AboutBox.h"});
}

} // namespace
