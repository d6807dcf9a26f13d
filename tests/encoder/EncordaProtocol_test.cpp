#include "encoder/protocol/EncordaProtocol.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

// Every encoder setting crosses the pipe: a setting left out of the stream would come back
// as its default and differ here.
TEST(EncordaProtocol, SettingsCrossWhole)
{
    Mp3EncodeSettings s;
    s.MP3Stereo = 4;
    s.MP3FileFormat = 2;
    s.MP3DeleteWavFile = true;
    s.MP3VBR = true;
    s.MP3VBRQuality = 7;
    s.MP3LimitVBRBitRate = true;
    s.MP3VBRMaxBitRate = 320;
    s.MP3VBRMinBitRate = 32;
    s.MP3CBRMPEG1BitRate = 256;
    s.MP3CBRMPEG2BitRate = 144;
    s.MP3NotUsePsy = true;
    s.MP3NotUseLPF = true;
    s.MP3CustomizeLPF = true;
    s.MP3LPFA = 1;
    s.MP3LPFB = 2;
    s.MP3SetnCPU = true;
    s.MP3nCPU = 4;
    s.MP3SetPriority = true;
    s.MP3Priority = -15;
    s.MP3NotUseEnhancedCPU = true;
    s.MP3NotUseMMX = true;
    s.MP3NotUse3DNow = true;
    s.MP3NotUseSSE = true;
    s.MP3NotUseEnhanced3DNow = true;
    s.MP3SetIOFreq = true;
    s.MP3InFreq = 16000;
    s.MP3OutFreq = 24000;
    s.MakeID3Tag = true;
    s.TagTitle = QStringLiteral("題名");
    s.TagArtist = QStringLiteral("a");
    s.TagAlbum = QStringLiteral("b");
    s.TagYear = QStringLiteral("1999");
    s.TagComment = QStringLiteral("c");
    s.TagGenre = 200;

    const QByteArray frame = encorda::Message(encorda::Call::SetParameter, QStringLiteral("/x.wav"), qint32{44100}, s);
    encorda::MessageReader reader;
    reader.Append(frame);
    const std::optional<QByteArray> payload = reader.Next();
    ASSERT_TRUE(payload);
    QDataStream in(*payload);
    in.setVersion(encorda::kStreamVersion);
    quint8 kind = 0;
    QString path;
    qint32 rate = 0;
    Mp3EncodeSettings back;
    in >> kind >> path >> rate >> back;
    EXPECT_EQ(in.status(), QDataStream::Ok);
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(kind, static_cast<quint8>(encorda::Call::SetParameter));
    EXPECT_EQ(path, QStringLiteral("/x.wav"));
    EXPECT_EQ(rate, 44100);
    EXPECT_EQ(back, s);
}

// Messages arrive in pieces and several at once; an impossible length stops the reader.
TEST(EncordaProtocol, ReaderCutsTheStreamIntoMessages)
{
    const QByteArray one = encorda::Message(encorda::Event::Progress, 0.25);
    const QByteArray two = encorda::Message(encorda::Event::FinishEncode);
    const QByteArray stream = one + two;

    encorda::MessageReader reader;
    reader.Append(stream.left(3));
    EXPECT_FALSE(reader.Next());
    reader.Append(stream.mid(3, one.size()));
    const std::optional<QByteArray> first = reader.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, one.mid(4));
    EXPECT_FALSE(reader.Next());
    reader.Append(stream.mid(3 + one.size()));
    EXPECT_EQ(reader.Next(), std::optional<QByteArray>(two.mid(4)));
    EXPECT_FALSE(reader.Next());
    EXPECT_FALSE(reader.Broken());

    reader.Append(QByteArray("\x7f\xff\xff\xff", 4) + QByteArray(100, 'x'));
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(reader.Broken());
}

}  // namespace
}  // namespace tolvane
