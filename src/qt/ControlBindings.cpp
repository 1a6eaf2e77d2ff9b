#include "qt/ControlBindings.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "qt/Core.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>

#include <algorithm>

namespace gui {

void bindProgressBar(QProgressBar& widget, tk::ProgressBar& model) {
    auto show = [&widget, &model] {
        widget.setRange(model.min(), std::max(model.min(), model.max()));
        widget.setValue(std::clamp(model.position(), widget.minimum(), widget.maximum()));
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
