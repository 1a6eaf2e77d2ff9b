#pragma once

#include <QObject>

namespace tk {
class ConnectionDetector;
}

namespace gui {

// Tells the core's connection detector whether this machine reaches the
// internet, from the system's network information backend. Without a
// backend (or while it knows nothing) the detector stays "online".
class ConnectionWatcher final : public QObject {
    Q_OBJECT
public:
    explicit ConnectionWatcher(tk::ConnectionDetector& detector, QObject* parent = nullptr);

private:
    void check();

    tk::ConnectionDetector& m_detector;
};

} // namespace gui
