#include "LegacyScheduleFile.h"

#include "common/ClsTextSaveLoad.h"
#include "common/FileError.h"
#include "common/NumberedError.h"
#include "core/controller/ClsController.h"
#include "core/persistence/AtomicFile.h"
#include "core/persistence/StoredValue.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("LegacyScheduleFile");
const QString kInvalidFileMessage = QStringLiteral(
    "schedule.txtの内容が不正です。現在のschedule.txtを破棄します。アプリケーションを再起動して下さい。"
    "現在のschedule.txtはschedule.bakにリネームされています。ファイル内容をテキストエディタなどで変更して"
    "いない場合はOstrelまでご連絡下さい。");
const QString kUnreadSchedulesMessage = QStringLiteral(
    "schedule.txtの次の予定は内容が不正なため読み込めませんでした。その行は%1に書き出してあります。"
    "ほかの予定は読み込みました。");

// The old reader held line indexes in 16 bits.
constexpr qsizetype kLastLineLimit = 32767;

// The fields of a record after its weekdays, in file order. Every layout holds a leading run of
// them, so a layout is described by how many it has.
enum class Field : int {
    StartTime, EndTime, Valid, Bit, Frequency, Channel, SavePath, SNSValid, ENSValid,
    RecordingFormat, WMEFilePath, MP3Switch, MP3Stereo, MP3FileFormat, MP3DeleteWavFile, MP3VBR,
    MP3VBRQuality, MP3LimitVBRBitRate, MP3VBRMaxBitRate, MP3VBRMinBitRate, MP3CBRMPEG1BitRate,
    MP3CBRMPEG2BitRate, MP3NotUsePsy, MP3NotUseLPF, MP3CustomizeLPF, MP3LPFA, MP3LPFB, MP3SetnCPU,
    MP3nCPU, MP3SetPriority, MP3Priority, MP3NotUseEnhancedCPU, MP3NotUseMMX, MP3NotUse3DNow,
    MP3NotUseSSE, MP3NotUseEnhanced3DNow, MP3SetIOFreq, MP3InFreq, MP3OutFreq, FileName,
    UseSystemSourceDevice, DeviceID, SourceLineIndex,
};

enum class Header {
    WithOptions,  // 1 save folder, 2 silence level, 3 buffer length; the default schedule at 6
    SaveFolder,   // 1 save folder, the options reset; records from line 4
    Untagged,     // 0 save folder, the options left alone; records from line 3
};

struct Layout {
    const char *tag;
    Header header;
    bool dayLine;  // one line selects the weekdays, instead of one line per weekday
    int fields;

    bool Has(Field f) const { return static_cast<int>(f) < fields; }
    qsizetype FieldsStart() const { return dayLine ? 2 : 8; }
    qsizetype RecordLength() const { return FieldsStart() + fields; }
    qsizetype FirstRecord() const
    {
        switch (header) {
        case Header::WithOptions: return 6 + RecordLength();
        case Header::SaveFolder: return 4;
        case Header::Untagged: return 3;
        }
        return 3;
    }
};

// In the order they are tried; a first line that matches none is the untagged layout.
constexpr std::array<Layout, 7> kTaggedLayouts = {{
    {"savedataver0.3.7", Header::WithOptions, false, 43},
    {"savedataver0.3.6", Header::WithOptions, false, 40},
    {"savedataver0.3.5", Header::WithOptions, false, 39},
    {"savedataver0.3.0", Header::WithOptions, true, 39},
    {"savedataver0.2.0", Header::WithOptions, true, 11},
    {"savedataver0.0.18", Header::WithOptions, true, 9},
    {"savedataver0.0.16", Header::SaveFolder, true, 9},
}};
constexpr Layout kUntagged = {"", Header::Untagged, true, 7};

const Layout &LayoutOf(const QString &firstLine)
{
    for (const Layout &layout : kTaggedLayouts)
        if (firstLine == QLatin1String(layout.tag))
            return layout;
    return kUntagged;
}

// Typed reads of lines by index; a missing line or a failed conversion names the line.
class Lines {
public:
    explicit Lines(QStringList lines) : m_lines(std::move(lines)) {}

    qsizetype Last() const { return m_lines.size() - 1; }
    const QString &Text(qsizetype i) const
    {
        if (i > Last())
            throw NumberedError(ErrNo::SubscriptOutOfRange, Name(i) + QStringLiteral(" is missing"), kSource);
        return m_lines.at(i);
    }
    bool Bool(qsizetype i) const { return StoredValue::ToBool(Text(i), Name(i)); }
    qint32 Int32(qsizetype i) const { return StoredValue::ToInt32(Text(i), Name(i)); }
    double Double(qsizetype i) const { return StoredValue::ToDouble(Text(i), Name(i)); }

