#pragma once
// The text of "tolvane-cli devices": the sound devices with their DeviceID, and each device's
// mixer lines and controls, so that a user can pick DeviceID and SourceLineIndex.

#include <QString>

namespace tolvane::cli {

// Fills out (and err with the reason when the mixer cannot be read); returns the exit status.
int ListDevices(QString &out, QString &err);

}  // namespace tolvane::cli
