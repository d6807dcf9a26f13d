#include "EncodeSettingsOf.h"

#include "core/schedule/ClsFileNameMaker.h"
#include "core/schedule/ClsSchedule.h"

namespace tolvane {

Mp3EncodeSettings EncodeSettingsOf(const ClsSchedule &schedule, const QDateTime &when)
{
    const ClsMP3 &m = *schedule.MP3();
    const qint32 adjust = -qint32(schedule.TimeDayStart().count());
    const auto expand = [&](const QString &text) {
        return ClsFileNameMaker::MakeFileName(text, schedule.Name(), when, adjust);
    };
    const ID3Tag tag = m.ID3Tag();
    Mp3EncodeSettings s;
    s.MP3Stereo = m.MP3Stereo();
    s.MP3FileFormat = m.MP3FileFormat();
    s.MP3DeleteWavFile = m.MP3DeleteWavFile();
    s.MP3VBR = m.MP3VBR();
    s.MP3VBRQuality = m.MP3VBRQuality();
    s.MP3LimitVBRBitRate = m.MP3LimitVBRBitRate();
    s.MP3VBRMaxBitRate = m.MP3VBRMaxBitRate();
    s.MP3VBRMinBitRate = m.MP3VBRMinBitRate();
    s.MP3CBRMPEG1BitRate = m.MP3CBRMPEG1BitRate();
    s.MP3CBRMPEG2BitRate = m.MP3CBRMPEG2BitRate();
    s.MP3NotUsePsy = m.MP3NotUsePsy();
    s.MP3NotUseLPF = m.MP3NotUseLPF();
    s.MP3CustomizeLPF = m.MP3CustomizeLPF();
    s.MP3LPFA = m.MP3LPFA();
    s.MP3LPFB = m.MP3LPFB();
    s.MP3SetnCPU = m.MP3SetnCPU();
    s.MP3nCPU = m.MP3nCPU();
    s.MP3SetPriority = m.MP3SetPriority() != 0;
    s.MP3Priority = m.MP3Priority();
    s.MP3NotUseEnhancedCPU = m.MP3NotUseEnhancedCPU();
    s.MP3NotUseMMX = m.MP3NotUseMMX();
    s.MP3NotUse3DNow = m.MP3NotUse3DNow();
    s.MP3NotUseSSE = m.MP3NotUseSSE();
    s.MP3NotUseEnhanced3DNow = m.MP3NotUseEnhanced3DNow();
    s.MP3SetIOFreq = m.MP3SetIOFreq();
    s.MP3InFreq = m.MP3InFreq();
    s.MP3OutFreq = m.MP3OutFreq();
    s.MakeID3Tag = m.MakeID3Tag();
    s.TagTitle = expand(tag.Title);
    s.TagArtist = expand(tag.Artist);
    s.TagAlbum = expand(tag.Album);
    s.TagYear = expand(tag.Year);
    s.TagComment = expand(tag.Comment);
    s.TagGenre = tag.GenreNo;
    return s;
}

}  // namespace tolvane
