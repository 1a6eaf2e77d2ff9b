#include "qt/GridView.h"

#include "qt/GridDelegate.h"
#include "qt/Guarded.h"

#include "toolkit/StringGrid.h"

#include <QHeaderView>

#include <algorithm>

namespace gui {

namespace {
constexpr int kMinimumColumnWidth = 8;
} // namespace

GridView::GridView(tk::StringGrid& grid, const ImageList& images, Options options, QWidget* parent)
    : QTableView(parent), m_grid(grid), m_model(new GridModel(grid, options.model, this)),
      m_stretchLast(options.stretchLastColumn) {
    setModel(m_model);
    setItemDelegate(new GridDelegate(*m_model, images, this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    // Alternate rows in the info-background colour, the others in the window
    // colour.
    QPalette pal = palette();
    pal.setColor(QPalette::AlternateBase, pal.color(QPalette::ToolTipBase));
    setPalette(pal);

    QHeaderView* rows = verticalHeader();
    rows->setVisible(false);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(fontMetrics().height() + 2);
    rows->setDefaultSectionSize(fontMetrics().height() + 5);

    QHeaderView* cols = horizontalHeader();
    cols->setVisible(m_model->headerRows() > 0);
    cols->setMinimumSectionSize(kMinimumColumnWidth);
    cols->setSectionsClickable(false);
    cols->setHighlightSections(false);
    cols->setSectionResizeMode(QHeaderView::Interactive);
    cols->setStretchLastSection(m_stretchLast);
    cols->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    connect(cols, &QHeaderView::sectionResized, this,
            [this](int col, int, int newSize) { userResized(col, newSize); });
    connect(cols, &QHeaderView::sectionDoubleClicked, this,
            [this](int col) { m_grid.doubleClick(col, 0); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        m_grid.doubleClick(index.column(), m_model->displayRow(index.row()));
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { userMoved(current); });
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_following = true; });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applySortIndicator();
        applyWidths();
        applySelection();
        m_following = false;
    });
    connect(m_model, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation, int first, int last) {
                for (int col = first; col <= last; ++col) {
                    applyWidth(col);
                }
            });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { applySelection(); });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] { applySelection(); });

    m_grid.widthChanged.connect(guarded(this, [this](int col) { applyWidth(col); }));
    m_grid.selectionChanged.connect(guarded(this, [this] { applySelection(); }));

    applyWidths();
    applySelection();
}

void GridView::applyWidth(int col) {
    if (col < 0 || col >= m_model->columnCount()) {
        return;
    }
    if (m_stretchLast && col == m_model->columnCount() - 1) {
        return;
    }
    const bool was = m_following;
    m_following = true;
    horizontalHeader()->resizeSection(col, shownWidth(col));
    m_following = was;
}

int GridView::shownWidth(int col) const {
    const int width = m_grid.colWidth(col);
    const QHeaderView* header = horizontalHeader();
    // The sort arrow takes room from the label: the sorted column is at least
    // as wide as its text beside the arrow, so "Frags" is not cut to "Frag".
    // The grid keeps the width it was given.
    if (m_model->headerRows() > 0 && header->isSortIndicatorShown() &&
        header->sortIndicatorSection() == col) {
        return std::max(width, header->sectionSizeHint(col));
    }
    return width;
}

void GridView::applyWidths() {
    for (int c = 0; c < m_model->columnCount(); ++c) {
        applyWidth(c);
    }
}

void GridView::userResized(int col, int newSize) {
    if (m_following) {
        return;
    }
    if (m_stretchLast && col == m_model->columnCount() - 1) {
        return; // its width follows the view, not the user
    }
    m_grid.setColWidth(col, newSize);
}

void GridView::applySelection() {
    const bool was = m_following;
    m_following = true;
    const int row = m_model->modelRow(m_grid.selectedRow());
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex current = selectionModel()->currentIndex();
        const int col = current.isValid() ? current.column() : 0;
        selectionModel()->setCurrentIndex(m_model->index(row, col),
                                          QItemSelectionModel::ClearAndSelect |
                                              QItemSelectionModel::Rows);
    } else {
        selectionModel()->clearSelection();
    }
    m_following = was;
}

void GridView::applySortIndicator() {
    const int col = m_grid.sortColumn();
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(col >= 0);
    if (col >= 0) {
        header->setSortIndicator(col,
                                 m_grid.sortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
}

void GridView::userMoved(const QModelIndex& current) {
    if (m_following || m_model->changingShape() || !current.isValid()) {
        return;
    }
    m_grid.select(current.column(), m_model->displayRow(current.row()));
}

} // namespace gui
