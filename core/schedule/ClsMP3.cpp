#include "ClsMP3.h"

namespace tolvane {

void ClsMP3::CopyFrom(const ClsMP3 &CopySource)
{
    setMP3Stereo(CopySource.MP3Stereo());
    setMP3FileFormat(CopySource.MP3FileFormat());
    setMP3DeleteWavFile(CopySource.MP3DeleteWavFile());
    setMP3VBR(CopySource.MP3VBR());
    setMP3VBRQuality(CopySource.MP3VBRQuality());
    setMP3LimitVBRBitRate(CopySource.MP3LimitVBRBitRate());
    setMP3VBRMaxBitRate(CopySource.MP3VBRMaxBitRate());
    setMP3VBRMinBitRate(CopySource.MP3VBRMinBitRate());
    setMP3CBRMPEG1BitRate(CopySource.MP3CBRMPEG1BitRate());
    setMP3CBRMPEG2BitRate(CopySource.MP3CBRMPEG2BitRate());
    setMP3NotUsePsy(CopySource.MP3NotUsePsy());
    setMP3NotUseLPF(CopySource.MP3NotUseLPF());
    setMP3CustomizeLPF(CopySource.MP3CustomizeLPF());
    setMP3LPFA(CopySource.MP3LPFA());
    setMP3LPFB(CopySource.MP3LPFB());
    setMP3SetnCPU(CopySource.MP3SetnCPU());
    setMP3nCPU(CopySource.MP3nCPU());
    setMP3SetPriority(CopySource.MP3SetPriority());
    setMP3Priority(CopySource.MP3Priority());
    setMP3NotUseEnhancedCPU(CopySource.MP3NotUseEnhancedCPU());
    setMP3NotUseMMX(CopySource.MP3NotUseMMX());
    setMP3NotUse3DNow(CopySource.MP3NotUse3DNow());
    setMP3NotUseSSE(CopySource.MP3NotUseSSE());
    setMP3NotUseEnhanced3DNow(CopySource.MP3NotUseEnhanced3DNow());
    setMP3SetIOFreq(CopySource.MP3SetIOFreq());
    setMP3InFreq(CopySource.MP3InFreq());
    setMP3OutFreq(CopySource.MP3OutFreq());
    setMP3RealTime(CopySource.MP3RealTime());
    setMakeID3Tag(CopySource.MakeID3Tag());
    setID3Tag(CopySource.ID3Tag());
}

}  // namespace tolvane
