// The table model over a core string grid, checked by Qt's model tester
// (which stops the program on the first inconsistency) and against the grid
// itself after every change.

#include "qt/GridModel.h"

#include "toolkit/ImageIndex.h"
#include "toolkit/StringGrid.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Shape {
    int fixedRows;
    bool hideEmptyTail;
};

std::string shapeName(const ::testing::TestParamInfo<Shape>& info) {
    return std::string(info.param.fixedRows > 0 ? "Header" : "NoHeader") +
           (info.param.hideEmptyTail ? "HideEmptyTail" : "AllRows");
}

class GridModelTest : public ::testing::TestWithParam<Shape> {
protected:
    GridModelTest()
        : m_grid(3, 6, 0, GetParam().fixedRows),
          m_model(m_grid, gui::GridModel::Options{GetParam().hideEmptyTail, false}),
          m_tester(&m_model, QAbstractItemModelTester::FailureReportingMode::Fatal) {
        if (GetParam().fixedRows > 0) {
            m_grid.setRow(0, {"No.", "Player", "Frags"});
        }
    }

    [[nodiscard]] int header() const { return GetParam().fixedRows > 0 ? 1 : 0; }
    [[nodiscard]] bool hideEmptyTail() const { return GetParam().hideEmptyTail; }

    // The rows the model should show, worked out from the grid alone.
    [[nodiscard]] int expectedRows() const {
        int end = m_grid.rowCount();
        if (hideEmptyTail()) {
            while (end > header() && rowIsEmpty(end - 1)) {
                --end;
            }
        }
        return std::max(end - header(), 0);
    }

    [[nodiscard]] bool rowIsEmpty(int displayRow) const {
        for (int c = 0; c < m_grid.colCount(); ++c) {
            if (!m_grid.cell(c, displayRow).empty() ||
                m_grid.cellImage(c, displayRow) != tk::images::kNone) {
                return false;
            }
        }
        return true;
    }

    // The model shows exactly the grid's display rows, in their order.
    void expectMirrorsGrid(const char* step) const {
        SCOPED_TRACE(step);
        ASSERT_EQ(m_model.rowCount(), expectedRows());
        ASSERT_EQ(m_model.columnCount(), m_grid.colCount());
        for (int r = 0; r < m_model.rowCount(); ++r) {
            for (int c = 0; c < m_model.columnCount(); ++c) {
                EXPECT_EQ(m_model.index(r, c).data().toString().toStdString(),
                          m_grid.cell(c, r + header()))
                    << "model row " << r << ", column " << c;
            }
        }
        if (header() > 0) {
            for (int c = 0; c < m_grid.colCount(); ++c) {
                EXPECT_EQ(
                    m_model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(),
                    m_grid.cell(c, 0));
            }
        }
    }

    // Display row of the n-th data line (1-based, under the header if any).
    [[nodiscard]] int line(int n) const { return n - 1 + header(); }

    tk::StringGrid m_grid;
    gui::GridModel m_model;
    QAbstractItemModelTester m_tester;
};

