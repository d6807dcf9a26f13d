#pragma once
// Writing recordings through file descriptors: whole positional writes and reads, and a file
// size limit that fails a write instead of killing the recorder.

#include <QtGlobal>

namespace tolvane {

// Writes all of count bytes at offset; false with errno set when that fails. `written`, when
// given, tells how many bytes did reach the file either way.
bool WriteAllAt(int fd, const void *bytes, qint64 count, qint64 offset, qint64 *written = nullptr);

// Reads all of count bytes at offset; false with errno set when that fails (EIO for a file
// that ends before them).
bool ReadAllAt(int fd, void *bytes, qint64 count, qint64 offset);

// A file size limit must make a write fail, which a recording survives, instead of killing
// the process with SIGXFSZ and leaving the recording unfinished. Safe to call often.
void IgnoreFileSizeSignal();

// Likewise a peer that has gone (the sound server, the encoder process) must make a write
// fail instead of killing the recorder with SIGPIPE. Safe to call often.
void IgnoreBrokenPipeSignal();

}  // namespace tolvane
