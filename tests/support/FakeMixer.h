#pragma once
// A mixer tree for controller and dialog tests: one device whose capture line carries a
// recording source selector with the given item names, optionally followed by a device without
// one; every write is recorded.

#include "mixer/interfaces/IMixer.h"

#include <memory>
#include <vector>

namespace tolvane::test {

struct FakeMixerState {
    std::vector<qint32> muxValues{1, 0, 0, 0};  // the items of each channel in turn
    std::vector<QString> muxNames{QStringLiteral("Mic"), QStringLiteral("Line"), QStringLiteral("CD"),
                                  QStringLiteral("Aux")};
    qint32 muxChannels = 1;
    bool deviceWithoutSelector = false;
    std::vector<std::vector<qint32>> writes;
    int created = 0;
    bool noDevice = false;
};

class FakeMuxControl final : public ILineControl {
public:
    explicit FakeMuxControl(std::shared_ptr<FakeMixerState> state) : m_state(std::move(state)) {}
    QString Name() const override { return QStringLiteral("Capture Source"); }
    std::vector<qint32> Values() const override { return m_state->muxValues; }
    std::vector<LevorkDETAILS_LISTTEXT> ListTextValues() const override
    {
        std::vector<LevorkDETAILS_LISTTEXT> items;
        for (qint32 channel = 0; channel < m_state->muxChannels; ++channel)
            for (const QString &name : m_state->muxNames)
                items.push_back({0, 0, name});
        return items;
    }
    qint32 GetnValues() const override { return static_cast<qint32>(m_state->muxValues.size()); }
    ValueType GetValueType() const override { return {nValueType::BOOL, nValueType::LISTTEXT}; }
    LevorkINFO ControlInfo() const override
    {
        LevorkINFO info;
        info.dwControlType = MixerControlType::Mux;
        info.cMultipleItems = GetnValues() / m_state->muxChannels;
        return info;
    }
    LevorkDetails Details() const override { return {}; }
    std::vector<LevorkDETAILS_BOOLEAN> boolValues() const override { return {}; }
    std::vector<LevorkDETAILS_SIGNED> signedValues() const override { return {}; }
    std::vector<LevorkDETAILS_UNSIGNED> unsignedValues() const override { return {}; }
    void setValues(const std::vector<qint32> &values) override
    {
        m_state->muxValues = values;
        m_state->writes.push_back(values);
    }
    void setboolValues(const std::vector<LevorkDETAILS_BOOLEAN> &) override {}
    void setsignedValues(const std::vector<LevorkDETAILS_SIGNED> &) override {}
    void setunsignedValues(const std::vector<LevorkDETAILS_UNSIGNED> &) override {}
    void setListTextValues(const std::vector<LevorkDETAILS_LISTTEXT> &) override {}

private:
    std::shared_ptr<FakeMixerState> m_state;
};

class FakeLine final : public IDestinationLine {
public:
    explicit FakeLine(std::vector<std::shared_ptr<ILineControl>> controls) : m_controls(std::move(controls)) {}
    qint32 GetnSourceLines() const override { return 0; }
    std::vector<std::shared_ptr<ISourceLine>> SourceLines() const override { return {}; }
    qint32 GetnLineControls() const override { return static_cast<qint32>(m_controls.size()); }
    std::vector<std::shared_ptr<ILineControl>> LineControls() const override { return m_controls; }
    QString Name() const override { return QStringLiteral("Capture"); }
    lvMixerLine LineInfo() const override { return {}; }

private:
    std::vector<std::shared_ptr<ILineControl>> m_controls;
};

class FakeDevice final : public IDevice {
public:
    explicit FakeDevice(std::vector<std::shared_ptr<IDestinationLine>> lines, QString name = QStringLiteral("Fake card"))
        : m_lines(std::move(lines)), m_name(std::move(name))
    {
    }
    qint32 GetndestinationLines() const override { return static_cast<qint32>(m_lines.size()); }
    std::vector<std::shared_ptr<IDestinationLine>> destinationLines() const override { return m_lines; }
    QString Name() const override { return m_name; }
    lvMIXERCAPS MixerCaps() const override { return {}; }

private:
    std::vector<std::shared_ptr<IDestinationLine>> m_lines;
    QString m_name;
};

class FakeMixer final : public IMixer {
public:
    explicit FakeMixer(const std::shared_ptr<FakeMixerState> &state)
    {
        // A playback line without a selector comes first, so the search must walk on.
        m_devices.push_back(std::make_shared<FakeDevice>(std::vector<std::shared_ptr<IDestinationLine>>{
            std::make_shared<FakeLine>(std::vector<std::shared_ptr<ILineControl>>{}),
            std::make_shared<FakeLine>(
                std::vector<std::shared_ptr<ILineControl>>{std::make_shared<FakeMuxControl>(state)})}));
        if (state->deviceWithoutSelector)
            m_devices.push_back(std::make_shared<FakeDevice>(
                std::vector<std::shared_ptr<IDestinationLine>>{
                    std::make_shared<FakeLine>(std::vector<std::shared_ptr<ILineControl>>{})},
                QStringLiteral("Plain card")));
    }
    qint32 GetnDevices() const override { return static_cast<qint32>(m_devices.size()); }
    std::vector<std::shared_ptr<IDevice>> Devices() const override { return m_devices; }

    static MixerFactory Factory(std::shared_ptr<FakeMixerState> state)
    {
        return [state]() -> std::unique_ptr<IMixer> {
            if (state->noDevice)
                throw NumberedError(ErrNo::InvalidLevel, QStringLiteral("システム上にミキサーデバイスが存在しません。"));
            ++state->created;
            return std::make_unique<FakeMixer>(state);
        };
    }

private:
    std::vector<std::shared_ptr<IDevice>> m_devices;
};

}  // namespace tolvane::test
