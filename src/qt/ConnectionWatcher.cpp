#include "qt/ConnectionWatcher.h"

#include "toolkit/Controls.h"

#include <QNetworkInformation>
#include <QTimer>

#include <algorithm>

namespace gui {

ConnectionWatcher::ConnectionWatcher(tk::ConnectionDetector& detector, QObject* parent)
    : QObject(parent), m_detector(detector) {
    if (!QNetworkInformation::loadDefaultBackend()) {
        return;
    }
    QNetworkInformation* info = QNetworkInformation::instance();
    if (!info || !info->supports(QNetworkInformation::Feature::Reachability)) {
        return;
    }
    connect(info, &QNetworkInformation::reachabilityChanged, this, [this] { check(); });
    // The first look comes one checking interval after start, as the
    // detector's own would; until then the machine counts as online.
    QTimer::singleShot(std::max(m_detector.interval(), 0), this, [this] { check(); });
}

void ConnectionWatcher::check() {
    const QNetworkInformation* info = QNetworkInformation::instance();
    if (!info) {
        return;
    }
    using R = QNetworkInformation::Reachability;
    switch (info->reachability()) {
    case R::Disconnected:
    case R::Local:
        m_detector.report(false);
        break;
    case R::Site:
    case R::Online:
        m_detector.report(true);
        break;
    case R::Unknown:
        break; // nothing known: leave the state as it is
    }
}

} // namespace gui
