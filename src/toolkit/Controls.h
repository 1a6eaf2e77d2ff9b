#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/Signal.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tk {

// Small control models. Each holds the state the core reads and writes and
// tells its view through `changed`.

template <typename T> class Property {
public:
    Property() = default;
    explicit Property(T value) : m_value(std::move(value)) {}
    [[nodiscard]] const T& get() const { return m_value; }
    void set(T value, const Signal<>& changed) {
        if (m_value == value) {
            return;
        }
        m_value = std::move(value);
        changed.notify();
    }

private:
    T m_value{};
};

class Label {
public:
    explicit Label(std::string caption = {}) : m_caption(std::move(caption)) {}
    [[nodiscard]] const std::string& caption() const { return m_caption.get(); }
    void setCaption(std::string c) { m_caption.set(std::move(c), changed); }
    [[nodiscard]] Color fontColor() const { return m_fontColor.get(); }
    void setFontColor(Color c) { m_fontColor.set(c, changed); }
    Signal<> changed;

private:
    Property<std::string> m_caption;
    Property<Color> m_fontColor{colors::kBlack};
};

class Edit {
public:
    [[nodiscard]] const std::string& text() const { return m_text.get(); }
    void setText(std::string t) { m_text.set(std::move(t), changed); }
    Signal<> changed;

private:
    Property<std::string> m_text;
};

class ProgressBar {
public:
    [[nodiscard]] int min() const { return m_min.get(); }
    [[nodiscard]] int max() const { return m_max.get(); }
    [[nodiscard]] int position() const { return m_position.get(); }
    void setMin(int v) { m_min.set(v, changed); }
    void setMax(int v) { m_max.set(v, changed); }
    void setPosition(int v) { m_position.set(v, changed); }
    Signal<> changed;

private:
    Property<int> m_min{0};
    Property<int> m_max{100};
    Property<int> m_position{0};
};

// A page of a page control; its tab can be hidden.
class TabSheet {
public:
    explicit TabSheet(std::string caption) : m_caption(std::move(caption)) {}
    [[nodiscard]] const std::string& caption() const { return m_caption; }
    [[nodiscard]] bool tabVisible() const { return m_tabVisible.get(); }
    void setTabVisible(bool v) { m_tabVisible.set(v, changed); }
    Signal<> changed;

private:
    std::string m_caption;
    Property<bool> m_tabVisible{true};
};

// Something shown or hidden, such as an indicator image.
class Visibility {
public:
    [[nodiscard]] bool visible() const { return m_visible.get(); }
    void setVisible(bool v) { m_visible.set(v, changed); }
    Signal<> changed;

private:
    Property<bool> m_visible{false};
};

class StatusBar {
public:
    enum class Align { Left, Right };
    struct Panel {
        std::string text;
        int width = 100;
        Align align = Align::Left;
        bool bevel = true;
        bool ownerDrawn = false;
    };

    explicit StatusBar(std::vector<Panel> panels) : m_panels(std::move(panels)) {}
    [[nodiscard]] int panelCount() const { return static_cast<int>(m_panels.size()); }
    [[nodiscard]] const Panel& panel(int i) const {
        return m_panels.at(static_cast<std::size_t>(i));
    }
    void setPanelText(int i, std::string text) {
        auto& p = m_panels.at(static_cast<std::size_t>(i));
        if (p.text == text) {
            return;
        }
        p.text = std::move(text);
        changed.notify();
    }
    // Asks the view to draw the owner-drawn panels again.
    void invalidate() { changed.notify(); }

    // Draws an owner-drawn panel: canvas, panel index, panel rectangle.
    std::function<void(Canvas&, int, const Rect&)> onDrawPanel;
    Signal<> changed;

private:
    std::vector<Panel> m_panels;
};

class TrayIcon {
public:
    [[nodiscard]] const std::string& hint() const { return m_hint.get(); }
    void setHint(std::string h) { m_hint.set(std::move(h), changed); }
    [[nodiscard]] bool visible() const { return m_visible.get(); }
    void setVisible(bool v) { m_visible.set(v, changed); }
    Signal<> changed;

private:
    Property<std::string> m_hint;
    Property<bool> m_visible{false};
};

// Reports whether this machine has a network connection.
class ConnectionDetector {
public:
    [[nodiscard]] bool online() const { return m_online; }
    [[nodiscard]] bool enabled() const { return m_enabled; }
    [[nodiscard]] int interval() const { return m_interval; }
    void setEnabled(bool on) { m_enabled = on; }
    void setInterval(int ms) { m_interval = ms; }

    // Called by the backend with what it found; runs onChanged on a change.
    void report(bool online) {
        if (!m_enabled || online == m_online) {
            return;
        }
        m_online = online;
        if (onChanged) {
            onChanged();
        }
    }

    std::function<void()> onChanged;

private:
    bool m_online = true;
    bool m_enabled = true;
    int m_interval = 5000;
};

} // namespace tk
