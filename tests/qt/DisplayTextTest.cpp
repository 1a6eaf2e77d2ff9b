// How 8-bit text from servers and files is shown: UTF-8 when it is UTF-8,
// also when a field's width cut its last character, and Latin-1 otherwise.

#include "qt/DisplayText.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DisplayText, DecodesUtf8EvenWhenCutAtTheEndAndLatin1Otherwise) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* shown; // as UTF-8
    };
    const Case cases[] = {
        {"ASCII", "Player", "Player"},
        {"valid UTF-8", "Bj\xc3\xb6rn \xe2\x82\xac \xf0\x9f\x8e\xae", "Bj\xc3\xb6rn € 🎮"},
        {"Latin-1 letters", "Bj\xf6rn Gr\xfc\xdf", "Bj\xc3\xb6rn Gr\xc3\xbc\xc3\x9f"},
        {"a 2-byte sequence cut after its lead", "K\xc3\xb6nig J\xc3", "K\xc3\xb6nig J"},
        {"a 3-byte sequence cut after one byte", "\xc3\xa4 \xe2", "\xc3\xa4 "},
        {"a 3-byte sequence cut after two bytes", "100 \xe2\x82", "100 "},
        {"a 4-byte sequence cut after three bytes", "gg \xf0\x9f\x8e", "gg "},
        {"a 4-byte sequence cut after two bytes", "gg \xf0\x9f", "gg "},
        {"a lone Latin-1 letter at the end of plain text", "Ren\xe9", "Ren\xc3\xa9"},
        {"a lone Latin-1 sharp s at the end", "Strau\xdf", "Strau\xc3\x9f"},
        {"an invalid byte in the middle", "\xc3\xb6 \xff \xc3\xb6",
         "\xc3\x83\xc2\xb6 \xc3\xbf \xc3\x83\xc2\xb6"},
        {"a cut sequence in the middle", "\xe2\x82 ok \xc3\xb6",
         "\xc3\xa2\xc2\x82 ok \xc3\x83\xc2\xb6"},
        {"an overlong start at the end", "\xc3\xb6 \xe0\x80", "\xc3\x83\xc2\xb6 \xc3\xa0\xc2\x80"},
        {"a surrogate start at the end", "\xc3\xb6 \xed\xa0", "\xc3\x83\xc2\xb6 \xc3\xad\xc2\xa0"},
        {"a continuation byte alone at the end", "\xc3\xb6 \xb6", "\xc3\x83\xc2\xb6 \xc2\xb6"},
        {"a complete sequence with one byte too many", "\xc3\xb6\xb6", "\xc3\x83\xc2\xb6\xc2\xb6"},
        {"nothing", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(gui::toDisplay(c.bytes), QString::fromUtf8(c.shown));
    }
}

} // namespace
