#include "qt/FindWindow.h"

#include "qt/ControlBindings.h"
#include "qt/InputBindings.h"

#include "app/FindDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gui {

namespace {

template <typename Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

FindWindow::FindWindow(app::TFindDialog& find, QWidget* parent) : QDialog(parent) {
    auto* caption = new QLabel(this);
    bindLabel(*caption, find.lblFindText);
    auto* text = named(new QLineEdit(this), "txtFindText");
    bindTextEdit(*text, find.txtFindText);
    caption->setBuddy(text);

    auto* matchCase = named(new QCheckBox(this), "chkMatchCase");
    bindCheckBox(*matchCase, find.chkMatchCase);
    auto* wholeWords = named(new QCheckBox(this), "chkWholeWords");
    bindCheckBox(*wholeWords, find.chkWholeWords);
    auto* direction = named(new QGroupBox(this), "rgrDirection");
    bindRadioGroup(*direction, find.rgrDirection);
    auto* scope = named(new QGroupBox(this), "rgrScope");
    bindRadioGroup(*scope, find.rgrScope);

    auto* result = named(new QLabel(this), "lblResult");
    bindLabel(*result, find.lblResult);
    result->setWordWrap(true);

    auto* findNext = named(new QPushButton(this), "cmdFindNext");
    bindButton(*findNext, find.cmdFindNext);
    findNext->setDefault(true);
    auto* close = named(new QPushButton(this), "cmdClose");
    bindButton(*close, find.cmdClose);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(caption);
    textRow->addWidget(text, 1);
    auto* groups = new QHBoxLayout;
    groups->addWidget(direction);
    groups->addWidget(scope);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(findNext);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addWidget(matchCase);
    layout->addWidget(wholeWords);
    layout->addLayout(groups);
    layout->addWidget(result);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

} // namespace gui
