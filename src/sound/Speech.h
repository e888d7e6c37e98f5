#pragma once

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>

namespace lumina {

// The operator's voice choice. Kept per user (see load()/save()), not in the
// settings file, whose layout stays that of the files users already have.
struct VoiceSettings {
    QString engine;   // empty: the platform's default engine
    QString language; // locale name; empty: Japanese when offered, else the engine's
    QString voice;    // empty: the language's default voice
    double rate = 0.0;   // -1 .. 1
    double pitch = 0.0;  // -1 .. 1
    double volume = 1.0; // 0 .. 1

    friend bool operator==(const VoiceSettings &, const VoiceSettings &) = default;

    // From and to "voice.ini" in the per-user configuration folder.
    static VoiceSettings load();
    void save() const;
};

struct VoiceInfo {
    QString name;
    QLocale locale;
};

// The voice that speaks: the saved voice when the engine still has it, else
// the first Japanese one, else none (the engine's own default). Returns an
// index into `voices` or -1.
int chooseVoice(const QList<VoiceInfo> &voices, const QString &saved);
// The language that speaks: the saved one when offered, else Japanese when
// offered, else none (the engine's own). Returns an index into `languages` or -1.
int chooseLanguage(const QList<QLocale> &languages, const QString &saved);

// The speech engine behind the announcement tape. One per program, reached
// through speech(); tests install a double. Everything is called on the
// window thread; an engine that needs time to start does so in the background
// and tells with readyChanged().
class Speech : public QObject
{
    Q_OBJECT

public:
    // The engine's status value: Error is its error state.
    enum Status { Error = -1, Ready = 0, Speaking = 1 };

    // Starts the engine with the given choice (again, when it was started).
    virtual void start(const VoiceSettings &settings) = 0;
    // Stops speaking and lets the engine go.
    virtual void release() = 0;
    virtual bool isReady() const = 0;

    virtual void speak(const QString &text) = 0;
    virtual void stop() = 0;
    virtual int status() const = 0;

    // The engines that can be chosen; the languages of the running one and
    // the voices of its language in force.
    virtual QStringList engines() const = 0;
    virtual QList<QLocale> languages() const = 0;
    virtual QList<VoiceInfo> voices() const = 0;
    // The choice in force, with the engine and voice actually used.
    virtual VoiceSettings settings() const = 0;

signals:
    void readyChanged(bool ready);
    // The running engine's languages or voices changed.
    void voicesChanged();
    void statusChanged(int status);
};

// The process-wide engine; setSpeech(nullptr) restores the default, which
// never becomes ready.
Speech &speech();
void setSpeech(Speech *replacement);

} // namespace lumina
