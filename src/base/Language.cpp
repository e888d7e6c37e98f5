#include "base/Language.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QVariant>

namespace lumina {

namespace {

// The dynamic property that keeps a text's context and source beside it.
QByteArray sourceProperty(const char *property)
{
    return QByteArrayLiteral("_lumina_source_") + property;
}

} // namespace

QString languageCode(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::Japanese:
        return QStringLiteral("ja");
    case LanguageChoice::English:
        return QStringLiteral("en");
    case LanguageChoice::System:
        break;
    }
    return QString();
}

std::optional<LanguageChoice> languageChoiceFromCode(const QString &code)
{
    for (const LanguageChoice choice : {LanguageChoice::System, LanguageChoice::Japanese, LanguageChoice::English}) {
        if (code.compare(languageCode(choice), Qt::CaseInsensitive) == 0)
            return choice;
    }
    return std::nullopt;
}

Language systemLanguage(const QStringList &uiLanguages)
{
    const QLocale::Language first = uiLanguages.isEmpty() ? QLocale::C : QLocale(uiLanguages.first()).language();
    if (first == QLocale::Japanese)
        return Language::Japanese;
    return first == QLocale::C ? Language::Untranslated : Language::English;
}

Language resolveLanguage(LanguageChoice choice)
{
    switch (choice) {
    case LanguageChoice::Japanese:
        return Language::Japanese;
    case LanguageChoice::English:
        return Language::English;
    case LanguageChoice::System:
        break;
    }
    return systemLanguage(QLocale::system().uiLanguages());
}

LanguageChoice preferredChoice(std::optional<LanguageChoice> commandLine, LanguageChoice saved)
{
    return commandLine && *commandLine != LanguageChoice::System ? *commandLine : saved;
}

Translations &Translations::instance()
{
    static Translations translations;
    return translations;
}

void Translations::choose(LanguageChoice choice)
{
    m_choice = choice;
    m_language = resolveLanguage(choice);
    for (QTranslator *translator : {&m_program, &m_tool, &m_qt})
        QCoreApplication::removeTranslator(translator);
    // The translations travel inside the program (resources under :/i18n);
    // Qt's own are the system's. A missing one leaves those texts Japanese
    // (or, for lumina-fare's, English), which is still usable.
    if (m_language == Language::English) {
        if (m_program.load(QStringLiteral(":/i18n/lumina_en.qm")))
            QCoreApplication::installTranslator(&m_program);
    } else if (m_language == Language::Japanese) {
        if (m_tool.load(QStringLiteral(":/i18n/lumina-fare_ja.qm")))
            QCoreApplication::installTranslator(&m_tool);
        if (m_qt.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_qt);
    }
    emit chosen(choice);
}

void setTranslated(QObject *object, const char *property, const char *context, const char *source)
{
    object->setProperty(sourceProperty(property).constData(),
                        QVariant::fromValue(QByteArrayList{context, source}));
    object->setProperty(property, QCoreApplication::translate(context, source));
}

void retranslateTexts(QObject *root)
{
    QList<QObject *> objects = root->findChildren<QObject *>();
    objects.prepend(root);
    const QByteArray prefix = sourceProperty("");
    for (QObject *object : objects) {
        for (const QByteArray &name : object->dynamicPropertyNames()) {
            if (!name.startsWith(prefix))
                continue;
            const auto source = object->property(name.constData()).value<QByteArrayList>();
            object->setProperty(name.mid(prefix.size()).constData(),
                                QCoreApplication::translate(source[0].constData(), source[1].constData()));
        }
    }
}

} // namespace lumina
