// Placing a stream's sound on the clock, on a simulated clock at 1000 frames a second (a frame
// is a millisecond): silence for what came late or was lost, what a new connection repeats
// dropped, and every frame at its time.

#include "core/capture/StreamPlacer.h"

#include <gtest/gtest.h>

#include <string>

using namespace tolvane;

namespace {

constexpr qint64 kMs = 1'000'000;

// What was stored, one character a frame: the connection's letter, or '.' for silence.
struct Stored {
    std::string frames;
    StreamPlacer placer{1000, 1,
                        StreamPlacer::Sink{[this](const char *b, qint64 n) { frames.append(b, size_t(n)); },
                                           [this](qint64 n) { frames.append(size_t(n), '.'); },
                                           [this] { return qint64(frames.size()); }}};
};

struct Connection {
    char letter;
    qint64 fromMs, toMs;  // connected at fromMs, gone after toMs
    qint64 firstMs;       // its first sound arrives then
    qint64 burst;         // frames in that first delivery; 100 every 100 ms after it
};

// Runs the connections on a 10 ms tick from the recording's start at 0.
std::string Place(const std::vector<Connection> &connections, qint64 untilMs)
{
    Stored s;
    for (qint64 t = 0; t <= untilMs; t += 10) {
        for (const Connection &c : connections) {
            if (t == c.fromMs)
                s.placer.Connected();
            if (t >= c.firstMs && t <= c.toMs && (t - c.firstMs) % 100 == 0) {
                const std::string sound(size_t(t == c.firstMs ? c.burst : 100), c.letter);
                s.placer.Audio(sound.data(), qint64(sound.size()), t * kMs);
            }
            if (t == c.toMs)
                s.placer.Disconnected(t * kMs);
        }
        s.placer.Tick(t * kMs, 0);
    }
    return s.frames;
}

}  // namespace

// A stream whose sound comes a second after the start: what it delivered at 1.0 s was live
// from 0.9 s, so the file opens with 0.9 s of silence.
TEST(StreamPlacer, LateStreamOpensWithSilenceUpToItsSound)
{
    const std::string f = Place({{'A', 0, 5000, 1000, 100}}, 3000);
    EXPECT_EQ(f.find('A'), 900u);
    EXPECT_EQ(f.find_first_not_of('.'), f.find('A'));
    EXPECT_EQ(f.find('.', 900), std::string::npos);
}

// Dropped at 3 s and back at 6 s with a burst of 0.3 s it held: silence follows the clock two
// seconds behind while nothing comes, the burst lands where it was live, and the sound runs on
// without a seam. Nothing is stored twice.
TEST(StreamPlacer, DropBecomesSilenceAndTheReturnKeepsItsTime)
{
    const std::string f = Place({{'A', 0, 3000, 100, 100}, {'B', 6000, 9000, 6000, 300}}, 5500);
    EXPECT_EQ(f.size(), 3500u);  // 2 s behind the clock while the stream is overdue

    const std::string g = Place({{'A', 0, 3000, 100, 100}, {'B', 6000, 9000, 6000, 300}}, 8000);
    EXPECT_EQ(g.substr(0, 3000), std::string(3000, 'A'));
    EXPECT_EQ(g.substr(3000, 2700), std::string(2700, '.'));
    EXPECT_EQ(g.find_first_not_of('B', 5700), std::string::npos);
    EXPECT_EQ(g.size(), 5700u + 300 + 2000);
}
