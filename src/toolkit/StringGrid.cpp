#include "toolkit/StringGrid.h"

#include "toolkit/ImageIndex.h"
#include "toolkit/Number.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string_view>

namespace tk {

namespace {
const std::string kEmpty;
constexpr int kDefaultWidth = 64;
} // namespace

StringGrid::StringGrid(int colCount, int rowCount, int fixedCols, int fixedRows)
    : m_colCount(std::max(colCount, 0)), m_fixedCols(fixedCols), m_fixedRows(fixedRows),
      m_widths(static_cast<std::size_t>(m_colCount), kDefaultWidth) {
    setRowCount(rowCount);
}

void StringGrid::setColCount(int n) {
    n = std::max(n, 0);
    if (n == m_colCount) {
        return;
    }
    m_colCount = n;
    for (auto& row : m_cells) {
        row.resize(static_cast<std::size_t>(n));
    }
    for (auto& row : m_images) {
        row.resize(static_cast<std::size_t>(n), images::kNone);
    }
    m_widths.resize(static_cast<std::size_t>(n), kDefaultWidth);
    layoutChanged.notify();
}

void StringGrid::setRowCount(int n) {
    n = std::max(n, 0);
    const int old = rowCount();
    if (n == old) {
        return;
    }
    const int selectedData = dataRow(m_selectedRow);
    // Keep the display order of the rows that remain, append new data rows.
    std::vector<int> map;
    map.reserve(static_cast<std::size_t>(n));
    for (int d : m_map) {
        if (d < n) {
            map.push_back(d);
        }
    }
    for (int d = old; d < n; ++d) {
        map.push_back(d);
    }
    m_map = std::move(map);
    m_cells.resize(static_cast<std::size_t>(n), std::vector<std::string>(m_colCount));
    m_images.resize(static_cast<std::size_t>(n), std::vector<int>(m_colCount, images::kNone));
    rebuildInverse();
    if (selectedData >= 0 && selectedData < n) {
        // The selection stays on its data row, which a sort may have moved.
        m_selectedRow = displayRow(selectedData);
    } else if (m_selectedRow >= n) {
        m_selectedRow = n > m_fixedRows ? n - 1 : -1;
    }
    layoutChanged.notify();
}

void StringGrid::rebuildInverse() {
    m_inverse.assign(m_map.size(), 0);
    for (std::size_t r = 0; r < m_map.size(); ++r) {
        m_inverse[static_cast<std::size_t>(m_map[r])] = static_cast<int>(r);
    }
}

bool StringGrid::validCell(int col, int row) const {
    return col >= 0 && col < m_colCount && row >= 0 && row < rowCount();
}

const std::string& StringGrid::cell(int col, int row) const {
    if (!validCell(col, row)) {
        return kEmpty;
    }
    return m_cells[static_cast<std::size_t>(dataRow(row))][static_cast<std::size_t>(col)];
}

void StringGrid::setCell(int col, int row, std::string text) {
    if (!validCell(col, row)) {
        return;
    }
    auto& c = m_cells[static_cast<std::size_t>(dataRow(row))][static_cast<std::size_t>(col)];
    if (c == text) {
        return;
    }
    c = std::move(text);
    cellChanged.notify(col, row);
}

void StringGrid::clearRow(int row) {
    for (int c = 0; c < m_colCount; ++c) {
        setCell(c, row, {});
    }
}

void StringGrid::setRow(int row, const std::vector<std::string>& cells) {
    for (int c = 0; c < m_colCount; ++c) {
        setCell(c, row,
                c < static_cast<int>(cells.size()) ? cells[static_cast<std::size_t>(c)]
                                                   : std::string());
    }
}

int StringGrid::cellImage(int col, int row) const {
    if (!validCell(col, row)) {
        return images::kNone;
    }
    return m_images[static_cast<std::size_t>(dataRow(row))][static_cast<std::size_t>(col)];
}

void StringGrid::setCellImage(int col, int row, int imageIndex) {
    if (!validCell(col, row)) {
        return;
    }
    auto& i = m_images[static_cast<std::size_t>(dataRow(row))][static_cast<std::size_t>(col)];
    if (i == imageIndex) {
        return;
    }
    i = imageIndex;
    cellChanged.notify(col, row);
}

void StringGrid::removeColumnImages(int col) {
    for (int r = 0; r < rowCount(); ++r) {
        setCellImage(col, r, images::kNone);
    }
}

int StringGrid::dataRow(int displayRow) const {
    if (displayRow < 0 || displayRow >= rowCount()) {
        return -1;
    }
    return m_map[static_cast<std::size_t>(displayRow)];
}

int StringGrid::displayRow(int dataRow) const {
    if (dataRow < 0 || dataRow >= rowCount()) {
        return -1;
    }
    return m_inverse[static_cast<std::size_t>(dataRow)];
}

void StringGrid::toggleSort(int col) {
    if (col < 0 || col >= m_colCount) {
        return;
    }
    m_sortAscending = !m_sortAscending;
    m_sortColumn = col;
    sort();
}

namespace {

// The number a cell sorts by in a numeric sort mode; nullopt for none.
std::optional<std::int32_t> sortNumber(StringGrid::SortMode mode, std::string_view text) {
    if (mode != StringGrid::SortMode::LeadingNumber) {
        return parseInt(text);
    }
    std::size_t end = text.starts_with('-') ? 1 : 0;
    const std::size_t digits = end;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
    }
    return end == digits ? std::nullopt : parseInt(text.substr(0, end));
}

} // namespace

