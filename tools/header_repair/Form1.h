#pragma once
// The repair tool's one window: drop a WAVE file on it, check the path it shows, and press the
// button to have its header completed after a confirmation.

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace tolvane {

class Form1 : public QWidget {
    Q_OBJECT
public:
    // How the window asks and tells: message boxes in the program, recorded answers in tests.
    struct Dialogs {
        std::function<bool(QWidget *parent, const QString &question)> confirm;
        std::function<void(QWidget *parent, const QString &message)> tell;
        static Dialogs MessageBoxes();
    };

    explicit Form1(Dialogs dialogs = Dialogs::MessageBoxes(), QWidget *parent = nullptr);

    // The file to repair, as a drop would set it.
    void ShowFile(const QString &path);
    QString FilePath() const;

    // Command1's click: repair the file shown after confirmation.
    void Command1_Click();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    Dialogs m_dialogs;
    QLabel *m_label4;
    QPushButton *m_command1;
};

}  // namespace tolvane
