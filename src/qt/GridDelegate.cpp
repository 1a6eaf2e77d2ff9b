#include "qt/GridDelegate.h"

#include "qt/DisplayText.h"
#include "qt/GridModel.h"
#include "qt/ImageList.h"
#include "qt/PainterCanvas.h"

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/ImageIndex.h"
#include "toolkit/StringGrid.h"

#include <QPainter>

namespace gui {

GridDelegate::GridDelegate(const GridModel& model, const ImageList& images, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model), m_images(images) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    // Whole rows are selected: no focus frame around a single cell.
    opt.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, opt, index);

    tk::StringGrid& grid = m_model.grid();
    const int col = index.column();
    const int row = m_model.displayRow(index.row());

    const int image = grid.cellImage(col, row);
    if (image != tk::images::kNone) {
        const QPixmap pixmap = m_images.pixmap(image);
        const QRect box(QPoint(0, 0), pixmap.deviceIndependentSize().toSize());
        painter->drawPixmap(
            QStyle::alignedRect(opt.direction, Qt::AlignCenter, box.size(), opt.rect), pixmap);
    }

    if (!grid.onDrawCell) {
        return;
    }
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    const bool alternate = (opt.features & QStyleOptionViewItem::Alternate) != 0;
    const QPalette::ColorGroup group =
        (opt.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    QColor background =
        opt.palette.color(group, alternate ? QPalette::AlternateBase : QPalette::Base);
    if (const QVariant own = index.data(Qt::BackgroundRole); own.canConvert<QBrush>()) {
        background = own.value<QBrush>().color();
    }
    if (selected) {
        background = opt.palette.color(group, QPalette::Highlight);
    }
    PainterCanvas canvas(*painter, m_images);
    canvas.setBrushColor(fromQColor(background));
    canvas.setFontColor(tk::colors::kBlack);
    const tk::Rect rect{opt.rect.left(), opt.rect.top(), opt.rect.left() + opt.rect.width(),
                        opt.rect.top() + opt.rect.height()};
    const tk::CellState state{selected, col < grid.fixedCols() || row < grid.fixedRows()};
    grid.onDrawCell(canvas, col, row, rect, state);
}

} // namespace gui
