#pragma once

#include <QDialog>

namespace app {
class TFindDialog;
}

namespace gui {

// The find dialog of the big tables: the text to find, match case, whole
// words, direction and scope, bound to the core's find dialog, with "Find
// next" (the default button, so Enter finds the next cell) and "Close".
// Every widget carries the name of its control.
class FindWindow final : public QDialog {
public:
    explicit FindWindow(app::TFindDialog& find, QWidget* parent = nullptr);
};

} // namespace gui
