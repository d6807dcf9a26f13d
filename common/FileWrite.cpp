#include "FileWrite.h"

#include <cerrno>
#include <csignal>
#include <mutex>

#include <unistd.h>

namespace tolvane {

namespace {

// Moves all of count bytes at offset with pread or pwrite, through interruptions and short
// transfers; `done` counts what moved either way.
template <typename Transfer, typename Bytes>
bool TransferAllAt(Transfer transfer, int fd, Bytes *bytes, qint64 count, qint64 offset, qint64 &done)
{
    Bytes *at = bytes;
    done = 0;
    while (count > 0) {
        const ssize_t n = transfer(fd, at, static_cast<size_t>(count), static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        at += n;
        count -= n;
        offset += n;
        done += n;
    }
    return true;
}

}  // namespace

bool WriteAllAt(int fd, const void *bytes, qint64 count, qint64 offset, qint64 *written)
{
    qint64 done = 0;
    const bool all = TransferAllAt(::pwrite, fd, static_cast<const char *>(bytes), count, offset, done);
    if (written)
        *written = done;
    return all;
}

bool ReadAllAt(int fd, void *bytes, qint64 count, qint64 offset)
{
    qint64 done = 0;
    return TransferAllAt(::pread, fd, static_cast<char *>(bytes), count, offset, done);
}

void IgnoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

void IgnoreBrokenPipeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

}  // namespace tolvane
