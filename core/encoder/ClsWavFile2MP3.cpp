#include "ClsWavFile2MP3.h"

#include "common/FileWrite.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QtEndian>

#include <algorithm>

namespace tolvane {

namespace {

const QString kSource = QStringLiteral("ClsWavFile2MP3");
constexpr int kStartTimeoutMs = 10000;
// A recording's last blocks still to be encoded when the object goes.
constexpr int kFinishTimeoutMs = 30000;
// What the server wrote on standard error is kept to this many characters, the latest.
constexpr qsizetype kErrorTextLimit = 2000;

NumberedError CannotStart(const QString &program, const QString &reason)
{
    return NumberedError(ClsWavFile2MP3::kErrCannotStart,
                         QStringLiteral("MP3エンコーダ(%1)を起動できません: %2").arg(program, reason.trimmed()), kSource);
}

}  // namespace

ClsWavFile2MP3::ClsWavFile2MP3(QString encordaPath, QObject *parent) : m_program(std::move(encordaPath))
{
    setParent(parent);
    StartServer();
}

ClsWavFile2MP3::~ClsWavFile2MP3()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    bool putRightByServer = false;
    if (m_process->state() != QProcess::NotRunning) {
        // End of input tells the server to close what it holds and quit.
        m_process->closeWriteChannel();
        putRightByServer = m_process->waitForFinished(kFinishTimeoutMs)
                           && m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
        if (!putRightByServer) {
            m_process->kill();
            m_process->waitForFinished();
        }
    }
    if (!putRightByServer) {
        for (const Job &job : m_jobs)
            RestoreFiles(job);
    }
}

void ClsWavFile2MP3::StartServer()
{
    IgnoreBrokenPipeSignal();  // a server that dies fails the job, not the recorder
    StopServer();
    const quint64 generation = ++m_generation;
    m_reader = encorda::MessageReader();
    m_serverErrors.clear();

    // Signals are taken queued: a handler may delete this object, which must not happen
    // while QProcess is still inside its own signal.
    m_process = std::make_unique<QProcess>();
    connect(m_process.get(), &QProcess::readyReadStandardOutput, this, [this, generation] { ReadEvents(generation); },
            Qt::QueuedConnection);
    connect(m_process.get(), &QProcess::readyReadStandardError, this,
            [this, generation] {
                if (generation == m_generation && m_process)
                    m_serverErrors = (m_serverErrors + QString::fromLocal8Bit(m_process->readAllStandardError()))
                                         .right(kErrorTextLimit);
            },
            Qt::QueuedConnection);
    connect(m_process.get(), &QProcess::finished, this, [this, generation] { ServerEnded(generation); },
            Qt::QueuedConnection);

    m_process->start(m_program, {});
    if (!m_process->waitForStarted(kStartTimeoutMs)) {
        const QString reason = m_process->errorString();
        StopServer();
        throw CannotStart(m_program, reason);
    }

    const QDeadlineTimer deadline(kStartTimeoutMs);
    for (;;) {
        if (const std::optional<QByteArray> payload = m_reader.Next()) {
            QDataStream in(*payload);
            in.setVersion(encorda::kStreamVersion);
            quint8 kind = 0;
            quint32 version = 0;
            QString library;
            in >> kind >> version >> library;
            if (static_cast<encorda::Event>(kind) == encorda::Event::Ready && in.status() == QDataStream::Ok
                && version == encorda::kProtocolVersion)
                return;
            StopServer();
            throw CannotStart(m_program, QStringLiteral("応答が違います(プロトコル %1)").arg(version));
        }
        if (m_reader.Broken() || !m_process->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            m_process->waitForFinished(1000);
            const QString errors = QString::fromLocal8Bit(m_process->readAllStandardError());
            const QString reason = !errors.trimmed().isEmpty()                       ? errors
                                   : m_process->state() == QProcess::NotRunning ? QStringLiteral("応答せずに終了しました")
                                                                                : QStringLiteral("応答がありません");
            StopServer();
            throw CannotStart(m_program, reason);
        }
        m_reader.Append(m_process->readAllStandardOutput());
    }
}

