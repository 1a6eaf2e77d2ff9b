#pragma once

#include "toolkit/StringGrid.h"

#include <optional>
#include <string>

namespace app {

// A cell of a grid by column and display row.
struct GridCell {
    int col = -1;
    int row = -1;
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

struct FindOptions {
    std::string text;
    bool matchCase = false;
    // The text matches only where neither neighbour is a letter, a digit or
    // "_" (a byte of a multi-byte UTF-8 character counts as a letter).
    bool wholeWords = false;
    bool backward = false;
    // Search only `column` instead of every data column.
    bool currentColumnOnly = false;
    int column = -1;
};

struct FindHit {
    GridCell cell;
    // The search ran past the last (or, backward, the first) cell and went on
    // from the other end to reach it.
    bool wrapped = false;
};

// Finds the text in the data cells of a grid (fixed rows and columns are
// never searched) in display order: row by row, left to right within a
// row, or the reverse when searching backward. The search starts after
// `from` and wraps around the grid once, so `from` itself is the last cell
// looked at. A `from` outside the data rows starts at the first cell (the
// last, backward); a column left or right of the searched columns stands
// before or after its row. nullopt when no cell holds the text, and for an
// empty text.
[[nodiscard]] std::optional<FindHit> findInGrid(const tk::StringGrid& grid,
                                                const FindOptions& options, GridCell from);

} // namespace app
