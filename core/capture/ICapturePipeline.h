#pragma once
// The WAVE/MP3 capture pipeline as the controller sees it: a capture output with a monitor
// mode, whose events the controller handles. Events are delivered synchronously (direct
// connections): a handler of ArriveWaveData8/16 may change or shorten the block, and the
// pipeline writes the block as the handler leaves it.

#include "common/NumberedError.h"
#include "core/capture/ClsICapture2Output.h"
#include "core/schedule/ClsSchedule.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace tolvane {

class ICapturePipeline : public ClsICapture2Output {
    Q_OBJECT
public:
    using ClsICapture2Output::SetParameter;

    // Captures for the level display only: blocks are forwarded, nothing is written.
    virtual void BeginMonitor(std::shared_ptr<ClsSchedule> Schedule) = 0;
    virtual void EndMonitor() = 0;

signals:
    // The pipeline has taken the parameters of a capture (or of monitoring).
    void SetParameter(std::shared_ptr<tolvane::ClsSchedule> Schedule);
    void ArriveWaveData8(std::vector<quint8> &WaveData);
    void ArriveWaveData16(std::vector<qint16> &WaveData);
    // A WAVE file has been completed and closed (once per part of a split recording).
    void FinishCapture(const QString &FilePath);
    // A real-time MP3 part has been completed and closed.
    void FinishRealTimePart(const QString &FilePath);
};

}  // namespace tolvane
