#include "sound/Speech.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace lumina {

namespace {

// Where no engine can run: never ready, says nothing.
class NoSpeech final : public Speech
{
public:
    void start(const VoiceSettings &) override {}
    void release() override {}
    bool isReady() const override { return false; }
    void speak(const QString &) override {}
    void stop() override {}
    int status() const override { return Error; }
    QStringList engines() const override { return {}; }
    QList<QLocale> languages() const override { return {}; }
    QList<VoiceInfo> voices() const override { return {}; }
    VoiceSettings settings() const override { return {}; }
};

Speech *g_override = nullptr;

QString settingsPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("voice.ini"));
}

double bounded(const QVariant &value, double fallback, double low, double high)
{
    bool ok; // the conversion always sets it
    const double number = value.toDouble(&ok);
    return ok ? std::clamp(number, low, high) : fallback;
}

} // namespace

VoiceSettings VoiceSettings::load()
{
    const QSettings file(settingsPath(), QSettings::IniFormat);
    VoiceSettings s;
    s.engine = file.value(QStringLiteral("speech/engine")).toString();
    s.language = file.value(QStringLiteral("speech/language")).toString();
    s.voice = file.value(QStringLiteral("speech/voice")).toString();
    s.rate = bounded(file.value(QStringLiteral("speech/rate")), s.rate, -1.0, 1.0);
    s.pitch = bounded(file.value(QStringLiteral("speech/pitch")), s.pitch, -1.0, 1.0);
    s.volume = bounded(file.value(QStringLiteral("speech/volume")), s.volume, 0.0, 1.0);
    return s;
}

void VoiceSettings::save() const
{
    QSettings file(settingsPath(), QSettings::IniFormat);
    file.setValue(QStringLiteral("speech/engine"), engine);
    file.setValue(QStringLiteral("speech/language"), language);
    file.setValue(QStringLiteral("speech/voice"), voice);
    file.setValue(QStringLiteral("speech/rate"), rate);
    file.setValue(QStringLiteral("speech/pitch"), pitch);
    file.setValue(QStringLiteral("speech/volume"), volume);
}

int chooseVoice(const QList<VoiceInfo> &voices, const QString &saved)
{
    if (!saved.isEmpty()) {
        for (qsizetype i = 0; i < voices.size(); ++i) {
            if (voices[i].name == saved)
                return int(i);
        }
    }
    for (qsizetype i = 0; i < voices.size(); ++i) {
        if (voices[i].locale.language() == QLocale::Japanese)
            return int(i);
    }
    return -1;
}

int chooseLanguage(const QList<QLocale> &languages, const QString &saved)
{
    if (!saved.isEmpty()) {
        for (qsizetype i = 0; i < languages.size(); ++i) {
            if (languages[i].name() == saved)
                return int(i);
        }
    }
    for (qsizetype i = 0; i < languages.size(); ++i) {
        if (languages[i].language() == QLocale::Japanese)
            return int(i);
    }
    return -1;
}

Speech &speech()
{
    if (g_override)
        return *g_override;
    static NoSpeech none;
    return none;
}

void setSpeech(Speech *replacement)
{
    g_override = replacement;
}

} // namespace lumina
