#pragma once

#include "sound/Speech.h"

#include <QRegularExpression>
#include <QStringList>

namespace lumina::test {

// Records what would be spoken; installs itself as the process-wide engine for
// its lifetime. `statusAfterSpeak` is the status the engine reports once a
// text has been handed to it.
class FakeSpeech final : public Speech
{
public:
    FakeSpeech() { setSpeech(this); }
    ~FakeSpeech() override { setSpeech(nullptr); }
    void start(const VoiceSettings &s) override
    {
        started.append(s);
        m_settings = s;
        if (readyOnStart)
            setReady(true);
    }
    void release() override { setReady(false); }
    bool isReady() const override { return m_ready; }
    void speak(const QString &text) override
    {
        log << QStringLiteral("speak:") + text;
        m_status = statusAfterSpeak;
    }
    void stop() override { log << QStringLiteral("stop"); }
    int status() const override { return m_status; }
    QStringList engines() const override { return offeredEngines; }
    QList<QLocale> languages() const override { return offeredLanguages; }
    QList<VoiceInfo> voices() const override { return offeredVoices; }
    VoiceSettings settings() const override { return m_settings; }
    void setReady(bool ready)
    {
        if (std::exchange(m_ready, ready) != ready)
            emit readyChanged(ready);
    }
    QStringList spoken() const
    {
        static const QRegularExpression speak(QStringLiteral("^speak:"));
        return log.filter(speak).replaceInStrings(speak, QString());
    }

    QStringList log;
    QList<VoiceSettings> started;
    QStringList offeredEngines{QStringLiteral("fake")};
    QList<QLocale> offeredLanguages;
    QList<VoiceInfo> offeredVoices;
    bool readyOnStart = true;
    int statusAfterSpeak = Speaking;

private:
    bool m_ready = false;
    int m_status = Ready;
    VoiceSettings m_settings;
};

} // namespace lumina::test
