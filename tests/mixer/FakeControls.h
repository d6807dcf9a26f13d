#pragma once
// An in-memory ALSA-like control device and device list, for building the mixer tree without
// a sound card.

#include "mixer/alsa/IControlSystem.h"

#include <map>
#include <set>

namespace tolvane::test {

class FakeControlDevice : public IControlDevice {
public:
    // Adds an element with its current values and returns its numid.
    quint32 Add(ControlElement element, std::vector<long> values);
    // The values the device holds now.
    const std::vector<long> &Current(quint32 numid) const { return m_values.at(numid); }

    std::vector<ControlElement> Elements() const override { return m_elements; }
    bool Read(const ControlElement &element, std::vector<long> &values) const override;
    // Refuses read-only elements with the error a real device gives.
    void Write(const ControlElement &element, const std::vector<long> &values) override;

    std::set<quint32> unreadable;
    int writes = 0;

private:
    std::vector<ControlElement> m_elements;
    std::map<quint32, std::vector<long>> m_values;
};

class FakeControlSystem : public IControlSystem {
public:
    // Adds a device; without controls its control device cannot be opened.
    void AddDevice(const QString &name, std::shared_ptr<FakeControlDevice> controls);

    std::vector<SoundDevice> Devices() const override { return m_devices; }
    std::shared_ptr<IControlDevice> Open(const QString &ctl) const override;

private:
    std::vector<SoundDevice> m_devices;
    std::map<QString, std::shared_ptr<FakeControlDevice>> m_controls;
};

// Elements as ALSA describes them.
ControlElement Boolean(const QByteArray &name, int count = 1, bool writable = true);
ControlElement Integer(const QByteArray &name, int count, long min, long max, bool writable = true);
ControlElement Enumerated(const QByteArray &name, const std::vector<QByteArray> &items, int count = 1);

}  // namespace tolvane::test
