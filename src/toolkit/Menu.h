#pragma once

#include "toolkit/Action.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tk {

struct Menu;

// One entry of a menu or a toolbar: an action, a separator, a plain command
// with its own caption (and handler), or a submenu. A toolbar button may
// also carry a drop-down menu.
struct MenuItem {
    enum class Kind { Action, Separator, Command, Submenu };

    Kind kind = Kind::Separator;
    Action* action = nullptr;        // Kind::Action
    std::string caption;             // Command/Submenu; overrides the action's caption if set
    std::string hint;                // Command
    int imageIndex = images::kNone;  // Command
    bool enabled = true;             // Command
    std::function<void()> onExecute; // Command
    std::shared_ptr<Menu> submenu;   // Submenu, or a toolbar button's drop-down

    static MenuItem of(Action& a, std::string caption = {}) {
        MenuItem i;
        i.kind = Kind::Action;
        i.action = &a;
        i.caption = std::move(caption);
        return i;
    }
    static MenuItem separator() { return {}; }
    static MenuItem command(std::string caption, std::string hint, std::function<void()> run,
                            int image = images::kNone) {
        MenuItem i;
        i.kind = Kind::Command;
        i.caption = std::move(caption);
        i.hint = std::move(hint);
        i.onExecute = std::move(run);
        i.imageIndex = image;
        return i;
    }
    static MenuItem disabled(std::string caption) {
        MenuItem i = command(std::move(caption), {}, {});
        i.enabled = false;
        return i;
    }
    static MenuItem sub(std::string caption, std::shared_ptr<Menu> menu) {
        MenuItem i;
        i.kind = Kind::Submenu;
        i.caption = std::move(caption);
        i.submenu = std::move(menu);
        return i;
    }
    // A toolbar button for an action with a drop-down menu.
    static MenuItem dropDown(Action& a, std::string caption, std::shared_ptr<Menu> menu) {
        MenuItem i = of(a, std::move(caption));
        i.submenu = std::move(menu);
        return i;
    }
};

struct Menu {
    std::string name;    // the component name, e.g. "pop_Favourites"
    std::string caption; // for main-menu entries
    std::string hint;
    std::vector<MenuItem> items;
    // Runs just before the menu opens (to check items, for example).
    std::function<void()> onPopup;
};

} // namespace tk
