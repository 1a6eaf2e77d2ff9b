#include "qt/ImageList.h"

#include "toolkit/ImageIndex.h"

#include <QPainter>

#include <functional>

namespace gui {

namespace {

static_assert(tk::images::kCount == 23, "the image list covers every index");

// The sizes the drawings are rendered at: menus, toolbars, tabs, the tray.
constexpr std::array kSizes{16, 20, 24, 32, 48, 64};

QIcon drawn(const std::function<void(QPainter&)>& paint, int quarterTurns = 0) {
    QIcon icon;
    for (const int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.translate(size / 2.0, size / 2.0);
        painter.rotate(90.0 * quarterTurns);
        painter.translate(-size / 2.0, -size / 2.0);
        painter.scale(size / 16.0, size / 16.0);
        paint(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// Standard meanings the desktop theme may know an icon for.
const char* themeName(int index) {
    namespace img = tk::images;
    switch (index) {
    case img::kPreferences:
        return "preferences-system";
    case img::kAbout:
        return "help-about";
    case img::kOpen:
        return "document-open";
    case img::kSave:
        return "document-save";
    case img::kSearch:
        return "edit-find";
    case img::kStop:
        return "process-stop";
    case img::kRefreshAll:
        return "view-refresh";
    case img::kClipboard:
        return "edit-paste";
    case img::kQuit:
        return "application-exit";
    case img::kHelp:
        return "help-contents";
    case img::kExport:
        return "document-export";
    case img::kImport:
        return "document-import";
    default:
        return nullptr;
    }
}

} // namespace

ImageList::ImageList() {
    for (int i = 0; i < static_cast<int>(m_icons.size()); ++i) {
        QIcon own = drawn([i](QPainter& p) { paintImage(p, i); });
        const char* name = themeName(i);
        m_icons[static_cast<std::size_t>(i)] =
            name ? QIcon::fromTheme(QLatin1String(name), own) : own;
    }
    m_appIcon = drawn([](QPainter& p) { paintAppIcon(p); });
}

QIcon ImageList::icon(int index) const {
    if (index < 0 || index >= static_cast<int>(m_icons.size())) {
        return {};
    }
    return m_icons[static_cast<std::size_t>(index)];
}

QPixmap ImageList::pixmap(int index, int size) const {
    return icon(index).pixmap(size, size);
}

QIcon ImageList::pageIcon(PageIcon page, int quarterTurns) const {
    return drawn([page](QPainter& p) { paintPageIcon(p, page); }, quarterTurns);
}

} // namespace gui
