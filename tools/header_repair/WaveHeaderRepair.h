#pragma once
// Completes the header of a WAVE file that the recorder did not close normally: the RIFF size
// and the data chunk are rewritten to match the file's length. Only the recorder's own layout
// (a 44-byte header) is touched; anything else is left as it is.

#include <QString>

namespace tolvane {

enum class RepairResult { Written, CannotWrite, NotRecorderWave, TooLarge, NotFound };

// RIFF size = length - 8, "data" at 36, data size = length - 44.
RepairResult RepairWaveHeader(const QString &path);

// What the tool tells the user about a result.
QString RepairMessage(RepairResult result);

// The question asked before a file is changed.
QString RepairQuestion(const QString &path);

}  // namespace tolvane