    // One number for the weekdays: 0 is every day, any other v the one day v + 1 (0 is Sunday),
    // so that no value gives Monday alone; that is how the files were always read.
    std::vector<qint32> DayLine(qsizetype i) const
    {
        const qint32 v = Int32(i);
        std::vector<qint32> days(7, v == 0 ? 1 : 0);
        if (v != 0) {
            const qint64 day = qint64(v) + 1;
            if (day < 0 || day > 6)
                throw NumberedError(ErrNo::SubscriptOutOfRange,
                                    QStringLiteral("%1 \"%2\": no such weekday").arg(Name(i), Text(i)), kSource);
            days[static_cast<size_t>(day)] = 1;
        }
        return days;
    }

private:
    static QString Name(qsizetype i) { return QStringLiteral("schedule.txt line %1").arg(i + 1); }

    QStringList m_lines;
};

// One schedule's lines from `first`. The fields a layout lacks keep the values of a record
// without them. The default schedule's block holds the priority switch as a number.
LegacyScheduleValues ReadRecord(const Lines &lines, qsizetype first, const Layout &layout, bool defaultBlock)
{
    const auto at = [&](Field f) { return first + layout.FieldsStart() + static_cast<int>(f); };
    LegacyScheduleValues v;
    v.Name = lines.Text(first);
    if (layout.dayLine) {
        v.StartDay = lines.DayLine(first + 1);
    } else {
        for (qsizetype day = 0; day < 7; ++day)
            v.StartDay.push_back(lines.Int32(first + 1 + day));
    }
    v.StartTime = lines.Text(at(Field::StartTime));
    v.EndTime = lines.Text(at(Field::EndTime));
    v.Valid = lines.Bool(at(Field::Valid));
    v.Bit = lines.Int32(at(Field::Bit));
    v.Frequency = lines.Int32(at(Field::Frequency));
    v.Channel = lines.Int32(at(Field::Channel));
    v.SavePath = lines.Text(at(Field::SavePath));
    if (layout.Has(Field::SNSValid)) {
        v.CutSNS = lines.Bool(at(Field::SNSValid));
        v.CutENS = lines.Bool(at(Field::ENSValid));
    }
    if (layout.Has(Field::RecordingFormat)) {
        v.RecordingFormat = lines.Int32(at(Field::RecordingFormat));
        v.WMEFilePath = lines.Text(at(Field::WMEFilePath));
    }
    if (layout.Has(Field::MP3Switch)) {
        v.MP3 = lines.Bool(at(Field::MP3Switch));
        if (v.MP3)
            v.RecordingFormat = static_cast<qint32>(FormatType::MP3);
        v.MP3Stereo = lines.Int32(at(Field::MP3Stereo));
        v.MP3FileFormat = lines.Int32(at(Field::MP3FileFormat));
        v.MP3DeleteWavFile = lines.Bool(at(Field::MP3DeleteWavFile));
        v.MP3VBR = lines.Bool(at(Field::MP3VBR));
        v.MP3VBRQuality = lines.Int32(at(Field::MP3VBRQuality));
        v.MP3LimitVBRBitRate = lines.Bool(at(Field::MP3LimitVBRBitRate));
        v.MP3VBRMaxBitRate = lines.Int32(at(Field::MP3VBRMaxBitRate));
        v.MP3VBRMinBitRate = lines.Int32(at(Field::MP3VBRMinBitRate));
        v.MP3CBRMPEG1BitRate = lines.Int32(at(Field::MP3CBRMPEG1BitRate));
        v.MP3CBRMPEG2BitRate = lines.Int32(at(Field::MP3CBRMPEG2BitRate));
        v.MP3NotUsePsy = lines.Bool(at(Field::MP3NotUsePsy));
        v.MP3NotUseLPF = lines.Bool(at(Field::MP3NotUseLPF));
        v.MP3CustomizeLPF = lines.Bool(at(Field::MP3CustomizeLPF));
        v.MP3LPFA = lines.Int32(at(Field::MP3LPFA));
        v.MP3LPFB = lines.Int32(at(Field::MP3LPFB));
        v.MP3SetnCPU = lines.Bool(at(Field::MP3SetnCPU));
        v.MP3nCPU = lines.Int32(at(Field::MP3nCPU));
        const qsizetype priority = at(Field::MP3SetPriority);
        v.MP3SetPriority = defaultBlock ? lines.Int32(priority) : (lines.Bool(priority) ? -1 : 0);
        v.MP3Priority = lines.Int32(at(Field::MP3Priority));
        v.MP3NotUseEnhancedCPU = lines.Bool(at(Field::MP3NotUseEnhancedCPU));
        v.MP3NotUseMMX = lines.Bool(at(Field::MP3NotUseMMX));
        v.MP3NotUse3DNow = lines.Bool(at(Field::MP3NotUse3DNow));
        v.MP3NotUseSSE = lines.Bool(at(Field::MP3NotUseSSE));
        v.MP3NotUseEnhanced3DNow = lines.Bool(at(Field::MP3NotUseEnhanced3DNow));
        v.MP3SetIOFreq = lines.Bool(at(Field::MP3SetIOFreq));
        v.MP3InFreq = lines.Int32(at(Field::MP3InFreq));
        v.MP3OutFreq = lines.Int32(at(Field::MP3OutFreq));
    }
    if (layout.Has(Field::FileName))
        v.FileName = lines.Text(at(Field::FileName));
    if (layout.Has(Field::UseSystemSourceDevice)) {
        v.UseSystemSourceDevice = lines.Bool(at(Field::UseSystemSourceDevice));
        v.DeviceIndex = lines.Int32(at(Field::DeviceID));
        v.SourceLineIndex = lines.Int32(at(Field::SourceLineIndex));
    }
    return v;
}

