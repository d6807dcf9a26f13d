#pragma once
// The recording level meter's arithmetic: per-channel peaks of a sample block in dB, the bar
// positions on the meter's scale, and the highest reading held since the capture began.

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

namespace tolvane {

class LevelMeter {
public:
    // A reading in dB below full scale; empty for a silent channel ("-inf").
    using Reading = std::optional<double>;

    struct Result {
        std::array<int, 2> bars{};  // index 0 left (or mono), 1 right
    };

    // A new capture: the scale for its sample width, and no held peak.
    void Reset(bool sixteenBit);
    int Minimum() const { return m_sixteenBit ? 48 : 0; }
    int Maximum() const { return m_sixteenBit ? 96 : 48; }

    Result Feed16(const std::vector<qint16> &block, bool stereo);
    Result Feed8(const std::vector<quint8> &block, bool stereo);

    // "-90.309dBの入力がありました。" and the distortion hint on a second line.
    QString HeldPeakText() const;

private:
    Result Evaluate(std::array<int, 2> peaks, double fullScale, double barTop);
    template <typename Sample, typename Magnitude>
    static std::array<int, 2> Peaks(const std::vector<Sample> &block, bool stereo, Magnitude magnitude);

    bool m_sixteenBit = true;
    Reading m_held;
};

}  // namespace tolvane
