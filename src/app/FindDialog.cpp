#include "app/FindDialog.h"

namespace app {

TFindDialog::TFindDialog() {
    txtFindText.setMaxLength(255);
    rgrDirection.setItemIndex(0);
    rgrScope.setItemIndex(0);
    cmdFindNext.onClick = [this] { cmdFindNextClick(); };
}

void TFindDialog::Open(tk::StringGrid& grid, const std::string& caption) {
    if (m_grid != &grid) {
        m_grid = &grid;
        m_lastCol = -1;
        m_lastDataRow = -1;
    }
    form.setCaption(caption);
    lblResult.setCaption({});
}

FindOptions TFindDialog::options() const {
    FindOptions o;
    o.text = txtFindText.text();
    o.matchCase = chkMatchCase.checked();
    o.wholeWords = chkWholeWords.checked();
    o.backward = rgrDirection.itemIndex() == 1;
    o.currentColumnOnly = rgrScope.itemIndex() == 1;
    o.column = m_lastCol;
    if (m_grid != nullptr && (o.column < m_grid->fixedCols() || o.column >= m_grid->colCount())) {
        o.column = m_grid->fixedCols();
    }
    return o;
}

void TFindDialog::cmdFindNextClick() {
    if (m_grid == nullptr) {
        return;
    }
    if (txtFindText.text().empty()) {
        lblResult.setCaption("Type the text to find.");
        return;
    }
    const FindOptions o = options();
    const int selected = m_grid->selectedRow();
    GridCell from;
    if (selected >= 0 && m_grid->dataRow(selected) == m_lastDataRow) {
        from = {m_lastCol, selected};
    } else if (selected >= 0) {
        // Past the end of the selected row forward, before its start backward.
        from = {o.backward ? -1 : m_grid->colCount(), selected};
    }
    const auto hit = findInGrid(*m_grid, o, from);
    if (!hit) {
        lblResult.setCaption("\"" + o.text + "\" was not found.");
        return;
    }
    m_lastCol = hit->cell.col;
    m_lastDataRow = m_grid->dataRow(hit->cell.row);
    lblResult.setCaption(!hit->wrapped ? std::string{}
                         : o.backward  ? "Passed the top of the table, went on from the bottom."
                                       : "Passed the end of the table, went on from the top.");
    m_grid->select(hit->cell.col, hit->cell.row);
}

} // namespace app
