#pragma once

#include "toolkit/Timer.h"

#include <QTimer>

namespace gui {

// A core timer ticking on a QTimer of the event loop.
class QtTimerDriver final : public tk::TimerDriver {
public:
    explicit QtTimerDriver(tk::Timer& timer);
    ~QtTimerDriver() override;
    QtTimerDriver(const QtTimerDriver&) = delete;
    QtTimerDriver& operator=(const QtTimerDriver&) = delete;

    void start(int intervalMs) override;
    void stop() override;

private:
    QTimer m_timer;
};

} // namespace gui
