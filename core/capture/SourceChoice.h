#pragma once
// Where a schedule's sound comes from: the system's input, a device of the shared device list,
// a source of the sound server (by its server name), or an internet radio stream.

#include <QString>

namespace tolvane {

class ClsSchedule;

struct SourceChoice {
    bool UseSystemSourceDevice = true;
    qint32 DeviceID = 0;
    QString ServerSource;  // chosen instead of DeviceID when not empty
    QString StreamURL;     // recorded instead of any device when not empty

    static SourceChoice Of(const ClsSchedule &schedule);
    bool IsStream() const { return !StreamURL.isEmpty(); }
};

}  // namespace tolvane
