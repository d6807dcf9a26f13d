#pragma once
// A source of the private sound server that the test feeds: module-pipe-source reads a FIFO
// that a thread fills with 16-bit frames at 44100 Hz at the pace of the clock. It becomes the
// server's default source. Unlike the server's sine source, which hands out its sound two
// seconds ahead of time, it delivers no more sound than time has passed; paced by the reader
// instead, it keeps the pipe full as such a source does.

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
    enum class Pace { Clock, Reader };

    PacedPipeSource(const PrivatePulse &pulse, const QString &name, Sample sample, Pace pace = Pace::Clock,
                    int channels = 2)
        : m_sample(std::move(sample)), m_pace(pace), m_channels(channels),
          // PipeWire reads the pipe on its own clock and fills what is not there yet with
          // silence; a little sound ahead covers the feeder's waking late.
          m_lead(pulse.IsPipeWire() ? 2205 : 0)
    {
        const QString fifo = m_dir.filePath(name);
        if (pulse.Pactl({"load-module", "module-pipe-source", "source_name=" + name, "file=" + fifo, "format=s16le",
                         "rate=44100", QStringLiteral("channels=%1").arg(channels)})
                .isEmpty())
            return;
        pulse.Pactl({"set-default-source", name});
        m_ready = pulse.Pactl({"get-default-source"}).trimmed() == name;
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
        const std::size_t mostPending = 4410 * 2 * std::size_t(m_channels);
        std::vector<char> pending;
        const auto start = std::chrono::steady_clock::now();
        for (qint64 made = 0; !m_done;) {
            const qint64 due = m_pace == Pace::Reader
                                   ? made + 4410
                                   : m_lead + std::chrono::duration_cast<std::chrono::microseconds>(
                                                  std::chrono::steady_clock::now() - start).count() * 44100 / 1000000;
            for (; made < due && (m_pace == Pace::Clock || pending.size() < mostPending); ++made) {
                for (int channel = 0; channel < m_channels; ++channel) {
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
            if (m_pace == Pace::Clock && pending.size() > mostPending)
                pending.erase(pending.begin(), pending.end() - std::ptrdiff_t(mostPending));
            std::this_thread::sleep_for(std::chrono::milliseconds(m_pace == Pace::Clock || n <= 0 ? 10 : 1));
        }
        ::close(fd);
    }

    Sample m_sample;
    Pace m_pace;
    int m_channels;
    qint64 m_lead;  // frames written ahead of the clock
    QTemporaryDir m_dir;
    std::atomic<bool> m_done{false};
    bool m_ready = false;
    std::thread m_feeder;
};

}  // namespace tolvane::test
