#pragma once

#include <QStyledItemDelegate>

namespace gui {

class GridModel;
class ImageList;

// Draws a grid cell the standard way, then its image centred in the cell,
// then hands the cell to the grid's own drawing handler (onDrawCell) with a
// canvas whose brush is the cell's background and whose font is black.
class GridDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridDelegate(const GridModel& model, const ImageList& images, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const GridModel& m_model;
    const ImageList& m_images;
};

} // namespace gui
