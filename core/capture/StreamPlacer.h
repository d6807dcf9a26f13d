#pragma once
// Places the sound of an internet stream on the clock. A stream's own timeline (its frames,
// counted as they are decoded) is mapped to the steady clock from when they arrive: every frame
// was live by the time it arrived, and the lowest of these bounds is the line, as for a sound
// card. Each connection is placed on the one continuous line of the recording once its first
// half second is in (a server's burst of what it held is in by then): the gap since the last
// connection becomes silence, and what the new one repeats of time already covered is dropped.
// Where the stream is overdue (dropped, reconnecting, stalled) silence keeps the recording
// going at the pace of the clock, a little behind it, so that a recording still ends on time
// with its exact length.

#include "core/capture/CaptureTimeline.h"

#include <QtGlobal>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace tolvane {

class StreamPlacer {
public:
    // Where the placed frames go, in order: sound, and silence that stands for sound lost.
    struct Sink {
        std::function<void(const char *bytes, qint64 frames)> store;
        std::function<void(qint64 frames)> silence;
        std::function<qint64()> written;  // frames stored so far, silence included
    };

    // How long a new connection's sound is held before it is placed.
    static constexpr qint64 kSettleNs = 500'000'000;
    // How far behind the clock silence follows a stream that is overdue; a stream that delivers
    // in larger steps (HLS segments) gets twice its largest step, up to the longest lag.
    static constexpr qint64 kShortestLagNs = 2'000'000'000;
    static constexpr qint64 kLongestLagNs = 10'000'000'000;
    // A stream's reports: further apart and more scattered than a sound card's.
    static constexpr CaptureTimeline::Tolerance kTolerance{10'000'000'000, 1'000'000'000, 250'000'000,
                                                           3'600'000'000'000};

    StreamPlacer(qint64 rate, qint32 frameBytes, Sink sink);

    // A new connection; what it delivers is placed anew.
    void Connected();
    // The connection delivered `frames` frames by `ns` on the steady clock.
    void Audio(const char *bytes, qint64 frames, qint64 ns);
    // The connection is over; what it delivered is placed.
    void Disconnected(qint64 ns);
    // Called often: places a connection that has settled, and fills in for an overdue stream.
    // `startNs` is when the recording starts (std::nullopt before that is known).
    void Tick(qint64 ns, std::optional<qint64> startNs);

    // The frame (as stored) live at `ns`; none before the first connection is placed or the
    // start has passed without one.
    std::optional<qint64> FrameLiveAt(qint64 ns) const;

private:
    struct Chunk {
        qint64 frames;
        std::vector<char> bytes;  // empty: silence
    };
    struct Connection {
        CaptureTimeline timeline;
        qint64 position = 0;  // frames accounted: sound, and silence for what it lost
        bool placed = false;
        qint64 base = 0;      // the stored frame its position 0 is (once placed)
        std::deque<Chunk> held;
        qint64 firstNs = -1;
        qint64 lastNs = -1;
    };

    void Put(Connection &c, const char *bytes, qint64 frames);
    void Place(Connection &c, std::optional<qint64> startNs);
    qint64 LagNs() const;

    qint64 m_rate;
    qint32 m_frameBytes;
    Sink m_sink;
    std::optional<Connection> m_connection;
    bool m_mapped = false;
    qint64 m_originNs = 0;  // when stored frame 0 was live
    qint64 m_longestStepNs = 0;
    std::optional<qint64> m_startNs;
};

}  // namespace tolvane
