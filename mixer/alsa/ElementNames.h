#pragma once
// How ALSA element names place the elements in the mixer tree. ALSA names an element
// "SOURCE DIRECTION FUNCTION" ("Mic Capture Volume", "Master Playback Switch"): the direction
// chooses the destination line (playback or capture), the source part names the source line.

#include <QByteArray>
#include <QString>

namespace tolvane::ElementNames {

// The text of a fixed-length name field: up to its first zero byte, or the whole field.
QString FieldText(const QByteArray &field);

enum class Side { Playback = 0, Capture = 1 };

struct Placement {
    Side side = Side::Playback;
    QString line;  // the source line; empty for a control of the destination line itself
};

// Where an element goes. "Master" and direction-only names ("Capture Volume") are controls of
// their destination line, capture selectors belong to the capture destination, and names
// without a direction ("Mic Boost Volume") sit on the playback side.
Placement PlacementOf(const QString &elementName, bool captureSelector);

// Whether an enumerated element with this name chooses what is recorded ("Capture Source",
// "Input Source" and the like).
bool IsCaptureSelector(const QString &elementName);

}  // namespace tolvane::ElementNames
