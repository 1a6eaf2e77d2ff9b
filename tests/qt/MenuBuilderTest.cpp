// Toolbars built from the core's menus: a button with a drop-down menu runs
// its command from the mouse, the keyboard and accessibility tools alike.

#include "qt/MenuBuilder.h"
#include "qt/ImageList.h"

#include "toolkit/Action.h"
#include "toolkit/ImageIndex.h"
#include "toolkit/Menu.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

class DropDownButtonTest : public ::testing::Test {
protected:
    DropDownButtonTest() {
        m_open.onExecute = [this] { ++m_runs; };
        auto dropDown = std::make_shared<tk::Menu>();
        dropDown->items = {tk::MenuItem::command("From &disk", {}, [] {})};
        m_toolBar.items = {tk::MenuItem::dropDown(m_open, "&List", dropDown)};

        auto* layout = new QVBoxLayout(&m_window);
        m_edit = new QLineEdit(&m_window);
        auto* bar = new QToolBar(&m_window);
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        layout->addWidget(m_edit);
        layout->addWidget(bar);
        gui::fillToolBar(*bar, m_toolBar, m_images);
        for (QToolButton* b : bar->findChildren<QToolButton*>()) {
            if (b->menu() != nullptr) {
                m_button = b;
            }
        }
        m_window.show();
        m_window.activateWindow();
    }

    tk::Action m_open{"Favorites", "&Open list", "Open|Open a list of favourites",
                      tk::images::kOpen};
    int m_runs = 0;
    tk::Menu m_toolBar;
    gui::ImageList m_images;
    QWidget m_window;
    QLineEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
};

TEST_F(DropDownButtonTest, RunsItsCommandFromTheKeyboard) {
    ASSERT_NE(m_button, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    QAction* command = m_button->defaultAction();
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), QStringLiteral("&List"));
    command->trigger();
    EXPECT_EQ(m_runs, 1);

    // Tab from the edit box reaches the button.
    m_edit->setFocus();
    QTest::keyClick(m_edit, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), m_button);
    QTest::keyClick(m_button, Qt::Key_Space);
    EXPECT_EQ(m_runs, 2);
    QTest::keyClick(m_button, Qt::Key_Return);
    QTest::keyClick(m_button, Qt::Key_Enter);
    EXPECT_EQ(m_runs, 4);

    // Down opens the menu instead.
    bool menuShown = false;
    QTimer::singleShot(0, m_button->menu(), [this, &menuShown] {
        menuShown = m_button->menu()->isVisible();
        m_button->menu()->close();
    });
    QTest::keyClick(m_button, Qt::Key_Down);
    EXPECT_TRUE(menuShown);
    EXPECT_EQ(m_runs, 4);

    // A disabled command does not run.
    m_open.setEnabled(false);
    EXPECT_FALSE(m_button->isEnabled());
    QTest::keyClick(m_button, Qt::Key_Return);
    EXPECT_EQ(m_runs, 4);
}

TEST_F(DropDownButtonTest, OffersItsCommandFirstToAccessibilityTools) {
    ASSERT_NE(m_button, nullptr);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("List"));
    EXPECT_EQ(accessible->text(QAccessible::Description), QStringLiteral("Open"));
    EXPECT_TRUE(accessible->state().focusable);

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    const QStringList names = actions->actionNames();
    ASSERT_GE(names.size(), 2);
    EXPECT_EQ(names.at(0), QAccessibleActionInterface::pressAction());
    EXPECT_EQ(names.at(1), QAccessibleActionInterface::showMenuAction());
    actions->doAction(names.at(0));
    EXPECT_EQ(m_runs, 1);
}

} // namespace
