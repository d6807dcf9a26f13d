#include "EncordaServer.h"

#include "common/NumberedError.h"
#include "encoder/ProcessPriority.h"

#include <QCoreApplication>

#include <lame/lame.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>

namespace tolvane::encorda {

namespace {

using namespace std::chrono_literals;

// A file encode reports its progress at most twice a second.
constexpr auto kProgressInterval = 500ms;
const QString kSource = QStringLiteral("Encorda");

}  // namespace

EncordaServer::EncordaServer(int inputFd, int outputFd)
    : m_outputFd(outputFd), m_input(inputFd, QSocketNotifier::Read), m_encoder(*this)
{
    connect(&m_input, &QSocketNotifier::activated, this, &EncordaServer::ReadCalls);
    m_startTimer.setSingleShot(true);
    m_startTimer.setInterval(100ms);
    connect(&m_startTimer, &QTimer::timeout, this, &EncordaServer::StartFileEncode);
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, &EncordaServer::EncodeSlice);
}

bool EncordaServer::Start()
{
    lame_global_flags *probe = lame_init();
    const bool works = probe && lame_init_params(probe) >= 0;
    if (probe)
        lame_close(probe);
    if (!works) {
        std::fprintf(stderr, "encorda: the LAME encoder library does not initialise\n");
        return false;
    }
    Send(Message(Event::Ready, kProtocolVersion, QString::fromLatin1(get_lame_version())));
    return !m_clientGone;
}

void EncordaServer::ReadCalls()
{
    std::array<char, 65536> buffer;
    const ssize_t got = ::read(static_cast<int>(m_input.socket()), buffer.data(), buffer.size());
    if (got < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (got <= 0) {
        ClientGone();
        return;
    }
    m_reader.Append(QByteArray(buffer.data(), got));
    while (const std::optional<QByteArray> payload = m_reader.Next())
        Dispatch(*payload);
    if (m_reader.Broken()) {
        std::fprintf(stderr, "encorda: the calls from the client are out of step\n");
        ClientGone();
    }
}

void EncordaServer::Dispatch(const QByteArray &payload)
{
    QDataStream in(payload);
    in.setVersion(kStreamVersion);
    quint8 kind = 0;
    in >> kind;

    // Every call is read whole before it runs; a damaged one is refused.
    const auto intact = [&in, kind, this] {
        if (in.status() == QDataStream::Ok)
            return true;
        EncodeError(NumberedError(ErrNo::TypeMismatch, QStringLiteral("壊れた呼び出しです(種類 %1)").arg(kind), kSource));
        return false;
    };
    const auto idle = [this] {
        if (!m_encoder.Busy())
            return true;
        EncodeError(NumberedError(ErrNo::InvalidStatus, QStringLiteral("前のエンコードが終わっていません"), kSource));
        return false;
    };

    switch (static_cast<Call>(kind)) {
    case Call::SetParameter: {
        QString path;
        qint32 freq = 0;
        qint32 channel = 0;
        Mp3EncodeSettings settings;
        in >> path >> freq >> channel >> settings;
        if (intact() && idle())
            m_encoder.SetParameter(path, freq, channel, settings);
        return;
    }
    case Call::SetParameterRealTimeEnc: {
        QString path;
        qint32 freq = 0;
        qint32 channels = 0;
        qint32 bits = 0;
        Mp3EncodeSettings settings;
        in >> path >> freq >> channels >> bits >> settings;
        if (intact() && idle())
            m_encoder.SetParameterRealTimeEnc(path, freq, channels, bits, settings);
        return;
    }
    case Call::EncodeFile:
        m_startTimer.start();
        return;
    case Call::EncodeRealTime: {
        QByteArray block;
        in >> block;
        if (intact())
            m_encoder.EncodeRealTime(block);
        return;
    }
    case Call::FinishEncodeRealTime:
        m_encoder.FinishEncodeRealTime();
        return;
    case Call::SetPriority: {
        qint32 priority = 0;
        in >> priority;
        if (intact())
            SetPriority(priority);
        return;
    }
    }
    EncodeError(NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("未知の呼び出しです(種類 %1)").arg(kind), kSource));
}

void EncordaServer::StartFileEncode()
{
    m_lastProgress = std::chrono::steady_clock::now();
    m_sliceTimer.start();
}

void EncordaServer::EncodeSlice()
{
    if (!m_encoder.EncodeFileSlice()) {
        m_sliceTimer.stop();
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastProgress >= kProgressInterval) {
        m_lastProgress = now;
        Send(Message(Event::Progress, m_encoder.FileProgress()));
    }
}

void EncordaServer::FilesChosen(const QString &workingInput, const QString &output)
{
    Send(Message(Event::Files, workingInput, output));
}

void EncordaServer::EncodeError(const NumberedError &error)
{
    Send(Message(Event::Error, error.Number(), error.Description(), error.Source()));
}

void EncordaServer::FinishEncode()
{
    Send(Message(Event::FinishEncode));
}

void EncordaServer::Send(const QByteArray &message)
{
    if (m_clientGone)
        return;
    const char *data = message.constData();
    qsizetype left = message.size();
    while (left > 0) {
        const ssize_t written = ::write(m_outputFd, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            ClientGone();
            return;
        }
        data += written;
        left -= written;
    }
}

void EncordaServer::ClientGone()
{
    if (m_clientGone)
        return;
    m_clientGone = true;
    m_input.setEnabled(false);
    // Deferred: this may be reached from inside the encoder, which must finish its call first.
    QTimer::singleShot(0, this, [this] {
        m_startTimer.stop();
        m_sliceTimer.stop();
        m_encoder.Abandon();
        QCoreApplication::exit(0);
    });
}

}  // namespace tolvane::encorda
