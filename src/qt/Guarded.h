#pragma once

#include <QObject>
#include <QPointer>

#include <utility>

namespace gui {

// The core's controls keep their observers for their whole life and have no
// disconnect, while a widget may go first (the main window closes before the
// core is torn down). Every observer a widget hangs on a control goes through
// guarded(): it does nothing once the widget is gone.
template <typename Object, typename Function> auto guarded(Object* object, Function function) {
    return [target = QPointer<Object>(object), function = std::move(function)](auto&&... args) {
        if (target) {
            function(std::forward<decltype(args)>(args)...);
        }
    };
}

} // namespace gui
