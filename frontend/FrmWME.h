#pragma once
// Chooses the Windows Media session file of a schedule and edits what it holds: codec, bit
// rate, sample rate, channels and the output name whose extension the recordings take.

#include "core/capture/WmeSession.h"
#include "frontend/FormDialog.h"

#include <optional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QSpinBox;

namespace tolvane {

class ChoiceBox;

// The dialog shares its name with the core's Windows Media output, so it lives in a namespace
// of its own.
namespace frontend {

class FrmWME final : public FormDialog {
    Q_OBJECT
public:
    FrmWME(const DialogContext &context, QWidget *parent);

    // The session file path shown when OK closed the dialog; nothing on Cancel.
    std::optional<QString> ChangeWMESetting(const QString &WMEFilePath);

    // A schedule's session file: its own, or the application's default one.
    static QString SessionPathOf(const ClsSchedule &schedule, const QString &appFolder);

private:
    void CChangeSettingFile_Click();
    void ChkChangeSetting_Click(bool checked);
    void ShowSession(const WmeSession &session);
    WmeSession EditedSession() const;
    void COK_Click();

    QLineEdit *m_settingPath = nullptr;
    QCheckBox *m_changeSetting = nullptr;
    QGroupBox *m_session = nullptr;
    ChoiceBox *m_codec = nullptr;
    QSpinBox *m_bitRate = nullptr;
    ChoiceBox *m_sampleRate = nullptr;
    ChoiceBox *m_channels = nullptr;
    QLineEdit *m_outputFile = nullptr;
};

}  // namespace frontend
}  // namespace tolvane
