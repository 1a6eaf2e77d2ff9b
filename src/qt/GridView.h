#pragma once

#include "qt/GridModel.h"

#include <QTableView>

namespace tk {
class StringGrid;
}

namespace gui {

class ImageList;

// A table view that mirrors a core string grid: whole-row selection,
// resizable columns whose widths live in the grid, alternate rows in the
// info-background and window colours, per-cell images and the grid's own
// drawing handler. User input goes to the grid: a row click or keyboard move
// selects, a double click on a cell or on a header section double-clicks.
class GridView final : public QTableView {
    Q_OBJECT
public:
    struct Options {
        GridModel::Options model;
        // Let the last column take the rest of the width (for grids whose
        // widths are not stored).
        bool stretchLastColumn = false;
    };

    GridView(tk::StringGrid& grid, const ImageList& images, Options options,
             QWidget* parent = nullptr);

    [[nodiscard]] GridModel& gridModel() const { return *m_model; }

private:
    void applyWidths();
    void applyWidth(int col);
    // The width the column shows: the grid's, or more for the sort arrow.
    [[nodiscard]] int shownWidth(int col) const;
    void applySelection();
    void applySortIndicator();
    void userResized(int col, int newSize);
    void userMoved(const QModelIndex& current);

    tk::StringGrid& m_grid;
    GridModel* m_model;
    bool m_stretchLast;
    // Set while the view follows the grid, so that following is not
    // mistaken for user input.
    bool m_following = false;
};

} // namespace gui
