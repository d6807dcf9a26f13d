#include "FrmDialogSourceDevice.h"

#include "core/controller/ClsController.h"
#include "frontend/StreamLevelProbe.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

namespace tolvane {

namespace {

// Long enough to hear a stream settle after it connects, short enough to wait for.
constexpr std::chrono::seconds kTestLength{5};

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

    m_fromDevice = NewOption("OptSourceDevice", tr("サウンドデバイスから録音する"));
    m_fromStream = NewOption("OptSourceStream", tr("インターネットラジオのストリームを録音する"));
    connect(m_fromDevice, &QRadioButton::toggled, this, &FrmDialogSourceDevice::OptSource_Click);
    m_url = NewText("TStreamURL");
    m_url->setPlaceholderText(QStringLiteral("https://"));
    m_test = NewButton("CTestStream", tr("テスト"), [this] { CTestStream_Click(); });
    m_test->setToolTip(tr("数秒間ストリームを受信して入力レベルを表示します（音は再生しません）"));
    for (int c = 0; c < 2; ++c) {
        m_level[c] = new QProgressBar(this);
        m_level[c]->setObjectName(c == 0 ? QStringLiteral("PStreamLevelL") : QStringLiteral("PStreamLevelR"));
        m_level[c]->setTextVisible(false);
        m_level[c]->setMaximumHeight(10);
    }
    m_streamState = NewLabel(QString(), true);
    m_streamState->setObjectName(QStringLiteral("LStreamState"));
    m_probe = new StreamLevelProbe(Controller().Services()->notifier, this);
    for (QProgressBar *bar : m_level)
        bar->setRange(m_probe->Minimum(), m_probe->Maximum());
    connect(m_probe, &StreamLevelProbe::Level, this, [this](int left, int right) {
        m_level[0]->setValue(left);
        m_level[1]->setValue(right);
    });
    connect(m_probe, &StreamLevelProbe::Failed, this, [this](const QString &message) {
        m_streamState->setText(tr("ストリームを受信できませんでした。") + QLatin1Char('\n') + message);
    });
    connect(m_probe, &StreamLevelProbe::Finished, this, [this] {
        m_test->setEnabled(m_fromStream->isChecked());
        if (m_streamState->text() == tr("受信しています..."))
            m_streamState->clear();
    });

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_fromDevice, 0, 0, 1, 2);
    layout->addWidget(m_systemDevice, 1, 0, 1, 2);
    layout->addWidget(NewLabel(tr("デバイス")), 2, 0);
    layout->addWidget(NewLabel(tr("入力ライン")), 2, 1);
    layout->addWidget(m_device, 3, 0);
    layout->addWidget(m_line, 3, 1);
    layout->addWidget(m_lineState, 4, 1);
    layout->addWidget(m_fromStream, 5, 0, 1, 2);
    auto *stream = new QGridLayout;
    stream->addWidget(NewLabel(tr("URL")), 0, 0);
    stream->addWidget(m_url, 0, 1);
    stream->addWidget(m_test, 0, 2);
    stream->addWidget(m_level[0], 1, 1);
    stream->addWidget(m_level[1], 2, 1);
    stream->addWidget(m_streamState, 3, 1, 1, 2);
    stream->setColumnStretch(1, 1);
    layout->addLayout(stream, 6, 0, 1, 2);
    layout->addLayout(NewOkCancel([this] { OKButton_Click(); }), 7, 0, 1, 2);
    setMinimumSize(520, 420);
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
    if (const auto &list = Controller().Services()->soundDevices)
        m_soundDevices = list();
    for (const auto &device : m_devices)
        m_device->addItem(device->Name());
    m_device->setEnabled(m_device->count() > 0);
    m_line->setEnabled(false);

    // A server's source is found by its name: its place in the list may have moved.
    int row = m_copy->DeviceID();
    if (!m_copy->ServerSource().isEmpty())
        for (int r = 0; r < m_device->count(); ++r)
            if (ServerSourceOf(r) == m_copy->ServerSource())
                row = r;
    m_device->setCurrentRow(row);
    if (m_line->count() > 0)
        m_line->setCurrentRow(m_copy->SourceLineIndex());
    m_systemDevice->setChecked(m_copy->UseSystemSourceDevice());
    m_url->setText(m_copy->StreamURL());
    (m_copy->StreamURL().isEmpty() ? m_fromDevice : m_fromStream)->setChecked(true);
    OptSource_Click();
    const bool confirmed = ShowModal();
    m_probe->Stop();
    return confirmed ? m_copy : nullptr;
}

QString FrmDialogSourceDevice::ServerSourceOf(int row) const
{
    // The two lists were read one after the other: a source counts only where both agree.
    if (row < 0 || static_cast<size_t>(row) >= m_soundDevices.size() || static_cast<size_t>(row) >= m_devices.size())
        return {};
    const CoreServices::ListedDevice &d = m_soundDevices[static_cast<size_t>(row)];
    return d.name == m_devices[static_cast<size_t>(row)]->Name() ? d.serverSource : QString();
}

void FrmDialogSourceDevice::OptSource_Click()
{
    const bool stream = m_fromStream->isChecked();
    m_systemDevice->setEnabled(!stream);
    if (stream) {
        m_device->setEnabled(false);
        m_line->setEnabled(false);
    } else {
        ChkSourceDevice_Click();
        m_probe->Stop();
    }
    m_url->setEnabled(stream);
    m_test->setEnabled(stream && !m_probe->Running());
}

void FrmDialogSourceDevice::CTestStream_Click()
{
    const QString url = m_url->text().trimmed();
    if (!ClsSchedule::IsStreamURL(url)) {
        Warn(tr("ストリームのURLはhttp://またはhttps://で始まるアドレスを指定してください。"));
        return;
    }
    for (QProgressBar *bar : m_level)
        bar->setValue(bar->minimum());
    m_streamState->setText(tr("受信しています..."));
    m_test->setEnabled(false);
    m_probe->Start(url, kTestLength);
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
    const bool own = !m_systemDevice->isChecked() && !m_fromStream->isChecked();
    m_device->setEnabled(own && m_device->count() > 0);
    m_line->setEnabled(own && m_line->count() > 0);
}

void FrmDialogSourceDevice::OKButton_Click()
{
    if (m_fromStream->isChecked()) {
        // The device fields stay as they were, for when the stream is given up again.
        const QString url = m_url->text().trimmed();
        if (!ClsSchedule::IsStreamURL(url)) {
            Warn(tr("ストリームのURLはhttp://またはhttps://で始まるアドレスを指定してください。"));
            m_url->setFocus();
            return;
        }
        m_copy->setStreamURL(url);
        Confirm();
        return;
    }
    m_copy->setStreamURL(QString());
    if (m_systemDevice->isChecked()) {
        m_copy->setUseSystemSourceDevice(true);
    } else {
        m_copy->setUseSystemSourceDevice(false);
        // With no device listed the stored one is kept rather than a device that does not exist.
        if (m_device->currentRow() >= 0) {
            m_copy->setDeviceID(m_device->currentRow());
            m_copy->setServerSource(ServerSourceOf(m_device->currentRow()));
        }
        m_copy->setSourceLineIndex(m_line->count() > 0 ? m_line->currentRow() : -1);
    }
    Confirm();
}

}  // namespace tolvane
