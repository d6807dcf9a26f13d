#include "AlsaControlSystem.h"

#include "common/NumberedError.h"
#include "mixer/alsa/ElementNames.h"

#include <alsa/asoundlib.h>

#include <memory>
#include <new>

namespace tolvane {

namespace {

// The fixed sizes of the kernel's name fields (struct snd_ctl_elem_id and the item name of
// struct snd_ctl_elem_info); ALSA's getters point into them.
constexpr qsizetype kElementNameField = 44;
constexpr qsizetype kItemNameField = 64;

template <typename T, int (*Alloc)(T **), void (*Free)(T *)>
std::unique_ptr<T, void (*)(T *)> Make()
{
    T *p = nullptr;
    if (Alloc(&p) < 0 || !p)
        throw std::bad_alloc();
    return {p, Free};
}

auto NewInfo()
{
    return Make<snd_ctl_elem_info_t, snd_ctl_elem_info_malloc, snd_ctl_elem_info_free>();
}

auto NewValue()
{
    return Make<snd_ctl_elem_value_t, snd_ctl_elem_value_malloc, snd_ctl_elem_value_free>();
}

// Reading an element's info again for each item is how ALSA hands out item names.
bool ReadItemNames(snd_ctl_t *ctl, snd_ctl_elem_info_t *info, ControlElement &element)
{
    const unsigned items = snd_ctl_elem_info_get_items(info);
    for (unsigned k = 0; k < items; ++k) {
        snd_ctl_elem_info_set_item(info, k);
        if (snd_ctl_elem_info(ctl, info) < 0)
            return false;
        element.items.emplace_back(snd_ctl_elem_info_get_item_name(info), kItemNameField);
    }
    return true;
}

class AlsaControlDevice : public IControlDevice {
public:
    AlsaControlDevice(snd_ctl_t *ctl, QString name) : m_ctl(ctl), m_name(std::move(name)) {}
    ~AlsaControlDevice() override { snd_ctl_close(m_ctl); }
    AlsaControlDevice(const AlsaControlDevice &) = delete;
    AlsaControlDevice &operator=(const AlsaControlDevice &) = delete;

    std::vector<ControlElement> Elements() const override
    {
        std::vector<ControlElement> elements;
        auto list = Make<snd_ctl_elem_list_t, snd_ctl_elem_list_malloc, snd_ctl_elem_list_free>();
        if (snd_ctl_elem_list(m_ctl, list.get()) < 0
            || snd_ctl_elem_list_alloc_space(list.get(), snd_ctl_elem_list_get_count(list.get())) < 0)
            return elements;
        auto id = Make<snd_ctl_elem_id_t, snd_ctl_elem_id_malloc, snd_ctl_elem_id_free>();
        auto info = NewInfo();
        if (snd_ctl_elem_list(m_ctl, list.get()) >= 0) {
            for (unsigned i = 0; i < snd_ctl_elem_list_get_used(list.get()); ++i) {
                snd_ctl_elem_list_get_id(list.get(), i, id.get());
                if (snd_ctl_elem_id_get_interface(id.get()) != SND_CTL_ELEM_IFACE_MIXER)
                    continue;
                snd_ctl_elem_info_set_id(info.get(), id.get());
                if (snd_ctl_elem_info(m_ctl, info.get()) < 0)
                    continue;
                ControlElement element;
                element.numid = snd_ctl_elem_info_get_numid(info.get());
                element.name = QByteArray(snd_ctl_elem_info_get_name(info.get()), kElementNameField);
                element.index = snd_ctl_elem_info_get_index(info.get());
                element.count = static_cast<int>(snd_ctl_elem_info_get_count(info.get()));
                element.writable = snd_ctl_elem_info_is_writable(info.get());
                const snd_ctl_elem_type_t type = snd_ctl_elem_info_get_type(info.get());
                if (type == SND_CTL_ELEM_TYPE_BOOLEAN) {
                    element.kind = ElementKind::Boolean;
                } else if (type == SND_CTL_ELEM_TYPE_INTEGER) {
                    element.kind = ElementKind::Integer;
                    element.min = snd_ctl_elem_info_get_min(info.get());
                    element.max = snd_ctl_elem_info_get_max(info.get());
                    element.step = snd_ctl_elem_info_get_step(info.get());
                } else if (type == SND_CTL_ELEM_TYPE_ENUMERATED) {
                    element.kind = ElementKind::Enumerated;
                    if (!ReadItemNames(m_ctl, info.get(), element))
                        continue;
                } else {
                    continue;
                }
                elements.push_back(std::move(element));
            }
        }
        snd_ctl_elem_list_free_space(list.get());
        return elements;
    }

    bool Read(const ControlElement &element, std::vector<long> &values) const override
    {
        auto value = NewValue();
        snd_ctl_elem_value_set_numid(value.get(), element.numid);
        if (snd_ctl_elem_read(m_ctl, value.get()) < 0)
            return false;
        values.assign(static_cast<size_t>(element.count), 0);
        for (unsigned i = 0; i < values.size(); ++i) {
            switch (element.kind) {
            case ElementKind::Boolean: values[i] = snd_ctl_elem_value_get_boolean(value.get(), i); break;
            case ElementKind::Integer: values[i] = snd_ctl_elem_value_get_integer(value.get(), i); break;
            case ElementKind::Enumerated:
                values[i] = static_cast<long>(snd_ctl_elem_value_get_enumerated(value.get(), i));
                break;
            }
        }
        return true;
    }

    void Write(const ControlElement &element, const std::vector<long> &values) override
    {
        auto value = NewValue();
        snd_ctl_elem_value_set_numid(value.get(), element.numid);
        for (unsigned i = 0; i < values.size(); ++i) {
            switch (element.kind) {
            case ElementKind::Boolean: snd_ctl_elem_value_set_boolean(value.get(), i, values[i]); break;
            case ElementKind::Integer: snd_ctl_elem_value_set_integer(value.get(), i, values[i]); break;
            case ElementKind::Enumerated:
                snd_ctl_elem_value_set_enumerated(value.get(), i, static_cast<unsigned>(values[i]));
                break;
            }
        }
        const int err = snd_ctl_elem_write(m_ctl, value.get());
        if (err < 0)
            throw NumberedError(ErrNo::PathFileAccess, QStringLiteral("%1: %2: %3")
                                                           .arg(m_name, ElementNames::FieldText(element.name),
                                                                QString::fromLocal8Bit(snd_strerror(err))));
    }

private:
    snd_ctl_t *m_ctl;
    QString m_name;
};

}  // namespace

std::vector<SoundDevice> AlsaControlSystem::Devices() const
{
    return SoundDeviceList::Current();
}

std::shared_ptr<IControlDevice> AlsaControlSystem::Open(const QString &ctl) const
{
    snd_ctl_t *handle = nullptr;
    if (snd_ctl_open(&handle, ctl.toLocal8Bit().constData(), 0) < 0)
        return nullptr;
    return std::make_shared<AlsaControlDevice>(handle, ctl);
}

}  // namespace tolvane
