#include "SampleSpool.h"

#include "common/FileError.h"
#include "common/FileWrite.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("SampleSpool");

// Disk space of samples already taken is given back in steps of this size while the file
// still holds later ones (a backlog that is written while it grows never empties).
constexpr qint64 kPunchBytes = qint64{16} << 20;

}  // namespace

template <typename Sample>
SampleSpool<Sample>::SampleSpool(qint64 memoryBytes)
    : m_limit(std::max<qint64>(memoryBytes / qint64(sizeof(Sample)), 1))
{
}

template <typename Sample>
SampleSpool<Sample>::~SampleSpool()
{
    CloseFile();
}

template <typename Sample>
SampleSpool<Sample>::SampleSpool(SampleSpool &&other) noexcept : m_limit(other.m_limit)
{
    Swap(other);
}

template <typename Sample>
SampleSpool<Sample> &SampleSpool<Sample>::operator=(SampleSpool &&other) noexcept
{
    if (this != &other) {
        Clear();
        Swap(other);
    }
    return *this;
}

template <typename Sample>
void SampleSpool<Sample>::Swap(SampleSpool &other) noexcept
{
    std::swap(m_limit, other.m_limit);
    std::swap(m_folder, other.m_folder);
    SwapSamples(other);
}

template <typename Sample>
void SampleSpool<Sample>::SwapSamples(SampleSpool &other) noexcept
{
    std::swap(m_fd, other.m_fd);
    std::swap(m_filePath, other.m_filePath);
    std::swap(m_fileHead, other.m_fileHead);
    std::swap(m_fileTail, other.m_fileTail);
    std::swap(m_punched, other.m_punched);
    std::swap(m_memory, other.m_memory);
    std::swap(m_memoryHead, other.m_memoryHead);
}

template <typename Sample>
void SampleSpool<Sample>::Append(const Sample *samples, qint64 count)
{
    if (count <= 0)
        return;
    if (MemoryCount() + count <= m_limit) {
        if (m_memoryHead > 0) {
            m_memory.erase(m_memory.begin(), m_memory.begin() + m_memoryHead);
            m_memoryHead = 0;
        }
        const qint64 needed = qint64(m_memory.size()) + count;
        if (needed > qint64(m_memory.capacity()))
            m_memory.reserve(size_t(std::min(std::max(needed, 2 * qint64(m_memory.capacity())), m_limit)));
        m_memory.insert(m_memory.end(), samples, samples + count);
        return;
    }
    // Over the limit: what memory holds goes to the file, and so do these samples unless they
    // fit in the memory that frees.
    if (m_fd < 0)
        OpenFile();
    const qint64 restore = m_fileTail;
    const bool direct = count > m_limit;
    try {
        WriteToFile(m_memory.data() + m_memoryHead, MemoryCount());
        if (direct)
            WriteToFile(samples, count);
    } catch (...) {
        if (::ftruncate(m_fd, static_cast<off_t>(restore)) == 0)
            m_fileTail = restore;
        if (m_fileTail == m_fileHead)
            CloseFile();
        throw;
    }
    m_memory.clear();
    m_memoryHead = 0;
    if (!direct)
        m_memory.assign(samples, samples + count);
}

template <typename Sample>
void SampleSpool<Sample>::Append(SampleSpool &&other)
{
    if (&other == this || other.Empty())
        return;
    if (Empty()) {
        Clear();
        SwapSamples(other);
        return;
    }
    std::vector<Sample> scratch;
    while (!other.Empty()) {
        const std::span<const Sample> piece = other.Front(std::min(other.Size(), m_limit), scratch);
        Append(piece.data(), qint64(piece.size()));
        other.DropFront(qint64(piece.size()));
    }
}

template <typename Sample>
std::vector<Sample> SampleSpool<Sample>::Take(qint64 count)
{
    std::vector<Sample> out;
    Read(count, out);
    DropFront(qint64(out.size()));
    return out;
}

template <typename Sample>
std::span<const Sample> SampleSpool<Sample>::Front(qint64 count, std::vector<Sample> &scratch) const
{
    count = std::clamp<qint64>(count, 0, Size());
    if (FileCount() == 0)
        return {m_memory.data() + m_memoryHead, size_t(count)};
    Read(count, scratch);
    return scratch;
}

template <typename Sample>
void SampleSpool<Sample>::Read(qint64 count, std::vector<Sample> &out) const
{
    count = std::clamp<qint64>(count, 0, Size());
    out.clear();
    const qint64 fromFile = std::min(count, FileCount());
    if (fromFile > 0) {
        out.resize(size_t(fromFile));
        if (!ReadAllAt(m_fd, out.data(), fromFile * qint64(sizeof(Sample)), m_fileHead))
            throw FileError(errno, m_filePath, kSource);
    }
    const auto from = m_memory.begin() + m_memoryHead;
    out.insert(out.end(), from, from + (count - fromFile));
}

template <typename Sample>
void SampleSpool<Sample>::DropFront(qint64 count)
{
    count = std::clamp<qint64>(count, 0, Size());
    const qint64 fromFile = std::min(count, FileCount());
    if (fromFile > 0)
        FileTaken(fromFile * qint64(sizeof(Sample)));
    m_memoryHead += count - fromFile;
    if (MemoryCount() == 0) {
        m_memory.clear();
        m_memoryHead = 0;
    }
}

template <typename Sample>
void SampleSpool<Sample>::Clear()
{
    CloseFile();
    m_memory.clear();
    m_memoryHead = 0;
}

template <typename Sample>
void SampleSpool<Sample>::OpenFile()
{
    IgnoreFileSizeSignal();
    m_filePath = m_folder.isEmpty() ? QDir::tempPath() : m_folder;
    QByteArray folder = QFile::encodeName(m_filePath);
    m_fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // A file system without unnamed files (FAT, some network file systems): a named file,
        // gone from the folder before anything is written to it.
        QByteArray name = folder + "/.tolvane-spool-XXXXXX";
        m_fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (m_fd >= 0)
            ::unlink(name.constData());
    }
    if (m_fd < 0)
        throw FileError(errno, m_filePath, kSource);
    m_fileHead = m_fileTail = m_punched = 0;
}

template <typename Sample>
void SampleSpool<Sample>::WriteToFile(const Sample *samples, qint64 count)
{
    const qint64 bytes = count * qint64(sizeof(Sample));
    if (bytes == 0)
        return;
    if (!WriteAllAt(m_fd, samples, bytes, m_fileTail))
        throw FileError(errno, m_filePath, kSource);
    m_fileTail += bytes;
}

template <typename Sample>
void SampleSpool<Sample>::FileTaken(qint64 bytes)
{
    m_fileHead += bytes;
    if (m_fileHead == m_fileTail) {
        CloseFile();
        return;
    }
    const qint64 punch = (m_fileHead - m_punched) / kPunchBytes * kPunchBytes;
    if (punch > 0) {
        // Best effort: a file system that cannot punch holes keeps the space until the file closes.
        ::fallocate(m_fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(m_punched),
                    static_cast<off_t>(punch));
        m_punched += punch;
    }
}

template <typename Sample>
void SampleSpool<Sample>::CloseFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_fileHead = m_fileTail = m_punched = 0;
}

template class SampleSpool<quint8>;
template class SampleSpool<qint16>;

}  // namespace tolvane
