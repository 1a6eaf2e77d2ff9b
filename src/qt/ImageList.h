#pragma once

#include "qt/IconDrawings.h"

#include <QIcon>
#include <QPixmap>

#include <array>

namespace gui {

// The main image list: an icon for every index of tk::images, shared by the
// actions, menus, toolbars, grids and drawing handlers. Where the desktop
// theme has a standard icon for the meaning it is used; every other image is
// the program's own drawing.
class ImageList {
public:
    static constexpr int kImageSize = 16;

    ImageList();

    // A null icon for images::kNone and for indexes out of range.
    [[nodiscard]] QIcon icon(int index) const;
    [[nodiscard]] QPixmap pixmap(int index, int size = kImageSize) const;

    [[nodiscard]] const QIcon& appIcon() const { return m_appIcon; }
    // quarterTurns turns the drawing clockwise in steps of 90 degrees, for
    // tab bars that turn their tabs the other way.
    [[nodiscard]] QIcon pageIcon(PageIcon page, int quarterTurns = 0) const;

private:
    std::array<QIcon, 23> m_icons;
    QIcon m_appIcon;
};

} // namespace gui
