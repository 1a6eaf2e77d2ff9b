#include "qt/FormDialog.h"

#include "qt/DisplayText.h"
#include "qt/Guarded.h"

#include "toolkit/Form.h"

#include <QDialogButtonBox>
#include <QScreen>
#include <QVBoxLayout>

namespace gui {

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) {
        return;
    }
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

FormDialog::FormDialog(tk::Form& form, QWidget* parent)
    : QDialog(parent), m_body(new QVBoxLayout), m_buttons(new QDialogButtonBox(this)) {
    setWindowTitle(toDisplay(form.caption()));
    resize(form.width(), form.height());
    m_buttons->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_body, 1);
    layout->addWidget(m_buttons);
    form.changed.connect(
        guarded(this, [this, &form] { setWindowTitle(toDisplay(form.caption())); }));
}

void FormDialog::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    QDialog::showEvent(event);
}

} // namespace gui
