#pragma once
// The MP3 encoder as the recorder uses it: each object runs its own encorda server process,
// which encodes one file or one recording at a time. A server that dies ends its job with an
// error; the next job starts a new one.

#include "core/encoder/IWavFile2MP3.h"
#include "encoder/protocol/EncordaProtocol.h"

#include <QProcess>

#include <deque>
#include <memory>

namespace tolvane {

class ClsWavFile2MP3 final : public IWavFile2MP3 {
    Q_OBJECT
public:
    // The server program cannot be started or does not answer that its encoder works.
    static constexpr qint32 kErrCannotStart = ErrNo::CannotCreateObject;
    // The server ended while it had a job.
    static constexpr qint32 kErrServerLost = qint32(0x80010108u);
    // The most samples one EncodeRealTime message carries (2 MiB).
    static constexpr qsizetype kMaxBlockSamples = qsizetype{1} << 20;
    // A server this far behind makes the next call wait, so that what it has not taken yet
    // never fills the recorder's memory.
    static constexpr qint64 kMaxQueuedBytes = qint64{8} << 20;

    // Starts the server program encordaPath and waits until it reports that its encoder library
    // works; throws NumberedError (kErrCannotStart) when it does not.
    explicit ClsWavFile2MP3(QString encordaPath, QObject *parent = nullptr);
    // Lets the server finish what it holds (a recording's last blocks are encoded and the file
    // closed; a file encode is abandoned and its WAVE file put back), then ends it.
    ~ClsWavFile2MP3() override;

    // Each throws NumberedError (kErrCannotStart) when a new server is needed and cannot be
    // started; errors of the encode itself arrive as EncodeError.
    void SetParameterRealTimeEnc(const QString &FilePath, qint32 nFreq, qint32 nChannel, qint32 nBit,
                                 const Mp3EncodeSettings &settings) override;
    void SetParameter(const QString &WavFilePath, qint32 WaveFreq, qint32 nChannel,
                      const Mp3EncodeSettings &settings) override;
    void EncodeFile() override;
    // Sends the block as messages far below the protocol's limit, and waits while the server is
    // more than kMaxQueuedBytes behind.
    void EncodeRealTime(const std::vector<qint16> &iBuf) override;
    void FinishEncodeRealTime() override;
    void SetPriority(qint32 iPriority) override;
    qint64 BytesQueued() const override;

    // The process id of the running server, 0 when none runs.
    qint64 ServerProcessId() const;

private:
    struct Job {
        bool fileMode = false;
        QString givenPath;
        QString workingPath;
        QString outputPath;
    };

    void StartServer();
    void EnsureServer();
    void BeginJob(bool fileMode, const QString &path);
    void Send(const QByteArray &message);
    void WaitWhileBehind();
    void ReadEvents(quint64 generation);
    // Handles one event; false when this object was deleted by a handler of its signals.
    bool HandleEvent(const QByteArray &payload);
    void ServerEnded(quint64 generation);
    // After a server died in a file encode: the unfinished output goes, the WAVE file comes
    // back under its own name. Returns what could not be put right, empty when all went well.
    static QString RestoreFiles(const Job &job);
    void StopServer();

    QString m_program;
    std::unique_ptr<QProcess> m_process;
    quint64 m_generation = 0;
    encorda::MessageReader m_reader;
    QString m_serverErrors;
    // Jobs handed to the server whose FinishEncode has not come back, oldest first. A recording
    // split into parts starts the next part before the last one's end has been reported.
    std::deque<Job> m_jobs;
};

}  // namespace tolvane
