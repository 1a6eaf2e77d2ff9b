#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace tk {

// A list of observers. Controls use it to tell their views that they changed.
// Observers live as long as the control; there is no disconnect.
template <typename... Args> class Signal {
public:
    using Slot = std::function<void(Args...)>;

    void connect(Slot slot) { m_slots.push_back(std::move(slot)); }

    void notify(Args... args) const {
        for (const auto& slot : m_slots) {
            slot(args...);
        }
    }

private:
    std::vector<Slot> m_slots;
};

} // namespace tk
