#include "FakeControls.h"

#include "common/NumberedError.h"

namespace tolvane::test {

quint32 FakeControlDevice::Add(ControlElement element, std::vector<long> values)
{
    element.numid = static_cast<quint32>(m_elements.size() + 1);
    m_values[element.numid] = std::move(values);
    m_elements.push_back(std::move(element));
    return m_elements.back().numid;
}

bool FakeControlDevice::Read(const ControlElement &element, std::vector<long> &values) const
{
    if (unreadable.count(element.numid))
        return false;
    values = m_values.at(element.numid);
    return true;
}

void FakeControlDevice::Write(const ControlElement &element, const std::vector<long> &values)
{
    if (!element.writable)
        throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("Operation not permitted"));
    if (values.size() != static_cast<size_t>(element.count))
        throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("Invalid argument"));
    m_values[element.numid] = values;
    ++writes;
}

void FakeControlSystem::AddDevice(const QString &name, std::shared_ptr<FakeControlDevice> controls)
{
    const QString ctl = QStringLiteral("fake:%1").arg(m_devices.size());
    m_devices.push_back({name, ctl, ctl, {}});
    if (controls)
        m_controls[ctl] = std::move(controls);
}

std::shared_ptr<IControlDevice> FakeControlSystem::Open(const QString &ctl) const
{
    const auto it = m_controls.find(ctl);
    return it == m_controls.end() ? nullptr : it->second;
}

namespace {

ControlElement Element(const QByteArray &name, ElementKind kind, int count)
{
    ControlElement e;
    e.name = name;
    e.kind = kind;
    e.count = count;
    return e;
}

}  // namespace

ControlElement Boolean(const QByteArray &name, int count, bool writable)
{
    ControlElement e = Element(name, ElementKind::Boolean, count);
    e.writable = writable;
    return e;
}

ControlElement Integer(const QByteArray &name, int count, long min, long max, bool writable)
{
    ControlElement e = Element(name, ElementKind::Integer, count);
    e.min = min;
    e.max = max;
    e.step = 1;
    e.writable = writable;
    return e;
}

ControlElement Enumerated(const QByteArray &name, const std::vector<QByteArray> &items, int count)
{
    ControlElement e = Element(name, ElementKind::Enumerated, count);
    e.items = items;
    return e;
}

}  // namespace tolvane::test
