#include "qt/QtTimerDriver.h"

namespace gui {

namespace {
// Short intervals (the ping sweep runs every few tens of milliseconds) need
// a precise timer; the coarse one may be 5 % late.
constexpr int kPreciseBelowMs = 100;
} // namespace

QtTimerDriver::QtTimerDriver(tk::Timer& timer) {
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [&timer] { timer.fire(); });
}

QtTimerDriver::~QtTimerDriver() {
    m_timer.stop();
}

void QtTimerDriver::start(int intervalMs) {
    m_timer.setTimerType(intervalMs < kPreciseBelowMs ? Qt::PreciseTimer : Qt::CoarseTimer);
    m_timer.start(intervalMs);
}

void QtTimerDriver::stop() {
    m_timer.stop();
}

} // namespace gui
