// The window's language: chosen from the environment, English from the compiled translation,
// Japanese with Qt's own texts in Japanese, and the core's messages shown in the window's
// language while the log keeps them as written.

#include "frontend/CoreMessages.h"
#include "frontend/Translations.h"
#include "tests/frontend/WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>

#include <optional>

using namespace tolvane;
using namespace tolvane::test;

namespace {

// Sets the locale variables for one test and puts the old values back afterwards.
class Locale {
public:
    explicit Locale(std::initializer_list<std::pair<const char *, const char *>> values)
    {
        for (const char *name : kNames) {
            m_saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            qunsetenv(name);
        }
        for (const auto &[name, value] : values)
            qputenv(name, value);
    }
    ~Locale()
    {
        for (const auto &[name, value] : m_saved) {
            if (value)
                qputenv(name, *value);
            else
                qunsetenv(name);
        }
    }

private:
    static constexpr const char *kNames[] = {"TOLVANE_LANGUAGE", "LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<const char *, std::optional<QByteArray>>> m_saved;
};

// The placeholders of a message, in order of number.
QStringList Placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QStringList found;
    for (const QRegularExpressionMatch &m : placeholder.globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}

using Language = Translations::Language;

// The variables in the order gettext reads them, TOLVANE_LANGUAGE above all.
TEST(LanguageChoice, FollowsTheEnvironment)
{
    const struct {
        std::initializer_list<std::pair<const char *, const char *>> values;
        Language expected;
    } cases[] = {
        {{{"LANG", "ja_JP.UTF-8"}}, Language::Japanese},
        {{{"LANG", "en_US.UTF-8"}}, Language::English},
        {{{"LANG", "de_DE.UTF-8"}}, Language::English},
        {{}, Language::English},
        {{{"LANG", "C.UTF-8"}}, Language::English},
        {{{"LANGUAGE", "ja:en"}, {"LANG", "en_US.UTF-8"}}, Language::Japanese},
        {{{"LC_ALL", "ja_JP.UTF-8"}, {"LANG", "en_US.UTF-8"}}, Language::Japanese},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "ja_JP.UTF-8"}}, Language::English},
        {{{"TOLVANE_LANGUAGE", "en"}, {"LANGUAGE", "ja"}, {"LANG", "ja_JP.UTF-8"}}, Language::English},
        {{{"TOLVANE_LANGUAGE", "ja"}, {"LANG", "C"}}, Language::Japanese},
        {{{"TOLVANE_LANGUAGE", "fr"}, {"LANG", "ja_JP.UTF-8"}}, Language::Japanese},
    };
    int row = 0;
    for (const auto &c : cases) {
        const Locale locale(c.values);
        EXPECT_EQ(Translations::FromEnvironment(), c.expected) << "case " << row;
        ++row;
    }
}

class WindowLanguage : public WindowFixture {
protected:
    // Closes the window with unsaved changes and reads the save question's buttons; Cancel keeps
    // the window.
    QStringList SaveQuestionButtons()
    {
        QStringList captions;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                captions << (box->button(b) ? box->button(b)->text() : QString());
            box->button(QMessageBox::Cancel)->click();
        });
        EXPECT_FALSE(window->close());
        return captions;
    }
};

// Under an English and a Japanese locale the window's buttons and the buttons of its questions
// (Qt's own texts) are in that language.
TEST_F(WindowLanguage, ButtonsAndQuestionBoxes)
{
    const struct {
        const char *lang;
        QString newButton, waiting;
        QStringList questionButtons;
    } cases[] = {
        {"en_US.UTF-8", "New", "Waiting", {"&Yes", "&No", "Cancel"}},
        {"ja_JP.UTF-8", "新規", "待機中", {"はい(&Y)", "いいえ(&N)", "キャンセル"}},
    };
    parts.questions = std::make_shared<MessageBoxQuestioner>();
    for (const auto &c : cases) {
        const Locale locale({{"LANG", c.lang}});
        const Translations translations(Translations::FromEnvironment());
        EXPECT_TRUE(translations.Complete()) << c.lang;
        Open();
        window->show();
        EXPECT_EQ(Button("Cnew")->text(), c.newButton);
        EXPECT_EQ(Info(), c.waiting);
        AddSchedule(QStringLiteral("A"));
        EXPECT_EQ(SaveQuestionButtons(), c.questionButtons) << c.lang;
        EXPECT_TRUE(window->isVisible());
        window.reset();
    }
}