void ClsWavFile2MP3::StopServer()
{
    if (!m_process)
        return;
    ++m_generation;
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->kill();
        m_process->waitForFinished();
    }
    m_process.reset();
}

void ClsWavFile2MP3::EnsureServer()
{
    // A server whose end has not been handled yet still owes its jobs their end; a job added
    // now ends with them, and the job after that gets a new server.
    if (m_process && (m_process->state() == QProcess::Running || !m_jobs.empty()))
        return;
    StartServer();
}

void ClsWavFile2MP3::BeginJob(bool fileMode, const QString &path)
{
    EnsureServer();
    if (m_jobs.empty())
        m_serverErrors.clear();
    m_jobs.push_back(Job{fileMode, path, path, QString()});
}

void ClsWavFile2MP3::SetParameterRealTimeEnc(const QString &FilePath, qint32 nFreq, qint32 nChannel, qint32 nBit,
                                             const Mp3EncodeSettings &settings)
{
    BeginJob(false, FilePath);
    Send(encorda::Message(encorda::Call::SetParameterRealTimeEnc, FilePath, nFreq, nChannel, nBit, settings));
}

void ClsWavFile2MP3::SetParameter(const QString &WavFilePath, qint32 WaveFreq, qint32 nChannel,
                                  const Mp3EncodeSettings &settings)
{
    BeginJob(true, WavFilePath);
    Send(encorda::Message(encorda::Call::SetParameter, WavFilePath, WaveFreq, nChannel, settings));
}

void ClsWavFile2MP3::EncodeFile()
{
    Send(encorda::Message(encorda::Call::EncodeFile));
}

void ClsWavFile2MP3::EncodeRealTime(const std::vector<qint16> &iBuf)
{
    // The server's encode does not depend on where the blocks are cut.
    const qsizetype size = static_cast<qsizetype>(iBuf.size());
    for (qsizetype at = 0; at < size; at += kMaxBlockSamples) {
        const qsizetype count = std::min(kMaxBlockSamples, size - at);
        QByteArray block(count * 2, Qt::Uninitialized);
        qToLittleEndian<qint16>(iBuf.data() + at, count, block.data());
        Send(encorda::Message(encorda::Call::EncodeRealTime, block));
        WaitWhileBehind();
    }
}

void ClsWavFile2MP3::WaitWhileBehind()
{
    while (m_process && m_process->state() == QProcess::Running && m_process->bytesToWrite() > kMaxQueuedBytes) {
        if (!m_process->waitForBytesWritten(kFinishTimeoutMs))
            return;  // a server that takes nothing for so long is left to its end
    }
}

qint64 ClsWavFile2MP3::BytesQueued() const
{
    return m_process ? m_process->bytesToWrite() : 0;
}

void ClsWavFile2MP3::FinishEncodeRealTime()
{
    Send(encorda::Message(encorda::Call::FinishEncodeRealTime));
}

void ClsWavFile2MP3::SetPriority(qint32 iPriority)
{
    Send(encorda::Message(encorda::Call::SetPriority, iPriority));
}

qint64 ClsWavFile2MP3::ServerProcessId() const
{
    return m_process && m_process->state() == QProcess::Running ? m_process->processId() : 0;
}

void ClsWavFile2MP3::Send(const QByteArray &message)
{
    // A server that is gone has ended its job already, or will when its end is handled.
    if (!m_process || m_process->state() != QProcess::Running)
        return;
    if (m_process->write(message) != message.size()) {
        m_serverErrors += QStringLiteral("\n書き込めません: ") + m_process->errorString();
        m_process->kill();
    }
}

