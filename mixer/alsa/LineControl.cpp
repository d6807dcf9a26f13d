#include "LineControl.h"

#include "common/NumberedError.h"
#include "mixer/alsa/ControlTypes.h"
#include "mixer/alsa/ElementNames.h"

#include <algorithm>
#include <limits>

namespace tolvane {

namespace {

constexpr qint32 kControlRecordSize = 148;
constexpr qint32 kDetailsRecordSize = 24;
constexpr qint32 kValueSize = 4;
constexpr qsizetype kShortNameChars = 15;

qint32 Clamp32(long v)
{
    return static_cast<qint32>(std::clamp<long>(v, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

// Elements of the same name are told apart by their index, as ALSA's own tools do ("Input Source,1").
QString ControlName(const ControlElement &element)
{
    const QString name = ElementNames::FieldText(element.name);
    return element.index == 0 ? name : QStringLiteral("%1,%2").arg(name).arg(element.index);
}

// The control type by the element's kind, access and name: read-only elements are meters,
// an enumerated capture selector is the recording multiplexer.
LevorkINFO InfoOf(const ControlElement &element)
{
    using namespace MixerControlType;
    const QString name = ElementNames::FieldText(element.name);
    LevorkINFO info;
    info.cbStruct = kControlRecordSize;
    info.dwControlID = static_cast<qint32>(element.numid);
    info.szName = ControlName(element);
    info.szShortName = info.szName.left(kShortNameChars);
    info.fdwControl = element.count > 1 ? MixerControlFlag::Multiple : MixerControlFlag::Uniform;
    switch (element.kind) {
    case ElementKind::Enumerated:
        info.dwControlType = ElementNames::IsCaptureSelector(name) ? Mux : SingleSelect;
        info.fdwControl = MixerControlFlag::Uniform | MixerControlFlag::Multiple;
        info.cMultipleItems = static_cast<qint32>(element.items.size());
        break;
    case ElementKind::Boolean:
        if (!element.writable)
            info.dwControlType = BooleanMeter;
        else
            info.dwControlType = name.endsWith(QLatin1String(" Switch")) ? OnOff : Boolean;
        break;
    case ElementKind::Integer: {
        const bool isSigned = element.min < 0;
        if (!element.writable)
            info.dwControlType = isSigned ? SignedMeter : UnsignedMeter;
        else if (isSigned)
            info.dwControlType = Signed;
        else
            info.dwControlType = name.endsWith(QLatin1String(" Volume")) ? Volume : Unsigned;
        info.Bounds[0] = Clamp32(element.min);
        info.Bounds[1] = Clamp32(element.max);
        info.Metrics[0] = Clamp32(element.step > 0 ? (element.max - element.min) / element.step
                                                   : element.max - element.min);
        break;
    }
    }
    return info;
}

}  // namespace

LineControl::LineControl(std::shared_ptr<IControlDevice> device, ControlElement element, qint32 lineChannels)
    : m_device(std::move(device)), m_element(std::move(element)), m_info(InfoOf(m_element))
{
    m_channels = ControlTypes::ChannelsOf(m_info, lineChannels);
    m_valueType.Type1 = ControlTypes::ValueClassOf(m_info.dwControlType);
    if (ControlTypes::IsListControl(m_info.dwControlType))
        m_valueType.Type2 = nValueType::LISTTEXT;

    m_details.cbStruct = kDetailsRecordSize;
    m_details.dwControlID = m_info.dwControlID;
    m_details.cChannels = m_channels;
    m_details.item = m_info.cMultipleItems;
    m_details.cbDetails = kValueSize;

    std::vector<long> raw;
    if (!m_device->Read(m_element, raw))
        raw.clear();
    m_values = FromElement(raw);

    if (m_valueType.Type2 == nValueType::LISTTEXT) {
        for (qint32 ch = 0; ch < m_channels; ++ch) {
            for (size_t item = 0; item < m_element.items.size(); ++item)
                m_items.push_back({static_cast<qint32>(item), 0, ElementNames::FieldText(m_element.items[item])});
        }
    }
}

// A device that does not answer leaves zeros. When the element has fewer channels than the
// control, its last channel fills the rest.
std::vector<qint32> LineControl::FromElement(const std::vector<long> &raw) const
{
    std::vector<qint32> values(static_cast<size_t>(ControlTypes::ValueCountOf(m_info, m_channels)), 0);
    if (raw.empty())
        return values;
    const auto rawAt = [&raw](qint32 ch) { return raw[std::min(static_cast<size_t>(ch), raw.size() - 1)]; };
    const qint32 items = m_info.cMultipleItems;
    for (qint32 ch = 0; ch < m_channels; ++ch) {
        if (m_element.kind == ElementKind::Enumerated) {
            const long selected = rawAt(ch);
            if (selected >= 0 && selected < items)
                values[static_cast<size_t>(ch * items + selected)] = 1;
        } else {
            values[static_cast<size_t>(ch)] = Clamp32(rawAt(ch));
        }
    }
    return values;
}

// The element's values from the control's: a selector takes the first item whose value is not
// zero, and element channels beyond the control's take its last channel.
std::vector<long> LineControl::ToElement(const std::vector<qint32> &values) const
{
    std::vector<long> raw(static_cast<size_t>(std::max(m_element.count, 1)));
    const qint32 items = m_info.cMultipleItems;
    for (size_t j = 0; j < raw.size(); ++j) {
        const qint32 ch = std::min(static_cast<qint32>(j), m_channels - 1);
        if (m_element.kind == ElementKind::Enumerated) {
            const auto first = values.begin() + ch * items;
            const auto selected = std::find_if(first, first + items, [](qint32 v) { return v != 0; });
            if (selected == first + items)
                throw NumberedError(ErrNo::InvalidProcedureCall,
                                    QStringLiteral("%1: no item is selected").arg(m_info.szName));
            raw[j] = selected - first;
        } else if (m_element.kind == ElementKind::Boolean) {
            raw[j] = values[static_cast<size_t>(ch)] != 0;
        } else {
            const long v = values[static_cast<size_t>(ch)];
            if (v < m_element.min || v > m_element.max)
                throw NumberedError(ErrNo::InvalidProcedureCall, QStringLiteral("%1: %2 is outside %3 to %4")
                                                                     .arg(m_info.szName)
                                                                     .arg(v)
                                                                     .arg(m_element.min)
                                                                     .arg(m_element.max));
            raw[j] = v;
        }
    }
    return raw;
}

void LineControl::CheckCount(size_t given, size_t expected) const
{
    if (given != expected)
        throw NumberedError(ErrNo::InvalidProcedureCall,
                            QStringLiteral("%1: %2 values given, %3 expected").arg(m_info.szName).arg(given).arg(expected));
}

void LineControl::CheckClass(nValueType valueClass) const
{
    if (valueClass != m_valueType.Type1)
        throw NumberedError::Standard(ErrNo::TypeMismatch, m_info.szName);
}

template <typename Record, typename Field>
std::vector<Record> LineControl::Typed(nValueType valueClass, Field field) const
{
    std::vector<Record> records;
    if (valueClass != m_valueType.Type1)
        return records;
    for (qint32 v : m_values) {
        Record r;
        r.*field = v;
        records.push_back(r);
    }
    return records;
}

template <typename Record, typename Field>
void LineControl::SetTyped(nValueType valueClass, const std::vector<Record> &values, Field field)
{
    CheckClass(valueClass);
    CheckCount(values.size(), m_values.size());
    for (size_t i = 0; i < values.size(); ++i)
        m_values[i] = values[i].*field;
}

QString LineControl::Name() const
{
    return m_info.szName;
}

std::vector<qint32> LineControl::Values() const
{
    return m_values;
}

std::vector<LevorkDETAILS_LISTTEXT> LineControl::ListTextValues() const
{
    return m_items;
}

qint32 LineControl::GetnValues() const
{
    return static_cast<qint32>(m_values.size());
}

ValueType LineControl::GetValueType() const
{
    return m_valueType;
}

LevorkINFO LineControl::ControlInfo() const
{
    return m_info;
}

LevorkDetails LineControl::Details() const
{
    return m_details;
}

std::vector<LevorkDETAILS_BOOLEAN> LineControl::boolValues() const
{
    return Typed<LevorkDETAILS_BOOLEAN>(nValueType::BOOL, &LevorkDETAILS_BOOLEAN::fValue);
}

std::vector<LevorkDETAILS_SIGNED> LineControl::signedValues() const
{
    return Typed<LevorkDETAILS_SIGNED>(nValueType::SIGNED, &LevorkDETAILS_SIGNED::lValue);
}

std::vector<LevorkDETAILS_UNSIGNED> LineControl::unsignedValues() const
{
    return Typed<LevorkDETAILS_UNSIGNED>(nValueType::UNSIGNED, &LevorkDETAILS_UNSIGNED::dwValue);
}

void LineControl::setValues(const std::vector<qint32> &values)
{
    CheckCount(values.size(), m_values.size());
    m_device->Write(m_element, ToElement(values));
    m_values = values;
}

void LineControl::setboolValues(const std::vector<LevorkDETAILS_BOOLEAN> &values)
{
    SetTyped(nValueType::BOOL, values, &LevorkDETAILS_BOOLEAN::fValue);
}

void LineControl::setsignedValues(const std::vector<LevorkDETAILS_SIGNED> &values)
{
    SetTyped(nValueType::SIGNED, values, &LevorkDETAILS_SIGNED::lValue);
}

void LineControl::setunsignedValues(const std::vector<LevorkDETAILS_UNSIGNED> &values)
{
    SetTyped(nValueType::UNSIGNED, values, &LevorkDETAILS_UNSIGNED::dwValue);
}

void LineControl::setListTextValues(const std::vector<LevorkDETAILS_LISTTEXT> &values)
{
    if (m_valueType.Type2 != nValueType::LISTTEXT)
        throw NumberedError::Standard(ErrNo::TypeMismatch, m_info.szName);
    CheckCount(values.size(), m_items.size());
    for (size_t i = 0; i < values.size(); ++i)
        m_items[i].dwParam2 = values[i].dwParam2;
}

}  // namespace tolvane
