#include "ClsWaveWriter.h"

#include "common/FileError.h"
#include "common/FileWrite.h"
#include "core/capture/PartFileName.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <unistd.h>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("ClsWaveWriter");

// Offsets of the two size fields; the bytes between them are rewritten unchanged, so that one
// positional write brings the whole header up to date.
constexpr qint64 kRiffSizeOffset = 4;
constexpr qint64 kDataSizeOffset = 40;

void Put16(char *at, quint16 v) { qToLittleEndian(v, at); }
void Put32(char *at, quint32 v) { qToLittleEndian(v, at); }

}  // namespace

ClsWaveWriter::ClsWaveWriter(std::shared_ptr<const IClock> clock) : m_clock(std::move(clock)) {}

ClsWaveWriter::~ClsWaveWriter() { CloseFile(); }

QString ClsWaveWriter::OpenFile(const QString &FolderPath, const WaveFormat &format, const QString &FileName)
{
    return Open(FolderPath, format, PartFileName::Base(FileName, m_clock->Now()), false);
}

QString ClsWaveWriter::OpenFreeFile(const QString &FolderPath, const WaveFormat &format, const QString &FreeName)
{
    return Open(FolderPath, format, FreeName, true);
}

QString ClsWaveWriter::Open(const QString &FolderPath, const WaveFormat &format, const QString &base, bool baseIsFree)
{
    IgnoreFileSizeSignal();
    QString folder = FolderPath;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');

    PartFileName::Numbered name = baseIsFree ? PartFileName::Numbered{base, 0} : PartFileName::Unique(folder, base);
    for (;;) {
        m_path = folder + name.name + QStringLiteral(".WAV");
        m_fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0)
            break;
        if (errno != EEXIST)
            ThrowFileError(errno);
        // created by someone else since the folder was read
        name = PartFileName::Unique(folder, base, name.number + 1);
    }

    char *h = m_header.data();
    std::memcpy(h, "RIFF", 4);
    Put32(h + 4, 0);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    Put32(h + 16, 16);
    Put16(h + 20, format.FormatTag);
    Put16(h + 22, format.Channels);
    Put32(h + 24, format.SamplesPerSec);
    Put32(h + 28, format.AvgBytesPerSec);
    Put16(h + 32, format.BlockAlign);
    m_blockAlign = std::max<qint64>(format.BlockAlign, 1);
    Put16(h + 34, format.BitsPerSample);
    std::memcpy(h + 36, "data", 4);
    m_dataBytes = 0;
    Put32(h + kRiffSizeOffset, 36);
    Put32(h + kDataSizeOffset, 0);
    if (!WriteAllAt(m_fd, h, kHeaderBytes, 0)) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        ::unlink(QFile::encodeName(m_path).constData());  // ours, and not a WAVE file yet
        ThrowFileError(error);
    }
    return m_path;
}

void ClsWaveWriter::Write8(std::span<const quint8> WaveData)
{
    Append(reinterpret_cast<const char *>(WaveData.data()), static_cast<qint64>(WaveData.size()));
}

void ClsWaveWriter::Write16(std::span<const qint16> WaveData)
{
    if constexpr (std::endian::native == std::endian::little) {
        Append(reinterpret_cast<const char *>(WaveData.data()), static_cast<qint64>(WaveData.size()) * 2);
    } else {
        std::vector<qint16> le(WaveData.size());
        qToLittleEndian<qint16>(WaveData.data(), static_cast<qsizetype>(WaveData.size()), le.data());
        Append(reinterpret_cast<const char *>(le.data()), static_cast<qint64>(le.size()) * 2);
    }
}

void ClsWaveWriter::Append(const char *bytes, qint64 count)
{
    if (m_fd < 0)
        throw NumberedError(ErrNo::BadFileMode, QStringLiteral("no WAVE file is open"), kSource);
    if (count == 0)
        return;
    if (m_dataBytes + count + 36 > std::numeric_limits<qint32>::max())
        throw NumberedError::Standard(ErrNo::Overflow, kSource);

    const qint64 end = kHeaderBytes + m_dataBytes;
    const qint32 before = m_dataBytes;
    qint64 written = 0;
    const bool whole = WriteAllAt(m_fd, bytes, count, end, &written);
    int error = whole ? 0 : errno;
    // A disk that fills up takes part of a block: the whole frames of that part stay.
    const qint64 kept = whole ? count : written - written % m_blockAlign;
    m_dataBytes = static_cast<qint32>(before + kept);
    UpdateHeaderSizes();
    const bool trimmed = kept == written || ::ftruncate(m_fd, static_cast<off_t>(end + kept)) == 0;
    if (trimmed && WriteAllAt(m_fd, m_header.data() + kRiffSizeOffset, kHeaderBytes - kRiffSizeOffset, kRiffSizeOffset)) {
        if (whole)
            return;
        ThrowFileError(error);
    }
    if (error == 0)
        error = errno;
    // The header cannot be brought up to date: take back whatever part of the block reached the
    // disk, so that the header and the bytes present agree again.
    m_dataBytes = before;
    UpdateHeaderSizes();
    if (::ftruncate(m_fd, static_cast<off_t>(end)) == 0)
        WriteAllAt(m_fd, m_header.data() + kRiffSizeOffset, kHeaderBytes - kRiffSizeOffset, kRiffSizeOffset);
    ThrowFileError(error);
}

void ClsWaveWriter::UpdateHeaderSizes()
{
    Put32(m_header.data() + kRiffSizeOffset, static_cast<quint32>(m_dataBytes) + 36);
    Put32(m_header.data() + kDataSizeOffset, static_cast<quint32>(m_dataBytes));
}

QString ClsWaveWriter::CloseFile()
{
    if (m_fd < 0)
        return {};
    UpdateHeaderSizes();
    WriteAllAt(m_fd, m_header.data() + kRiffSizeOffset, kHeaderBytes - kRiffSizeOffset, kRiffSizeOffset);
    ::close(m_fd);
    m_fd = -1;
    return m_path;
}

void ClsWaveWriter::ThrowFileError(int error) const
{
    throw FileError(error, m_path, kSource);
}

}  // namespace tolvane
