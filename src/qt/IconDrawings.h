#pragma once

class QPainter;

namespace gui {

// The program's own images, drawn with QPainter on a 16 x 16 grid; the caller
// scales the painter to the size it needs.

// One image of the main image list (tk::images).
void paintImage(QPainter& painter, int index);

// The program's icon: the window icon and the tray icon.
void paintAppIcon(QPainter& painter);

// Icons of the detail pages, whose tabs show icons only.
enum class PageIcon { Favourites, ServerDetails, PlayerGraph, WarGraph, War };
void paintPageIcon(QPainter& painter, PageIcon icon);

} // namespace gui
