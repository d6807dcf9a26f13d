#pragma once
// The encoder settings of one MP3 encode, as the core hands them to the encoder server (file
// mode and real-time mode alike).

#include <QString>
#include <QtGlobal>

namespace tolvane {

struct Mp3EncodeSettings {
    qint32 MP3Stereo = 3;
    qint32 MP3FileFormat = 0;
    bool MP3DeleteWavFile = false;
    bool MP3VBR = false;
    qint32 MP3VBRQuality = 0;
    bool MP3LimitVBRBitRate = false;
    qint32 MP3VBRMaxBitRate = 128;
    qint32 MP3VBRMinBitRate = 64;
    qint32 MP3CBRMPEG1BitRate = 128;
    qint32 MP3CBRMPEG2BitRate = 80;
    bool MP3NotUsePsy = false;
    bool MP3NotUseLPF = false;
    bool MP3CustomizeLPF = false;
    qint32 MP3LPFA = 55;
    qint32 MP3LPFB = 75;
    bool MP3SetnCPU = false;
    qint32 MP3nCPU = 1;
    bool MP3SetPriority = false;
    qint32 MP3Priority = 0;
    bool MP3NotUseEnhancedCPU = false;
    bool MP3NotUseMMX = false;
    bool MP3NotUse3DNow = false;
    bool MP3NotUseSSE = false;
    bool MP3NotUseEnhanced3DNow = false;
    bool MP3SetIOFreq = false;
    qint32 MP3InFreq = 44100;
    qint32 MP3OutFreq = 44100;
    bool MakeID3Tag = false;
    QString TagTitle;
    QString TagArtist;
    QString TagAlbum;
    QString TagYear;
    QString TagComment;
    quint8 TagGenre = 0;

    friend bool operator==(const Mp3EncodeSettings &, const Mp3EncodeSettings &) = default;
};

}  // namespace tolvane
