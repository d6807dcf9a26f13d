#pragma once
// A source of the private sound server that the test feeds: module-pipe-source reads a FIFO
// that a thread fills with 16-bit stereo frames at 44100 Hz at the pace of the clock. It becomes
// the server's default source. Unlike the server's sine source, which hands out its sound two
// seconds ahead of time, it delivers no more sound than time has passed: frame n is written when
// the wall clock reaches Origin() + n / 44100, and dropped rather than sent late.

#include "tests/support/PrivatePulse.h"

#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace tolvane::test {

class PacedPipeSource {
public:
    // The sample of a channel (0 left, 1 right) in a frame counted from 0.
    using Sample = std::function<quint16(qint64 frame, int channel)>;

    PacedPipeSource(const PrivatePulse &pulse, const QString &name, Sample sample) : m_sample(std::move(sample))
    {
        const QString fifo = m_dir.filePath(name);
        if (pulse.Pactl({"load-module", "module-pipe-source", "source_name=" + name, "file=" + fifo, "format=s16le",
                         "rate=44100", "channels=2"})
                .isEmpty())
            return;
        pulse.Pactl({"set-default-source", name});
        m_ready = pulse.Pactl({"get-default-source"}).trimmed() == name;
        m_start = std::chrono::steady_clock::now();
        m_originNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch()).count();
        m_feeder = std::thread([this, fifo] { Feed(fifo); });
    }
    ~PacedPipeSource()
    {
        m_done = true;
        if (m_feeder.joinable())
            m_feeder.join();
    }
    PacedPipeSource(const PacedPipeSource &) = delete;
    PacedPipeSource &operator=(const PacedPipeSource &) = delete;

    bool Ready() const { return m_ready; }
    // The wall-clock moment of frame 0, in nanoseconds since the Unix epoch.
    qint64 OriginNs() const { return m_originNs; }
    static constexpr qint64 kRate = 44100;
    // Frame n is live at OriginNs() + FrameNs(n).
    static qint64 FrameNs(qint64 frame) { return frame / kRate * 1'000'000'000 + frame % kRate * 1'000'000'000 / kRate; }

private:
    void Feed(const QString &fifo)
    {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY);
        if (fd < 0)
            return;
        // The server stops reading while nobody records; the feeder must still be able to end.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        // Like a sound card, the source holds little: a small pipe and at most a tenth of a
        // second waiting, so sound nobody took while idle does not arrive later in one burst.
        ::fcntl(fd, F_SETPIPE_SZ, 16384);
        constexpr std::size_t kMostPending = 4410 * 4;
        std::vector<char> pending;
        for (qint64 made = 0; !m_done;) {
            const qint64 due = std::chrono::duration_cast<std::chrono::microseconds>(
                                   std::chrono::steady_clock::now() - m_start).count() * kRate / 1000000;
            for (; made < due; ++made) {
                for (int channel = 0; channel < 2; ++channel) {
                    const quint16 v = m_sample(made, channel);
                    pending.push_back(char(v & 0xff));
                    pending.push_back(char(v >> 8));
                }
            }
            const ssize_t n = pending.empty() ? 0 : ::write(fd, pending.data(), pending.size());
            if (n < 0 && errno != EAGAIN)
                break;
            if (n > 0)
                pending.erase(pending.begin(), pending.begin() + n);
            if (pending.size() > kMostPending)
                pending.erase(pending.begin(), pending.end() - kMostPending);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ::close(fd);
    }

    Sample m_sample;
    QTemporaryDir m_dir;
    std::chrono::steady_clock::time_point m_start;
    qint64 m_originNs = 0;
    std::atomic<bool> m_done{false};
    bool m_ready = false;
    std::thread m_feeder;
};

}  // namespace tolvane::test
