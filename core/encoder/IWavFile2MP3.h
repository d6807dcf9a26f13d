#pragma once
// The MP3 encoder as the core sees it: one object is one encoder server process that runs one
// encode at a time, either of a finished WAVE file or of blocks arriving during a recording.

#include "common/NumberedError.h"
#include "encoder/protocol/Mp3EncodeSettings.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace tolvane {

class IWavFile2MP3 : public QObject {
    Q_OBJECT
public:
    // Prepares a real-time encode into FilePath. nChannel is 1 or 2, nBit 8 or 16.
    virtual void SetParameterRealTimeEnc(const QString &FilePath, qint32 nFreq, qint32 nChannel, qint32 nBit,
                                         const Mp3EncodeSettings &settings) = 0;
    // Prepares a file encode of WavFilePath. nChannel is the schedule's Channel value (0 mono, 1 stereo).
    virtual void SetParameter(const QString &WavFilePath, qint32 WaveFreq, qint32 nChannel,
                              const Mp3EncodeSettings &settings) = 0;
    // Starts the prepared file encode and returns at once; FinishEncode follows.
    virtual void EncodeFile() = 0;
    // One block of samples (for 8-bit audio the values 0 to 255), of any length.
    virtual void EncodeRealTime(const std::vector<qint16> &iBuf) = 0;
    // Drains and closes the real-time encode; FinishEncode follows.
    virtual void FinishEncodeRealTime() = 0;
    // The server process's priority class (the platform's class values).
    virtual void SetPriority(qint32 iPriority) = 0;
    // Bytes of calls made that have not reached the encoder yet (it is behind by that much).
    virtual qint64 BytesQueued() const { return 0; }

signals:
    // A file or real-time encode has ended, successfully or not.
    void FinishEncode();
    // An error the encoder reported (the encoder never shows a window itself).
    void EncodeError(const tolvane::NumberedError &Err);
    // The fraction of a file encode done so far, 0 to 1, at most twice a second.
    void EncodeProgress(double fraction);
};

class IEncoderFactory {
public:
    virtual ~IEncoderFactory() = default;
    // Starts a new encoder server and probes it; throws NumberedError when it cannot be used.
    virtual std::unique_ptr<IWavFile2MP3> Create() = 0;

    // Whether an encoder object can be made here: its server starts and its library works.
    bool Probe()
    {
        try {
            return Create() != nullptr;
        } catch (const NumberedError &) {
            return false;
        }
    }
};

}  // namespace tolvane
