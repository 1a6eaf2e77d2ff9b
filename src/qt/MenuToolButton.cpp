#include "qt/MenuToolButton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace gui {

namespace {

// "&Favorite && more" -> "Favorite & more".
QString withoutAccelerators(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

// What accessibility tools see of the button. Qt's own interface for a tool
// button with a menu offers only "show menu", so a screen reader's default
// action would open the menu instead of running the command.
class MenuToolButtonAccessible final : public QAccessibleWidget {
public:
    explicit MenuToolButtonAccessible(MenuToolButton* button)
        : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

    [[nodiscard]] QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty()) {
            return withoutAccelerators(button()->text());
        }
        if (t == QAccessible::Description && button()->accessibleDescription().isEmpty()) {
            return button()->toolTip();
        }
        return QAccessibleWidget::text(t);
    }

    [[nodiscard]] QStringList actionNames() const override {
        QStringList names;
        if (button()->isEnabled()) {
            if (button()->popupMode() != QToolButton::InstantPopup) {
                names << pressAction();
            }
            names << showMenuAction();
        }
        return names + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (!button()->isEnabled()) {
            return;
        }
        if (name == pressAction() && button()->popupMode() != QToolButton::InstantPopup) {
            button()->click();
        } else if (name == showMenuAction() || name == pressAction()) {
            button()->showMenu();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    [[nodiscard]] QToolButton* button() const { return static_cast<QToolButton*>(widget()); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(MenuToolButton::staticMetaObject.className())) {
        if (auto* button = qobject_cast<MenuToolButton*>(object)) {
            return new MenuToolButtonAccessible(button);
        }
    }
    return nullptr;
}

} // namespace

MenuToolButton::MenuToolButton(QAction* action, QMenu* menu, ToolButtonPopupMode mode,
                               QWidget* parent)
    : QToolButton(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    (void)factoryInstalled;
    setDefaultAction(action);
    setMenu(menu);
    setPopupMode(mode);
    setAutoRaise(true);
    // Tab reaches it; a click does not take the focus from the table.
    setFocusPolicy(Qt::TabFocus);
}

void MenuToolButton::keyPressEvent(QKeyEvent* event) {
    const bool opensMenu = event->key() == Qt::Key_F4 || event->key() == Qt::Key_Down;
    const bool runs = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (opensMenu || (runs && popupMode() == InstantPopup)) {
        showMenu();
        return;
    }
    if (runs) {
        click();
        return;
    }
    // Space, as on every button.
    QToolButton::keyPressEvent(event);
}

} // namespace gui