// The default schedule takes only the values its layout has, in the order the old reader
// assigned them; everything else keeps the class defaults.
void ApplyDefaultBlock(const LegacyScheduleValues &v, const Layout &layout, ClsSchedule &s)
{
    s.setName(v.Name);
    for (qint32 day = 0; day < 7; ++day)
        s.setStartDay(day, v.StartDay[static_cast<size_t>(day)]);
    s.setStartTime(v.StartTime);
    s.setEndTime(v.EndTime);
    s.setValid(v.Valid);
    ClsWave &wave = *s.WaveSetting();
    wave.setBit(static_cast<Bit>(v.Bit));
    wave.setFrequency(static_cast<Frequency>(v.Frequency));
    wave.setChannel(static_cast<Channel>(v.Channel));
    wave.setSNSValid(v.CutSNS);
    wave.setENSValid(v.CutENS);
    s.setSavePath(v.SavePath);
    if (layout.Has(Field::RecordingFormat)) {
        s.setRecordingFormat(static_cast<FormatType>(v.RecordingFormat));
        s.setWMEFilePath(v.WMEFilePath);
    } else {
        // The one layout with a default block but no format: it predates Windows Media.
        s.setRecordingFormat(FormatType::wave);
        s.setWMEFilePath(s.Services()->appFolder + QStringLiteral("/wme/default.wme"));
    }
    if (layout.Has(Field::MP3Switch))
        v.AssignMP3(*s.MP3());
    if (layout.Has(Field::FileName))
        s.setFileName(v.FileName);
    if (layout.Has(Field::UseSystemSourceDevice)) {
        s.setUseSystemSourceDevice(v.UseSystemSourceDevice);
        s.setDeviceID(v.DeviceIndex);
        s.setSourceLineIndex(v.SourceLineIndex);
    }
}

// A schedule (or the default schedule's block) that could not be read: its lines and why.
struct UnreadRecord {
    qsizetype first;
    qsizetype last;
    bool defaultBlock;
    NumberedError error;
};

// The schedules of the file into the controller; those that cannot be read are left out and
// returned. A failure of the head, or of the line count, is raised.
std::vector<UnreadRecord> Read(ClsController &controller, const Lines &lines)
{
    if (lines.Last() > kLastLineLimit)
        throw NumberedError(ErrNo::Overflow, QStringLiteral("schedule.txt has more than %1 lines").arg(kLastLineLimit + 1),
                            kSource);
    const Layout &layout = LayoutOf(lines.Text(0));
    std::vector<UnreadRecord> unread;
    // Every record has its fixed place, so one that does not read takes nothing else with it.
    const auto readRecord = [&](qsizetype first, bool defaultBlock, const auto &use) {
        try {
            use(ReadRecord(lines, first, layout, defaultBlock));
        } catch (const NumberedError &e) {
            if (first > lines.Last())
                throw;  // the file ends before it: nothing of it to keep
            unread.push_back({first, std::min(first + layout.RecordLength() - 1, lines.Last()), defaultBlock, e});
        }
    };

    switch (layout.header) {
    case Header::WithOptions:
        controller.setDefaultSavePath(lines.Text(1));
        controller.setNoSoundVolume(lines.Double(2));
        controller.setBufferLength(lines.Int32(3));
        readRecord(6, true, [&](const LegacyScheduleValues &v) {
            ApplyDefaultBlock(v, layout, *controller.DefaultSchedule());
        });
        break;
    case Header::SaveFolder:
        controller.setDefaultSavePath(lines.Text(1));
        controller.setBufferLength(1);
        controller.setNoSoundVolume(0);
        break;
    case Header::Untagged:
        controller.setDefaultSavePath(lines.Text(0));
        break;
    }

    for (qsizetype i = layout.FirstRecord(); i <= lines.Last(); i += layout.RecordLength()) {
        readRecord(i, false, [&](const LegacyScheduleValues &v) {
            controller.ScheduleList().Add2(controller.NewScheduleKey(), v, controller.Services());
        });
    }
    return unread;
}

