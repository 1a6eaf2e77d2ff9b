#include "qt/MenuBuilder.h"

#include "qt/ActionBinding.h"
#include "qt/DisplayText.h"
#include "qt/ImageList.h"
#include "qt/MenuToolButton.h"

#include "toolkit/Action.h"
#include "toolkit/Menu.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace gui {

namespace {

// An entry with its own caption and handler, not tied to a core action.
QAction* commandAction(const tk::MenuItem& item, const ImageList& images, QObject* parent) {
    auto* action = new QAction(toDisplay(item.caption), parent);
    action->setIcon(images.icon(item.imageIndex));
    action->setIconVisibleInMenu(true);
    action->setEnabled(item.enabled && item.onExecute != nullptr);
    if (!item.hint.empty()) {
        const HintParts hint = splitHint(item.hint);
        action->setToolTip(hint.toolTip);
        action->setStatusTip(hint.statusTip);
    }
    if (item.onExecute) {
        QObject::connect(action, &QAction::triggered, action, [run = item.onExecute] { run(); });
    }
    return action;
}

QString submenuTitle(const tk::MenuItem& item) {
    if (!item.caption.empty()) {
        return toDisplay(item.caption);
    }
    if (item.action) {
        return toDisplay(item.action->caption());
    }
    return item.submenu ? toDisplay(item.submenu->caption) : QString();
}

void addEntry(QMenu& qmenu, const tk::MenuItem& item, const ImageList& images) {
    switch (item.kind) {
    case tk::MenuItem::Kind::Separator:
        qmenu.addSeparator();
        return;
    case tk::MenuItem::Kind::Command:
        qmenu.addAction(commandAction(item, images, &qmenu));
        return;
    case tk::MenuItem::Kind::Action:
        if (item.action && !item.submenu) {
            qmenu.addAction(createBoundAction(*item.action, images, &qmenu, item.caption));
            return;
        }
        [[fallthrough]];
    case tk::MenuItem::Kind::Submenu:
        if (item.submenu) {
            QMenu* sub = buildMenu(*item.submenu, images, &qmenu);
            sub->setTitle(submenuTitle(item));
            qmenu.addMenu(sub);
        }
        return;
    }
}

// A toolbar button that also opens a menu.
QToolButton* menuButton(QToolBar& bar, QAction* action, QMenu* menu,
                        QToolButton::ToolButtonPopupMode mode) {
    auto* button = new MenuToolButton(action, menu, mode, &bar);
    button->setToolButtonStyle(bar.toolButtonStyle());
    button->setIconSize(bar.iconSize());
    QObject::connect(&bar, &QToolBar::toolButtonStyleChanged, button,
                     &QToolButton::setToolButtonStyle);
    QObject::connect(&bar, &QToolBar::iconSizeChanged, button, &QToolButton::setIconSize);
    return button;
}

} // namespace

QMenu* buildMenu(tk::Menu& menu, const ImageList& images, QWidget* parent) {
    auto* qmenu = new QMenu(toDisplay(menu.caption), parent);
    qmenu->setObjectName(QString::fromStdString(menu.name));
    qmenu->setToolTipsVisible(false);
    if (!menu.hint.empty()) {
        qmenu->menuAction()->setStatusTip(splitHint(menu.hint).statusTip);
    }
    for (const tk::MenuItem& item : menu.items) {
        addEntry(*qmenu, item, images);
    }
    QObject::connect(qmenu, &QMenu::aboutToShow, qmenu, [&menu] {
        if (menu.onPopup) {
            menu.onPopup();
        }
    });
    return qmenu;
}

void fillToolBar(QToolBar& bar, tk::Menu& menu, const ImageList& images) {
    for (const tk::MenuItem& item : menu.items) {
        switch (item.kind) {
        case tk::MenuItem::Kind::Separator:
            bar.addSeparator();
            break;
        case tk::MenuItem::Kind::Command:
            bar.addAction(commandAction(item, images, &bar));
            break;
        case tk::MenuItem::Kind::Action: {
            if (!item.action) {
                break;
            }
            QAction* action = createBoundAction(*item.action, images, &bar, item.caption);
            if (!item.submenu) {
                bar.addAction(action);
                break;
            }
            QMenu* dropDown = buildMenu(*item.submenu, images, &bar);
            bar.addWidget(menuButton(bar, action, dropDown, QToolButton::MenuButtonPopup));
            break;
        }
        case tk::MenuItem::Kind::Submenu: {
            if (!item.submenu) {
                break;
            }
            QMenu* sub = buildMenu(*item.submenu, images, &bar);
            auto* opener = new QAction(submenuTitle(item), &bar);
            opener->setIcon(images.icon(item.imageIndex));
            bar.addWidget(menuButton(bar, opener, sub, QToolButton::InstantPopup));
            break;
        }
        }
    }
}

} // namespace gui
