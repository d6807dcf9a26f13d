#include "common/NumberedError.h"
#include "core/schedule/ClsMP3.h"
#include "core/schedule/ClsWave.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tolvane;

// The silence level in percent and in decibels are one stored value seen two ways.
TEST(ClsWave, NoSoundPercentAndDecibelsConvert)
{
    ClsWave w;
    EXPECT_EQ(w.NoSoundPercent(), 1);  // an empty level reads as 0 dB

    w.setNoSoundPercent(0);
    EXPECT_EQ(w.NoSounddB().toString(), "-inf");
    EXPECT_EQ(w.NoSoundPercent(), 0);

    w.setNoSoundPercent(5);
    EXPECT_NEAR(w.NoSounddB().toDouble(), 13.9794, 1e-4);
    EXPECT_EQ(w.NoSoundPercent(), 5);

    for (qint32 p : {1, 2, 3, 99, 100, 1000, 32768, 2147483647}) {
        w.setNoSoundPercent(p);
        EXPECT_EQ(w.NoSoundPercent(), p) << p;
    }
    EXPECT_THROW(w.setNoSoundPercent(-1), NumberedError);
}

// The level accepts "-inf", numbers and numeric text (kept as text), and nothing else.
TEST(ClsWave, NoSounddBValidation)
{
    ClsWave w;
    w.setNoSounddB(QStringLiteral("-20"));
    EXPECT_EQ(w.NoSounddB().typeId(), QMetaType::QString);
    EXPECT_EQ(w.NoSounddB().toString(), "-20");
    EXPECT_DOUBLE_EQ(w.NoSoundDecibels(), -20.0);
    EXPECT_EQ(w.NoSoundPercent(), 0);  // 10^(-1) = 0.1 rounds to 0

    w.setNoSounddB(3);  // the sign is not checked here
    EXPECT_EQ(w.NoSounddB().toInt(), 3);

    try {
        w.setNoSounddB(QStringLiteral("abc"));
        FAIL() << "abc accepted";
    } catch (const NumberedError &e) {
        EXPECT_EQ(e.Number(), -2147221503);
        EXPECT_EQ(e.Description(), QStringLiteral("NoSounddBは0以下の数か-infでなければならない"));
    }
    EXPECT_EQ(w.NoSounddB().toInt(), 3);  // unchanged by the failed let
    EXPECT_THROW(w.setNoSounddB(QStringLiteral("")), NumberedError);
    EXPECT_THROW(w.setNoSounddB(QStringLiteral("-INF")), NumberedError);
    w.setNoSounddB(QStringLiteral("-inf"));
    EXPECT_TRUE(w.NoSoundIsMinusInfinity());
}

// A new wave setting has the documented defaults.
TEST(ClsWave, Defaults)
{
    ClsWave w;
    EXPECT_EQ(w.Bit(), Bit::Hi16bit);
    EXPECT_EQ(w.Frequency(), Frequency::Hi44100Hz);
    EXPECT_EQ(w.Channel(), Channel::Stereo);
    EXPECT_EQ(w.SplitTime(), Seconds(0));
    EXPECT_EQ(w.NoSoundSeconds(), 0);
    EXPECT_FALSE(w.Split() || w.SplitByTime() || w.ENSValid() || w.SNSValid());
}

// Copies carry every value and stay independent of their source.
TEST(ClsWave, CopyFromCopiesEveryValue)
{
    ClsWave a;
    a.setBit(Bit::lo8bit);
    a.setChannel(Channel::mono);
    a.setFrequency(Frequency::Ex48000Hz);
    a.setENSValid(true);
    a.setSNSValid(true);
    a.setSplit(true);
    a.setSplitByTime(true);
    a.setSplitTime(Seconds(600));
    a.setNoSounddB(QStringLiteral("-40"));
    a.setNoSoundSeconds(3.5);
    ClsWave b;
    b.CopyFrom(a);
    EXPECT_EQ(b.Bit(), Bit::lo8bit);
    EXPECT_EQ(b.Channel(), Channel::mono);
    EXPECT_EQ(b.Frequency(), Frequency::Ex48000Hz);
    EXPECT_TRUE(b.ENSValid() && b.SNSValid() && b.Split() && b.SplitByTime());
    EXPECT_EQ(b.SplitTime(), Seconds(600));
    EXPECT_EQ(b.NoSounddB().toString(), "-40");
    EXPECT_EQ(b.NoSoundSeconds(), 3.5);
    a.setBit(Bit::Hi16bit);
    EXPECT_EQ(b.Bit(), Bit::lo8bit);

    ClsWave fresh, copy;
    copy.CopyFrom(fresh);  // an empty level copies without complaint
    EXPECT_EQ(copy.NoSoundPercent(), 1);
}

// MP3SetPriority is a boolean kept as -1/0; the tag is copied by value.
TEST(ClsMP3, PriorityFlagAndIndependentTag)
{
    ClsMP3 m;
    m.setMP3SetPriority(7);
    EXPECT_EQ(m.MP3SetPriority(), -1);
    m.setMP3SetPriority(0);
    EXPECT_EQ(m.MP3SetPriority(), 0);

    ID3Tag defaults = m.ID3Tag();
    EXPECT_EQ(defaults.Title, "\\N");
    EXPECT_EQ(defaults.Year, "\\Y");
    EXPECT_EQ(defaults.GenreNo, 0);

    ClsMP3 src;
    ID3Tag tag = src.ID3Tag();
    tag.Title = "A";
    tag.GenreNo = 12;
    src.setID3Tag(tag);
    src.setMP3VBR(true);
    src.setMP3OutFreq(32000);
    src.setMP3RealTime(true);
    ClsMP3 copy;
    copy.CopyFrom(src);
    tag.Title = "B";
    src.setID3Tag(tag);
    EXPECT_EQ(copy.ID3Tag().Title, "A");
    EXPECT_EQ(copy.ID3Tag().GenreNo, 12);
    EXPECT_TRUE(copy.MP3VBR());
    EXPECT_TRUE(copy.MP3RealTime());
    EXPECT_EQ(copy.MP3OutFreq(), 32000);
}
