#pragma once
// Writes one RIFF/WAVE file of PCM while a recording runs. The two size fields of the header
// are brought up to date after every block, so the file on disk is a valid WAVE file at every
// moment, even when the recorder is killed.

#include "core/capture/WaveFormat.h"
#include "core/platform/IClock.h"

#include <QString>

#include <array>
#include <memory>
#include <span>
#include <vector>

namespace tolvane {

class ClsWaveWriter {
public:
    static constexpr qint64 kHeaderBytes = 44;

    explicit ClsWaveWriter(std::shared_ptr<const IClock> clock);
    ~ClsWaveWriter();
    ClsWaveWriter(const ClsWaveWriter &) = delete;
    ClsWaveWriter &operator=(const ClsWaveWriter &) = delete;

    // Creates FolderPath/FileName.WAV (FileName made safe for one path component; the local
    // time as "yyyyMMddhhmmss" when empty) and writes the header. The file is never opened over
    // an existing one: a name already taken gets "_1", "_2", ... Returns the full path.
    // Throws the file's NumberedError when it cannot be created.
    QString OpenFile(const QString &FolderPath, const WaveFormat &format, const QString &FileName);
    // As OpenFile for a name the caller has just found free with PartFileName::Unique: it is
    // created as it is, and the folder is read again only when it has been taken since.
    QString OpenFreeFile(const QString &FolderPath, const WaveFormat &format, const QString &FreeName);

    // Append samples and bring the header up to date. A block that would take the sizes past
    // the 32-bit limit throws error 6 and writes nothing; a failed write throws the file's
    // NumberedError. When the disk fills up the whole frames of the block that fitted stay in
    // the file (and in the header); otherwise the file is left as it was before the block.
    void Write8(std::span<const quint8> WaveData);
    void Write16(std::span<const qint16> WaveData);
    void Write8(const std::vector<quint8> &WaveData) { Write8(std::span<const quint8>(WaveData)); }
    void Write16(const std::vector<qint16> &WaveData) { Write16(std::span<const qint16>(WaveData)); }

    // The 1-based position of the next byte: the file's length plus 1.
    qint64 FileCursorPosition() const { return kHeaderBytes + m_dataBytes + 1; }

    // Brings the header up to date and closes the file; never fails. Returns the path of the
    // file just closed (empty when none was open).
    QString CloseFile();

    qint32 DataBytes() const { return m_dataBytes; }

private:
    QString Open(const QString &FolderPath, const WaveFormat &format, const QString &base, bool baseIsFree);
    void Append(const char *bytes, qint64 count);
    void UpdateHeaderSizes();
    [[noreturn]] void ThrowFileError(int error) const;

    std::shared_ptr<const IClock> m_clock;
    std::array<char, kHeaderBytes> m_header{};
    qint32 m_dataBytes = 0;
    qint64 m_blockAlign = 1;
    QString m_path;
    int m_fd = -1;
};

}  // namespace tolvane
