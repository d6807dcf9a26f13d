// The source dialog's stream test: the level of a stream served on loopback, and a stream that
// refuses, each ending by itself.

#include "frontend/StreamLevelProbe.h"
#include "tests/support/StreamServer.h"
#include "tests/support/TestServices.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace tolvane;
using namespace tolvane::test;

namespace {

struct Heard {
    int loudest = -1;
    QStringList failures;
    bool finished = false;
};

Heard Listen(const QString &url, std::chrono::milliseconds length)
{
    StreamLevelProbe probe(std::make_shared<RecordingNotifier>());
    Heard heard;
    QObject::connect(&probe, &StreamLevelProbe::Level,
                     [&](int left, int right) { heard.loudest = std::max({heard.loudest, left, right}); });
    QObject::connect(&probe, &StreamLevelProbe::Failed, [&](const QString &m) { heard.failures << m; });
    QEventLoop loop;
    QObject::connect(&probe, &StreamLevelProbe::Finished, [&] {
        heard.finished = true;
        loop.quit();
    });
    QTimer::singleShot(length + std::chrono::seconds(8), &loop, &QEventLoop::quit);
    probe.Start(url, length);
    if (!heard.finished)
        loop.exec();
    return heard;
}

}  // namespace

// A loud tone comes through as a reading near the top of the meter, and the test ends after
// its length; a refused address is said once, and the test ends too.
TEST(StreamLevelProbe, LevelOfAStreamAndARefusal)
{
    StreamServer server([](qint64 frame, int) {
        return quint16(qint16(std::lround(20000 * std::sin(2 * std::numbers::pi * 440 * double(frame) / 44100))));
    });
    ASSERT_TRUE(server.Running()) << server.Error().toStdString();
    const Heard tone = Listen(server.Url(), std::chrono::seconds(3));
    EXPECT_TRUE(tone.finished);
    EXPECT_TRUE(tone.failures.isEmpty()) << tone.failures.join(' ').toStdString();
    // -4.3 dB below full scale on the 48..96 scale of a 16-bit meter.
    EXPECT_GT(tone.loudest, 85);

    const Heard refused = Listen(QStringLiteral("http://127.0.0.1:1/live.mp3"), std::chrono::seconds(3));
    EXPECT_TRUE(refused.finished);
    ASSERT_EQ(refused.failures.size(), 1);
    EXPECT_TRUE(refused.failures[0].contains("127.0.0.1:1")) << refused.failures[0].toStdString();
}
