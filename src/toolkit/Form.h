#pragma once

#include "toolkit/Signal.h"

#include <functional>
#include <string>
#include <utility>

namespace tk {

// A window: the main window or a dialog. The backend shows it and reports
// how it is closed.
class Form {
public:
    enum class WindowState { Normal, Minimized };

    Form(std::string caption, int width, int height)
        : m_caption(std::move(caption)), m_width(width), m_height(height) {}

    [[nodiscard]] const std::string& caption() const { return m_caption; }
    void setCaption(std::string c) {
        m_caption = std::move(c);
        changed.notify();
    }
    [[nodiscard]] int width() const { return m_width; }
    [[nodiscard]] int height() const { return m_height; }

    [[nodiscard]] WindowState windowState() const { return m_state; }
    void setWindowState(WindowState s) {
        if (s == m_state) {
            return;
        }
        m_state = s;
        changed.notify();
    }

    // Asks the window to close; the backend runs the close sequence.
    void close() { closeRequested.notify(); }

    Signal<> changed;
    Signal<> closeRequested;

private:
    std::string m_caption;
    int m_width;
    int m_height;
    WindowState m_state = WindowState::Normal;
};

} // namespace tk
