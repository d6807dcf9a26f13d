#include "core/capture/FrmWME.h"
#include "core/capture/GeneratedSoundSource.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/MediaFile.h"
#include "tests/support/TestServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

using namespace tolvane;
using tolvane::test::FileSizeLimit;
using tolvane::test::MediaFile;
using tolvane::test::TestEnv;

namespace {

class FrmWMETest : public ::testing::Test {
protected:
    // Prepares a recording named `name` into the test folder with the given session file.
    void Prepare(const QString &name, const QString &session = {})
    {
        uCaptureSetting setting{schedule, 2, 0, env.dir.path(), name,
                                session.isEmpty() ? WmeSession::DefaultPath(env.dir.path()) : session};
        wme.SetParameter(setting);
    }
    // The source of the recording under way (a prepared one has a source of its own).
    GeneratedSoundSource *Running() const { return static_cast<GeneratedSoundSource *>(wme.Source()); }
    void Pump(int halfSeconds)
    {
        for (int i = 0; i < halfSeconds; ++i)
            Running()->Pump();
    }
    QStringList Recordings() const
    {
        return QDir(env.dir.path()).entryList({"*.wma", "*.asf"}, QDir::Files, QDir::Name);
    }
    QString ShownText() const { return env.notifier->messages.empty() ? QString() : env.notifier->messages.back().text; }

    TestEnv env;
    std::shared_ptr<ClsSchedule> schedule = std::make_shared<ClsSchedule>(env.services);
    int sourcesMade = 0;
    FrmWME wme{env.dir.path(), env.notifier, env.clock, [this](const SourceChoice &) {
                   auto s = std::make_unique<GeneratedSoundSource>(
                       std::vector{GeneratedSoundSource::Segment::Tone(1000, -6)}, GeneratedSoundSource::Pace::Manual,
                       env.notifier);
                   ++sourcesMade;
                   return s;
               }};
};

}  // namespace

// The output is the save folder, the file name and the session's extension; a name already
// taken gets "_1", also when it is taken between the preparation and the start. The default
// session is made on first use.
TEST_F(FrmWMETest, OutputNameFollowsTheRule)
{
    Prepare("news");
    EXPECT_EQ(wme.PreparedFilePath(), env.Path("news.wma"));
    EXPECT_TRUE(QFile::exists(WmeSession::DefaultPath(env.dir.path())));

    QFile(env.Path("news.wma")).open(QIODevice::WriteOnly);
    Prepare("news");
    EXPECT_EQ(wme.PreparedFilePath(), env.Path("news_1.wma"));
    QFile(env.Path("news_1.wma")).open(QIODevice::WriteOnly);
    wme.StartCapture(env.clock->Now());
    EXPECT_EQ(wme.FilePath(), env.Path("news_2.wma"));
    wme.StopCapture();

    WmeSession talk;
    talk.OutputFile = "talk.asf";
    talk.Save(env.Path("talk.wme"));
    Prepare("a/b", env.Path("talk.wme"));
    EXPECT_EQ(wme.PreparedFilePath(), env.Path("a_b.asf"));
    EXPECT_TRUE(env.notifier->messages.empty());
}

// Stopping encodes the sound captured since the last wake-up and finishes the file before it
// returns; a recording prepared meanwhile waits and then records into its own file.
TEST_F(FrmWMETest, StopFinishesTheFileAndAPreparedRecordingWaits)
{
    Prepare("first");
    wme.StartCapture(env.clock->Now());
    Pump(4);
    Prepare("second");  // five seconds ahead of its start, while the first one records
    Pump(2);
    Running()->Advance(11025);  // a quarter second captured, not yet handed over
    wme.StopCapture();
    const MediaFile first = MediaFile::Read(env.Path("first.wma"));
    ASSERT_TRUE(first.probed) << first.errors.toStdString();
    EXPECT_EQ(first.codecName, "wmav2");
    EXPECT_NEAR(first.duration, 3.25, 0.1);
    EXPECT_NEAR(first.ToneFrequency(), 1000, 2);

    wme.StartCapture(env.clock->Now());
    Pump(2);
    wme.StopCapture();
    EXPECT_NEAR(MediaFile::Read(env.Path("second.wma")).duration, 1.0, 0.1);
    EXPECT_EQ(Recordings(), (QStringList{"first.wma", "second.wma"}));
    // A second stop, or a start with nothing prepared, changes nothing.
    EXPECT_NO_THROW(wme.StopCapture());
    EXPECT_THROW(wme.StartCapture(env.clock->Now()), NumberedError);
    EXPECT_TRUE(env.notifier->messages.empty());
}

// A session file that is missing, or that the encoder cannot follow, is shown with its number
// and description; the preparation returns normally, the start then fails and no file is made.
TEST_F(FrmWMETest, BadSessionIsShownAndTheStartFails)
{
    Prepare("news", env.Path("missing.wme"));
    ASSERT_EQ(env.notifier->messages.size(), 1u);
    EXPECT_EQ(env.notifier->messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(ShownText().startsWith("エラーが発生しました。エラー番号は53です。\n")) << ShownText().toStdString();
    EXPECT_TRUE(ShownText().contains("missing.wme"));
    try {
        wme.StartCapture(env.clock->Now());
        ADD_FAILURE() << "the start did not fail";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), ErrNo::FileNotFound);
    }

    WmeSession tooLow;
    tooLow.BitRate = 8000;
    tooLow.SampleRate = 8000;
    tooLow.Channels = 1;
    tooLow.Save(env.Path("low.wme"));
    Prepare("news", env.Path("low.wme"));
    EXPECT_TRUE(ShownText().startsWith("エラーが発生しました。エラー番号は5です。\n")) << ShownText().toStdString();
    EXPECT_THROW(wme.StartCapture(env.clock->Now()), NumberedError);
    EXPECT_EQ(sourcesMade, 0);
    EXPECT_TRUE(Recordings().isEmpty());
}

// A write that fails while recording (the disk is full) ends the recording and is raised once
// as its failure; the file keeps what reached the disk and still plays.
TEST_F(FrmWMETest, FullDiskEndsTheRecordingWithAPlayableFile)
{
    std::vector<qint32> failures;
    int closed = 0;
    QObject::connect(&wme, &ClsICapture2Output::WriteError, [&](const NumberedError &e) { failures.push_back(e.Number()); });
    QObject::connect(&wme, &ClsICapture2Output::CaptureClosed, [&] { ++closed; });
    Prepare("full");
    wme.StartCapture(env.clock->Now());
    {
        FileSizeLimit limit(40000);  // about two seconds at 128 kbit/s
        ASSERT_TRUE(limit.Set());
        // The encoder works on its own thread: the failure is seen at the block after it.
        for (int i = 0; i < 40 && failures.empty(); ++i) {
            Pump(1);
            QThread::msleep(50);
        }
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(failures, std::vector<qint32>{ErrNo::DiskFull});
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(env.notifier->messages.empty());
    EXPECT_EQ(wme.Source(), nullptr);  // the recording has ended
    EXPECT_NO_THROW(wme.StopCapture());

    const MediaFile m = MediaFile::Read(env.Path("full.wma"));
    ASSERT_TRUE(m.probed) << m.errors.toStdString();
    EXPECT_TRUE(m.errors.isEmpty()) << m.errors.toStdString();
    EXPECT_GT(m.duration, 1.5);
    EXPECT_LT(m.duration, 2.6);
}
