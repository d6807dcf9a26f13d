#pragma once
// Capture outputs for controller tests: a pipeline that takes blocks from the test and records
// what the controller left of them, a Windows Media output that records its calls, and a
// factory handing them out.

#include "core/capture/ICaptureFactory.h"

#include <QTimer>

#include <memory>
#include <vector>

namespace tolvane::test {

class FakePipeline final : public ICapturePipeline {
public:
    bool SetParameter(uCaptureSetting &setting) override
    {
        this->setting = setting;
        ++setParameterCalls;
        emit ICapturePipeline::SetParameter(setting.Schedule);
        if (failOnStart == FailAt::SetParameter || failOnStart == FailAt::Device)
            throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("no device"));
        return false;
    }
    bool StartCapture(const QDateTime &from) override
    {
        startedFrom = from;
        if (failOnStart == FailAt::Start)
            throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("device busy"));
        started = true;
        return false;
    }
    bool StopCapture() override
    {
        ++stopCalls;
        // The last block and the file's close come later, through the event loop, as they do for the sound card.
        QTimer::singleShot(0, this, [this] { CloseFiles(); });
        return false;
    }
    void BeginMonitor(std::shared_ptr<ClsSchedule> schedule) override
    {
        if (failOnStart == FailAt::Monitor || failOnStart == FailAt::Device)
            throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("no device"));
        monitoring = true;
        emit ICapturePipeline::SetParameter(schedule);
    }
    void EndMonitor() override { monitoring = false; }

    // Hands one block to the controller as the sound card would; counts what is left to write.
    void Deliver16(std::vector<qint16> block)
    {
        emit ArriveWaveData16(block);
        if (!(block.size() == 1 && block[0] == 0))
            written16 += static_cast<qint64>(block.size());
    }
    void Deliver8(std::vector<quint8> block)
    {
        emit ArriveWaveData8(block);
        if (!(block.size() == 1 && block[0] == 128))
            written8 += static_cast<qint64>(block.size());
    }
    void CloseFiles()
    {
        for (const QString &f : files)
            emit FinishCapture(f);
        emit CaptureClosed();
    }

    // Device: a device that cannot be opened at all (monitoring and recording fail alike).
    enum class FailAt { Never, SetParameter, Start, Monitor, Device };
    FailAt failOnStart = FailAt::Never;
    QStringList files{QStringLiteral("/rec/part.wav")};
    uCaptureSetting setting;
    QDateTime startedFrom;
    int setParameterCalls = 0;
    int stopCalls = 0;
    bool started = false;
    bool monitoring = false;
    qint64 written16 = 0;
    qint64 written8 = 0;
};

class FakeWindowsMediaOutput final : public ClsICapture2Output {
public:
    bool SetParameter(uCaptureSetting &setting) override
    {
        this->setting = setting;
        ++setParameterCalls;
        return false;
    }
    bool StartCapture(const QDateTime &from) override
    {
        startedFrom = from;
        ++startCalls;
        return false;
    }
    bool StopCapture() override
    {
        ++stopCalls;
        return false;
    }
    void DropPrepared() override { ++dropCalls; }
    uCaptureSetting setting;
    QDateTime startedFrom;
    int setParameterCalls = 0;
    int startCalls = 0;
    int stopCalls = 0;
    int dropCalls = 0;
};

class FakeCaptureFactory final : public ICaptureFactory {
public:
    std::shared_ptr<ICapturePipeline> CreatePipeline() override
    {
        auto p = std::make_shared<FakePipeline>();
        p->failOnStart = failures == 0 ? FakePipeline::FailAt::Never : nextFailure;
        if (failures > 0)
            --failures;
        pipelines.push_back(p);
        return p;
    }
    std::shared_ptr<ClsICapture2Output> WindowsMediaOutput() override { return windowsMedia; }
    bool WindowsMediaAvailable() override { return windowsMedia != nullptr; }

    FakePipeline &Last() { return *pipelines.back(); }

    std::vector<std::shared_ptr<FakePipeline>> pipelines;
    std::shared_ptr<FakeWindowsMediaOutput> windowsMedia = std::make_shared<FakeWindowsMediaOutput>();
    FakePipeline::FailAt nextFailure = FakePipeline::FailAt::Never;
    int failures = -1;  // how many pipelines still fail as nextFailure says (-1: all of them)
};

}  // namespace tolvane::test
