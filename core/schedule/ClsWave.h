#pragma once
// How sound is captured and cut: sample width, rate, channels, silence trimming at the start
// and end, and splitting by time or at silences.

#include "core/schedule/ScheduleTypes.h"
#include "core/schedule/TimeOfDay.h"

#include <QVariant>

namespace tolvane {

class ClsWave {
public:
    ClsWave() = default;
    ClsWave(const ClsWave &) = delete;
    ClsWave &operator=(const ClsWave &) = delete;

    bool SplitByTime() const { return m_splitByTime; }
    void setSplitByTime(bool v) { m_splitByTime = v; }
    // A duration held as a time of day.
    Seconds SplitTime() const { return m_splitTime; }
    void setSplitTime(Seconds v) { m_splitTime = v; }
    double NoSoundSeconds() const { return m_noSoundSeconds; }
    void setNoSoundSeconds(double v) { m_noSoundSeconds = v; }

    // The silence level of NoSounddB as a linear factor: 0 for "-inf", else 10^(dB/20) rounded.
    qint32 NoSoundPercent() const;
    void setNoSoundPercent(qint32 p);

    // A number, numeric text (kept as text) or the text "-inf"; empty on a new record.
    const QVariant &NoSounddB() const { return m_noSounddB; }
    // Throws NumberedError 0x80040001 for anything else.
    void setNoSounddB(const QVariant &v);

    bool Split() const { return m_split; }
    void setSplit(bool v) { m_split = v; }
    bool ENSValid() const { return m_ensValid; }
    void setENSValid(bool v) { m_ensValid = v; }
    bool SNSValid() const { return m_snsValid; }
    void setSNSValid(bool v) { m_snsValid = v; }
    tolvane::Channel Channel() const { return m_channel; }
    void setChannel(tolvane::Channel v) { m_channel = v; }
    tolvane::Frequency Frequency() const { return m_frequency; }
    void setFrequency(tolvane::Frequency v) { m_frequency = v; }
    tolvane::Bit Bit() const { return m_bit; }
    void setBit(tolvane::Bit v) { m_bit = v; }

    void CopyFrom(const ClsWave &CopySource);

    // True when NoSounddB is the text "-inf".
    bool NoSoundIsMinusInfinity() const;
    // NoSounddB as decibels: -infinity for "-inf", 0 for an empty value.
    double NoSoundDecibels() const;

private:
    bool m_splitByTime = false;
    Seconds m_splitTime{0};
    double m_noSoundSeconds = 0;
    QVariant m_noSounddB;
    bool m_split = false;
    bool m_ensValid = false;
    bool m_snsValid = false;
    tolvane::Channel m_channel = tolvane::Channel::Stereo;
    tolvane::Frequency m_frequency = tolvane::Frequency::Hi44100Hz;
    tolvane::Bit m_bit = tolvane::Bit::Hi16bit;
};

}  // namespace tolvane
