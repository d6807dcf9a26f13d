#include "RecorderSession.h"

#include "cli/CliServices.h"
#include "common/AppFolder.h"
#include "common/InstanceLock.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>

namespace tolvane::cli {

namespace {

// A machine that is being shut down (a signal) must not be sent to sleep or off by us.
class NoPower final : public IPower {
public:
    void Hibernate() override {}
    void PowerOff() override {}
};

}  // namespace

RecorderSession::RecorderSession(std::FILE *out, std::FILE *err) : m_console(out, err)
{
    QObject::connect(&m_watcher, &SignalWatcher::Received, [this](int number) { OnSignal(number); });
}

RecorderSession::~RecorderSession() = default;

std::optional<int> RecorderSession::Open()
{
    const QString folder = AppFolder::Path();
    if (!AppFolder::EnsureExists()) {
        m_console.Error(QStringLiteral("cannot create the application folder %1").arg(folder));
        return 1;
    }
    m_lock = std::make_unique<InstanceLock>(folder);
    if (!m_lock->TryAcquire()) {
        const qint64 pid = m_lock->HolderPid();
        m_console.Error(QStringLiteral("another Tolvane%1 already records in %2; not starting a second one")
                            .arg(pid ? QStringLiteral(" (process %1)").arg(pid) : QString(), folder));
        return 3;
    }
    m_services = MakeServices(ServiceMode::Recording);
    m_controller = std::make_unique<ClsController>(m_services);
    m_console.Attach(*m_controller);
    QObject::connect(m_controller.get(), &ClsController::OnError, [this] { ++m_errors; });
    try {
        m_controller->Setup();
    } catch (const NumberedError &e) {
        m_console.ReportError(e);
    }
    return std::nullopt;
}

int RecorderSession::Exec()
{
    return QCoreApplication::exec();
}

void RecorderSession::ExitWhenFinished(int status, bool waitForEncodes)
{
    if (m_exiting)
        return;
    m_exiting = true;
    auto *poll = new QTimer(qApp);
    int waited = 0;
    QObject::connect(poll, &QTimer::timeout, [this, poll, status, waitForEncodes, waited]() mutable {
        const bool files = m_controller->CaptureFinishing() && ++waited < 200;
        if (files || (waitForEncodes && m_controller->WaitForGOGO()))
            return;
        poll->stop();
        QCoreApplication::exit(status);
    });
    poll->start(50);
}

void RecorderSession::OnSignal(int number)
{
    if (!m_controller)
        return;
    if (number == SIGHUP) {
        m_controller->ReloadSchedules();
        m_console.Line(QStringLiteral("schedule.xml read again: %1 schedules").arg(m_controller->nSchedules()));
        return;
    }
    m_console.Line(QStringLiteral("%1 received: stopping").arg(number == SIGTERM ? "SIGTERM" : "SIGINT"));
    m_services->power = std::make_shared<NoPower>();
    if (m_controller->IsCapturing())
        m_controller->StopCapture();
    ExitWhenFinished(0, false);
}

}  // namespace tolvane::cli
