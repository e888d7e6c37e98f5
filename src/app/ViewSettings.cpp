#include "app/ViewSettings.h"

#include "app/SettingsStore.h"
#include "shell/BoardWindow.h"

#include <QDir>
#include <QSettings>

namespace lumina {

namespace {

const QString kScaleKey = QStringLiteral("Board/Scale");
const QString kOnTopKey = QStringLiteral("Board/StaysOnTop");
const QString kLanguageKey = QStringLiteral("Interface/Language");

} // namespace

QString viewSettingsPath()
{
    return QDir(iniLocation().userConfigFolder).filePath(QStringLiteral("view.ini"));
}

int storedBoardScale()
{
    const QSettings settings(viewSettingsPath(), QSettings::IniFormat);
    // What is no number reads as 0, which is no scale either.
    const int scale = settings.value(kScaleKey, 1).toInt();
    return scale >= 1 && scale <= BoardWindow::kMaxBoardScale ? scale : 1;
}

void storeBoardScale(int scale)
{
    QSettings settings(viewSettingsPath(), QSettings::IniFormat);
    settings.setValue(kScaleKey, scale);
}

bool storedStaysOnTop()
{
    return QSettings(viewSettingsPath(), QSettings::IniFormat).value(kOnTopKey, false).toBool();
}

void storeStaysOnTop(bool on)
{
    QSettings settings(viewSettingsPath(), QSettings::IniFormat);
    settings.setValue(kOnTopKey, on);
}

LanguageChoice storedLanguageChoice()
{
    const QString code = QSettings(viewSettingsPath(), QSettings::IniFormat).value(kLanguageKey).toString();
    return languageChoiceFromCode(code).value_or(LanguageChoice::System);
}

void storeLanguageChoice(LanguageChoice choice)
{
    QSettings settings(viewSettingsPath(), QSettings::IniFormat);
    settings.setValue(kLanguageKey, languageCode(choice));
}

} // namespace lumina
