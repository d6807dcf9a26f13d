#pragma once
// One ALSA control element as a control of the mixer object model. Its values are read when
// it is made and written through to the device by setValues.

#include "mixer/alsa/IControlDevice.h"
#include "mixer/interfaces/ILineControl.h"

#include <memory>

namespace tolvane {

class LineControl : public ILineControl {
public:
    // lineChannels: the channel count of the line the control sits on.
    LineControl(std::shared_ptr<IControlDevice> device, ControlElement element, qint32 lineChannels);

    QString Name() const override;
    std::vector<qint32> Values() const override;
    std::vector<LevorkDETAILS_LISTTEXT> ListTextValues() const override;
    qint32 GetnValues() const override;
    ValueType GetValueType() const override;
    LevorkINFO ControlInfo() const override;
    LevorkDetails Details() const override;
    std::vector<LevorkDETAILS_BOOLEAN> boolValues() const override;
    std::vector<LevorkDETAILS_SIGNED> signedValues() const override;
    std::vector<LevorkDETAILS_UNSIGNED> unsignedValues() const override;
    void setValues(const std::vector<qint32> &values) override;
    void setboolValues(const std::vector<LevorkDETAILS_BOOLEAN> &values) override;
    void setsignedValues(const std::vector<LevorkDETAILS_SIGNED> &values) override;
    void setunsignedValues(const std::vector<LevorkDETAILS_UNSIGNED> &values) override;
    void setListTextValues(const std::vector<LevorkDETAILS_LISTTEXT> &values) override;

private:
    std::vector<qint32> FromElement(const std::vector<long> &raw) const;
    std::vector<long> ToElement(const std::vector<qint32> &values) const;
    void CheckCount(size_t given, size_t expected) const;
    void CheckClass(nValueType valueClass) const;
    template <typename Record, typename Field>
    std::vector<Record> Typed(nValueType valueClass, Field field) const;
    template <typename Record, typename Field>
    void SetTyped(nValueType valueClass, const std::vector<Record> &values, Field field);

    std::shared_ptr<IControlDevice> m_device;
    ControlElement m_element;
    LevorkINFO m_info;
    LevorkDetails m_details;
    ValueType m_valueType;
    qint32 m_channels = 1;
    std::vector<qint32> m_values;
    std::vector<LevorkDETAILS_LISTTEXT> m_items;
};

}  // namespace tolvane
