#include "FileWrite.h"

#include <cerrno>
#include <csignal>
#include <mutex>

#include <unistd.h>

namespace tolvane {

bool WriteAllAt(int fd, const void *bytes, qint64 count, qint64 offset, qint64 *written)
{
    const char *at = static_cast<const char *>(bytes);
    qint64 done = 0;
    if (!written)
        written = &done;
    *written = 0;
    while (count > 0) {
        const ssize_t n = ::pwrite(fd, at, static_cast<size_t>(count), static_cast<off_t>(offset));
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
        *written += n;
    }
    return true;
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
