#include "FrmSetPriority.h"

#include <QDir>

#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <array>

namespace tolvane {

FrmSetPriority::FrmSetPriority()
    : m_setter([](qint64 threadId, int nice) {
          // A thread that ended meanwhile needs no priority.
          return setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), nice) == 0 || errno == ESRCH;
      })
{
}

int FrmSetPriority::NiceOf(qint16 priorityIndex)
{
    static constexpr std::array<int, 5> kNice{19, 10, 0, -5, -10};
    return kNice[static_cast<size_t>(std::clamp<qint16>(priorityIndex, 0, 4))];
}

bool FrmSetPriority::Apply(qint16 priorityIndex) const
{
    // On Linux a nice value belongs to a thread, and the threads already running (Qt's own,
    // the sound server's) keep theirs unless each is set.
    const int nice = NiceOf(priorityIndex);
    const QStringList threads = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (threads.isEmpty())
        return m_setter(0, nice);  // no /proc: the calling thread at least
    bool ok = true;
    for (const QString &t : threads)
        ok = m_setter(t.toLongLong(), nice) && ok;
    return ok;
}

}  // namespace tolvane
