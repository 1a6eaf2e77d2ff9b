#pragma once

#include "toolkit/Canvas.h"
#include "toolkit/Color.h"
#include "toolkit/Platform.h"
#include "toolkit/Signal.h"

#include <cstddef>
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

// Cuts text to at most maxLength bytes (0: no limit), never inside a UTF-8
// character: typed text arrives as UTF-8.
[[nodiscard]] inline std::string cutText(std::string text, std::size_t maxLength) {
    if (maxLength == 0 || text.size() <= maxLength) {
        return text;
    }
    std::size_t end = maxLength;
    // Back off over continuation bytes to the lead byte of a sequence that
    // would not fit whole.
    std::size_t lead = end;
    while (lead > 0 && end - lead < 3 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80) {
        --lead;
    }
    if (lead < end && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0xC0) {
        end = lead;
    }
    text.resize(end);
    return text;
}

// A one-line text box. It keeps at most maxLength bytes (0: no limit); a
// longer text is cut.
class Edit {
public:
    [[nodiscard]] const std::string& text() const { return m_text.get(); }
    void setText(std::string t) { m_text.set(cutText(std::move(t), maxLength()), changed); }
    [[nodiscard]] std::size_t maxLength() const { return m_maxLength.get(); }
    void setMaxLength(std::size_t n) {
        m_maxLength.set(n, changed);
        setText(text());
    }
    [[nodiscard]] bool readOnly() const { return m_readOnly.get(); }
    void setReadOnly(bool on) { m_readOnly.set(on, changed); }
    [[nodiscard]] const std::string& hint() const { return m_hint.get(); }
    void setHint(std::string h) { m_hint.set(std::move(h), changed); }
    Signal<> changed;

private:
    Property<std::string> m_text;
    Property<std::size_t> m_maxLength{0};
    Property<bool> m_readOnly{false};
    Property<std::string> m_hint;
};

class CheckBox {
public:
    explicit CheckBox(std::string caption, std::string hint = {})
        : m_caption(std::move(caption)), m_hint(std::move(hint)) {}
    [[nodiscard]] const std::string& caption() const { return m_caption; }
    [[nodiscard]] const std::string& hint() const { return m_hint; }
    [[nodiscard]] bool checked() const { return m_checked.get(); }
    void setChecked(bool on) { m_checked.set(on, changed); }
    [[nodiscard]] bool enabled() const { return m_enabled.get(); }
    void setEnabled(bool on) { m_enabled.set(on, changed); }
    Signal<> changed;

private:
    std::string m_caption;
    std::string m_hint;
    Property<bool> m_checked{false};
    Property<bool> m_enabled{true};
};

// A drop-down box. DropDown takes typed text as well as its items;
// DropDownList takes only its items. itemIndex is the item whose text is
// shown, -1 for none.
class ComboBox {
public:
    enum class Style { DropDown, DropDownList };

    ComboBox(Style style, std::vector<std::string> items, std::string hint = {})
        : m_style(style), m_items(std::move(items)), m_hint(std::move(hint)) {}

    [[nodiscard]] Style style() const { return m_style; }
    [[nodiscard]] const std::vector<std::string>& items() const { return m_items; }
    [[nodiscard]] const std::string& hint() const { return m_hint; }
    [[nodiscard]] std::size_t maxLength() const { return m_maxLength; }
    // Before any text is set.
    void setMaxLength(std::size_t n) { m_maxLength = n; }

    [[nodiscard]] const std::string& text() const { return m_text; }
    [[nodiscard]] int itemIndex() const { return m_itemIndex; }
    // A list takes the text of an item only (anything else selects none).
    void setText(std::string t) {
        t = cutText(std::move(t), m_maxLength);
        const int index = indexOf(t);
        if (m_style == Style::DropDownList && index < 0) {
            t.clear();
        }
        change(std::move(t), index);
    }
    // An index outside the items selects none and empties the text.
    void setItemIndex(int index) {
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            change({}, -1);
            return;
        }
        change(m_items[static_cast<std::size_t>(index)], index);
    }

    // Called by the backend when the box loses the focus.
    void exit() {
        if (onExit) {
            onExit();
        }
    }

    std::function<void()> onExit;
    Signal<> changed;

private:
    [[nodiscard]] int indexOf(const std::string& t) const {
        for (std::size_t i = 0; i < m_items.size(); ++i) {
            if (m_items[i] == t) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    void change(std::string t, int index) {
        if (t == m_text && index == m_itemIndex) {
            return;
        }
        m_text = std::move(t);
        m_itemIndex = index;
        changed.notify();
    }

    Style m_style;
    std::vector<std::string> m_items;
    std::string m_hint;
    std::size_t m_maxLength = 0;
    std::string m_text;
    int m_itemIndex = -1;
};

// A group of radio buttons, at most one of them on; itemIndex -1 for none.
class RadioGroup {
public:
    RadioGroup(std::string caption, std::vector<std::string> items, int columns = 1)
        : m_caption(std::move(caption)), m_items(std::move(items)), m_columns(columns) {}
    [[nodiscard]] const std::string& caption() const { return m_caption; }
    [[nodiscard]] const std::vector<std::string>& items() const { return m_items; }
    [[nodiscard]] int columns() const { return m_columns; }
    [[nodiscard]] int itemIndex() const { return m_itemIndex.get(); }
    // An index outside the items selects none.
    void setItemIndex(int index) {
        if (index < 0 || index >= static_cast<int>(m_items.size())) {
            index = -1;
        }
        m_itemIndex.set(index, changed);
    }
    Signal<> changed;

private:
    std::string m_caption;
    std::vector<std::string> m_items;
    int m_columns;
    Property<int> m_itemIndex{-1};
};

// A push button. One with a modal result closes its dialog with it.
class Button {
public:
    explicit Button(std::string caption, ModalResult modalResult = ModalResult::None)
        : m_caption(std::move(caption)), m_modalResult(modalResult) {}
    [[nodiscard]] const std::string& caption() const { return m_caption; }
    [[nodiscard]] ModalResult modalResult() const { return m_modalResult; }
    void click() {
        if (onClick) {
            onClick();
        }
    }
    std::function<void()> onClick;

private:
    std::string m_caption;
    ModalResult m_modalResult;
};

// A drawn rectangle or line: its fill and its outline or line colour.
class Shape {
public:
    [[nodiscard]] Color brushColor() const { return m_brush.get(); }
    void setBrushColor(Color c) { m_brush.set(c, changed); }
    [[nodiscard]] Color penColor() const { return m_pen.get(); }
    void setPenColor(Color c) { m_pen.set(c, changed); }
    Signal<> changed;

private:
    Property<Color> m_brush{colors::kWhite};
    Property<Color> m_pen{colors::kBlack};
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
    // Called by the backend each time the page comes into view.
    void show() {
        if (onShow) {
            onShow();
        }
    }
    std::function<void()> onShow;
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
