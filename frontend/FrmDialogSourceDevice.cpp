#include "FrmDialogSourceDevice.h"

#include "core/controller/ClsController.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>

namespace tolvane {

namespace {

// The recording source selector of a device: the first multiplexer control on its destination
// lines, in their order; null when it has none.
std::shared_ptr<ILineControl> RecordingSelector(const IDevice &device)
{
    for (const auto &line : device.destinationLines()) {
        for (const auto &control : line->LineControls()) {
            if (control->ControlInfo().dwControlType == MixerControlType::Mux)
                return control;
        }
    }
    return nullptr;
}

}  // namespace

FrmDialogSourceDevice::FrmDialogSourceDevice(const DialogContext &context, QWidget *parent)
    : FormDialog(context, "FrmDialogSourceDevice", tr("ソースデバイス選択"), parent)
{
    m_systemDevice = NewCheck("ChkSourceDevice", tr("システムの入力設定を使用する"));
    connect(m_systemDevice, &QCheckBox::toggled, this, &FrmDialogSourceDevice::ChkSourceDevice_Click);
    m_device = new QListWidget(this);
    m_device->setObjectName(QStringLiteral("ListDevice"));
    connect(m_device, &QListWidget::currentRowChanged, this,
            [this](int row) { Guarded([&] { ListDevice_Click(row); }); });
    m_line = new QListWidget(this);
    m_line->setObjectName(QStringLiteral("ListLine"));
    m_lineState = NewLabel(QString(), true);
    m_lineState->setObjectName(QStringLiteral("LLineState"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_systemDevice, 0, 0, 1, 2);
    layout->addWidget(NewLabel(tr("デバイス")), 1, 0);
    layout->addWidget(NewLabel(tr("入力ライン")), 1, 1);
    layout->addWidget(m_device, 2, 0);
    layout->addWidget(m_line, 2, 1);
    layout->addWidget(m_lineState, 3, 1);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }), 4, 0, 1, 2);
    setMinimumSize(520, 300);
}

FrmDialogSourceDevice::~FrmDialogSourceDevice() = default;

std::shared_ptr<ClsSchedule> FrmDialogSourceDevice::ChangeSourceDevice(const ClsSchedule &Schedule)
{
    m_copy = PrivateCopy(Schedule);
    m_device->clear();
    m_line->clear();
    try {
        const MixerFactory &factory = Controller().Services()->mixerFactory;
        if (factory) {
            m_mixer = factory();
            m_devices = m_mixer->Devices();
        }
    } catch (const NumberedError &) {
        // A system without mixer devices offers nothing to choose; the lists stay empty.
    }
    for (const auto &device : m_devices)
        m_device->addItem(device->Name());
    m_device->setEnabled(m_device->count() > 0);
    m_line->setEnabled(false);

    m_device->setCurrentRow(m_copy->DeviceID());
    if (m_line->count() > 0)
        m_line->setCurrentRow(m_copy->SourceLineIndex());
    m_systemDevice->setChecked(m_copy->UseSystemSourceDevice());
    ChkSourceDevice_Click();
    return ShowModal() ? m_copy : nullptr;
}

void FrmDialogSourceDevice::ListDevice_Click(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= m_devices.size())
        return;
    std::shared_ptr<ILineControl> selector;
    std::vector<LevorkDETAILS_LISTTEXT> items;
    try {
        selector = RecordingSelector(*m_devices[static_cast<size_t>(row)]);
        if (selector)
            items = selector->ListTextValues();
    } catch (const NumberedError &) {
        return;  // the lists stay as they were
    }
    m_line->clear();
    m_line->setEnabled(false);
    // Said in the dialog rather than in a box: many devices (the sound server's, USB microphones)
    // have no selector, and the dialog opens on them.
    m_lineState->setText(selector ? QString() : tr("指定デバイス上に入力ラインが見つかりません。"));
    if (!selector)
        return;
    for (const LevorkDETAILS_LISTTEXT &item : items)
        m_line->addItem(item.szName);
    m_line->setEnabled(m_line->count() > 0 && !m_systemDevice->isChecked());
}

void FrmDialogSourceDevice::ChkSourceDevice_Click()
{
    const bool own = !m_systemDevice->isChecked();
    m_device->setEnabled(own && m_device->count() > 0);
    m_line->setEnabled(own && m_line->count() > 0);
}

void FrmDialogSourceDevice::OKButton_Click()
{
    if (m_systemDevice->isChecked()) {
        m_copy->setUseSystemSourceDevice(true);
    } else {
        m_copy->setUseSystemSourceDevice(false);
        // With no device listed the stored one is kept rather than a device that does not exist.
        if (m_device->currentRow() >= 0)
            m_copy->setDeviceID(m_device->currentRow());
        m_copy->setSourceLineIndex(m_line->count() > 0 ? m_line->currentRow() : -1);
    }
    Confirm();
}

}  // namespace tolvane
