#pragma once
// An MP3 encoder for controller tests: it records each job and finishes it when the test says.

#include "core/encoder/IWavFile2MP3.h"

#include <QStringList>

#include <algorithm>
#include <memory>
#include <vector>

namespace tolvane::test {

class FakeEncoder final : public IWavFile2MP3 {
public:
    void SetParameterRealTimeEnc(const QString &, qint32, qint32, qint32, const Mp3EncodeSettings &s) override
    {
        settings = s;
    }
    void SetParameter(const QString &WavFilePath, qint32 WaveFreq, qint32 nChannel, const Mp3EncodeSettings &s) override
    {
        files.push_back(WavFilePath);
        freq = WaveFreq;
        channel = nChannel;
        settings = s;
    }
    void EncodeFile() override { ++encodes; }
    void EncodeRealTime(const std::vector<qint16> &) override {}
    void FinishEncodeRealTime() override { emit FinishEncode(); }
    void SetPriority(qint32) override {}

    // Ends the running file encode, with an error first when asked.
    void Finish(bool withError = false)
    {
        if (withError)
            emit EncodeError(NumberedError(ErrNo::PathFileAccess, QStringLiteral("encoder died")));
        emit FinishEncode();
    }

    QStringList files;
    Mp3EncodeSettings settings;
    qint32 freq = 0;
    qint32 channel = -1;
    int encodes = 0;
};

class FakeEncoderFactory final : public IEncoderFactory {
public:
    std::unique_ptr<IWavFile2MP3> Create() override
    {
        if (unavailable || failNext > 0) {
            failNext = std::max(failNext - 1, 0);
            throw NumberedError(ErrNo::FileNotFound, QStringLiteral("encoder not installed"));
        }
        auto e = std::make_unique<FakeEncoder>();
        created.push_back(e.get());
        return e;
    }
    // The encoders made so far (owned by the controller; the last one is the live one).
    std::vector<FakeEncoder *> created;
    bool unavailable = false;
    int failNext = 0;  // the next so many servers cannot be started
};

}  // namespace tolvane::test
