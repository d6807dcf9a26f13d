// Renders the main window in its states to PNG files on the offscreen platform, on a
// simulated clock with generated sound: idle with schedules, monitoring with the meter moving,
// a timetable recording with a disk-space warning, and a manual recording with an end time.
// Then every dialog, each as it opens at its default size, reached the way a user reaches it.
// All of it in Japanese and in English, in the folders "ja" and "en".
//
//   frontend_screenshots OUTPUT_FOLDER

#include "frontend/FrmDialogChangeEndTime.h"
#include "frontend/FrmDialogOption.h"
#include "frontend/FrmDialogRec.h"
#include "frontend/FrmDialogSchedule.h"
#include "frontend/Frmmain.h"
#include "frontend/Translations.h"
#include "tests/frontend/ScriptedDialogHost.h"
#include "tests/support/TestServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>

using namespace tolvane;

namespace {

// Answers the questions and plays the dialogs the way a user filling in the example would.
class ExampleDialogs final : public IFrontDialogs, public IQuestioner {
public:
    std::function<void(ClsSchedule &)> next;

    bool ChangeSchedule(Frmmain &, const std::vector<std::shared_ptr<ClsSchedule>> &schedules,
                        const QStringList &) override
    {
        for (const auto &s : schedules)
            next(*s);
        return true;
    }
    bool ChangeDefault(Frmmain &) override { return false; }
    std::shared_ptr<ClsSchedule> SetManualRecord(Frmmain &owner, const std::shared_ptr<ClsSchedule> &d) override
    {
        auto s = owner.Controller()->CreateNewSchedule();
        s->CopyFrom(*d);
        return s;
    }
    std::optional<Seconds> ChangeEndTime(Frmmain &, Seconds) override { return Seconds(9 * 3600 + 45 * 60); }
    void ChangeOptions(Frmmain &) override {}
    Answer AskYesNo(QWidget *, const QString &) override { return Answer::Yes; }
    Answer AskYesNoCancel(QWidget *, const QString &) override { return Answer::No; }
    void Inform(QWidget *, const QString &, MessageIcon) override {}
};

// A sine of the given amplitude, stereo 16-bit, half a second at 44100 Hz.
std::vector<qint16> Tone(double amplitude, double rightFactor)
{
    std::vector<qint16> block(44100);
    for (size_t i = 0; i < block.size(); i += 2) {
        const double v = std::sin(static_cast<double>(i) * 0.03) * amplitude;
        block[i] = static_cast<qint16>(v);
        block[i + 1] = static_cast<qint16>(v * rightFactor);
    }
    return block;
}

bool Save(QWidget &window, const QString &folder, const char *name)
{
    QCoreApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "frontend_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Every picture in one language; false when one could not be made.
bool ShootAll(const QString &folder, Translations::Language language)
{
    const bool japanese = language == Translations::Language::Japanese;
    test::TestEnv env(QDateTime(QDate(2024, 3, 4), QTime(6, 58, 30)));
    auto example = std::make_shared<ExampleDialogs>();
    Frmmain::Parts parts;
    parts.services = env.services;
    parts.dialogs = example;
    parts.questions = example;
    Frmmain window(parts);
    window.Load();
    window.resize(980, 560);
    window.show();

    struct Example {
        const char *name, *englishName, *start, *end;
        std::initializer_list<int> days;
        FormatType format;
        bool cut;
    };
    const Example schedules[] = {
        {"朝のニュース", "Morning news", "07:00:00", "07:15:00", {1, 2, 3, 4, 5}, FormatType::MP3, true},
        {"語学講座", "Language course", "06:45:00", "07:00:00", {1, 3, 5}, FormatType::wave, false},
        {"週末の音楽番組", "Weekend music", "21:00:00", "22:55:00", {0, 6}, FormatType::MP3, true},
        {"深夜ラジオ", "Late-night radio", "01:00:00", "03:00:00", {2}, FormatType::wave, false},
    };
    auto *newButton = window.findChild<QPushButton *>(QStringLiteral("Cnew"));
    for (const Example &e : schedules) {
        example->next = [&](ClsSchedule &s) {
            s.setName(QString::fromUtf8(japanese ? e.name : e.englishName));
            s.setStartTime(QString::fromLatin1(e.start));
            s.setEndTime(QString::fromLatin1(e.end));
            for (int d : e.days)
                s.setStartDay(d, 1);
            s.setRecordingFormat(e.format);
            s.WaveSetting()->setSNSValid(e.cut);
            s.WaveSetting()->setENSValid(e.cut);
        };
        newButton->click();
    }
    window.ScheduleList()->clearSelection();
    for (int c = 0; c < window.ScheduleList()->columnCount(); ++c)
        window.ScheduleList()->resizeColumnToContents(c);

    bool ok = Save(window, folder, "idle");

    window.findChild<QPushButton *>(QStringLiteral("CMonitor"))->click();
    env.capture->Last().Deliver16(Tone(12000, 0.5));
    env.capture->Last().Deliver16(Tone(6000, 0.4));
    ok = Save(window, folder, "monitoring") && ok;
    window.findChild<QPushButton *>(QStringLiteral("CMonitor"))->click();

    // The timetable starts the morning news at 07:00:00, on a disk too small for it; a minute
    // into it.
    env.freeBytes = 100'000'000;
    env.clock->Set(QDateTime(QDate(2024, 3, 4), QTime(7, 0, 0)));
    env.timer->Fire();
    env.clock->Set(QDateTime(QDate(2024, 3, 4), QTime(7, 1, 0)));
    env.capture->Last().Deliver16(Tone(9000, 0.8));
    ok = Save(window, folder, "preset-recording") && ok;
    window.findChild<QPushButton *>(QStringLiteral("CRecEnd"))->click();
    window.findChild<QPushButton *>(QStringLiteral("CNoticeSeen"))->click();
    env.freeBytes = qint64{1} << 50;

    env.clock->Set(QDateTime(QDate(2024, 3, 4), QTime(9, 10, 0)));
    window.findChild<QPushButton *>(QStringLiteral("CRec"))->click();
    window.findChild<QPushButton *>(QStringLiteral("CChangeEndTime"))->click();
    env.clock->Set(QDateTime(QDate(2024, 3, 4), QTime(9, 12, 30)));
    env.capture->Last().Deliver16(Tone(20000, 0.9));
    ok = Save(window, folder, "manual-recording-with-end-time") && ok;
    window.findChild<QPushButton *>(QStringLiteral("CRecEnd"))->click();

    // The dialogs. Each is photographed when it opens, then the buttons that lead on are pressed
    // (after ticking what enables them), and it is left with Cancel.
    test::ScriptedDialogHost host;
    const auto shoot = [&](const char *file, std::initializer_list<const char *> presses = {}) {
        return [&, file, presses = std::vector<const char *>(presses)](QDialog &d) {
            ok = Save(d, folder, file) && ok;
            for (const char *name : presses)
                test::Get<QAbstractButton>(d, name).click();
            d.reject();
        };
    };
    host.On(QStringLiteral("FrmDialogSchedule"),
            shoot("dialog-schedule", {"CChangeDays", "CChangeFileName", "ChkBeforeExecute", "CBeforeExecute",
                                      "CChangePath", "CChangeSourceDevice", "CChangeFormatSetting0", "OptFormat1",
                                      "CChangeFormatSetting1"}));
    host.On(QStringLiteral("FrmDialogDays"), shoot("dialog-days"));
    host.On(QStringLiteral("FrmDialogSetFileName"), shoot("dialog-file-name"));
    host.On(QStringLiteral("FrmDialogChangeExecuteFile"), shoot("dialog-program"));
    host.On(QStringLiteral("DialogSavePath"), shoot("dialog-save-folder", {"CNewFolder"}));
    host.On(QStringLiteral("FrmDialogNewFolder"), shoot("dialog-new-folder"));
    host.On(QStringLiteral("FrmDialogSourceDevice"), shoot("dialog-source-device"));
    host.On(QStringLiteral("FrmDialogWaveSetting"), shoot("dialog-wave", {"CMP3Setting"}));
    host.On(QStringLiteral("FrmDialogGOGOSetting"), shoot("dialog-mp3", {"ChkMakeID3Tag", "CSetTag", "CSetOther"}));
    host.On(QStringLiteral("DialogSetTag"), shoot("dialog-tag"));
    host.On(QStringLiteral("FrmDialogOtherGOGOSetting"), shoot("dialog-mp3-detail"));
    host.On(QStringLiteral("FrmWME"), [&](QDialog &d) {
        test::Get<QAbstractButton>(d, "ChkChangeSetting").click();
        shoot("dialog-session-file")(d);
    });
    host.On(QStringLiteral("FrmDialogOption"), shoot("dialog-options"));
    host.On(QStringLiteral("FrmDialogRec"), shoot("dialog-manual-recording"));
    host.On(QStringLiteral("FrmDialogChangeEndTime"), shoot("dialog-end-time"));

    ClsController &controller = *window.Controller();
    const DialogContext context{controller, *example, host};
    // The first example is an MP3 schedule, so that the wave dialog's MP3 button leads on.
    const QString key = Frmmain::KeyOf(window.ScheduleList()->topLevelItem(0));
    auto copy = controller.CreateNewSchedule();
    copy->CopyFrom(*controller.Schedule(key));
    // On a device without an input selector, as the sound server's is.
    env.mixer->deviceWithoutSelector = true;
    copy->setDeviceID(1);
    FrmDialogSchedule(context, window).ChangeSchedule({copy}, {key});
    FrmDialogOption(context, window).ChangeOptions();
    FrmDialogRec(context, &window).SetManualRecord(*controller.DefaultSchedule());
    FrmDialogChangeEndTime(context, &window).ChangeEndTime(Seconds(10 * 3600));
    for (const QString &problem : host.problems + host.Unplayed()) {
        std::fprintf(stderr, "frontend_screenshots: %s\n", qPrintable(problem));
        ok = false;
    }
    return ok;
}

}  // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: frontend_screenshots OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (const auto &[name, language] : {std::pair{"ja", Translations::Language::Japanese},
                                         std::pair{"en", Translations::Language::English}}) {
        const Translations translations(language);
        if (!translations.Complete()) {
            std::fprintf(stderr, "frontend_screenshots: the %s translation is missing\n", name);
            ok = false;
        }
        const QString languageFolder = folder + QLatin1Char('/') + QLatin1String(name);
        QDir().mkpath(languageFolder);
        ok = ShootAll(languageFolder, language) && ok;
    }
    return ok ? 0 : 1;
}
