#pragma once

#include <QToolButton>

namespace gui {

// A toolbar button that opens a menu, reachable from the keyboard and by
// accessibility tools. As a split button (MenuButtonPopup) it runs its
// default action on a click, on Space or Enter once it has the focus (Tab),
// and as the first action it offers to accessibility tools; Down, Alt+Down
// or F4 open its menu. As a plain menu opener (InstantPopup) every one of
// those opens the menu.
class MenuToolButton final : public QToolButton {
    Q_OBJECT
public:
    MenuToolButton(QAction* action, QMenu* menu, ToolButtonPopupMode mode,
                   QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace gui
