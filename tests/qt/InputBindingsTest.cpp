// Input widgets bound both ways to the core's control models.

#include "qt/InputBindings.h"

#include "toolkit/Controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(InputBindings, AnEditFollowsItsModelAndTypingReachesIt) {
    tk::Edit model;
    model.setMaxLength(5);
    model.setHint("short|long");
    model.setText("abc");
    QLineEdit widget;
    gui::bindTextEdit(widget, model);
    EXPECT_EQ(widget.text(), QStringLiteral("abc"));
    EXPECT_EQ(widget.maxLength(), 5);
    EXPECT_EQ(widget.toolTip(), QStringLiteral("short"));
    EXPECT_FALSE(widget.isReadOnly());

    widget.selectAll();
    QTest::keyClicks(&widget, QStringLiteral("xyz1234"));
    EXPECT_EQ(model.text(), "xyz12");
    // Two-byte characters: five bytes hold two of them, and the box shows
    // what the model keeps.
    widget.selectAll();
    for (int i = 0; i < 3; ++i) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                      QString::fromUtf8("\xc3\xa9"));
        QCoreApplication::sendEvent(&widget, &key);
    }
    EXPECT_EQ(model.text(), "\xc3\xa9\xc3\xa9");
    EXPECT_EQ(widget.text(), QString::fromUtf8("\xc3\xa9\xc3\xa9"));

    model.setReadOnly(true);
    model.setText("42");
    EXPECT_TRUE(widget.isReadOnly());
    EXPECT_EQ(widget.text(), QStringLiteral("42"));
}

TEST(InputBindings, ADropDownShowsTypedTextItsItemsAndReportsLeaving) {
    tk::ComboBox model(tk::ComboBox::Style::DropDown, {"1", "2", "5"}, "hint");
    model.setMaxLength(3);
    QComboBox widget;
    gui::bindComboBox(widget, model);
    ASSERT_TRUE(widget.isEditable());
    EXPECT_EQ(widget.count(), 3);
    EXPECT_EQ(widget.lineEdit()->maxLength(), 3);

    model.setText("5");
    EXPECT_EQ(widget.currentIndex(), 2);
    model.setText("77");
    EXPECT_EQ(widget.currentText(), QStringLiteral("77"));

    widget.lineEdit()->selectAll();
    QTest::keyClicks(widget.lineEdit(), QStringLiteral("2"));
    EXPECT_EQ(model.text(), "2");
    EXPECT_EQ(model.itemIndex(), 1);

    int exits = 0;
    model.onExit = [&exits] { ++exits; };
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(&widget, &out);
    EXPECT_EQ(exits, 1);
    // Opening its own list is no leaving.
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(&widget, &popup);
    EXPECT_EQ(exits, 1);
}

TEST(InputBindings, AListShowsNoItemForNoneAndTakesTheChosenOne) {
    tk::ComboBox model(tk::ComboBox::Style::DropDownList, {"1", "2", "3"});
    model.setItemIndex(1);
    QComboBox widget;
    gui::bindComboBox(widget, model);
    EXPECT_FALSE(widget.isEditable());
    EXPECT_EQ(widget.currentIndex(), 1);
    model.setItemIndex(-1);
    EXPECT_EQ(widget.currentIndex(), -1);
    widget.setCurrentIndex(2);
    emit widget.activated(2);
    EXPECT_EQ(model.text(), "3");
}

TEST(InputBindings, CheckBoxesRadioGroupsAndButtons) {
    tk::CheckBox check("Health", "tip");
    check.setChecked(true);
    QCheckBox checkWidget;
    gui::bindCheckBox(checkWidget, check);
    EXPECT_EQ(checkWidget.text(), QStringLiteral("Health"));
    EXPECT_TRUE(checkWidget.isChecked());
    checkWidget.click();
    EXPECT_FALSE(check.checked());
    check.setEnabled(false);
    EXPECT_FALSE(checkWidget.isEnabled());

    tk::RadioGroup radio("Start", {"a", "b", "c"}, 2);
    radio.setItemIndex(0);
    QGroupBox box;
    gui::bindRadioGroup(box, radio);
    const auto buttons = box.findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 3);
    EXPECT_TRUE(buttons[0]->isChecked());
    buttons[2]->click();
    EXPECT_EQ(radio.itemIndex(), 2);
    radio.setItemIndex(-1);
    for (const QRadioButton* button : buttons) {
        EXPECT_FALSE(button->isChecked());
    }

    tk::Button button("Grid");
    int clicks = 0;
    button.onClick = [&clicks] { ++clicks; };
    QPushButton push;
    gui::bindButton(push, button);
    EXPECT_EQ(push.text(), QStringLiteral("Grid"));
    push.click();
    EXPECT_EQ(clicks, 1);
}

} // namespace
