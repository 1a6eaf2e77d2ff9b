#include "layers/IncludeScanner.h"
#include "layers/LayerCheck.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sstream>

namespace layers {
namespace {

namespace fs = std::filesystem;

struct ScanCase {
    std::string text;
    std::vector<IncludeDirective> expected;
};

TEST(IncludeScanner, FindsDirectivesOutsideCommentsAndLiterals) {
    const std::vector<ScanCase> cases = {
        {"#include \"toolkit/A.h\"\n", {{1, "toolkit/A.h", false}}},
        {"#pragma once\n  #  include <vector>\n", {{2, "vector", true}}},
        {"// #include \"app/X.h\"\n", {}},
        {"/* one\n#include \"app/X.h\"\n*/ #include \"toolkit/B.h\"", {{3, "toolkit/B.h", false}}},
        {"const char* glob = \"*.ini/*\";\n#include \"query/C.h\"", {{2, "query/C.h", false}}},
        {"auto raw = R\"x(\n#include \"app/Fake.h\"\n)x\";\n#include \"query/D.h\"\n",
         {{4, "query/D.h", false}}},
        {"// a comment going on \\\n#include \"app/Hidden.h\"\n", {}},
        {"int n = 1'000;\n#include \"query/E.h\"", {{2, "query/E.h", false}}},
        {"#includes \"not/One.h\"\n#include\n#include \"unclosed\n", {}},
    };
    for (const ScanCase& c : cases) {
        EXPECT_EQ(scanIncludes(c.text), c.expected) << c.text;
    }
}

// A small source tree with one file per situation.
class LayerCheckFixture : public ::testing::Test {
protected:
    void write(const std::string& relative, std::string_view text) const {
        const fs::path path = m_dir.file("src") / relative;
        fs::create_directories(path.parent_path());
        fake::writeFile(path, text);
    }

    [[nodiscard]] std::vector<std::string> found() const {
        std::vector<std::string> lines;
        for (const LayerViolation& violation : checkLayers(m_dir.file("src"))) {
            std::ostringstream line;
            line << violation;
            lines.push_back(line.str());
        }
        return lines;
    }

    fake::TempFolder m_dir;
};

TEST_F(LayerCheckFixture, ReportsForbiddenIncludesOnly) {
    write("toolkit/Base.h", "#pragma once\n#include <string>\n#include \"settings/Block.h\"\n");
    write("settings/Block.h", "#pragma once\n"
                              "#include \"toolkit/Base.h\"\n"
                              "// #include \"app/Root.h\"\n"
                              "/* #include \"qt/View.h\"\n"
                              "   #include \"query/Record.h\" */\n");
    write("query/Record.cpp", "#include \"query/Record.h\"\n  #  include \"favourites/List.h\"\n");
    write("query/Record.h", "#pragma once\n");
    write("favourites/List.h", "#pragma once\n#include \"query/Record.h\"\n");
    write("irc/Channel.h", "#include \"war/War.h\"\n#include \"missing/Nowhere.h\"\n");
    write("war/War.h", "#include \"../irc/Channel.h\"\n");
    write("app/Root.cpp", "#include \"irc/Channel.h\"\n#include <QString>\n");
    write("qt/View.cpp", "#include \"app/Root.h\"\n#include <QWidget>\n#include \"View.moc\"\n");
    write("main.cpp", "#include \"qt/View.h\"\n#include <QApplication>\n"
                      "#include \"settings/Block.h\"\n");
    write("extras/Thing.cpp", "#include \"toolkit/Base.h\"\n");
    write("extras/Other.cpp", "\n");
    write("CMakeLists.txt", "#include \"qt/View.h\"\n");

    const std::vector<std::string> expected = {
        "src/app/Root.cpp:2: #include <QString>: app may not include Qt (it may include: "
        "toolkit, settings, query, serverlist, favourites, war, irc)",
        "src/extras/Other.cpp: \"extras\" is not a known layer; add it to the table of layers on "
        "purpose",
        "src/irc/Channel.h:2: #include \"missing/Nowhere.h\": no such file of ours; outside "
        "headers use <...>",
        "src/main.cpp:3: #include \"settings/Block.h\": main.cpp may not include settings (it may "
        "include: app, qt, Qt)",
        "src/query/Record.cpp:2: #include \"favourites/List.h\": query may not include "
        "favourites (it may include: toolkit, settings)",
        "src/toolkit/Base.h:3: #include \"settings/Block.h\": toolkit may not include settings "
        "(it may include: the standard library only)",
        "src/war/War.h:1: #include \"../irc/Channel.h\": war may not include irc (it may "
        "include: toolkit, settings, query)",
    };
    EXPECT_EQ(found(), expected);
}

TEST(LayerCheck, SourceTreeKeepsTheDirectionOfTheLayers) {
    const fs::path source = SKARVELL_SOURCE_DIR;
    ASSERT_TRUE(fs::exists(source / "toolkit")) << source;
    std::ostringstream report;
    const std::vector<LayerViolation> violations = checkLayers(source);
    for (const LayerViolation& violation : violations) {
        report << violation << '\n';
    }
    EXPECT_TRUE(violations.empty()) << report.str();
}

} // namespace
} // namespace layers
