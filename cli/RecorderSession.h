#pragma once
// What `run` and `record` share: the application folder and its single-instance lock, a
// controller on the program's services with its events printed, and the clean stop on SIGINT or
// SIGTERM (the recording's files closed, never a hibernation or power-off).

#include "cli/ConsoleOutput.h"
#include "cli/SignalWatcher.h"
#include "core/controller/ClsController.h"

#include <memory>
#include <optional>

namespace tolvane {
class InstanceLock;
}

namespace tolvane::cli {

class RecorderSession {
public:
    RecorderSession(std::FILE *out, std::FILE *err);
    ~RecorderSession();

    // Creates the folder, takes the lock, sets the controller up. On failure prints why and
    // gives the exit status to return.
    std::optional<int> Open();

    // Runs the event loop until QCoreApplication::exit; returns its status.
    int Exec();
    // Leaves the event loop with `status` once the stopped recording's files are closed and
    // its encodes done (waiting at most about ten seconds for the files, then going anyway).
    void ExitWhenFinished(int status, bool waitForEncodes);

    ClsController &Controller() { return *m_controller; }
    const std::shared_ptr<CoreServices> &Services() const { return m_services; }
    ConsoleOutput &Console() { return m_console; }
    bool HadErrors() const { return m_errors > 0; }

private:
    void OnSignal(int number);

    ConsoleOutput m_console;
    SignalWatcher m_watcher;  // first, so that Ctrl-C is ours before anything can take long
    std::unique_ptr<InstanceLock> m_lock;
    std::shared_ptr<CoreServices> m_services;
    std::unique_ptr<ClsController> m_controller;
    int m_errors = 0;
    bool m_exiting = false;
};

}  // namespace tolvane::cli
