#pragma once

class QMenu;
class QToolBar;
class QWidget;

namespace tk {
struct Menu;
}

namespace gui {

class ImageList;

// Menus and toolbars are data in the core; these build their widgets. The
// core's menus must outlive the widgets (the core outlives the window).

// A menu with its entries; the menu's onPopup runs just before it shows.
[[nodiscard]] QMenu* buildMenu(tk::Menu& menu, const ImageList& images, QWidget* parent);

// Fills a toolbar. An action entry with a drop-down menu becomes a split
// button: the button runs the action, its arrow opens the menu. Such buttons
// take the keyboard focus with Tab (see MenuToolButton).
void fillToolBar(QToolBar& bar, tk::Menu& menu, const ImageList& images);

} // namespace gui