TEST_P(GridModelTest, FollowsEveryKindOfGridChange) {
    struct Step {
        const char* what;
        std::function<void(tk::StringGrid&)> change;
    };
    const int l1 = line(1);
    const int l2 = line(2);
    const int l3 = line(3);
    const int l4 = line(4);
    const Step steps[] = {
        {"a cell in the first line", [=](tk::StringGrid& g) { g.setCell(1, l1, "alpha"); }},
        {"a row further down, with empty lines between",
         [=](tk::StringGrid& g) {
             g.setRow(l4, {"4", "delta", "7"});
         }},
        {"a line between",
         [=](tk::StringGrid& g) {
             g.setRow(l2, {"2", "bravo", "30"});
         }},
        {"an image alone in an empty line",
         [=](tk::StringGrid& g) { g.setCellImage(2, l3 + 2, tk::images::kTick); }},
        {"that image goes", [=](tk::StringGrid& g) { g.removeColumnImages(2); }},
        {"a middle line cleared", [=](tk::StringGrid& g) { g.clearRow(l2); }},
        {"the last filled line cleared", [=](tk::StringGrid& g) { g.clearRow(l4); }},
        {"lines again",
         [=](tk::StringGrid& g) {
             g.setRow(l2, {"2", "bravo", "30"});
             g.setRow(l3, {"3", "charlie", "5"});
         }},
        {"sorted", [](tk::StringGrid& g) { g.toggleSort(2); }},
        {"sorted back", [](tk::StringGrid& g) { g.toggleSort(2); }},
        {"more rows", [](tk::StringGrid& g) { g.setRowCount(9); }},
        {"the last row filled",
         [](tk::StringGrid& g) {
             g.setRow(8, {"9", "india"});
         }},
        {"fewer rows, the filled last one gone", [](tk::StringGrid& g) { g.setRowCount(5); }},
        {"a column more", [](tk::StringGrid& g) { g.setColCount(4); }},
        {"a cell in the new column", [=](tk::StringGrid& g) { g.setCell(3, l1, "x"); }},
        {"a column less", [](tk::StringGrid& g) { g.setColCount(2); }},
        {"the fixed rows only", [h = header()](tk::StringGrid& g) { g.setRowCount(h); }},
        {"rows back, all empty", [](tk::StringGrid& g) { g.setRowCount(6); }},
        {"the last row filled once more", [](tk::StringGrid& g) { g.setCell(0, 5, "6"); }},
        {"and cleared: nothing left", [](tk::StringGrid& g) { g.clearRow(5); }},
        {"no rows at all", [](tk::StringGrid& g) { g.setRowCount(0); }},
    };
    expectMirrorsGrid("start");
    for (const Step& step : steps) {
        step.change(m_grid);
        expectMirrorsGrid(step.what);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST_P(GridModelTest, TellsTheViewOnlyOfTheCellsThatChanged) {
    m_grid.setRow(line(1), {"1", "alpha", "10"});
    m_grid.setRow(line(2), {"2", "bravo", "20"});
    QSignalSpy changed(&m_model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&m_model, &QAbstractItemModel::modelReset);

    m_grid.setRow(line(1), {"1", "alpha", "11"});
    m_grid.setRow(line(2), {"2", "bravo", "20"});
    m_grid.setCellImage(1, line(2), tk::images::kCross);

    ASSERT_EQ(changed.count(), 2);
    const auto cell = [](const QList<QVariant>& args) {
        const auto index = args.at(0).toModelIndex();
        EXPECT_EQ(index, args.at(1).toModelIndex());
        return std::pair{index.row(), index.column()};
    };
    EXPECT_EQ(cell(changed.at(0)), (std::pair{0, 2}));
    EXPECT_EQ(cell(changed.at(1)), (std::pair{1, 1}));
    EXPECT_EQ(reset.count(), 0);
}

TEST_P(GridModelTest, ShowsRowsUpToTheLastFilledOneWhenTheTailIsHidden) {
    if (!hideEmptyTail()) {
        EXPECT_EQ(m_model.rowCount(), 6 - header());
        return;
    }
    QSignalSpy inserted(&m_model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&m_model, &QAbstractItemModel::rowsRemoved);
    EXPECT_EQ(m_model.rowCount(), 0);

    // Filling line 3 shows lines 1 to 3 at once.
    m_grid.setCell(0, line(3), "3");
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 0);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 2);
    EXPECT_EQ(m_model.rowCount(), 3);

    // Emptying line 3 takes it and the empty lines above it away.
    m_grid.setCell(0, line(1), "1");
    m_grid.setCell(0, line(3), "");
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 1);
    EXPECT_EQ(removed.at(0).at(2).toInt(), 2);
    EXPECT_EQ(m_model.rowCount(), 1);

    // The last line emptied: none is left.
    m_grid.setCell(0, line(1), "");
    EXPECT_EQ(m_model.rowCount(), 0);
    EXPECT_EQ(removed.count(), 2);
}

INSTANTIATE_TEST_SUITE_P(Shapes, GridModelTest,
                         ::testing::Values(Shape{1, true}, Shape{1, false}, Shape{0, true},
                                           Shape{0, false}),
                         shapeName);

} // namespace
