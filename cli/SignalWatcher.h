#pragma once
// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the main thread (through a pipe that the
// handler writes to), so that they are answered between two events, never inside a handler.

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace tolvane::cli {

class SignalWatcher : public QObject {
    Q_OBJECT
public:
    SignalWatcher();
    ~SignalWatcher() override;

signals:
    void Received(int signalNumber);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace tolvane::cli
