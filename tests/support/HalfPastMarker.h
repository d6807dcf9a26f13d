#pragma once
// Sound that says where a recording's second began, even after encoding and decoding: silence,
// with a burst of 1 kHz for the first 100 ms after every half past a wall-clock second.

#include "tests/support/PacedFeeder.h"

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace tolvane::test {

struct HalfPastMarker {
    static constexpr qint64 kMsNs = 1'000'000;
    qint64 originNs = 0;  // the wall-clock moment of frame 0

    quint16 operator()(qint64 frame, int) const
    {
        const qint64 intoSecond = (originNs + PacedFeeder::FrameNs(frame)) % 1'000'000'000;
        if (intoSecond < 500 * kMsNs || intoSecond >= 600 * kMsNs)
            return 0;
        const double t = double(intoSecond - 500 * kMsNs) / 1e9;
        return quint16(qint16(std::lround(16384 * std::sin(2 * std::numbers::pi * 1000 * t))));
    }

    // Where the first burst begins in a decoded channel at `rate`, in seconds from its start;
    // -1 when there is none.
    static double OnsetSeconds(const std::vector<qint16> &channel, double rate)
    {
        for (size_t i = 0; i < channel.size(); ++i)
            if (std::abs(int(channel[i])) > 4000)
                return double(i) / rate;
        return -1;
    }
};

}  // namespace tolvane::test
