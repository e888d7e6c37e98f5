// The real player and speech engine into a null sink of the test's own, recorded from its monitor.
#include "NullSinkServer.h"
#include "TestMain.h"

#include "sound/QtSoundDecoder.h"
#include "sound/QtSoundOutput.h"
#include "sound/QtSpeech.h"
#include "sound/SoundPlayer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTextToSpeech>

#include <csignal>

using namespace lumina;

namespace {

constexpr int kRate = test::NullSinkServer::kRate;
constexpr int kLoud = 1000; // about -30 dB of full scale

// Seconds from the first to the last loud sample, and the pitch from the
// rising zero crossings over the middle of the sound.
std::pair<double, double> heard(const QByteArray &raw)
{
    const auto *s = reinterpret_cast<const qint16 *>(raw.constData());
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < raw.size() / 2; ++i) {
        if (std::abs(int(s[i])) > kLoud) {
            first = first < 0 ? i : first;
            last = i;
        }
    }
    if (first < 0)
        return {0, 0};
    const qsizetype from = first + (last - first) / 5, to = last - (last - first) / 5;
    qsizetype crossings = 0, firstCross = -1, lastCross = -1;
    bool low = s[from] < 0;
    for (qsizetype i = from; i < to; ++i) {
        if (low && s[i] > kLoud / 4) {
            ++crossings;
            firstCross = firstCross < 0 ? i : firstCross;
            lastCross = i;
        }
        // Hysteresis: low again only well below zero.
        low = s[i] < -kLoud / 4 || (low && s[i] <= kLoud / 4);
    }
    const double hz = crossings > 2 ? (crossings - 1) * double(kRate) / double(lastCross - firstCross) : 0;
    return {double(last - first) / kRate, hz};
}

} // namespace

// libspeechd reads the speech server's voice list (thousands of lines from
// espeak-ng) with strstr from each line to the end of the reply. AddressSanitizer's
// checked strstr measures the whole rest every time, which turns that listing into
// minutes; the speech test then gave up before the engine was ready. Flags set in
// ASAN_OPTIONS still win over these.
extern "C" const char *__asan_default_options()
{
    return "intercept_strstr=0";
}

