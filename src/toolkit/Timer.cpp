#include "toolkit/Timer.h"

#include "toolkit/Platform.h"

namespace tk {

Timer::Timer(Platform& platform, int intervalMs)
    : m_driver(platform.createTimerDriver(*this)), m_interval(intervalMs) {}

Timer::~Timer() = default;

void Timer::setInterval(int ms) {
    if (ms == m_interval) {
        return;
    }
    m_interval = ms;
    update();
}

void Timer::setEnabled(bool on) {
    if (on == m_enabled) {
        return;
    }
    m_enabled = on;
    update();
}

void Timer::update() {
    if (m_enabled && m_interval > 0) {
        m_driver->start(m_interval);
    } else {
        m_driver->stop();
    }
}

void Timer::fire() {
    if (m_enabled && onTimer) {
        onTimer();
    }
}

} // namespace tk
