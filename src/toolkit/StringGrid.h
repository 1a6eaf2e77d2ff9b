#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Signal.h"

#include <functional>
#include <string>
#include <vector>

namespace tk {

struct CellState {
    bool selected = false;
    bool fixed = false;
};

// A grid of text cells that the user can sort without moving data.
//
// Cells are stored per data row; the grid keeps a mapping from display rows
// to data rows that is the identity until a sort permutes it. Fixed rows
// (headers) never move. Every read and write takes a display row unless its
// name says "data". When the row count changes, the rows that remain keep
// their display order and new data rows are appended at the end, so every
// data row has exactly one display row.
class StringGrid {
public:
    enum class SortMode {
        Text,    // compare cell texts byte by byte
        Numeric, // a column whose non-empty cells are all integers compares as numbers
        // a column whose non-empty cells all begin with an integer ("5/16")
        // compares by that integer, then by text
        LeadingNumber
    };

    StringGrid(int colCount, int rowCount, int fixedCols, int fixedRows);

    [[nodiscard]] int colCount() const { return m_colCount; }
    [[nodiscard]] int rowCount() const { return static_cast<int>(m_map.size()); }
    [[nodiscard]] int fixedCols() const { return m_fixedCols; }
    [[nodiscard]] int fixedRows() const { return m_fixedRows; }
    void setColCount(int n);
    void setRowCount(int n);

    // Cells by display row. Reads outside the grid give "".
    [[nodiscard]] const std::string& cell(int col, int row) const;
    void setCell(int col, int row, std::string text);
    void clearRow(int row);
    // Sets the cells of a display row from the left; the rest are emptied.
    void setRow(int row, const std::vector<std::string>& cells);

    // Cell images by display row; images::kNone for none.
    [[nodiscard]] int cellImage(int col, int row) const;
    void setCellImage(int col, int row, int imageIndex);
    void removeColumnImages(int col);

    // The row mapping.
    [[nodiscard]] int dataRow(int displayRow) const;
    [[nodiscard]] int displayRow(int dataRow) const;

    // Sorting. The direction flips before every toggleSort, and starts
    // ascending, so the first sort of a grid is descending. Empty cells go
    // last in both directions.
    void setSortMode(SortMode mode) { m_sortMode = mode; }
    [[nodiscard]] SortMode sortMode() const { return m_sortMode; }
    void toggleSort(int col);
    void sort();
    [[nodiscard]] int sortColumn() const { return m_sortColumn; }
    [[nodiscard]] bool sortAscending() const { return m_sortAscending; }

    // Column widths in pixels.
    [[nodiscard]] int colWidth(int col) const;
    void setColWidth(int col, int width);

    // The top row of the selection (a display row), -1 for none. It stays on
    // its data row through a sort or a row-count change that keeps that row;
    // when the row goes, a selection past the end moves to the last row.
    // Selecting a row through select() runs onSelectCell; setSelectedRow()
    // does not.
    [[nodiscard]] int selectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row);
    void select(int col, int row);
    void doubleClick(int col, int row);

    std::function<void(int col, int row)> onSelectCell;
    std::function<void(int col, int row)> onDblClickCell;
    // Runs after the grid has drawn a cell itself; the canvas comes with the
    // cell's brush and a black font.
    std::function<void(Canvas&, int col, int row, const Rect&, CellState)> onDrawCell;

    // Observers: a cell (col, display row) changed, told only when its text or
    // image really differs from before; the shape or the order changed; the
    // selection moved; a column width changed.
    Signal<int, int> cellChanged;
    Signal<> layoutChanged;
    Signal<> selectionChanged;
    Signal<int> widthChanged;

private:
    [[nodiscard]] bool validCell(int col, int row) const;
    [[nodiscard]] bool columnIsNumeric(int col) const;
    void rebuildInverse();

    int m_colCount;
    int m_fixedCols;
    int m_fixedRows;
    std::vector<std::vector<std::string>> m_cells; // [data row][col]
    std::vector<std::vector<int>> m_images;        // [data row][col]
    std::vector<int> m_map;                        // display row -> data row
    std::vector<int> m_inverse;                    // data row -> display row
    std::vector<int> m_widths;
    SortMode m_sortMode = SortMode::Text;
    int m_sortColumn = -1;
    bool m_sortAscending = true;
    int m_selectedRow = -1;
};

} // namespace tk
