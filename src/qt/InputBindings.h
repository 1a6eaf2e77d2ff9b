#pragma once

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tk {
class Button;
class CheckBox;
class ComboBox;
class Edit;
class RadioGroup;
} // namespace tk

namespace gui {

// Input widgets bound both ways to the core's control models: the widget
// shows the model now and whenever it changes, and what the user does goes
// into the model.

// An edit box taking the model's limit, read-only state and hint.
void bindTextEdit(QLineEdit& widget, tk::Edit& model);
void bindCheckBox(QCheckBox& widget, tk::CheckBox& model);
// A drop-down box with the model's items; typing is allowed for DropDown.
// Leaving it runs the model's exit event.
void bindComboBox(QComboBox& widget, tk::ComboBox& model);
// Fills the group box with one radio button per item, in the model's
// columns.
void bindRadioGroup(QGroupBox& box, tk::RadioGroup& model);
// A click runs the model's click handler.
void bindButton(QAbstractButton& widget, tk::Button& model);

} // namespace gui
