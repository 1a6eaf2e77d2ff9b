#pragma once

#include "toolkit/Color.h"
#include "toolkit/Platform.h"

namespace tk {

// A colour dialog component: it opens on the colour last chosen in it and
// keeps the one chosen now.
class ColorDialog {
public:
    [[nodiscard]] Color color() const { return m_color; }
    void setColor(Color c) { m_color = c; }

    // Shows the dialog; true when a colour was chosen (it is then color()).
    bool execute(Platform& platform) {
        const auto chosen = platform.chooseColor(m_color);
        if (!chosen) {
            return false;
        }
        m_color = *chosen;
        return true;
    }

private:
    Color m_color = colors::kBlack;
};

} // namespace tk
