#include "ScheduleStore.h"

#include "cli/CliServices.h"
#include "common/AppFolder.h"
#include "common/InstanceLock.h"
#include "core/persistence/ClsScheduleSaveLoad.h"

#include <csignal>

namespace tolvane::cli {

ScheduleStore::ScheduleStore(std::FILE *out, std::FILE *err) : m_console(out, err) {}

ScheduleStore::~ScheduleStore() = default;

std::optional<int> ScheduleStore::Open(bool forChange)
{
    const QString folder = AppFolder::Path();
    if (forChange) {
        if (!AppFolder::EnsureExists()) {
            m_console.Error(QStringLiteral("cannot create the application folder %1").arg(folder));
            return 1;
        }
        // One change at a time: a second one reads the file only after the first has saved it.
        m_changeLock = std::make_unique<QLockFile>(InstanceLock::ChangeLockPath(folder));
        if (!m_changeLock->tryLock(10000)) {
            m_console.Error(QStringLiteral("another change of the schedules in %1 does not end; not changing them").arg(folder));
            return 1;
        }
        // Holding the folder keeps a window from starting with the old schedules meanwhile.
        m_folderLock = std::make_unique<InstanceLock>(folder);
        if (!m_folderLock->TryAcquireAtOnce()) {
            const qint64 pid = m_folderLock->HolderPid();
            if (m_folderLock->HolderApp() != QLatin1String("tolvane-cli")) {
                m_console.Error(QStringLiteral("the window (tolvane, process %1) runs the timetable of %2 and would write "
                                               "its own schedules over a change made here; change them in the window, "
                                               "or close it first")
                                    .arg(pid)
                                    .arg(folder));
                return 3;
            }
            m_recorderPid = pid;
        }
    }

    // Read as `status` reads: nothing is written, no folder made, no clock touched.
    m_services = MakeServices(ServiceMode::ReadOnly);
    m_services->notifier = std::make_shared<RecordingNotifier>();
    m_controller = std::make_unique<ClsController>(m_services);
    try {
        ClsScheduleSaveLoad().LoadSchedule(*m_controller);
    } catch (const NumberedError &e) {
        m_console.ReportError(e);
        if (forChange) {
            m_console.Error(QStringLiteral("schedule.xml cannot be read whole, so it is not changed here"));
            return 1;
        }
    }
    return std::nullopt;
}

QString ScheduleStore::Find(const QString &name, QString &problem)
{
    const ColSchedule &list = m_controller->ScheduleList();
    if (name.startsWith(QLatin1Char('#'))) {
        bool number = false;
        const qsizetype n = name.mid(1).toLongLong(&number);
        if (number && n >= 1 && n <= list.Count())
            return list.KeyAt(n - 1);
        problem = QStringLiteral("there is no schedule %1 (schedule list numbers them from #1)").arg(name);
        return {};
    }
    QStringList numbers;
    QString key;
    for (qsizetype i = 0; i < list.Count(); ++i) {
        if (list.Item(i)->Name() == name) {
            key = list.KeyAt(i);
            numbers << QStringLiteral("#%1").arg(i + 1);
        }
    }
    if (numbers.size() == 1)
        return key;
    problem = numbers.isEmpty() ? QStringLiteral("there is no schedule named \"%1\"").arg(name)
                                : QStringLiteral("%1 schedules are named \"%2\": name one by its number (%3)")
                                      .arg(numbers.size())
                                      .arg(name, numbers.join(QStringLiteral(", ")));
    return {};
}

qsizetype ScheduleStore::Number(const QString &key)
{
    const ColSchedule &list = m_controller->ScheduleList();
    for (qsizetype i = 0; i < list.Count(); ++i) {
        if (list.KeyAt(i) == key)
            return i + 1;
    }
    return 0;
}

bool ScheduleStore::Save(const QString &name, const QString &event)
{
    bool saved = true;
    const auto watch = QObject::connect(m_controller.get(), &ClsController::OnError, [&](const NumberedError &e) {
        m_console.ReportError(e);
        saved = false;
    });
    m_controller->SaveSetting();
    QObject::disconnect(watch);
    if (!saved) {
        m_console.Error(QStringLiteral("the schedules were not saved; schedule.xml is as it was"));
        return false;
    }
    // Read as `status` reads, the controller writes no log line of its own.
    m_services->readOnly = false;
    m_controller->WriteLog(name, event);
    m_controller->WriteLog(QStringLiteral("Setting"), QStringLiteral("SaveSuccessed"));
    m_services->readOnly = true;
    if (m_recorderPid > 0) {
        // The recorder reads schedule.xml again on SIGHUP, as `systemctl --user reload` asks it to.
        if (::kill(static_cast<pid_t>(m_recorderPid), SIGHUP) == 0)
            Print(m_console.Out(), QStringLiteral("the recorder that runs the timetable (process %1) reads the change\n")
                                       .arg(m_recorderPid));
        else
            m_console.Warning(QStringLiteral("the recorder (process %1) could not be told; it reads the change when it "
                                             "next starts or on SIGHUP")
                                  .arg(m_recorderPid));
    }
    return true;
}

}  // namespace tolvane::cli
