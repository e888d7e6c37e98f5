#include "TestMain.h"

#include "sound/QtSpeech.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextToSpeech>

#include <csignal>

using namespace lumina;

namespace {
// Spawning the speech server and listing its voices take a few seconds, and
// half a minute on a busy machine; beyond this the engine is taken as not
// running here.
constexpr int kEngineStartMs = 90000;
constexpr int kSentenceMs = 30000;
} // namespace

// The real engine: speech-dispatcher with espeak-ng, speaking into a sound
// server of the test's own with a null sink, so that nothing needs a session
// or a sound card.
class tst_SpeechEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void speaksASentence();

private:
    QTemporaryDir m_runtime{QStringLiteral("/tmp/lumina-speech-XXXXXX")};
    bool m_pulse = false;
};

void tst_SpeechEngine::initTestCase()
{
    if (!QTextToSpeech::availableEngines().contains(QStringLiteral("speechd")))
        QSKIP("Qt's speech-dispatcher plug-in is not installed");
    if (QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty())
        QSKIP("speech-dispatcher is not installed");
    const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (pulse.isEmpty())
        QSKIP("pulseaudio is not installed: the engine would have nowhere to speak");
    QVERIFY(m_runtime.isValid());
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The speech server and the sound server find each other, and this test,
    // by the runtime folder; a folder of our own keeps them apart from any
    // that already run.
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_runtime.filePath(QStringLiteral("config"))));
    qunsetenv("PULSE_SERVER");
    qunsetenv("SPEECHD_ADDRESS");
    const int rc = QProcess::execute(pulse, {QStringLiteral("-n"), QStringLiteral("--daemonize=yes"),
                                             QStringLiteral("--exit-idle-time=-1"),
                                             QStringLiteral("--disable-shm=yes"),
                                             QStringLiteral("--load=module-null-sink sink_name=null"),
                                             QStringLiteral("--load=module-native-protocol-unix")});
    if (rc != 0)
        QSKIP("the test's own pulseaudio server did not start");
    m_pulse = true;
}

void tst_SpeechEngine::cleanupTestCase()
{
    // The speech server spawned for us ends with its last client; make sure.
    QFile pidFile(m_runtime.filePath(QStringLiteral("speech-dispatcher/pid/speech-dispatcher.pid")));
    if (pidFile.open(QIODevice::ReadOnly)) {
        const int pid = pidFile.readAll().trimmed().toInt();
        if (pid > 0)
            ::kill(pid, SIGTERM);
    }
    if (m_pulse)
        QProcess::execute(QStringLiteral("pulseaudio"), {QStringLiteral("-k")});
}

void tst_SpeechEngine::speaksASentence()
{
    QtSpeech engine;
    QSignalSpy ready(&engine, &Speech::readyChanged);
    QElapsedTimer clock;
    clock.start();
    engine.start({});
    // Starting must not hold up the caller: the engine comes up behind it.
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!engine.isReady());
    if (!QTest::qWaitFor([&] { return !ready.isEmpty(); }, kEngineStartMs))
        QSKIP("speech-dispatcher gave no answer within 90 s");
    if (!engine.isReady())
        QSKIP("speech-dispatcher started no voice here");
    QCOMPARE(engine.settings().engine, QStringLiteral("speechd"));

    // espeak-ng speaks Japanese: that language and one of its voices are chosen.
    const int japanese = chooseLanguage(engine.languages(), {});
    QVERIFY2(japanese >= 0, "espeak-ng offers no Japanese here");
    QCOMPARE(engine.settings().language, engine.languages()[japanese].name());
    QVERIFY(!engine.voices().isEmpty());
    QStringList names;
    for (const VoiceInfo &voice : engine.voices())
        names << voice.name;
    QVERIFY(names.contains(engine.settings().voice));
    qInfo().noquote() << engine.languages().size() << "languages," << names.size()
                      << "Japanese voices, speaking with" << engine.settings().voice;

    QSignalSpy status(&engine, &Speech::statusChanged);
    engine.speak(QStringLiteral("つぎは、しやくしょまえです。"));
    QTRY_VERIFY_WITH_TIMEOUT(status.contains(QVariantList{int(Speech::Speaking)}), kSentenceMs);
    QTRY_COMPARE_WITH_TIMEOUT(engine.status(), int(Speech::Ready), kSentenceMs);

    // Stop ends a long text early.
    status.clear();
    engine.speak(QStringLiteral("ごじょうしゃ ありがとう ございます。").repeated(20));
    QTRY_VERIFY_WITH_TIMEOUT(status.contains(QVariantList{int(Speech::Speaking)}), kSentenceMs);
    clock.restart();
    engine.stop();
    QTRY_COMPARE_WITH_TIMEOUT(engine.status(), int(Speech::Ready), kSentenceMs);
    QVERIFY(clock.elapsed() < 5000);

    engine.release();
    QVERIFY(!engine.isReady());
    QCOMPARE(engine.status(), int(Speech::Error));
}

LUMINA_TEST_MAIN(tst_SpeechEngine)
#include "tst_speechengine.moc"