bool StringGrid::columnIsNumeric(int col) const {
    bool any = false;
    for (int r = m_fixedRows; r < rowCount(); ++r) {
        const std::string& text = cell(col, r);
        if (text.empty()) {
            continue;
        }
        if (!sortNumber(m_sortMode, text)) {
            return false;
        }
        any = true;
    }
    return any;
}

void StringGrid::sort() {
    if (m_sortColumn < 0 || m_sortColumn >= m_colCount || rowCount() <= m_fixedRows) {
        return;
    }
    const int col = m_sortColumn;
    const bool numeric = m_sortMode != SortMode::Text && columnIsNumeric(col);
    const bool ascending = m_sortAscending;
    auto text = [&](int data) -> const std::string& {
        return m_cells[static_cast<std::size_t>(data)][static_cast<std::size_t>(col)];
    };
    auto before = [&](int a, int b) {
        const std::string& ta = text(a);
        const std::string& tb = text(b);
        if (ta.empty() || tb.empty()) {
            return !ta.empty() && tb.empty(); // empty cells last
        }
        int cmp;
        if (numeric) {
            const auto va = sortNumber(m_sortMode, ta).value_or(0);
            const auto vb = sortNumber(m_sortMode, tb).value_or(0);
            cmp = va < vb ? -1 : (va > vb ? 1 : 0);
            if (cmp == 0 && m_sortMode == SortMode::LeadingNumber) {
                cmp = ta.compare(tb);
            }
        } else {
            cmp = ta.compare(tb);
        }
        return ascending ? cmp < 0 : cmp > 0;
    };
    const int selectedData = dataRow(m_selectedRow);
    std::stable_sort(m_map.begin() + m_fixedRows, m_map.end(), before);
    rebuildInverse();
    if (selectedData >= m_fixedRows) {
        m_selectedRow = displayRow(selectedData);
    }
    layoutChanged.notify();
}

int StringGrid::colWidth(int col) const {
    if (col < 0 || col >= m_colCount) {
        return 0;
    }
    return m_widths[static_cast<std::size_t>(col)];
}

void StringGrid::setColWidth(int col, int width) {
    if (col < 0 || col >= m_colCount || m_widths[static_cast<std::size_t>(col)] == width) {
        return;
    }
    m_widths[static_cast<std::size_t>(col)] = width;
    widthChanged.notify(col);
}

void StringGrid::setSelectedRow(int row) {
    if (row < -1 || row >= rowCount() || row == m_selectedRow) {
        return;
    }
    m_selectedRow = row;
    selectionChanged.notify();
}

void StringGrid::select(int col, int row) {
    setSelectedRow(row);
    if (onSelectCell) {
        onSelectCell(col, row);
    }
}

void StringGrid::doubleClick(int col, int row) {
    if (onDblClickCell) {
        onDblClickCell(col, row);
    }
}

} // namespace tk
