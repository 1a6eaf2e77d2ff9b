#pragma once

#include "app/GridSearch.h"
#include "toolkit/Controls.h"
#include "toolkit/Form.h"
#include "toolkit/StringGrid.h"

#include <string>

namespace app {

// The find dialog of the big tables: it finds a text in the cells of the
// grid it points at and selects the row of the cell found, as a click on
// that cell would. Find next goes on from the cell found last while the
// grid's selection still stands on it, otherwise from the selected row
// (forward: from the row after it; backward: from the row before it). The
// search wraps around the table and says so; the current column is the
// column of the cell found last, at first the first data column (the
// server name).
class TFindDialog {
public:
    TFindDialog();
    TFindDialog(const TFindDialog&) = delete;
    TFindDialog& operator=(const TFindDialog&) = delete;

    // Points the dialog at a grid and names it in the caption. Another grid
    // than before forgets the cell found last.
    void Open(tk::StringGrid& grid, const std::string& caption);
    void cmdFindNextClick();

    [[nodiscard]] tk::StringGrid* grid() const { return m_grid; }
    [[nodiscard]] FindOptions options() const;

    tk::Form form{"Find", 380, 230};
    tk::Label lblFindText{"Find what:"};
    tk::Edit txtFindText;
    tk::CheckBox chkMatchCase{"Match case"};
    tk::CheckBox chkWholeWords{"Whole words only"};
    tk::RadioGroup rgrDirection{"Direction", {"Forward", "Backward"}};
    tk::RadioGroup rgrScope{"Search in", {"All columns", "Current column"}};
    // What the last Find next found: empty, a wrap or "not found".
    tk::Label lblResult;
    tk::Button cmdFindNext{"Find next"};
    tk::Button cmdClose{"Close", tk::ModalResult::Cancel};

private:
    tk::StringGrid* m_grid = nullptr;
    // The cell found last, by data row so that it survives a sort.
    int m_lastCol = -1;
    int m_lastDataRow = -1;
};

} // namespace app
