#include "qt/InputBindings.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "toolkit/Controls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

namespace gui {

namespace {

void setHint(QWidget& widget, const std::string& hint) {
    const HintParts parts = splitHint(hint);
    widget.setToolTip(parts.toolTip);
    widget.setStatusTip(parts.statusTip);
}

// A widget's text limit in characters for a limit in bytes; typed text
// that is longer in UTF-8 is cut further by the model.
int lengthLimit(std::size_t maxLength) {
    constexpr int kUnlimited = 32767; // QLineEdit's own default
    return maxLength == 0 || maxLength > kUnlimited ? kUnlimited : static_cast<int>(maxLength);
}

// Shows the model's text in an edit box unless it already shows it, so that
// the cursor stays where the user is typing.
void showText(QLineEdit& widget, const std::string& text) {
    if (toCore(widget.text()) != text) {
        widget.setText(toDisplay(text));
    }
}

// Runs the combo box model's exit event when the box loses the focus to
// another widget (its own drop-down list does not count).
class FocusExit final : public QObject {
public:
    FocusExit(QObject* parent, tk::ComboBox& model) : QObject(parent), m_model(model) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            m_model.exit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    tk::ComboBox& m_model;
};

} // namespace

void bindTextEdit(QLineEdit& widget, tk::Edit& model) {
    auto show = [&widget, &model] {
        widget.setMaxLength(lengthLimit(model.maxLength()));
        widget.setReadOnly(model.readOnly());
        setHint(widget, model.hint());
        showText(widget, model.text());
    };
    show();
    model.changed.connect(guarded(&widget, show));
    // The model may keep less than was typed, and then perhaps the text it
    // already had: the box shows what it keeps either way.
    QObject::connect(&widget, &QLineEdit::textEdited, &widget,
                     [&widget, &model](const QString& text) {
                         model.setText(toCore(text));
                         showText(widget, model.text());
                     });
}

void bindCheckBox(QCheckBox& widget, tk::CheckBox& model) {
    widget.setText(toDisplay(model.caption()));
    setHint(widget, model.hint());
    auto show = [&widget, &model] {
        widget.setChecked(model.checked());
        widget.setEnabled(model.enabled());
    };
    show();
    model.changed.connect(guarded(&widget, show));
    QObject::connect(&widget, &QCheckBox::toggled, &widget,
                     [&model](bool on) { model.setChecked(on); });
}

void bindComboBox(QComboBox& widget, tk::ComboBox& model) {
    const bool editable = model.style() == tk::ComboBox::Style::DropDown;
    widget.setEditable(editable);
    widget.setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : model.items()) {
        widget.addItem(toDisplay(item));
    }
    setHint(widget, model.hint());
    if (QLineEdit* line = widget.lineEdit()) {
        line->setMaxLength(lengthLimit(model.maxLength()));
        QObject::connect(line, &QLineEdit::textEdited, &widget,
                         [line, &model](const QString& text) {
                             model.setText(toCore(text));
                             showText(*line, model.text());
                         });
    }
    // The box takes the focus for its edit line; should the line have it of
    // its own, it reports leaving as well (one filter serves both).
    auto* exit = new FocusExit(&widget, model);
    widget.installEventFilter(exit);
    if (QLineEdit* line = widget.lineEdit()) {
        line->installEventFilter(exit);
    }
    auto show = [&widget, &model] {
        if (widget.currentIndex() != model.itemIndex()) {
            widget.setCurrentIndex(model.itemIndex());
        }
        if (QLineEdit* line = widget.lineEdit()) {
            showText(*line, model.text());
        }
    };
    show();
    model.changed.connect(guarded(&widget, show));
    QObject::connect(&widget, &QComboBox::activated, &widget,
                     [&model](int index) { model.setItemIndex(index); });
}

void bindRadioGroup(QGroupBox& box, tk::RadioGroup& model) {
    box.setTitle(toDisplay(model.caption()));
    auto* group = new QButtonGroup(&box);
    auto* layout = new QGridLayout(&box);
    const int columns = std::max(1, model.columns());
    const int count = static_cast<int>(model.items().size());
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        auto* button =
            new QRadioButton(toDisplay(model.items()[static_cast<std::size_t>(i)]), &box);
        group->addButton(button, i);
        // Filled column by column, as a radio group lays out its items.
        layout->addWidget(button, i % rows, i / rows);
    }
    auto show = [group, &model] {
        if (QAbstractButton* on = group->button(model.itemIndex())) {
            on->setChecked(true);
        } else if (QAbstractButton* checked = group->checkedButton()) {
            group->setExclusive(false);
            checked->setChecked(false);
            group->setExclusive(true);
        }
    };
    show();
    model.changed.connect(guarded(group, show));
    QObject::connect(group, &QButtonGroup::idClicked, group,
                     [&model](int id) { model.setItemIndex(id); });
}

void bindButton(QAbstractButton& widget, tk::Button& model) {
    widget.setText(toDisplay(model.caption()));
    QObject::connect(&widget, &QAbstractButton::clicked, &widget, [&model] { model.click(); });
}

} // namespace gui
