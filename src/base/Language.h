#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <optional>

namespace lumina {

// The interface's languages. Japanese is the program's own: its texts are
// written in it, and English is their translation. lumina-fare's own usage
// texts go the other way. Untranslated shows every text as written, as the
// C (POSIX) locale asks of every translated program.
enum class Language { Untranslated, Japanese, English };
// What the user asks for: a language, or whatever the system's locale asks for.
enum class LanguageChoice { System, Japanese, English };

// The code of a choice as `--lang` and view.ini write it: "ja", "en", "" for System.
QString languageCode(LanguageChoice choice);
// The choice a code names ("" is System); nothing for a code not known.
std::optional<LanguageChoice> languageChoiceFromCode(const QString &code);
// Japanese when the first of the system's interface languages (QLocale's
// uiLanguages(), which follow LANGUAGE, LC_ALL, LC_MESSAGES and LANG) is
// Japanese; Untranslated for the C locale; English for anything else, which is
// what a visitor reads best.
Language systemLanguage(const QStringList &uiLanguages);
// The language a choice stands for on this system.
Language resolveLanguage(LanguageChoice choice);
// The first choice given that is not System: the command line's over the
// saved one; System when neither says.
LanguageChoice preferredChoice(std::optional<LanguageChoice> commandLine, LanguageChoice saved);

// The translators in use. choose() installs the program's translation and
// Qt's own for the language (Qt's make the standard buttons say はい/いいえ);
// the application then sends every widget QEvent::LanguageChange.
class Translations : public QObject
{
    Q_OBJECT

public:
    static Translations &instance();

    LanguageChoice choice() const { return m_choice; }
    Language language() const { return m_language; }
    // Installs the language of `choice` into the running application (again,
    // when a new application object has been made since).
    void choose(LanguageChoice choice);

signals:
    // After choose(), with the language's translations installed.
    void chosen(lumina::LanguageChoice choice);

private:
    Translations() = default;

    LanguageChoice m_choice = LanguageChoice::System;
    Language m_language = Language::Untranslated;
    QTranslator m_program; // src/: Japanese into English
    QTranslator m_tool;    // lumina-fare's own texts: English into Japanese
    QTranslator m_qt;      // Qt's standard texts
};

// Sets `property` of `object` ("text", "title", "windowTitle", "toolTip", ...)
// to the translation of `source` in `context` and keeps the source beside it,
// so retranslateTexts() can set it again in another language.
void setTranslated(QObject *object, const char *property, const char *context, const char *source);
// Sets every text setTranslated() gave `root` or its children again, in the
// language installed now.
void retranslateTexts(QObject *root);

} // namespace lumina
