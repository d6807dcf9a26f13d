#include "common/NumberedError.h"
#include "core/capture/WmeSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tolvane;

namespace {
void Write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

// The default session is created on first use with WMA 2, 128 kbit/s, 44100 Hz stereo.
TEST(WmeSession, DefaultIsCreatedOnFirstUse)
{
    QTemporaryDir dir;
    const QString path = WmeSession::DefaultPath(dir.path());
    const WmeSession s = WmeSession::LoadOrCreateDefault(path, dir.path());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(s.Codec, "wmav2");
    EXPECT_EQ(s.BitRate, 128000);
    EXPECT_EQ(s.SampleRate, 44100);
    EXPECT_EQ(s.Channels, 2);
    EXPECT_EQ(s.OutputFile, "default.wma");
    EXPECT_EQ(s.Extension(), ".wma");
    // Any other missing file is an error, never created.
    EXPECT_THROW(WmeSession::LoadOrCreateDefault(dir.path() + "/other.wme", dir.path()), NumberedError);
    EXPECT_FALSE(QFile::exists(dir.path() + "/other.wme"));
}

// What is saved loads back; every field is checked on the way in.
TEST(WmeSession, RoundTripAndValidation)
{
    QTemporaryDir dir;
    WmeSession s;
    s.OutputFile = "talk.asf";
    s.Codec = "wmav1";
    s.BitRate = 64000;
    s.SampleRate = 22050;
    s.Channels = 1;
    s.Save(dir.path() + "/a/b.wme");
    EXPECT_EQ(WmeSession::Load(dir.path() + "/a/b.wme"), s);
    EXPECT_EQ(s.Extension(), ".asf");

    const auto rejects = [&](const QByteArray &body, qint32 number) {
        Write(dir.path() + "/bad.wme", body);
        try {
            WmeSession::Load(dir.path() + "/bad.wme");
            ADD_FAILURE() << body.toStdString();
        } catch (const NumberedError &e) {
            EXPECT_EQ(e.Number(), number) << body.toStdString();
            EXPECT_TRUE(e.Description().contains("bad.wme")) << e.Description().toStdString();
        }
    };
    const QByteArray good = "<OutputFile>x.wma</OutputFile><Codec>wmav2</Codec><BitRate>128000</BitRate>"
                            "<SampleRate>44100</SampleRate><Channels>2</Channels>";
    rejects("<TolvaneWMESession>" + QByteArray(good).replace("wmav2", "mp3") + "</TolvaneWMESession>", 13);
    rejects("<TolvaneWMESession>" + QByteArray(good).replace("<Channels>2", "<Channels>3") + "</TolvaneWMESession>", 13);
    rejects("<TolvaneWMESession>" + QByteArray(good).replace("44100", "12345") + "</TolvaneWMESession>", 13);
    rejects("<TolvaneWMESession>" + QByteArray(good).replace("128000", "lots") + "</TolvaneWMESession>", 13);
    rejects("<TolvaneWMESession>" + QByteArray(good).replace("x.wma", "wma") + "</TolvaneWMESession>", 13);
    rejects("<TolvaneWMESession>" + QByteArray(good).replace("<Codec>wmav2</Codec>", "") + "</TolvaneWMESession>", 91);
    rejects("<Other>" + good + "</Other>", 91);
    rejects("not xml at all", 91);
    EXPECT_THROW(WmeSession::Load(dir.path() + "/missing.wme"), NumberedError);
}
