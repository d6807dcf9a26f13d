#pragma once
// An internet radio stream on loopback for tests: FFmpeg encodes 128 kbit/s MP3 from frames a
// PacedFeeder hands it at the pace of the wall clock, and serves it over HTTP itself (one
// listener at a time), sending each packet as soon as it is made. The test may kill the server
// and start it again on the same address.

#include "tests/support/PacedFeeder.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tolvane::test {

class StreamServer {
public:
    explicit StreamServer(PacedFeeder::Sample sample);
    ~StreamServer();
    StreamServer(const StreamServer &) = delete;
    StreamServer &operator=(const StreamServer &) = delete;

    // False when the server did not come up; Error() then says why.
    bool Running() const { return m_running; }
    const QString &Error() const { return m_error; }
    QString Url() const;
    // The wall-clock moment of frame 0 of the feeder, in nanoseconds since the Unix epoch.
    qint64 OriginNs() const { return m_feeder ? m_feeder->OriginNs() : 0; }

    // Ends the server at once (SIGKILL), as a crash would: its listener's connection drops.
    void Kill();
    // A new server on the same address; true once it listens.
    bool Start();

private:
    bool Listening() const;

    QTemporaryDir m_dir;
    QString m_fifo;
    quint16 m_port = 0;
    std::unique_ptr<PacedFeeder> m_feeder;
    std::unique_ptr<QProcess> m_server;
    QString m_error;
    bool m_running = false;
};

}  // namespace tolvane::test
