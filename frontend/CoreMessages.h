#pragma once
// Messages that reach the window already written in Japanese, in the window's language: the
// core's errors, warnings and messages, and the window's own error texts that the log keeps as
// they stand. The log and the files never change with the language, so these are translated
// where they are shown, from a list of the texts they are made of.

#include <QString>

namespace tolvane::CoreMessages {

// The text in the window's language; a text that is not on the list comes back unchanged.
QString Translate(const QString &japanese);

// Every text on the list, as written (placeholders %1, %2, ... stand for the parts filled in).
QStringList Sources();

}  // namespace tolvane::CoreMessages
