#include "ClsWave.h"

#include "common/NumberedError.h"

#include <cmath>
#include <limits>

namespace tolvane {

namespace {

const QString kMinusInf = QStringLiteral("-inf");

// A number, or text that reads as one, the way the accepted levels are written.
std::optional<double> NumericValue(const QVariant &v)
{
    if (!v.isValid())
        return 0.0;  // an empty value counts as the number 0
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (ok && std::isfinite(d))
            return d;
        return std::nullopt;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok && std::isfinite(d))
        return d;
    return std::nullopt;
}

}  // namespace

bool ClsWave::NoSoundIsMinusInfinity() const
{
    return m_noSounddB.typeId() == QMetaType::QString && m_noSounddB.toString() == kMinusInf;
}

double ClsWave::NoSoundDecibels() const
{
    if (NoSoundIsMinusInfinity())
        return -std::numeric_limits<double>::infinity();
    return NumericValue(m_noSounddB).value_or(0.0);
}

void ClsWave::setNoSounddB(const QVariant &v)
{
    const bool isMinusInf = v.typeId() == QMetaType::QString && v.toString() == kMinusInf;
    const bool isNumber = NumericValue(v).has_value();
    if (!isMinusInf && !isNumber)
        throw NumberedError(ErrNo::InvalidLevel,
                            QStringLiteral("NoSounddBは0以下の数か-infでなければならない"),
                            QStringLiteral("ClsWave"));
    m_noSounddB = v;
}

qint32 ClsWave::NoSoundPercent() const
{
    if (NoSoundIsMinusInfinity())
        return 0;
    const double value = std::pow(10.0, NoSoundDecibels() / 20.0);
    if (!(value < 2147483647.5))
        throw NumberedError::Standard(ErrNo::Overflow, QStringLiteral("ClsWave"));
    return static_cast<qint32>(std::nearbyint(value));  // the default rounding mode is ties to even
}

void ClsWave::setNoSoundPercent(qint32 p)
{
    if (p == 0) {
        m_noSounddB = kMinusInf;
        return;
    }
    if (p < 0)  // a negative factor has no logarithm
        throw NumberedError::Standard(ErrNo::InvalidProcedureCall, QStringLiteral("ClsWave"));
    m_noSounddB = 20.0 * std::log(static_cast<double>(p)) / std::log(10.0);
}

void ClsWave::CopyFrom(const ClsWave &CopySource)
{
    setBit(CopySource.Bit());
    setChannel(CopySource.Channel());
    setFrequency(CopySource.Frequency());
    setENSValid(CopySource.ENSValid());
    setSNSValid(CopySource.SNSValid());
    setSplit(CopySource.Split());
    setSplitByTime(CopySource.SplitByTime());
    setSplitTime(CopySource.SplitTime());
    setNoSounddB(CopySource.NoSounddB());
    setNoSoundSeconds(CopySource.NoSoundSeconds());
}

}  // namespace tolvane
