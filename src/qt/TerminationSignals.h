#pragma once

#include <QObject>

class QSocketNotifier;

namespace gui {

// Turns SIGTERM and SIGINT (the desktop session ending, Ctrl+C) into a Qt
// signal on the event loop, so the program can close its main window in
// order instead of dying. On Windows there is nothing to do: the session
// end arrives as a normal close.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void terminationRequested();

private:
    int m_readFd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace gui
