#pragma once

#include <QDialog>

class QTabWidget;

namespace app {
class TfrmPref;
}

namespace gui {

// The "Preferences" dialog: its pages of widgets bound to the controls of
// the core's preferences dialog, "Save settings" (OK) and "Discard changes"
// (Cancel). Every widget carries the name of its control.
class PreferencesWindow final : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesWindow(app::TfrmPref& pref, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    app::TfrmPref& m_pref;
    QTabWidget* m_pages;
};

} // namespace gui
