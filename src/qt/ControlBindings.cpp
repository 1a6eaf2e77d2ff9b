#include "qt/ControlBindings.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "toolkit/Color.h"
#include "toolkit/Controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>

#include <algorithm>

namespace gui {

void bindProgressBar(QProgressBar& widget, tk::ProgressBar& model) {
    auto show = [&widget, &model] {
        if (model.max() <= model.min()) {
            // An empty range: an empty bar. Qt would show 0..0 as "busy" and
            // animate it for as long as it stays so.
            widget.setRange(0, 1);
            widget.setValue(0);
            return;
        }
        widget.setRange(model.min(), model.max());
        widget.setValue(std::clamp(model.position(), model.min(), model.max()));
    };
    show();
    model.changed.connect(guarded(&widget, show));
}

void bindLabel(QLabel& widget, tk::Label& model) {
    const QPalette standard = widget.palette();
    auto show = [&widget, &model, standard] {
        widget.setText(toDisplay(model.caption()));
        QPalette palette = standard;
        if (model.fontColor() != tk::colors::kBlack) {
            palette.setColor(QPalette::WindowText, toQColor(model.fontColor()));
        }
        widget.setPalette(palette);
    };
    show();
    model.changed.connect(guarded(&widget, show));
}

void bindEdit(QLineEdit& widget, tk::Edit& model) {
    widget.setReadOnly(true);
    auto show = [&widget, &model] { widget.setText(toDisplay(model.text())); };
    show();
    model.changed.connect(guarded(&widget, show));
}

void bindTabVisible(QTabWidget& tabs, QWidget& page, tk::TabSheet& sheet) {
    auto show = [&tabs, &page, &sheet] {
        const int index = tabs.indexOf(&page);
        if (index >= 0) {
            tabs.setTabVisible(index, sheet.tabVisible());
        }
    };
    show();
    sheet.changed.connect(guarded(&tabs, show));
}

void bindVisibility(QWidget& widget, tk::Visibility& model) {
    auto show = [&widget, &model] { widget.setVisible(model.visible()); };
    show();
    model.changed.connect(guarded(&widget, show));
}

} // namespace gui
