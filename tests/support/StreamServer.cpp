#include "StreamServer.h"

#include "tests/support/LoopbackPort.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <sys/stat.h>

namespace tolvane::test {

StreamServer::StreamServer(PacedFeeder::Sample sample)
{
    m_fifo = m_dir.filePath("pcm");
    m_port = FreeLoopbackPort();
    if (::mkfifo(QFile::encodeName(m_fifo).constData(), 0600) != 0 || m_port == 0) {
        m_error = "cannot make the server's pipe or find a port";
        return;
    }
    m_feeder = std::make_unique<PacedFeeder>(m_fifo, std::move(sample), PacedFeeder::Pace::Clock, true);
    m_feeder->Start();
    m_running = Start();
}

StreamServer::~StreamServer()
{
    Kill();
    m_feeder.reset();
}

QString StreamServer::Url() const { return QStringLiteral("http://127.0.0.1:%1/live.mp3").arg(m_port); }

bool StreamServer::Start()
{
    Kill();
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::MergedChannels);
    m_server->setStandardOutputFile(m_dir.filePath("server.log"), QIODevice::Append);
    m_server->start("ffmpeg", {"-hide_banner", "-nostdin", "-loglevel", "error", "-f", "s16le", "-ar", "44100", "-ac",
                               "2", "-i", m_fifo, "-c:a", "libmp3lame", "-b:a", "128k", "-f", "mp3", "-content_type",
                               "audio/mpeg", "-flush_packets", "1", "-listen", "1", Url()});
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (Listening())
            return true;
        if (m_server->state() == QProcess::NotRunning)
            break;
        QThread::msleep(20);
    }
    QFile log(m_dir.filePath("server.log"));
    log.open(QIODevice::ReadOnly);
    m_error = "ffmpeg did not listen: " + QString::fromUtf8(log.readAll().right(2000));
    return false;
}

void StreamServer::Kill()
{
    if (m_server && m_server->state() != QProcess::NotRunning) {
        m_server->kill();
        m_server->waitForFinished(5000);
    }
}

// Whether a socket listens on the port (asking by connecting would take the one listener).
bool StreamServer::Listening() const
{
    QFile tcp("/proc/net/tcp");
    if (!tcp.open(QIODevice::ReadOnly))
        return false;
    const QByteArray local = QStringLiteral("0100007F:%1").arg(m_port, 4, 16, QLatin1Char('0')).toUpper().toLatin1();
    for (const QByteArray &line : tcp.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields[1] == local && fields[3] == "0A")
            return true;
    }
    return false;
}

}  // namespace tolvane::test
