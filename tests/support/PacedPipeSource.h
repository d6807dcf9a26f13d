#pragma once
// A source of the private sound server that the test feeds: module-pipe-source reads a FIFO
// that a PacedFeeder fills (16-bit frames, stereo unless said otherwise, 44100 Hz). It becomes
// the server's default source. Clock pace suits PulseAudio: the source delivers no more sound
// than time has passed (unlike the server's sine source, which hands out its sound two seconds
// ahead); under PipeWire the pace is always Graph.

#include "tests/support/PacedFeeder.h"
#include "tests/support/SoundServer.h"

#include <QTemporaryDir>

#include <memory>

namespace tolvane::test {

class PacedPipeSource {
public:
    using Sample = PacedFeeder::Sample;
    using Pace = PacedFeeder::Pace;
    static constexpr qint64 kRate = PacedFeeder::kRate;

    PacedPipeSource(const SoundServer &server, const QString &name, Sample sample, Pace pace = Pace::Clock,
                    int channels = 2)
    {
        const QString fifo = m_dir.filePath(name);
        if (server.Pactl({"load-module", "module-pipe-source", "source_name=" + name, "file=" + fifo,
                          "format=s16le", "rate=44100", QStringLiteral("channels=%1").arg(channels)})
                .isEmpty())
            return;
        server.Pactl({"set-default-source", name});
        m_ready = server.Pactl({"get-default-source"}).trimmed() == name;
        m_feeder = std::make_unique<PacedFeeder>(fifo, std::move(sample), server.IsPipeWire() ? Pace::Graph : pace,
                                                 false, channels);
        m_feeder->Start();
    }

    bool Ready() const { return m_ready; }
    // Clock pace: the wall-clock moment of frame 0, in nanoseconds since the Unix epoch.
    qint64 OriginNs() const { return m_feeder ? m_feeder->OriginNs() : 0; }
    static qint64 FrameNs(qint64 frame) { return PacedFeeder::FrameNs(frame); }
    // When frame n was live (-1: not yet, as far as the feeder knows).
    qint64 LiveNs(qint64 frame) const { return m_feeder ? m_feeder->LiveNs(frame) : -1; }

private:
    QTemporaryDir m_dir;
    bool m_ready = false;
    std::unique_ptr<PacedFeeder> m_feeder;
};

}  // namespace tolvane::test
