#pragma once

#include "toolkit/Color.h"

#include <QColor>
#include <QString>

#include <string>
#include <string_view>

namespace gui {

// The core keeps text as 8-bit bytes. Newer game servers send UTF-8, older
// ones Latin-1: text that is valid UTF-8 is shown as UTF-8, anything else as
// Latin-1, so no byte is ever lost or shown as a replacement character.
[[nodiscard]] QString toDisplay(std::string_view bytes);

// Text typed into a widget goes back to the core as UTF-8.
[[nodiscard]] std::string toCore(const QString& text);

// A hint "short|long": the short part is the tooltip, the long one the status
// tip. A hint without "|" is both.
struct HintParts {
    QString toolTip;
    QString statusTip;
};
[[nodiscard]] HintParts splitHint(std::string_view hint);

// Colours of the core are 0x00BBGGRR.
[[nodiscard]] inline QColor toQColor(tk::Color c) {
    return QColor(tk::redOf(c), tk::greenOf(c), tk::blueOf(c));
}
[[nodiscard]] inline tk::Color fromQColor(const QColor& c) {
    return tk::rgb(c.red(), c.green(), c.blue());
}

} // namespace gui
