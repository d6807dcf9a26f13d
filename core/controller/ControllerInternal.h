#pragma once
// What the controller's source files share: the source named in its errors, the reading of
// times, and the member templates every concern uses.

#include "core/controller/ClsController.h"
#include "core/schedule/TimeOfDay.h"

#include <QMetaObject>

#include <memory>
#include <utility>

namespace tolvane {

namespace controller_detail {

inline const QString kSource = QStringLiteral("ClsController");

inline Seconds TimeOfDayOrThrow(const QString &text)
{
    if (const auto t = ParseTimeOfDay(text))
        return *t;
    throw NumberedError(ErrNo::TypeMismatch, QStringLiteral("\"%1\" is not a time of day").arg(text), kSource);
}

// Milliseconds on the local wall clock (what the clock shows, daylight saving included).
inline qint64 WallMs(const QDateTime &moment)
{
    return moment.date().toJulianDay() * kDay.count() * 1000 + moment.time().msecsSinceStartOfDay();
}

}  // namespace controller_detail

template <typename T>
void ClsController::DisposeLater(T holder)
{
    // Objects may be let go while one of their own signals is being handled; they are kept until
    // the event loop is back (or until the controller goes).
    m_graveyard.push_back(std::make_shared<T>(std::move(holder)));
    if (m_graveyard.size() == 1)
        QMetaObject::invokeMethod(this, [this] { m_graveyard.clear(); }, Qt::QueuedConnection);
}

template <typename F>
void ClsController::Attempt(F &&statement)
{
    try {
        statement();
    } catch (const NumberedError &e) {
        m_pending.push_back(e);
    } catch (const std::exception &e) {
        m_pending.emplace_back(ErrNo::InvalidProcedureCall, QString::fromLocal8Bit(e.what()), controller_detail::kSource);
    }
}

}  // namespace tolvane
