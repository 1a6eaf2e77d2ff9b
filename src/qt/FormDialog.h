#pragma once

#include <QDialog>

class QDialogButtonBox;
class QVBoxLayout;

namespace tk {
class Form;
}

namespace gui {

// A dialog window for a core form: the form's caption and size, centred on
// the screen, with OK and Cancel (Escape) at the bottom. Its content goes
// into body().
class FormDialog : public QDialog {
    Q_OBJECT
public:
    FormDialog(tk::Form& form, QWidget* parent = nullptr);

    [[nodiscard]] QVBoxLayout& body() const { return *m_body; }
    [[nodiscard]] QDialogButtonBox& buttons() const { return *m_buttons; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* m_body;
    QDialogButtonBox* m_buttons;
};

// Centres a window on the screen it is on.
void centreOnScreen(QWidget& window);

} // namespace gui
