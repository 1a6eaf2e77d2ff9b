// The find dialog's window: its widgets drive the core's find dialog.

#include "qt/FindWindow.h"

#include "app/FindDialog.h"
#include "toolkit/StringGrid.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(FindWindow, TypingAndEnterFindTheNextCellWithTheOptionsChosen) {
    tk::StringGrid grid(3, 4, 1, 1);
    grid.setRow(1, {"", "Deck party", "DM-Deck16]["});
    grid.setRow(2, {"", "Clan War", "CTF-Face"});
    grid.setRow(3, {"", "deck", "DM-Morpheus"});
    app::TFindDialog find;
    find.Open(grid, "Search servers");
    gui::FindWindow window(find);
    window.show();

    auto* text = window.findChild<QLineEdit*>(QStringLiteral("txtFindText"));
    auto* matchCase = window.findChild<QCheckBox*>(QStringLiteral("chkMatchCase"));
    auto* findNext = window.findChild<QPushButton*>(QStringLiteral("cmdFindNext"));
    auto* direction = window.findChild<QGroupBox*>(QStringLiteral("rgrDirection"));
    auto* result = window.findChild<QLabel*>(QStringLiteral("lblResult"));
    ASSERT_TRUE(text && matchCase && findNext && direction && result);
    EXPECT_TRUE(findNext->isDefault());

    QTest::keyClicks(text, QStringLiteral("deck"));
    matchCase->click();
    EXPECT_TRUE(find.chkMatchCase.checked());
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(grid.selectedRow(), 3);

    // Backward, the case ignored: from row 3 the map of row 1 comes before
    // its name.
    matchCase->click();
    const auto radios = direction->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    radios[1]->click();
    EXPECT_EQ(find.rgrDirection.itemIndex(), 1);
    findNext->click();
    EXPECT_EQ(grid.selectedRow(), 1);
    findNext->click();
    EXPECT_EQ(grid.selectedRow(), 1);
    findNext->click();
    EXPECT_EQ(grid.selectedRow(), 3);
    EXPECT_EQ(result->text(),
              QStringLiteral("Passed the top of the table, went on from the bottom."));
}

} // namespace
