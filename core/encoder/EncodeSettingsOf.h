#pragma once
// What a schedule's MP3 record asks of the encoder server.

#include "encoder/protocol/Mp3EncodeSettings.h"

#include <QDateTime>

namespace tolvane {

class ClsSchedule;

// The settings of a schedule's MP3 record, with the template tokens of its tag texts expanded
// for a recording made at `when`.
Mp3EncodeSettings EncodeSettingsOf(const ClsSchedule &schedule, const QDateTime &when);

}  // namespace tolvane
