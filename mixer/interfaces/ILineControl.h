#pragma once
// One control of a mixer line (volume, switch, meter, source selector...). Values are a
// snapshot taken when the mixer object was created; setValues writes through to the device.

#include "mixer/interfaces/LevorkRecords.h"

#include <QString>

#include <vector>

namespace tolvane {

class ILineControl {
public:
    virtual ~ILineControl() = default;
    virtual QString Name() const = 0;
    // One value per channel and item.
    virtual std::vector<qint32> Values() const = 0;
    virtual std::vector<LevorkDETAILS_LISTTEXT> ListTextValues() const = 0;
    virtual qint32 GetnValues() const = 0;
    virtual ValueType GetValueType() const = 0;
    virtual LevorkINFO ControlInfo() const = 0;
    virtual LevorkDetails Details() const = 0;
    virtual std::vector<LevorkDETAILS_BOOLEAN> boolValues() const = 0;
    virtual std::vector<LevorkDETAILS_SIGNED> signedValues() const = 0;
    virtual std::vector<LevorkDETAILS_UNSIGNED> unsignedValues() const = 0;
    // Sets every value and applies them to the device.
    virtual void setValues(const std::vector<qint32> &values) = 0;
    // Set the typed arrays without applying them.
    virtual void setboolValues(const std::vector<LevorkDETAILS_BOOLEAN> &values) = 0;
    virtual void setsignedValues(const std::vector<LevorkDETAILS_SIGNED> &values) = 0;
    virtual void setunsignedValues(const std::vector<LevorkDETAILS_UNSIGNED> &values) = 0;
    virtual void setListTextValues(const std::vector<LevorkDETAILS_LISTTEXT> &values) = 0;
};

}  // namespace tolvane
