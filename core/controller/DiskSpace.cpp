#include "DiskSpace.h"

#include "core/capture/WmeSession.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <map>

namespace tolvane {

namespace {

constexpr qint64 kWaveHeader = 44;
constexpr qint64 kLargestPart = 2'000'000'000;

// The MP3 bit rate the encoder will use, in bits per second; VBR without limits is counted at
// the highest rate, so the estimate is never short.
qint64 Mp3BitsPerSecond(const ClsSchedule &s)
{
    const ClsMP3 &m = *s.MP3();
    const qint32 rate = m.MP3SetIOFreq() ? m.MP3OutFreq() : SampleRateOf(s.WaveSetting()->Frequency());
    const bool mpeg1 = rate >= 32000;
    qint64 kbps = 0;
    if (m.MP3VBR())
        kbps = m.MP3LimitVBRBitRate() ? m.MP3VBRMaxBitRate() : (mpeg1 ? 320 : 160);
    else
        kbps = mpeg1 ? m.MP3CBRMPEG1BitRate() : m.MP3CBRMPEG2BitRate();
    if (m.MP3Stereo() == 0 || s.WaveSetting()->Channel() == Channel::mono)
        kbps = (kbps + 1) / 2;
    return std::max<qint64>(kbps, 8) * 1000;
}

}  // namespace

DiskSpace::DiskSpace(QString defaultFolder, bool encodeAfterCapture, std::function<qint64(const QString &)> freeBytes)
    : m_defaultFolder(std::move(defaultFolder)),
      m_encodeAfterCapture(encodeAfterCapture),
      m_freeBytes(freeBytes ? std::move(freeBytes) : &DiskSpace::FreeBytes)
{
}

QString DiskSpace::FolderOf(const ClsSchedule &s) const
{
    return QDir::cleanPath(s.SavePath().isEmpty() ? m_defaultFolder : s.SavePath());
}

qint64 DiskSpace::Bytes(const ClsSchedule &s, qint64 seconds, qint64 *temporary) const
{
    if (temporary)
        *temporary = 0;
    const ClsWave &w = *s.WaveSetting();
    const qint64 perSecond = qint64{SampleRateOf(w.Frequency())} * ChannelCountOf(w.Channel()) * (BitsPerSampleOf(w.Bit()) / 8);
    const qint64 waveData = perSecond * seconds;
    // Each part of a split recording has its own header.
    qint64 partBytes = kLargestPart;
    if (w.SplitByTime() && w.SplitTime().count() > 0)
        partBytes = std::min(partBytes, perSecond * WrapDay(w.SplitTime()).count());
    const qint64 wave = waveData + kWaveHeader * (1 + (partBytes > 0 ? waveData / partBytes : 0));
    const qint64 mp3 = Mp3BitsPerSecond(s) / 8 * seconds;

    switch (s.RecordingFormat()) {
    case FormatType::windowsmedia: return SessionBitsPerSecond(s.WMEFilePath()) / 8 * seconds;
    case FormatType::MP3:
        if (s.MP3()->MP3RealTime())
            return mp3;
        if (!m_encodeAfterCapture)
            return wave;
        if (s.MP3()->MP3DeleteWavFile()) {
            if (temporary)
                *temporary = wave;
            return mp3;
        }
        return wave + mp3;
    case FormatType::wave:
    default: return wave;
    }
}

qint64 DiskSpace::SessionBitsPerSecond(const QString &sessionFile) const
{
    const auto known = m_sessionBits.find(sessionFile);
    if (known != m_sessionBits.end())
        return known->second;
    qint64 bits = 128000;
    try {
        bits = WmeSession::Load(sessionFile).BitRate;
    } catch (const NumberedError &) {
        // The recording will report the session file itself; count the default rate.
    }
    m_sessionBits.emplace(sessionFile, bits);
    return bits;
}

std::vector<FolderSpace> DiskSpace::Estimate(const std::vector<Occurrence> &recordings) const
{
    std::map<QString, FolderSpace> folders;
    std::map<QString, qint64> largestTemporary;
    for (const Occurrence &o : recordings) {
        const QString folder = FolderOf(*o.schedule);
        FolderSpace &f = folders[folder];
        f.folder = folder;
        qint64 temporary = 0;
        f.needed += Bytes(*o.schedule, o.Seconds(), &temporary);
        ++f.recordings;
        // WAVE files waiting for their encode are deleted one after another; only one at a time.
        largestTemporary[folder] = std::max(largestTemporary[folder], temporary);
    }
    std::vector<FolderSpace> result;
    for (auto &[folder, f] : folders) {
        f.needed += largestTemporary[folder];
        f.available = m_freeBytes(folder);
        result.push_back(f);
    }
    return result;
}

qint64 DiskSpace::FreeBytes(const QString &folder)
{
    // A folder made at the first recording: its nearest existing parent tells the file system.
    QFileInfo info(folder);
    while (!info.exists() && !info.isRoot() && info.absolutePath() != info.absoluteFilePath())
        info = QFileInfo(info.absolutePath());
    const QStorageInfo storage(info.absoluteFilePath());
    return storage.isValid() ? storage.bytesAvailable() : 0;
}

QString ByteSizeText(qint64 bytes)
{
    const double value = double(bytes);
    if (value >= 1e9)
        return QStringLiteral("%1 GB").arg(value / 1e9, 0, 'f', 1);
    if (value >= 1e6)
        return QStringLiteral("%1 MB").arg(value / 1e6, 0, 'f', 1);
    return QStringLiteral("%1 kB").arg(value / 1e3, 0, 'f', 0);
}

}  // namespace tolvane