class tst_SoundReal : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (const QString why = m_server.start(); !why.isEmpty())
            QSKIP(qPrintable(why));
    }
    void cleanupTestCase()
    {
        soundPlayer().stopAll();
#ifdef Q_OS_UNIX
        // The speech server spawned for us ends with its last client; make sure.
        QFile pid(m_runtime.filePath(QStringLiteral("speech-dispatcher/pid/speech-dispatcher.pid")));
        const int id = pid.open(QIODevice::ReadOnly) ? pid.readAll().trimmed().toInt() : 0;
        if (id > 0)
            ::kill(id, SIGTERM);
#endif
    }
    void heardThroughTheDevice_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("tolerance");
        QTest::addColumn<double>("hz"); // 0: a chord, only its length is checked
        QTest::newRow("wav") << QStringLiteral("試験 音.wav") << 0.4 << 0.05 << 440.0;
        // Shorter than the device's buffer, as a keypad click is.
        QTest::newRow("short wav") << QStringLiteral("クリック.wav") << 0.05 << 0.02 << 2000.0;
        QTest::newRow("mp3") << QStringLiteral("tone660.mp3") << 0.4 << 0.08 << 660.0;
        QTest::newRow("midi") << QStringLiteral("chord.mid") << 1.0 << 0.5 << 0.0;
    }
    void heardThroughTheDevice()
    {
        QFETCH(QString, file);
        QFETCH(double, seconds);
        QFETCH(double, tolerance);
        QFETCH(double, hz);
        m_server.recorder.readAllStandardOutput(); // only what plays from now on
        QElapsedTimer clock;
        clock.start();
        soundPlayer().play(QStringLiteral(LUMINA_TEST_DATA "/sound/") + file, QStringLiteral("S1"), true);
        const qint64 waited = clock.elapsed();
        QByteArray recorded;
        QTRY_VERIFY((recorded += m_server.recorder.readAllStandardOutput()).size() >= (waited + 150) * kRate / 500);
        const auto [length, pitch] = heard(recorded);
        const QString got = QStringLiteral("%1 s at %2 Hz after waiting %3 ms").arg(length).arg(pitch).arg(waited);
        QVERIFY2(std::abs(length - seconds) <= tolerance, qPrintable(got));
        QVERIFY2(hz == 0 || std::abs(pitch - hz) <= hz * 0.02, qPrintable(got));
        QVERIFY2(waited >= length * 1000 - 60, qPrintable(got));
    }
    void speaksASentence()
    {
        if (!QTextToSpeech::availableEngines().contains(QStringLiteral("speechd")))
            QSKIP("Qt's speech-dispatcher plug-in is not installed");
        // A speech server of our own, found by the runtime folder, speaking into the sink.
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_runtime.filePath(QStringLiteral("config"))));
        qunsetenv("SPEECHD_ADDRESS");
        QtSpeech engine;
        QSignalSpy ready(&engine, &Speech::readyChanged);
        QSignalSpy answered(&engine, &Speech::voicesChanged); // the engine came up or failed
        QElapsedTimer clock;
        clock.start();
        VoiceSettings gone;
        gone.engine = QStringLiteral("uninstalled"); // a settings file from another machine: the default instead
        engine.start(gone);
        // Starting must not hold up the caller: the engine comes up behind it.
        QVERIFY(clock.elapsed() < 1000 && !engine.isReady());
        // Spawning the server and listing its voices take half a minute on a busy machine.
        // Where the server is installed, an engine that never gets ready is our fault.
        const bool started = QTest::qWaitFor([&] { return !answered.isEmpty(); }, 90000) && engine.isReady();
        if (!started && QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty())
            QSKIP("speech-dispatcher is not installed");
        QVERIFY2(started, "speech-dispatcher is installed, yet the engine failed or took over 90 s");
        QCOMPARE(engine.settings().engine, QStringLiteral("speechd"));
        QCOMPARE(engine.status(), int(Speech::Ready));
        // espeak-ng speaks Japanese: that language and one of its voices are chosen.
        const int japanese = chooseLanguage(engine.languages(), {});
        QVERIFY2(japanese >= 0, "espeak-ng offers no Japanese here");
        QCOMPARE(engine.settings().language, engine.languages()[japanese].name());
        const auto chosen = [&](const VoiceInfo &voice) { return voice.name == engine.settings().voice; };
        QVERIFY(std::ranges::any_of(engine.voices(), chosen));
        QSignalSpy status(&engine, &Speech::statusChanged);
        m_server.recorder.readAllStandardOutput();
        engine.speak(QStringLiteral("つぎは、しやくしょまえです。"));
        QTRY_VERIFY_WITH_TIMEOUT(status.contains(QVariantList{int(Speech::Speaking)}), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(engine.status(), int(Speech::Ready), 30000);
        QVERIFY(heard(m_server.recorder.readAllStandardOutput()).first > 0.5);
        status.clear();
        engine.speak(QStringLiteral("ごじょうしゃ ありがとう ございます。").repeated(20));
        QTRY_VERIFY_WITH_TIMEOUT(status.contains(QVariantList{int(Speech::Speaking)}), 30000);
        clock.restart();
        engine.stop();
        QTRY_COMPARE_WITH_TIMEOUT(engine.status(), int(Speech::Ready), 30000);
        QVERIFY(clock.elapsed() < 5000);
        VoiceSettings other;
        other.engine = QStringLiteral("flite");
        engine.start(other);
        QTRY_VERIFY_WITH_TIMEOUT(engine.isReady(), 30000);
        QCOMPARE(engine.settings().engine, other.engine);
        // Settings naming no engine keep the one running.
        QSignalSpy reopened(&engine, &Speech::voicesChanged);
        engine.start({});
        QVERIFY(engine.isReady());
        QTRY_VERIFY_WITH_TIMEOUT(!reopened.isEmpty(), 30000);
        QCOMPARE(engine.settings().engine, other.engine);
        engine.release();
        QVERIFY(!engine.isReady());
        QCOMPARE(ready, (QList<QVariantList>{{true}, {false}, {true}, {false}}));
        QCOMPARE(engine.status(), int(Speech::Error));
    }
    void startingAgainEndsTheSoundBefore()
    {
        QtSoundOutput output;
        QSignalSpy ended(&output, &SoundOutput::finished);
        const PcmClipPtr clip = QtSoundDecoder().decode(QStringLiteral(LUMINA_TEST_DATA "/sound/試験 音.wav"), SoundType::Wave);
        QVERIFY(clip && !output.start(-1, clip) && !output.start(kSoundChannels, clip) && !output.start(0, nullptr));
        QVERIFY(output.start(0, clip) && output.start(0, clip));
        QCOMPARE(ended.size(), 1);
        QVERIFY(output.isPlaying(0));
        QTRY_COMPARE(ended.size(), 2); // played to its end
        QVERIFY(!output.isPlaying(0) && output.start(0, clip));
        output.close(0); // closed while playing: ended, and said so once
        QVERIFY(!output.isPlaying(0));
        output.close(0);
        QCOMPARE(ended.size(), 3);
    }
private:
    test::NullSinkServer m_server;
    QTemporaryDir m_runtime{QStringLiteral("/tmp/lumina-speech-XXXXXX")};
};

LUMINA_TEST_MAIN(tst_SoundReal)
#include "tst_soundreal.moc"
