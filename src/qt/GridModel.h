#pragma once

#include <QAbstractTableModel>

namespace tk {
class StringGrid;
}

namespace gui {

// A table model over a core string grid. Its rows are the grid's display
// rows, so the grid's row mapping (sorting) is what the view shows. A grid
// with fixed rows shows its row 0 as the horizontal header; model row r is
// then display row r + 1.
class GridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Options {
        // Show rows only up to the last one that holds something, so a big
        // grid (4000 server rows) is not a long list of blanks.
        bool hideEmptyTail = false;
        // Show display row 0 in bold, for grids whose first row labels the
        // columns without being a header.
        bool boldFirstRow = false;
    };

    GridModel(tk::StringGrid& grid, Options options, QObject* parent = nullptr);

    [[nodiscard]] tk::StringGrid& grid() const { return m_grid; }
    [[nodiscard]] int headerRows() const;
    [[nodiscard]] int displayRow(int modelRow) const { return modelRow + headerRows(); }
    [[nodiscard]] int modelRow(int displayRow) const { return displayRow - headerRows(); }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;

    // True while rows come, go or the model resets: the view's current row
    // may move then, and that move is no user input.
    [[nodiscard]] bool changingShape() const { return m_changingShape; }

private:
    void cellChanged(int col, int row);
    void reset();
    [[nodiscard]] bool rowHoldsSomething(int displayRow) const;
    [[nodiscard]] int countShownRows() const;

    tk::StringGrid& m_grid;
    Options m_options;
    int m_shownRows = 0; // model rows
    bool m_changingShape = false;
};

} // namespace gui