// "schedule.bak" beside the file, or the first of "schedule.bak.1", "schedule.bak.2", ... that
// `fits`; an earlier failure may have left the plain name.
template <typename Fits>
QString SetAsideName(const QString &filePath, Fits fits)
{
    const QString base = QFileInfo(filePath).absolutePath() + QStringLiteral("/schedule.bak");
    for (int n = 0; n < 10000; ++n) {
        const QString path = n == 0 ? base : base + QLatin1Char('.') + QString::number(n);
        if (fits(path))
            return path;
    }
    throw NumberedError(ErrNo::FileAlreadyExists,
                        base + QStringLiteral(".*: ") + NumberedError::StandardDescription(ErrNo::FileAlreadyExists),
                        kSource);
}

// Renames the whole file; a failed rename throws its own error.
QString SetAsideFile(const QString &filePath)
{
    const QString bak = SetAsideName(filePath, [](const QString &path) { return !QFileInfo::exists(path); });
    QFile file(filePath);
    if (!file.rename(bak))
        throw FileError(file, filePath, kSource);
    return bak;
}

// Writes the lines of the unread records to a file of their own, in UTF-8 with CR LF like every
// text file this program writes. The file stays until the next save, so each start finds the
// same records: a set-aside file that already holds them is used again.
QString SetAsideRecords(const QString &filePath, const Lines &lines, const std::vector<UnreadRecord> &unread)
{
    QByteArray bytes;
    for (const UnreadRecord &r : unread)
        for (qsizetype i = r.first; i <= r.last; ++i)
            bytes += lines.Text(i).toUtf8() + "\r\n";
    const QString bak = SetAsideName(filePath, [&](const QString &path) {
        QFile file(path);
        return !file.exists() || (file.open(QIODevice::ReadOnly) && file.readAll() == bytes);
    });
    if (!QFileInfo::exists(bak))
        WriteFileAtomically(bak, bytes, kSource);
    return bak;
}

}  // namespace

void LegacyScheduleFile::Load(ClsController &controller)
{
    const bool readOnly = controller.Services()->readOnly;
    std::optional<Lines> lines;
    std::vector<UnreadRecord> unread;
    try {
        lines.emplace(ClsTextSaveLoad().LoadEveryLine(m_filePath));
        unread = Read(controller, *lines);
    } catch (const NumberedError &) {
        // A read-only run (tolvane-cli status) reports the error and leaves the file where it is.
        if (readOnly)
            throw;
        const QString bak = SetAsideFile(m_filePath);
        controller.Services()->notifier->ShowMessage(
            QString(kInvalidFileMessage).replace(QStringLiteral("schedule.bak"), QFileInfo(bak).fileName()));
        throw;
    }
    if (unread.empty())
        return;

    QStringList which;
    QString details;
    for (const UnreadRecord &r : unread) {
        const QString &name = lines->Text(r.first);
        which << QStringLiteral("lines %1 to %2 (\"%3\"%4): %5")
                     .arg(r.first + 1)
                     .arg(r.last + 1)
                     .arg(name, r.defaultBlock ? QStringLiteral(", the default schedule") : QString(),
                          r.error.Description());
        details += QStringLiteral("\n%1行目～%2行目「%3」%4: %5")
                       .arg(r.first + 1)
                       .arg(r.last + 1)
                       .arg(name, r.defaultBlock ? QStringLiteral("（既定の予定）") : QString(), r.error.Description());
    }
    const NumberedError error(
        unread.front().error.Number(),
        QStringLiteral("schedule.txt: left out, as they could not be read: %1").arg(which.join(QStringLiteral("; "))),
        kSource);
    if (!readOnly) {
        const QString bak = SetAsideRecords(m_filePath, *lines, unread);
        controller.Services()->notifier->ShowMessage(kUnreadSchedulesMessage.arg(QFileInfo(bak).fileName()) + details);
    }
    throw error;
}

}  // namespace tolvane
