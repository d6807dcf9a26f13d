#pragma once
// The window's language. Japanese shows the texts as they are written, with Qt's own texts (Yes,
// No, Cancel, the file dialog, context menus) in Japanese too; English comes from the translation
// compiled into the program. Chosen by the locale, or forced with TOLVANE_LANGUAGE.

#include <QTranslator>

namespace tolvane {

class Translations {
public:
    enum class Language { Japanese, English };

    // TOLVANE_LANGUAGE ("ja" or "en") when it names one of them; otherwise the first of
    // LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is set, in the order gettext reads them:
    // Japanese for a "ja" locale, English for any other or none.
    static Language FromEnvironment();

    // Installs the translations into the application for as long as this object lives.
    explicit Translations(Language language);
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    Language language() const { return m_language; }
    // False when a translation could not be found; the texts it holds then stay as written.
    bool Complete() const { return m_complete; }

private:
    Language m_language;
    QTranslator m_qt;
    QTranslator m_window;
    bool m_complete = true;
};

}  // namespace tolvane
