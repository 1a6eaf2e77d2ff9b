#include "qt/GridModel.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "toolkit/ImageIndex.h"
#include "toolkit/StringGrid.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

#include <algorithm>

namespace gui {

GridModel::GridModel(tk::StringGrid& grid, Options options, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_options(options) {
    m_shownRows = countShownRows();
    m_grid.cellChanged.connect(guarded(this, [this](int col, int row) { cellChanged(col, row); }));
    m_grid.layoutChanged.connect(guarded(this, [this] { reset(); }));
}

int GridModel::headerRows() const {
    return m_grid.fixedRows() > 0 ? 1 : 0;
}

bool GridModel::rowHoldsSomething(int displayRow) const {
    for (int c = 0; c < m_grid.colCount(); ++c) {
        if (!m_grid.cell(c, displayRow).empty() ||
            m_grid.cellImage(c, displayRow) != tk::images::kNone) {
            return true;
        }
    }
    return false;
}

int GridModel::countShownRows() const {
    const int rows = std::max(m_grid.rowCount() - headerRows(), 0);
    if (!m_options.hideEmptyTail) {
        return rows;
    }
    int shown = rows;
    while (shown > 0 && !rowHoldsSomething(displayRow(shown - 1))) {
        --shown;
    }
    return shown;
}

void GridModel::reset() {
    m_changingShape = true;
    beginResetModel();
    m_shownRows = countShownRows();
    endResetModel();
    m_changingShape = false;
}

void GridModel::cellChanged(int col, int row) {
    if (row < headerRows()) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const int r = modelRow(row);
    if (r < m_shownRows) {
        if (m_options.hideEmptyTail && r == m_shownRows - 1 && !rowHoldsSomething(row)) {
            // The last row went empty: drop it and the empty rows above it.
            const int shown = countShownRows();
            if (shown < m_shownRows) {
                m_changingShape = true;
                beginRemoveRows({}, shown, m_shownRows - 1);
                m_shownRows = shown;
                endRemoveRows();
                m_changingShape = false;
                return;
            }
        }
        emit dataChanged(index(r, col), index(r, col));
        return;
    }
    // A row beyond the shown ones got something: show everything up to it.
    if (rowHoldsSomething(row)) {
        m_changingShape = true;
        beginInsertRows({}, m_shownRows, r);
        m_shownRows = r + 1;
        endInsertRows();
        m_changingShape = false;
    }
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownRows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid.colCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_shownRows) {
        return {};
    }
    const int row = displayRow(index.row());
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const QString text = toDisplay(m_grid.cell(col, row));
        if (role == Qt::ToolTipRole && text.trimmed().isEmpty()) {
            return {};
        }
        return text;
    }
    case Qt::FontRole:
        if (m_options.boldFirstRow && row == 0) {
            QFont font = QApplication::font();
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::BackgroundRole:
        // Fixed columns look like the header they continue.
        if (col < m_grid.fixedCols() || (m_options.boldFirstRow && row == 0)) {
            return QApplication::palette().button();
        }
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || headerRows() == 0 || section < 0 ||
        section >= m_grid.colCount()) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return toDisplay(m_grid.cell(section, 0));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace gui
