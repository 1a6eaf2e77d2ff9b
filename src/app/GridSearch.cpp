#include "app/GridSearch.h"

#include <cstddef>
#include <string_view>

namespace app {

namespace {

char fold(char c, bool matchCase) {
    if (matchCase || c < 'A' || c > 'Z') {
        return c;
    }
    return static_cast<char>(c - 'A' + 'a');
}

bool isWordByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b == '_' ||
           b >= 0x80;
}

bool matchesAt(std::string_view cell, std::string_view text, std::size_t at, bool matchCase) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (fold(cell[at + i], matchCase) != fold(text[i], matchCase)) {
            return false;
        }
    }
    return true;
}

bool cellMatches(std::string_view cell, const FindOptions& options) {
    const std::string_view text = options.text;
    if (text.size() > cell.size()) {
        return false;
    }
    for (std::size_t at = 0; at + text.size() <= cell.size(); ++at) {
        if (!matchesAt(cell, text, at, options.matchCase)) {
            continue;
        }
        if (!options.wholeWords) {
            return true;
        }
        const bool startsWord = at == 0 || !isWordByte(cell[at - 1]);
        const std::size_t end = at + text.size();
        const bool endsWord = end == cell.size() || !isWordByte(cell[end]);
        if (startsWord && endsWord) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<FindHit> findInGrid(const tk::StringGrid& grid, const FindOptions& options,
                                  GridCell from) {
    if (options.text.empty()) {
        return std::nullopt;
    }
    const int firstRow = grid.fixedRows();
    const int rows = grid.rowCount() - firstRow;
    int firstCol = grid.fixedCols();
    int cols = grid.colCount() - firstCol;
    if (options.currentColumnOnly) {
        if (options.column < grid.fixedCols() || options.column >= grid.colCount()) {
            return std::nullopt;
        }
        firstCol = options.column;
        cols = 1;
    }
    if (rows <= 0 || cols <= 0) {
        return std::nullopt;
    }
    const long long count = static_cast<long long>(rows) * cols;

    // The cells in search order are 0 .. count-1. `start` is the first one
    // looked at; the cell at `from` (when it is a searched cell) comes last.
    long long start = options.backward ? count - 1 : 0;
    if (from.row >= firstRow && from.row < grid.rowCount()) {
        const long long rowBase = static_cast<long long>(from.row - firstRow) * cols;
        if (from.col < firstCol) {
            start = options.backward ? rowBase - 1 : rowBase;
        } else if (from.col >= firstCol + cols) {
            start = options.backward ? rowBase + cols - 1 : rowBase + cols;
        } else {
            const long long at = rowBase + (from.col - firstCol);
            start = options.backward ? at - 1 : at + 1;
        }
    }

    for (long long step = 0; step < count; ++step) {
        long long index = options.backward ? start - step : start + step;
        const bool wrapped = index < 0 || index >= count;
        index = ((index % count) + count) % count;
        const GridCell cell{firstCol + static_cast<int>(index % cols),
                            firstRow + static_cast<int>(index / cols)};
        if (cellMatches(grid.cell(cell.col, cell.row), options)) {
            return FindHit{cell, wrapped};
        }
    }
    return std::nullopt;
}

} // namespace app
