#pragma once

#include <functional>
#include <memory>

namespace tk {

class Platform;

class TimerDriver {
public:
    virtual ~TimerDriver() = default;
    // (Re)starts the countdown: the first tick comes interval ms from now.
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

// A periodic timer. Switching it on, or changing its interval while it runs,
// restarts the countdown; switching on a running timer or setting the same
// interval again changes nothing. An interval of 0 never ticks.
class Timer {
public:
    explicit Timer(Platform& platform, int intervalMs = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    [[nodiscard]] int interval() const { return m_interval; }
    void setInterval(int ms);
    [[nodiscard]] bool enabled() const { return m_enabled; }
    void setEnabled(bool on);

    std::function<void()> onTimer;

    // Called by the driver at every tick.
    void fire();

private:
    void update();

    std::unique_ptr<TimerDriver> m_driver;
    int m_interval;
    bool m_enabled = false;
};

} // namespace tk
