#include "Status.h"

namespace tolvane {

QString StatusName(Status s)
{
    switch (s) {
    case Status::StartUp: return QStringLiteral("StartUp");
    case Status::Idle: return QStringLiteral("Idle");
    case Status::Monitor: return QStringLiteral("Monitor");
    case Status::PresetWave: return QStringLiteral("PresetWave");
    case Status::PresetWM: return QStringLiteral("PresetWM");
    case Status::ManualWave: return QStringLiteral("ManualWave");
    case Status::ManualWM: return QStringLiteral("ManualWM");
    case Status::ManualEndSetWave: return QStringLiteral("ManualEndSetWave");
    case Status::ManualEndSetWM: return QStringLiteral("ManualEndSetWM");
    case Status::ShutDown: return QStringLiteral("ShutDown");
    }
    return QString::number(static_cast<qint32>(s));
}

}  // namespace tolvane
