#pragma once
// Every setting handed to the MP3 encoder for a schedule, and the ID3 tag to write. The record
// only stores them; their meaning to the encoder is the encoder's.

#include "core/schedule/ID3Tag.h"

#include <QtGlobal>

namespace tolvane {

class ClsMP3 {
public:
    ClsMP3() = default;
    ClsMP3(const ClsMP3 &) = delete;
    ClsMP3 &operator=(const ClsMP3 &) = delete;

// A plain stored property: getter, setter and member with its default.
#define TOLVANE_MP3_PROPERTY(Type, Name, Default)  \
public:                                            \
    Type Name() const { return m_##Name; }         \
    void set##Name(Type v) { m_##Name = v; }       \
                                                   \
private:                                           \
    Type m_##Name = Default;

    TOLVANE_MP3_PROPERTY(bool, MakeID3Tag, false)
    TOLVANE_MP3_PROPERTY(qint32, MP3OutFreq, 44100)
    TOLVANE_MP3_PROPERTY(qint32, MP3InFreq, 44100)
    TOLVANE_MP3_PROPERTY(bool, MP3SetIOFreq, false)
    TOLVANE_MP3_PROPERTY(bool, MP3NotUseEnhanced3DNow, false)
    TOLVANE_MP3_PROPERTY(bool, MP3NotUseSSE, false)
    TOLVANE_MP3_PROPERTY(bool, MP3NotUse3DNow, false)
    TOLVANE_MP3_PROPERTY(bool, MP3NotUseMMX, false)
    TOLVANE_MP3_PROPERTY(bool, MP3NotUseEnhancedCPU, false)
    TOLVANE_MP3_PROPERTY(qint32, MP3Priority, 0)
    TOLVANE_MP3_PROPERTY(qint32, MP3nCPU, 1)
    TOLVANE_MP3_PROPERTY(bool, MP3SetnCPU, false)
    TOLVANE_MP3_PROPERTY(qint32, MP3LPFB, 75)
    TOLVANE_MP3_PROPERTY(qint32, MP3LPFA, 55)
    TOLVANE_MP3_PROPERTY(bool, MP3CustomizeLPF, false)
    TOLVANE_MP3_PROPERTY(bool, MP3NotUseLPF, false)
    TOLVANE_MP3_PROPERTY(bool, MP3NotUsePsy, false)
    TOLVANE_MP3_PROPERTY(qint32, MP3CBRMPEG2BitRate, 80)
    TOLVANE_MP3_PROPERTY(qint32, MP3CBRMPEG1BitRate, 128)
    TOLVANE_MP3_PROPERTY(bool, MP3VBR, false)
    TOLVANE_MP3_PROPERTY(qint32, MP3VBRMinBitRate, 64)
    TOLVANE_MP3_PROPERTY(qint32, MP3VBRMaxBitRate, 128)
    TOLVANE_MP3_PROPERTY(bool, MP3LimitVBRBitRate, false)
    TOLVANE_MP3_PROPERTY(qint32, MP3VBRQuality, 0)
    TOLVANE_MP3_PROPERTY(bool, MP3DeleteWavFile, false)
    TOLVANE_MP3_PROPERTY(qint32, MP3FileFormat, 0)
    TOLVANE_MP3_PROPERTY(qint32, MP3Stereo, 3)
    TOLVANE_MP3_PROPERTY(bool, MP3RealTime, false)
#undef TOLVANE_MP3_PROPERTY

public:
    // A boolean held in 32 bits: reads -1 or 0; any non-zero value stores -1.
    qint32 MP3SetPriority() const { return m_MP3SetPriority; }
    void setMP3SetPriority(qint32 v) { m_MP3SetPriority = v != 0 ? -1 : 0; }

    // Copies in and out by value.
    tolvane::ID3Tag ID3Tag() const { return m_ID3Tag; }
    void setID3Tag(const tolvane::ID3Tag &v) { m_ID3Tag = v; }

    void CopyFrom(const ClsMP3 &CopySource);

private:
    qint32 m_MP3SetPriority = 0;
    tolvane::ID3Tag m_ID3Tag;
};

}  // namespace tolvane
