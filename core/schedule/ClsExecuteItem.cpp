#include "ClsExecuteItem.h"

#include "common/NumberedError.h"
#include "core/platform/CoreServices.h"
#include "core/schedule/LocalPath.h"

namespace tolvane {

ClsExecuteItem::ClsExecuteItem(std::shared_ptr<const CoreServices> services) : m_services(std::move(services)) {}

void ClsExecuteItem::setPath(const QString &path)
{
    if (!LocalPath::IsExistingFile(path))
        throw NumberedError(ErrNo::FileNotFound, QStringLiteral("File not found: %1").arg(path),
                            QStringLiteral("ClsExecuteItem"));
    m_path = path;
}

void ClsExecuteItem::Execute()
{
    const qint64 now = SecondsOfDay(m_services->clock->Now()).count();
    // Compared on the clock face, so that a limit just after midnight is still ahead of a
    // moment just before it (a program queued at 23:59:40 for a 00:00:10 start).
    qint64 ahead = WrapDay(Seconds(m_limit.count() - now)).count();
    if (ahead > kDay.count() / 2)
        ahead -= kDay.count();
    if (ahead < 0 && !m_unlimited)
        return;
    const int rc = m_services->shell->Execute(m_path);
    if (rc <= 32)
        throw NumberedError(rc, QStringLiteral("External Execute Failed"), QStringLiteral("ClsExecuteItem"));
}

}  // namespace tolvane
