#pragma once

class QLabel;
class QLineEdit;
class QProgressBar;
class QTabWidget;
class QWidget;

namespace tk {
class Edit;
class Label;
class ProgressBar;
class TabSheet;
class Visibility;
} // namespace tk

namespace gui {

// Widgets that follow the small control models of the core: each shows the
// model's state now and whenever it changes.

void bindProgressBar(QProgressBar& widget, tk::ProgressBar& model);
void bindLabel(QLabel& widget, tk::Label& model);
// A read-only edit box showing the model's text.
void bindEdit(QLineEdit& widget, tk::Edit& model);
// The tab of page `page` of `tabs` is shown while the sheet's tab is visible.
void bindTabVisible(QTabWidget& tabs, QWidget& page, tk::TabSheet& sheet);
void bindVisibility(QWidget& widget, tk::Visibility& model);

} // namespace gui
