#include "sound/QtSpeech.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QTextToSpeech>
#include <QVoice>

#include <memory>

Q_LOGGING_CATEGORY(lcSpeech, "lumina.speech")

namespace lumina {

int speechStatus(QTextToSpeech::State state)
{
    switch (state) {
    case QTextToSpeech::Error:
        return Speech::Error;
    case QTextToSpeech::Ready:
        return Speech::Ready;
    default:
        return Speech::Speaking;
    }
}

// Owns the QTextToSpeech object on the speech thread. Its signals reach the
// window thread queued.
class SpeechWorker : public QObject
{
    Q_OBJECT

public:
    explicit SpeechWorker(std::shared_ptr<std::atomic<int>> status)
        : m_status(std::move(status))
    {}

    void open(const VoiceSettings &wanted)
    {
        VoiceSettings used = wanted;
        const QStringList engines = QTextToSpeech::availableEngines();
        if (!wanted.engine.isEmpty() && !engines.contains(wanted.engine))
            used.engine.clear();
        // The same engine again only takes the new voice and its settings.
        if (!m_tts || (!used.engine.isEmpty() && used.engine != m_tts->engine())) {
            m_tts.reset();
            m_tts = std::make_unique<QTextToSpeech>(used.engine);
            connect(m_tts.get(), &QTextToSpeech::stateChanged, this,
                    [this](QTextToSpeech::State state) {
                        const int status = speechStatus(state);
                        m_status->store(status);
                        emit statusChanged(status);
                    });
        }
        if (m_tts->state() == QTextToSpeech::Error) {
            qCInfo(lcSpeech) << "speech engine" << m_tts->engine() << "failed:" << m_tts->errorString();
            m_status->store(Speech::Error);
            m_tts.reset();
            emit opened(false, {}, {}, used);
            return;
        }
        used.engine = m_tts->engine();

        // Engines list voices by language: first the language, then its voice.
        const QList<QLocale> languages = m_tts->availableLocales();
        const int language = chooseLanguage(languages, wanted.language);
        if (language >= 0 && languages[language] != m_tts->locale())
            m_tts->setLocale(languages[language]);
        used.language = m_tts->locale().name();

        QList<VoiceInfo> voices;
        const QList<QVoice> offered = m_tts->availableVoices();
        for (const QVoice &voice : offered)
            voices.append({voice.name(), voice.locale()});
        const int chosen = chooseVoice(voices, wanted.voice);
        if (chosen >= 0)
            m_tts->setVoice(offered[chosen]);
        used.voice = m_tts->voice().name();
        m_tts->setRate(used.rate);
        m_tts->setPitch(used.pitch);
        m_tts->setVolume(used.volume);

        m_status->store(speechStatus(m_tts->state()));
        emit opened(true, languages, voices, used);
    }

    void say(const QString &text)
    {
        if (m_tts)
            m_tts->say(text);
    }

    void stop()
    {
        if (m_tts)
            m_tts->stop();
    }

    void close() { m_tts.reset(); }

signals:
    void opened(bool ok, const QList<QLocale> &languages, const QList<lumina::VoiceInfo> &voices,
                const lumina::VoiceSettings &settings);
    void statusChanged(int status);

private:
    std::shared_ptr<std::atomic<int>> m_status;
    std::unique_ptr<QTextToSpeech> m_tts;
};

namespace {
// How long quitting waits for the speech thread; an engine stuck in its
// start-up is left behind rather than holding the program.
constexpr unsigned long kCloseWaitMs = 2000;
} // namespace

QtSpeech::QtSpeech() = default;

QtSpeech::~QtSpeech()
{
    release();
}

QStringList QtSpeech::engines() const
{
    return QTextToSpeech::availableEngines();
}

void QtSpeech::start(const VoiceSettings &settings)
{
    if (!m_thread) {
        qRegisterMetaType<lumina::VoiceSettings>();
        qRegisterMetaType<QList<lumina::VoiceInfo>>();
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("speech"));
        m_worker = new SpeechWorker(m_status);
        m_worker->moveToThread(m_thread);
        connect(m_worker, &SpeechWorker::opened, this, &QtSpeech::opened);
        connect(m_worker, &SpeechWorker::statusChanged, this, &Speech::statusChanged);
        m_thread->start();
    }
    // A new engine takes time to start: speech is off until it has.
    const bool newEngine = !m_ready || (!settings.engine.isEmpty() && settings.engine != m_settings.engine);
    m_settings = settings;
    if (newEngine && m_ready) {
        m_ready = false;
        emit readyChanged(false);
    }
    m_startClock.start();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, settings] { worker->open(settings); },
                              Qt::QueuedConnection);
}

void QtSpeech::opened(bool ok, const QList<QLocale> &languages, const QList<VoiceInfo> &voices,
                      const VoiceSettings &settings)
{
    qCDebug(lcSpeech).nospace() << "engine " << settings.engine << (ok ? " ready" : " failed") << " after "
                                << m_startClock.elapsed() << " ms, language " << settings.language
                                << ", voice " << settings.voice;
    m_languages = languages;
    m_voices = voices;
    m_settings = settings;
    emit voicesChanged();
    if (ok != m_ready) {
        m_ready = ok;
        emit readyChanged(ok);
    }
}

void QtSpeech::release()
{
    if (!m_thread)
        return;
    SpeechWorker *worker = m_worker;
    QThread *thread = m_thread;
    m_worker = nullptr;
    m_thread = nullptr;
    worker->disconnect(this);
    QMetaObject::invokeMethod(worker, [worker] {
        worker->close();
        QThread::currentThread()->quit();
    }, Qt::QueuedConnection);
    if (thread->wait(kCloseWaitMs)) {
        delete worker;
        delete thread;
    } else {
        qCWarning(lcSpeech) << "the speech engine did not stop; leaving it behind";
    }
    m_status->store(Error);
    if (m_ready) {
        m_ready = false;
        emit readyChanged(false);
    }
}

void QtSpeech::speak(const QString &text)
{
    if (!m_worker)
        return;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, text] { worker->say(text); },
                              Qt::QueuedConnection);
}

void QtSpeech::stop()
{
    if (m_worker)
        QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->stop(); },
                                  Qt::QueuedConnection);
}

} // namespace lumina

#include "QtSpeech.moc"
