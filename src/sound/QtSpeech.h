#pragma once

#include "sound/Speech.h"

#include <QElapsedTimer>
#include <QTextToSpeech>
#include <QThread>

#include <atomic>
#include <memory>

namespace lumina {

class SpeechWorker;

// The engine's state as Speech tells it: an engine in error is not ready to
// speak; one that synthesizes, speaks or pauses is busy speaking.
int speechStatus(QTextToSpeech::State state);

// Speech through QTextToSpeech. Starting an engine can take seconds (a speech
// server may have to be spawned first), so the engine lives on a thread of
// its own and the window thread never waits for it.
class QtSpeech final : public Speech
{
    Q_OBJECT

public:
    QtSpeech();
    ~QtSpeech() override;

    void start(const VoiceSettings &settings) override;
    void release() override;
    bool isReady() const override { return m_ready; }
    void speak(const QString &text) override;
    void stop() override;
    int status() const override { return m_status->load(); }
    QStringList engines() const override;
    QList<QLocale> languages() const override { return m_languages; }
    QList<VoiceInfo> voices() const override { return m_voices; }
    VoiceSettings settings() const override { return m_settings; }

private:
    void opened(bool ok, const QList<QLocale> &languages, const QList<VoiceInfo> &voices,
                const VoiceSettings &settings);

    QThread *m_thread = nullptr;
    SpeechWorker *m_worker = nullptr;
    bool m_ready = false;
    // Shared with the worker, which may outlive this object when its engine hangs.
    std::shared_ptr<std::atomic<int>> m_status = std::make_shared<std::atomic<int>>(Error);
    QList<QLocale> m_languages;
    QList<VoiceInfo> m_voices;
    VoiceSettings m_settings;
    QElapsedTimer m_startClock;
};

} // namespace lumina
