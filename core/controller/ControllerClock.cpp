// The controller's clock setting from a time server.

#include "core/controller/ControllerInternal.h"

#include "core/timesync/ClsNTP.h"

namespace tolvane {

using namespace controller_detail;

void ClsController::SetTimeFromServer()
{
    if (m_services->readOnly)
        return;
    if (m_ntp->Busy()) {
        // Asked again meanwhile (the preset time during the start's query, or another server):
        // that request runs once the answer is in.
        m_timeRequestWaiting = true;
        return;
    }
    Log(QStringLiteral("PCTime"), QStringLiteral("GetTimeFrom ") + gSetTimeServer);
    const TimeServerAddress server = ParseTimeServer(gSetTimeServer);
    m_ntp->GetDate(server.host, 1024, server.port);
}

void ClsController::OnTimeAnswer(const QDateTime &serverTime)
{
    bool succeeded = false;
    if (serverTime.isValid()) {
        try {
            m_services->clockSetter->SetTime(serverTime);
            succeeded = true;
        } catch (const NumberedError &e) {
            emit OnError(e);
        }
    }
    Attempt([&] { Log(QStringLiteral("PCTime"), succeeded ? QStringLiteral("ChangeSuccessed") : QStringLiteral("GetTimeFailed")); });
    Report();
    emit OnTimeSet(succeeded);
    if (std::exchange(m_timeRequestWaiting, false))
        Attempt([&] { SetTimeFromServer(); });
    Report();
}

}  // namespace tolvane
