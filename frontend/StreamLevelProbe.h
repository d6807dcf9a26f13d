#pragma once
// Listens to an internet radio stream for a few seconds so that the source dialog can show
// whether it comes through and how loud it is: the stream is opened and decoded as a recording
// would be, nothing is played and nothing is written.

#include "frontend/LevelMeter.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

namespace tolvane {

class IUserNotifier;
class NumberedError;
class SoundSource;

class StreamLevelProbe final : public QObject {
    Q_OBJECT
public:
    explicit StreamLevelProbe(std::shared_ptr<IUserNotifier> notifier, QObject *parent = nullptr);
    ~StreamLevelProbe() override;

    // Starts listening to `url` (one the schedule would take) for `length`; a probe already
    // running is stopped first.
    void Start(const QString &url, std::chrono::milliseconds length);
    void Stop();
    bool Running() const { return m_source != nullptr; }
    // The meter's scale for the bars of Level.
    int Minimum() const { return m_meter.Minimum(); }
    int Maximum() const { return m_meter.Maximum(); }

signals:
    // Every half second of sound: the bars of the left and right channel.
    void Level(int left, int right);
    // The stream could not be opened or dropped; Finished follows.
    void Failed(const QString &message);
    void Finished();

private:
    void TakeBlock();
    void OnFailed(const NumberedError &error);
    void Release();

    std::shared_ptr<IUserNotifier> m_notifier;
    std::unique_ptr<SoundSource> m_source;
    LevelMeter m_meter;
    QTimer m_length;
};

}  // namespace tolvane