// In English the core's warning and its message boxes are shown in English, with their parts
// filled in, while the log keeps the core's own words; the list's cells and the level meter
// follow the language.
TEST_F(WindowLanguage, CoreMessagesShownInEnglishLoggedAsWritten)
{
    const Translations english(Language::English);
    Open();
    C().gMakeLog = true;
    const QString warning = QStringLiteral("朝 の録音には約1.2 GB必要ですが、保存フォルダ /srv/rec の空きは10.0 MBです。");
    emit C().OnWarning(warning);
    EXPECT_EQ(Notice(), QStringLiteral("2024/03/04 6:59:00  The recording 朝 needs about 1.2 GB, but the save folder "
                                       "/srv/rec has only 10.0 MB free."));
    emit C().OnError(NumberedError(13, QStringLiteral("0以上の数でなければなりません。")));
    EXPECT_EQ(Notice(), QStringLiteral("2024/03/04 6:59:00  An error occurred. Error number 13. The value must be a "
                                       "number of 0 or more."));
    const QString noMixer = QStringLiteral("システム上にミキサーデバイスが存在しません。");
    env.services->notifier->ShowMessage(noMixer, MessageIcon::Critical, {});
    QStringList boxes;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
            boxes << box->text();
            box->close();
        }
    }
    EXPECT_EQ(boxes, QStringList{QStringLiteral("There is no mixer device on this system.")});

    AddSchedule(QStringLiteral("A"));
    EXPECT_EQ(List()->topLevelItem(0)->text(1), QStringLiteral("Su Mo Tu We Th Fr Sa"));
    EXPECT_EQ(List()->topLevelItem(0)->text(5), QStringLiteral("WAVE 16-bit 44100 Hz 2 ch"));
    Click("CMonitor");
    env.capture->Last().Deliver16({16384, 16384});
    EXPECT_TRUE(Find<QLabel>("LVolume")->text().startsWith(QStringLiteral("Peak input: -6.020 dB.")));

    QFile log(env.Path(QStringLiteral("rec.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains(warning));
    EXPECT_TRUE(logged.contains(QStringLiteral("エラーが発生しました。エラー番号は13です。0以上の数でなければなりません。")));
    EXPECT_TRUE(logged.contains(QStringLiteral("Message ") + noMixer));
}

// Every message on the list has an English form with the same placeholders; messages made of
// messages are translated part by part; a text not on the list, and every text in Japanese,
// stays as it is.
TEST(CoreMessageTexts, TranslatedWithTheirParts)
{
    {
        const Translations english(Language::English);
        for (const QString &source : CoreMessages::Sources()) {
            const QString translated = CoreMessages::Translate(source);
            EXPECT_NE(translated, source) << source.toStdString();
            EXPECT_EQ(Placeholders(translated), Placeholders(source)) << source.toStdString();
        }
        const struct {
            QString japanese, english;
        } made[] = {
            {ErrorText(QStringLiteral("エラーが発生しました。"),
                       NumberedError(0x80040001, QStringLiteral("システム上にミキサーデバイスが存在しません。"))),
             QStringLiteral("An error occurred. Error number -2147221503.\nThere is no mixer device on this system.")},
            {QStringLiteral("MP3エンコーダ(/usr/bin/encorda)を起動できません: 応答が違います(プロトコル 7)"),
             QStringLiteral("The MP3 encoder (/usr/bin/encorda) cannot be started: it gave an unexpected answer (protocol 7)")},
            {QStringLiteral("MP3エンコーダ(encorda)がエンコード中に終了しました(終了コード 3)。 lame: out of memory "
                            "途中までのMP3ファイル /r/a.mp3 を削除できません。 WAVEファイルは /r/a.mp3.tmp に残っています。"),
             QStringLiteral("The MP3 encoder (encorda) ended (exit code 3) while encoding. lame: out of memory The "
                            "unfinished MP3 file /r/a.mp3 cannot be deleted. The WAVE file was left as /r/a.mp3.tmp.")},
            {QStringLiteral("%1: WAVEファイルとして読めません(fmtチャンクが短すぎます)"),
             QStringLiteral("%1: cannot be read as a WAVE file (the fmt chunk is too short)")},
            {QStringLiteral("No such file or directory"), QStringLiteral("No such file or directory")},
        };
        for (const auto &m : made)
            EXPECT_EQ(CoreMessages::Translate(m.japanese), m.english);
    }
    for (const QString &source : CoreMessages::Sources())
        EXPECT_EQ(CoreMessages::Translate(source), source);
}

// The list holds the texts the program really writes: every literal part of every message is
// found in the sources, so that a reworded message is noticed here rather than shown untranslated.
TEST(CoreMessageTexts, WrittenByTheProgram)
{
    // Each run of adjacent string literals, joined as the compiler joins them.
    static const QRegularExpression run(QStringLiteral("(?:\"(?:[^\"\\\\\\n]|\\\\.)*\"\\s*)+"));
    static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
    static const QRegularExpression escape(QStringLiteral("\\\\(.)"));
    QString literals;
    for (const char *folder : {"core", "common", "encoder", "mixer", "frontend"}) {
        QDirIterator files(QStringLiteral(TOLVANE_SOURCE_DIR "/") + QLatin1String(folder), {"*.cpp", "*.h"},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (file.fileName().endsWith(QLatin1String("CoreMessages.cpp")) || !file.open(QIODevice::ReadOnly))
                continue;
            // A quote character ('"') would open a string that is none.
            const QString code = QString::fromUtf8(file.readAll()).replace(QStringLiteral("'\"'"), QStringLiteral("''"));
            for (const QRegularExpressionMatch &r : run.globalMatch(code)) {
                for (const QRegularExpressionMatch &l : literal.globalMatch(r.captured())) {
                    QString text = l.captured(1);
                    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
                    literals += text.replace(escape, QStringLiteral("\\1"));
                }
                literals += u'\x1f';
            }
        }
    }
    ASSERT_FALSE(literals.isEmpty());
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const QString &source : CoreMessages::Sources()) {
        for (const QString &part : source.split(placeholder, Qt::SkipEmptyParts))
            EXPECT_TRUE(literals.contains(part)) << source.toStdString() << " / " << part.toStdString();
    }
}

}  // namespace
