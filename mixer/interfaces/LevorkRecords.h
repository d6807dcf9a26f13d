#pragma once
// The records of the mixer object model. Integer fields carry the platform's values and flags
// unchanged; texts are cut at their first zero character.

#include <QString>
#include <QtGlobal>

#include <array>

namespace tolvane {

struct lvMIXERCAPS {
    quint16 wMid = 0;
    quint16 wPid = 0;
    qint32 vDriverVersion = 0;
    QString szPname;
    qint32 fdwSupport = 0;
    qint32 cDestinations = 0;
};

struct lvTarget {
    qint32 dwType = 0;
    qint32 dwDeviceID = 0;
    quint16 wMid = 0;
    quint16 wPid = 0;
    qint32 vDriverVersion = 0;
    QString szPname;
};

struct lvMixerLine {
    qint32 cbStruct = 0;
    qint32 dwDestination = 0;
    qint32 dwSource = 0;
    qint32 dwLineID = 0;
    qint32 fdwLine = 0;
    qint32 dwUser = 0;
    qint32 dwComponentType = 0;
    qint32 cChannels = 0;
    qint32 cConnections = 0;
    qint32 cControls = 0;
    QString szShortName;
    QString szName;
    lvTarget lpTarget;
};

struct LevorkINFO {
    qint32 cbStruct = 0;
    qint32 dwControlID = 0;
    qint32 dwControlType = 0;
    qint32 fdwControl = 0;
    qint32 cMultipleItems = 0;
    QString szShortName;
    QString szName;
    std::array<qint32, 6> Bounds{};
    std::array<qint32, 6> Metrics{};
};

struct LevorkDetails {
    qint32 cbStruct = 0;
    qint32 dwControlID = 0;
    qint32 cChannels = 0;
    qint32 item = 0;
    qint32 cbDetails = 0;
    qint32 paDetails = 0;
};

struct LevorkDETAILS_BOOLEAN {
    qint32 fValue = 0;
};
struct LevorkDETAILS_SIGNED {
    qint32 lValue = 0;
};
struct LevorkDETAILS_UNSIGNED {
    qint32 dwValue = 0;
};
struct LevorkDETAILS_LISTTEXT {
    qint32 dwParam1 = 0;
    qint32 dwParam2 = 0;
    QString szName;
};

enum class nValueType : qint32 { BOOL = 0, SIGNED = 1, UNSIGNED = 2, LISTTEXT = 3 };

struct ValueType {
    nValueType Type1 = nValueType::BOOL;  // how the values are kept
    nValueType Type2 = nValueType::BOOL;  // LISTTEXT when the control also has item names, else 0
};

// Control types of the model that the ALSA mixer hands out, and those the core looks for.
namespace MixerControlType {
inline constexpr qint32 BooleanMeter = 0x10010000;
inline constexpr qint32 SignedMeter = 0x10020000;
inline constexpr qint32 UnsignedMeter = 0x10030000;
inline constexpr qint32 Boolean = 0x20010000;
inline constexpr qint32 OnOff = 0x20010001;
inline constexpr qint32 Mute = 0x20010002;
inline constexpr qint32 Signed = 0x30020000;
inline constexpr qint32 Unsigned = 0x30030000;
inline constexpr qint32 Volume = 0x50030001;
inline constexpr qint32 SingleSelect = 0x70010000;
inline constexpr qint32 Mux = 0x70010001;  // the recording source selector
}  // namespace MixerControlType

// Control flags. Uniform alone: one value shared by all channels; Multiple alone: one value per
// channel of the line; list controls carry both and hold one value per item.
namespace MixerControlFlag {
inline constexpr qint32 Uniform = 1;
inline constexpr qint32 Multiple = 2;
}  // namespace MixerControlFlag

}  // namespace tolvane
