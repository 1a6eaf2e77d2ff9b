// The input control models: limits, drop-down boxes, radio groups and the
// colour dialog component.

#include "toolkit/Controls.h"
#include "support/FakePlatform.h"
#include "toolkit/ColorDialog.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Controls, AnEditKeepsNoMoreThanItsLimitAndNeverHalfACharacter) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t limit;
        std::string kept;
    };
    const Case cases[] = {
        {"no limit", std::string(300, 'x'), 0, std::string(300, 'x')},
        {"shorter", "abc", 5, "abc"},
        {"exactly", "abcde", 5, "abcde"},
        {"longer", "abcdefg", 5, "abcde"},
        {"a two-byte character across the limit", "abcd\xc3\xa9", 5, "abcd"},
        {"a two-byte character within", "abc\xc3\xa9z", 5, "abc\xc3\xa9"},
        {"a four-byte character across", "a\xf0\x9f\x98\x80", 4, "a"},
        {"Latin-1 bytes are single characters", "ab\xe9\xe9\xe9", 4, "ab\xe9\xe9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tk::Edit edit;
        edit.setMaxLength(c.limit);
        edit.setText(c.text);
        EXPECT_EQ(edit.text(), c.kept);
    }

    // A limit set later cuts the text already there.
    tk::Edit edit;
    edit.setText("abcdef");
    int changes = 0;
    edit.changed.connect([&changes] { ++changes; });
    edit.setMaxLength(3);
    EXPECT_EQ(edit.text(), "abc");
    EXPECT_GT(changes, 0);
}

TEST(Controls, ADropDownTakesTypedTextAndAListOnlyItsItems) {
    using Style = tk::ComboBox::Style;
    tk::ComboBox open(Style::DropDown, {"1", "2", "5"});
    tk::ComboBox list(Style::DropDownList, {"1", "2", "5"});
    struct Case {
        const char* text;
        int openIndex;
        const char* listText;
        int listIndex;
    };
    const Case cases[] = {{"2", 1, "2", 1}, {"7", -1, "", -1}, {"", -1, "", -1}, {"5", 2, "5", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        open.setText(c.text);
        list.setText(c.text);
        EXPECT_EQ(open.text(), c.text);
        EXPECT_EQ(open.itemIndex(), c.openIndex);
        EXPECT_EQ(list.text(), c.listText);
        EXPECT_EQ(list.itemIndex(), c.listIndex);
    }

    for (const int index : {-1, 3, 99}) {
        list.setItemIndex(1);
        list.setItemIndex(index);
        EXPECT_EQ(list.itemIndex(), -1);
        EXPECT_EQ(list.text(), "");
    }
    list.setItemIndex(2);
    EXPECT_EQ(list.text(), "5");

    tk::ComboBox limited(Style::DropDown, {});
    limited.setMaxLength(3);
    limited.setText("1234");
    EXPECT_EQ(limited.text(), "123");
    int exits = 0;
    limited.onExit = [&exits] { ++exits; };
    limited.exit();
    EXPECT_EQ(exits, 1);
}

TEST(Controls, ARadioGroupHasOneItemOnOrNone) {
    tk::RadioGroup group("Start", {"a", "b", "c"}, 2);
    EXPECT_EQ(group.itemIndex(), -1);
    int changes = 0;
    group.changed.connect([&changes] { ++changes; });
    group.setItemIndex(2);
    EXPECT_EQ(group.itemIndex(), 2);
    group.setItemIndex(2);
    EXPECT_EQ(changes, 1);
    group.setItemIndex(3);
    EXPECT_EQ(group.itemIndex(), -1);
}

TEST(Controls, TheColourDialogOpensOnItsLastChoice) {
    fake::FakePlatform platform;
    tk::ColorDialog dialog;
    platform.colorAnswers = {tk::Color{0x123456}, std::nullopt, tk::Color{0x00FF00}};
    EXPECT_TRUE(dialog.execute(platform));
    EXPECT_EQ(dialog.color(), 0x123456);
    EXPECT_FALSE(dialog.execute(platform));
    EXPECT_EQ(dialog.color(), 0x123456);
    EXPECT_TRUE(dialog.execute(platform));
    EXPECT_EQ(platform.colorDialogStarts, (std::vector<tk::Color>{0, 0x123456, 0x123456}));
    EXPECT_EQ(dialog.color(), 0x00FF00);
}

} // namespace
