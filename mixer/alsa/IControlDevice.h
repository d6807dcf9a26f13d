#pragma once
// The few calls of ALSA's control interface that the mixer tree needs, on one open control
// device; tests put an in-memory device behind it.

#include <QByteArray>
#include <QtGlobal>

#include <vector>

namespace tolvane {

enum class ElementKind { Boolean, Integer, Enumerated };

// One control element of the mixer interface as ALSA describes it.
struct ControlElement {
    quint32 numid = 0;
    QByteArray name;  // the whole name field; it may hold zero bytes after the name
    quint32 index = 0;
    ElementKind kind = ElementKind::Integer;
    int count = 1;  // values of the element, one per channel
    long min = 0;   // range and step of an integer element
    long max = 0;
    long step = 0;
    bool writable = true;
    std::vector<QByteArray> items;  // item name fields of an enumerated element
};

class IControlDevice {
public:
    virtual ~IControlDevice() = default;
    // The elements of the mixer interface in the device's order; kinds other than boolean,
    // integer and enumerated are left out.
    virtual std::vector<ControlElement> Elements() const = 0;
    // The element's current values (item indexes for an enumerated one); false when the device
    // does not answer.
    virtual bool Read(const ControlElement &element, std::vector<long> &values) const = 0;
    // Throws NumberedError when the device refuses the values.
    virtual void Write(const ControlElement &element, const std::vector<long> &values) = 0;
};

}  // namespace tolvane
