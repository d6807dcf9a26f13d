#pragma once
// The Windows Media output: records a windowsmedia schedule from the configured sound source
// into a Windows Media Audio file, encoded as the schedule's session file says. One object
// serves every Windows Media recording; one prepared ahead of its start waits beside the one
// under way.

#include "common/NumberedError.h"
#include "core/capture/ClsICapture2Output.h"
#include "core/capture/PartFileName.h"
#include "core/capture/SoundSource.h"
#include "core/capture/WmaEncodeThread.h"
#include "core/capture/WmaFileWriter.h"
#include "core/capture/WmeSession.h"
#include "core/platform/IClock.h"
#include "core/platform/IUserNotifier.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

namespace tolvane {

class FrmWME final : public ClsICapture2Output {
    Q_OBJECT
public:
    using SourceMaker = std::function<std::unique_ptr<SoundSource>(const SourceChoice &)>;

    // appFolder holds the default session file; makeSource makes the sound source of a recording.
    FrmWME(QString appFolder, std::shared_ptr<IUserNotifier> notifier, std::shared_ptr<const IClock> clock,
           SourceMaker makeSource, QObject *parent = nullptr);
    ~FrmWME() override;

    // Loads the session file, fixes the output file's name and opens the sound source, so that
    // the recording can begin with the sound of its second. An error is shown to the user and
    // makes the next StartCapture fail; it never reaches the caller. A source that cannot be
    // opened yet (busy with the recording before) is opened again at the start.
    bool SetParameter(uCaptureSetting &setting) override;
    // Starts the prepared recording with the sound live at `from`. Throws when none is
    // prepared, or the device or the file fails; no file is left then.
    bool StartCapture(const QDateTime &from) override;
    // Ends the recording: the last block is encoded and the file finished before this returns
    // (unless a message about the sound source is still open). Throws when the file could not
    // be finished.
    bool StopCapture() override;
    void DropPrepared() override;

    // The file the prepared recording goes to (empty when none is prepared), and the file of
    // the recording under way or last made.
    QString PreparedFilePath() const;
    const QString &FilePath() const { return m_filePath; }
    SoundSource *Source() const { return m_source; }

private:
    // What a recording needs of its capture setting; not the schedule itself, which holds the
    // services that hold this output.
    struct Prepared {
        double bufferLength = 0;
        SourceChoice choice;
        WmeSession session;
        std::unique_ptr<WmaFileWriter> writer;
        QString folder;
        QString base;
        PartFileName::Numbered name;  // base, or base_n where that is taken
        std::unique_ptr<SoundSource> source;  // opened ahead of the start when it could be
        QString Path() const;
    };

    void Prepare(const uCaptureSetting &setting);
    std::unique_ptr<SoundSource> OpenSource(const Prepared &p);
    void CreateFile(Prepared &p);
    void Source_ArriveReadableBuffer16();
    void EndRecording();
    // Once per recording: the source or the encoder failed, and the recording ends.
    void Fail(const NumberedError &error);
    void ShowError(const NumberedError &error);

    QString m_appFolder;
    std::shared_ptr<IUserNotifier> m_notifier;
    std::shared_ptr<const IClock> m_clock;
    SourceMaker m_makeSource;

    std::optional<Prepared> m_prepared;
    std::optional<NumberedError> m_prepareError;
    QPointer<SoundSource> m_source;
    std::unique_ptr<WmaEncodeThread> m_encoder;
    bool m_stopping = false;
    bool m_failed = false;
    std::optional<NumberedError> m_finishError;
    QString m_filePath;
};

}  // namespace tolvane
