#pragma once
// The encoder server's side of the pipe: reads calls from standard input, runs them on one
// Mp3Encoder and writes its events to standard output. It ends when its client goes away.

#include "encoder/protocol/EncordaProtocol.h"
#include "encoder/Mp3Encoder.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>

namespace tolvane::encorda {

class EncordaServer : public QObject, private IEncoderEvents {
    Q_OBJECT
public:
    EncordaServer(int inputFd, int outputFd);

    // Checks that LAME works and tells the client so; false (with the reason on standard
    // error) when the server cannot be used.
    bool Start();

private:
    void FilesChosen(const QString &workingInput, const QString &output) override;
    void EncodeError(const NumberedError &error) override;
    void FinishEncode() override;

    void ReadCalls();
    void Dispatch(const QByteArray &payload);
    void StartFileEncode();
    void EncodeSlice();
    void Send(const QByteArray &message);
    // The client has gone: end the job as well as it can be ended, then quit.
    void ClientGone();

    int m_outputFd;
    QSocketNotifier m_input;
    MessageReader m_reader;
    Mp3Encoder m_encoder;
    QTimer m_startTimer;  // a file encode starts after EncodeFile has been answered
    QTimer m_sliceTimer;  // one slice of the file encode per turn of the event loop
    std::chrono::steady_clock::time_point m_lastProgress;
    bool m_clientGone = false;
};

}  // namespace tolvane::encorda
