#pragma once
// Fills a FIFO with 16-bit frames (stereo unless said otherwise) at 44100 Hz from a thread, at one of two paces:
// - Clock: frame n is written when the wall clock reaches OriginNs() + n / 44100, and dropped
//   rather than sent late, so the reader gets no more sound than time has passed.
// - Graph (a reader that takes frames at its own pace, such as PipeWire's pipe source, which
//   repeats or zeroes frames when the pipe runs dry): the pipe is kept a tenth of a second
//   ahead, and the feeder watches how far the reader has taken, which tells when each frame went
//   live.
// LiveNs(n) is when frame n was live, in nanoseconds of the wall clock since the Unix epoch.

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tolvane::test {

class PacedFeeder {
public:
    // The sample of a channel (0 left, 1 right) in a frame counted from 0.
    using Sample = std::function<quint16(qint64 frame, int channel)>;
    enum class Pace { Clock, Graph };
    static constexpr qint64 kRate = 44100;

    // readersComeAndGo: the FIFO is held open for reading too, so that a reader that goes (a
    // server killed by the test) and the next one never make the writes fail.
    PacedFeeder(const QString &fifo, Sample sample, Pace pace, bool readersComeAndGo = false, int channels = 2)
        : m_fifo(fifo), m_sample(std::move(sample)), m_pace(pace), m_readersComeAndGo(readersComeAndGo),
          m_channels(channels)
    {
        m_start = std::chrono::steady_clock::now();
        m_originNs = WallNs();
    }
    // From here on the sample function is asked for frames (so it may ask its owner, now made,
    // for the origin).
    void Start()
    {
        m_feeder = std::thread([this] { Feed(m_fifo, m_readersComeAndGo); });
    }
    ~PacedFeeder()
    {
        m_done = true;
        if (m_feeder.joinable())
            m_feeder.join();
    }
    PacedFeeder(const PacedFeeder &) = delete;
    PacedFeeder &operator=(const PacedFeeder &) = delete;

    // Clock pace: the wall-clock moment of frame 0, in nanoseconds since the Unix epoch.
    qint64 OriginNs() const { return m_originNs; }
    static qint64 FrameNs(qint64 frame) { return frame / kRate * 1'000'000'000 + frame % kRate * 1'000'000'000 / kRate; }
    // When frame n was live (-1: not yet, as far as the feeder knows).
    qint64 LiveNs(qint64 frame) const
    {
        if (m_pace == Pace::Clock)
            return m_originNs + FrameNs(frame);
        // The first look at the pipe that found the frame taken.
        std::lock_guard lock(m_mutex);
        const auto taken = std::upper_bound(m_reads.begin(), m_reads.end(), frame,
                                            [](qint64 f, const std::pair<qint64, qint64> &r) { return f < r.second; });
        return taken == m_reads.end() ? -1 : taken->first;
    }

private:
    static qint64 WallNs()
    {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
            .count();
    }

    void Feed(const QString &fifo, bool readersComeAndGo)
    {
        const int fd = ::open(QFile::encodeName(fifo).constData(), readersComeAndGo ? O_RDWR : O_WRONLY);
        if (fd < 0)
            return;
        // The reader stops reading while nobody records; the feeder must still be able to end.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        // Like a sound card, the source holds little: a small pipe and at most a tenth of a
        // second waiting, so sound nobody took while idle does not arrive later in one burst.
        ::fcntl(fd, F_SETPIPE_SZ, 16384);
        const std::size_t mostPending = 4410 * 2 * std::size_t(m_channels);
        std::vector<char> pending;
        qint64 written = 0;  // bytes in the pipe or read from it
        for (qint64 made = 0; !m_done;) {
            qint64 due = 0;
            if (m_pace == Pace::Clock) {
                due = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_start)
                          .count() * kRate / 1000000;
            } else {
                int inPipe = 0;
                ::ioctl(fd, FIONREAD, &inPipe);
                const qint64 taken = (written - inPipe) / (2 * m_channels);
                {
                    std::lock_guard lock(m_mutex);
                    if (m_reads.empty() || m_reads.back().second != taken)
                        m_reads.emplace_back(WallNs(), taken);
                }
                due = taken + kRate / 10;
            }
            for (; made < due; ++made) {
                for (int channel = 0; channel < m_channels; ++channel) {
                    const quint16 v = m_sample(made, channel);
                    pending.push_back(char(v & 0xff));
                    pending.push_back(char(v >> 8));
                }
            }
            const ssize_t n = pending.empty() ? 0 : ::write(fd, pending.data(), pending.size());
            if (n < 0 && errno != EAGAIN)
                break;
            if (n > 0) {
                pending.erase(pending.begin(), pending.begin() + n);
                written += n;
            }
            if (m_pace == Pace::Clock && pending.size() > mostPending)
                pending.erase(pending.begin(), pending.end() - std::ptrdiff_t(mostPending));
            std::this_thread::sleep_for(std::chrono::milliseconds(m_pace == Pace::Clock ? 2 : 1));
        }
        ::close(fd);
    }

    QString m_fifo;
    Sample m_sample;
    Pace m_pace;
    bool m_readersComeAndGo;
    int m_channels;
    std::chrono::steady_clock::time_point m_start;
    qint64 m_originNs = 0;
    mutable std::mutex m_mutex;
    std::vector<std::pair<qint64, qint64>> m_reads;  // (wall ns, frames taken by then), graph pace
    std::atomic<bool> m_done{false};
    std::thread m_feeder;
};

}  // namespace tolvane::test
