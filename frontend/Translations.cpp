#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tolvane {

Translations::Language Translations::FromEnvironment()
{
    const QByteArray forced = qgetenv("TOLVANE_LANGUAGE").trimmed().toLower();
    if (forced == "ja")
        return Language::Japanese;
    if (forced == "en")
        return Language::English;
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        // LANGUAGE is a list of preferences, "ja:en"; the first one counts.
        const QByteArray value = qgetenv(name).split(':').constFirst().trimmed();
        if (!value.isEmpty())
            return value.startsWith("ja") ? Language::Japanese : Language::English;
    }
    return Language::English;
}

Translations::Translations(Language language) : m_language(language)
{
    if (language == Language::Japanese) {
        // Qt's own texts: Debian's Qt translations.
        m_complete = m_qt.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        if (m_complete)
            QCoreApplication::installTranslator(&m_qt);
    } else {
        // The window's texts are written in Japanese; Qt's own are English already.
        m_complete = m_window.load(QStringLiteral(":/translations/tolvane_en.qm"));
        if (m_complete)
            QCoreApplication::installTranslator(&m_window);
    }
}

Translations::~Translations()
{
    QCoreApplication::removeTranslator(&m_window);
    QCoreApplication::removeTranslator(&m_qt);
}

}  // namespace tolvane
