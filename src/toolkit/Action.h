#pragma once

#include "toolkit/ImageIndex.h"
#include "toolkit/Signal.h"

#include <functional>
#include <string>
#include <utility>

namespace tk {

// A user command. Menus and toolbar buttons only point to actions. A caption
// marks its accelerator with "&" ("&&" shows one "&"); a hint of the form
// "short|long" shows its first part as tooltip and its second in the status
// bar.
class Action {
public:
    Action(std::string category, std::string caption, std::string hint,
           int imageIndex = images::kNone)
        : m_category(std::move(category)), m_caption(std::move(caption)), m_hint(std::move(hint)),
          m_imageIndex(imageIndex) {}

    [[nodiscard]] const std::string& category() const { return m_category; }
    [[nodiscard]] const std::string& caption() const { return m_caption; }
    [[nodiscard]] const std::string& hint() const { return m_hint; }
    [[nodiscard]] int imageIndex() const { return m_imageIndex; }
    [[nodiscard]] bool checked() const { return m_checked; }
    [[nodiscard]] bool enabled() const { return m_enabled; }

    void setCaption(std::string caption) { change(m_caption, std::move(caption)); }
    void setChecked(bool on) { change(m_checked, on); }
    void setEnabled(bool on) { change(m_enabled, on); }

    // Runs the handler; a disabled action does nothing.
    void execute() {
        if (m_enabled && onExecute) {
            onExecute();
        }
    }

    std::function<void()> onExecute;
    Signal<> changed;

private:
    template <typename T> void change(T& member, T value) {
        if (member == value) {
            return;
        }
        member = std::move(value);
        changed.notify();
    }

    std::string m_category;
    std::string m_caption;
    std::string m_hint;
    int m_imageIndex;
    bool m_checked = false;
    bool m_enabled = true;
};

} // namespace tk