void ClsWavFile2MP3::ReadEvents(quint64 generation)
{
    if (generation != m_generation || !m_process)
        return;
    m_reader.Append(m_process->readAllStandardOutput());
    while (const std::optional<QByteArray> payload = m_reader.Next()) {
        if (!HandleEvent(*payload) || generation != m_generation)
            return;
    }
    if (m_reader.Broken()) {
        m_serverErrors += QStringLiteral("\n応答の並びが壊れています");
        m_process->kill();
    }
}

bool ClsWavFile2MP3::HandleEvent(const QByteArray &payload)
{
    QDataStream in(payload);
    in.setVersion(encorda::kStreamVersion);
    quint8 kind = 0;
    in >> kind;
    const QPointer<ClsWavFile2MP3> self(this);
    switch (static_cast<encorda::Event>(kind)) {
    case encorda::Event::Ready:
        break;
    case encorda::Event::Files: {
        QString working;
        QString output;
        in >> working >> output;
        if (in.status() == QDataStream::Ok && !m_jobs.empty()) {
            if (!working.isEmpty())
                m_jobs.front().workingPath = working;
            m_jobs.front().outputPath = output;
        }
        break;
    }
    case encorda::Event::Progress: {
        double fraction = 0;
        in >> fraction;
        if (in.status() == QDataStream::Ok)
            emit EncodeProgress(fraction);
        break;
    }
    case encorda::Event::Error: {
        qint32 number = 0;
        QString description;
        QString source;
        in >> number >> description >> source;
        if (in.status() == QDataStream::Ok)
            emit EncodeError(NumberedError(number, description, source));
        break;
    }
    case encorda::Event::FinishEncode:
        if (!m_jobs.empty())
            m_jobs.pop_front();
        emit FinishEncode();
        break;
    }
    return !self.isNull();
}

void ClsWavFile2MP3::ServerEnded(quint64 generation)
{
    if (generation != m_generation || !m_process)
        return;
    const QPointer<ClsWavFile2MP3> self(this);
    // Whatever the server said before it ended comes first; it may have finished the job.
    ReadEvents(generation);
    if (!self || generation != m_generation)
        return;
    const QString errors =
        (m_serverErrors + QString::fromLocal8Bit(m_process->readAllStandardError())).trimmed().right(kErrorTextLimit);
    const QString how = m_process->exitStatus() == QProcess::CrashExit
                            ? QStringLiteral("異常終了しました")
                            : QStringLiteral("終了しました(終了コード %1)").arg(m_process->exitCode());
    ++m_generation;
    m_process.reset();

    // Each job the server did not finish ends here, with the error, in the order they came.
    std::deque<Job> unfinished;
    unfinished.swap(m_jobs);
    for (const Job &job : unfinished) {
        QString description = QStringLiteral("MP3エンコーダ(%1)がエンコード中に%2。").arg(m_program, how);
        if (!errors.isEmpty())
            description += QLatin1Char(' ') + errors;
        const QString unresolved = RestoreFiles(job);
        if (!unresolved.isEmpty())
            description += QLatin1Char(' ') + unresolved;
        emit EncodeError(NumberedError(kErrServerLost, description, kSource));
        if (!self)
            return;
        emit FinishEncode();
        if (!self)
            return;
    }
}

QString ClsWavFile2MP3::RestoreFiles(const Job &job)
{
    if (!job.fileMode)
        return {};
    const QString &given = job.givenPath;
    const QString &working = job.workingPath;
    QStringList problems;
    // With the input gone the encode had succeeded and deleted it: the output is all there is.
    const bool inputKept = QFileInfo::exists(working) || QFileInfo::exists(given);
    if (inputKept && !job.outputPath.isEmpty() && QFileInfo::exists(job.outputPath) && !QFile::remove(job.outputPath))
        problems << QStringLiteral("途中までのMP3ファイル %1 を削除できません。").arg(job.outputPath);
    if (working != given && QFileInfo::exists(working)
        && (QFileInfo::exists(given) || !QFile::rename(working, given)))
        problems << QStringLiteral("WAVEファイルは %1 に残っています。").arg(working);
    return problems.join(QLatin1Char(' '));
}

}  // namespace tolvane
