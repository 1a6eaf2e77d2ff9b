// The table view over a core string grid: the user's selection stays on its
// data row while rows come and go and while the grid is sorted, and a sorted
// column's header keeps room for its text beside the sort arrow.

#include "qt/GridView.h"
#include "qt/ImageList.h"

#include "toolkit/StringGrid.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyle>
#include <QStyleOptionHeader>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class GridViewTest : public ::testing::Test {
protected:
    GridViewTest() : m_grid(3, 6, 0, 1), m_view(m_grid, m_images, options()) {
        m_grid.setSortMode(tk::StringGrid::SortMode::Numeric);
        m_grid.setRow(0, {"No.", "Player", "Frags"});
        m_grid.setRow(1, {"1", "alpha", "12"});
        m_grid.setRow(2, {"2", "bravo", "30"});
        m_grid.setRow(3, {"3", "charlie", "7"});
        m_grid.setRow(4, {"4", "delta", "21"});
        m_grid.setColWidth(0, 26);
        m_grid.setColWidth(1, 169);
        m_grid.setColWidth(2, 43);
        m_grid.onSelectCell = [this](int, int) { ++m_userSelections; };
        m_view.resize(400, 300);
        m_view.show();
    }

    static gui::GridView::Options options() {
        gui::GridView::Options o;
        o.model.hideEmptyTail = true;
        return o;
    }

    // What the user does: a click on a row.
    void userSelects(const char* player) {
        const QAbstractItemModel& model = m_view.gridModel();
        for (int r = 0; r < model.rowCount(); ++r) {
            if (model.index(r, 1).data().toString() == QLatin1String(player)) {
                m_view.selectionModel()->setCurrentIndex(model.index(r, 1),
                                                         QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
                return;
            }
        }
        FAIL() << "no row " << player;
    }

    // The player the view shows selected, and the one the grid has selected.
    [[nodiscard]] std::string viewSelection() const {
        const QModelIndexList rows = m_view.selectionModel()->selectedRows(1);
        return rows.size() == 1 ? rows.front().data().toString().toStdString() : "(none)";
    }
    [[nodiscard]] std::string gridSelection() const {
        return m_grid.selectedRow() >= 1 ? m_grid.cell(1, m_grid.selectedRow()) : "(none)";
    }

    gui::ImageList m_images;
    tk::StringGrid m_grid;
    gui::GridView m_view;
    int m_userSelections = 0;
};

TEST_F(GridViewTest, KeepsTheUsersRowWhileRowsComeAndGoAndTheGridIsSorted) {
    QAbstractItemModelTester tester(&m_view.gridModel(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    userSelects("charlie");
    ASSERT_EQ(m_userSelections, 1);

    struct Step {
        const char* what;
        void (*change)(tk::StringGrid&);
    };
    const Step steps[] = {
        {"sorted by frags", [](tk::StringGrid& g) { g.toggleSort(2); }},
        {"a row joins below",
         [](tk::StringGrid& g) {
             g.setRow(5, {"5", "echo", "40"});
         }},
        {"sorted again", [](tk::StringGrid& g) { g.toggleSort(2); }},
        {"the last shown row emptied", [](tk::StringGrid& g) { g.clearRow(g.displayRow(5)); }},
        {"more rows", [](tk::StringGrid& g) { g.setRowCount(9); }},
        {"a row far below",
         [](tk::StringGrid& g) {
             g.setRow(8, {"8", "hotel", "1"});
         }},
        {"sorted once more", [](tk::StringGrid& g) { g.toggleSort(1); }},
        {"fewer rows: the data rows behind charlie go",
         [](tk::StringGrid& g) { g.setRowCount(4); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(m_grid);
        EXPECT_EQ(viewSelection(), "charlie");
        EXPECT_EQ(gridSelection(), "charlie");
        EXPECT_EQ(m_view.selectionModel()->currentIndex().row(),
                  m_view.gridModel().modelRow(m_grid.selectedRow()));
    }
    // None of that was the user's doing.
    EXPECT_EQ(m_userSelections, 1);
}

TEST_F(GridViewTest, ASortedColumnsHeaderHasRoomForItsTextAndTheArrow) {
    QHeaderView& header = *m_view.horizontalHeader();
    const auto labelWidth = [&header](int col) {
        QStyleOptionHeader opt;
        opt.initFrom(&header);
        opt.state |= QStyle::State_Horizontal;
        opt.orientation = Qt::Horizontal;
        opt.section = col;
        opt.text = header.model()->headerData(col, Qt::Horizontal).toString();
        opt.sortIndicator = QStyleOptionHeader::SortDown;
        opt.rect = QRect(0, 0, header.sectionSize(col), header.height());
        return header.style()->subElementRect(QStyle::SE_HeaderLabel, &opt, &header).width();
    };
    const int frags = header.fontMetrics().horizontalAdvance(QStringLiteral("Frags"));

    m_grid.toggleSort(2);
    ASSERT_TRUE(header.isSortIndicatorShown());
    EXPECT_EQ(header.sortIndicatorSection(), 2);
    EXPECT_GE(labelWidth(2), frags);
    EXPECT_GE(header.sectionSize(2), header.sectionSizeHint(2));

    // The stored width is the user's, not the one widened for the arrow; the
    // column goes back to it when another column is sorted.
    EXPECT_EQ(m_grid.colWidth(2), 43);
    m_grid.toggleSort(1);
    EXPECT_EQ(header.sectionSize(2), 43);
    EXPECT_EQ(header.sectionSize(1), 169);

    // The user narrows the sorted column: the text still fits.
    m_grid.toggleSort(2);
    header.resizeSection(2, 20);
    EXPECT_GE(labelWidth(2), frags);
    EXPECT_EQ(m_grid.colWidth(2), 20);
}

} // namespace
