// How fast a sound starts: the cost of an asynchronous PlaySound call, first
// and repeated, for WAV, MP3 and MIDI, and the time from the call until the
// device first takes samples. Plays into a null sink of its own when
// PulseAudio is installed, else into the default device.
#include "NullSinkServer.h"
#include "TestMain.h"
#include "ToneWave.h"

#include "sound/QtSoundDecoder.h"
#include "sound/QtSoundOutput.h"
#include "sound/SoundSlots.h"

#include <QElapsedTimer>

#include <algorithm>
#include <chrono>

using namespace lumina;

class bench_Sound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void asynchronousCall_data();
    void asynchronousCall();
    void callToFirstSamples();

private:
    QString m_wave;
    QTemporaryDir m_dir;
    test::NullSinkServer m_server;
    std::unique_ptr<QtSoundDecoder> m_decoder;
    std::unique_ptr<QtSoundOutput> m_output;
    std::unique_ptr<SlotSoundPlayer> m_player;
};

void bench_Sound::initTestCase()
{
    const QString why = m_server.start();
    if (!why.isEmpty())
        qInfo("no null sink (%s): using the default device", qPrintable(why));
    m_wave = m_dir.filePath(QStringLiteral("key.wav"));
    QVERIFY(test::writeToneWave(m_wave, 2000, 60));
    m_decoder = std::make_unique<QtSoundDecoder>();
    m_output = std::make_unique<QtSoundOutput>();
    m_player = std::make_unique<SlotSoundPlayer>(*m_decoder, *m_output);
}

void bench_Sound::cleanupTestCase()
{
    m_player->StopAllSounds();
    m_player.reset();
    m_output.reset();
}

void bench_Sound::asynchronousCall_data()
{
    QTest::addColumn<QString>("path");
    const QString data = QStringLiteral(LUMINA_TEST_DATA "/sound/");
    QTest::newRow("wav") << QString();
    QTest::newRow("mp3") << data + QStringLiteral("tone660.mp3");
    QTest::newRow("mid") << data + QStringLiteral("chord.mid");
}

void bench_Sound::asynchronousCall()
{
    QFETCH(QString, path);
    if (path.isEmpty())
        path = m_wave;
    // The first call decodes (and for MIDI loads the soundfont); later calls
    // take the cached PCM.
    static QSet<QString> started;
    if (!started.contains(path)) {
        started.insert(path);
        QElapsedTimer first;
        first.start();
        m_player->PlaySound(path, QStringLiteral("S1"), false, 0);
        qInfo("first call: %.1f ms; device %s", first.nsecsElapsed() / 1e6,
              m_output->isPlaying(0) ? "playing" : "not playing");
    }
    QBENCHMARK {
        m_player->PlaySound(path, QStringLiteral("S1"), false, 0);
    }
}

void bench_Sound::callToFirstSamples()
{
    // From the call until the clip first goes to the sound server, for a
    // cached WAV; the server's own latency comes on top.
    std::vector<double> ms;
    for (int i = 0; i < 20; ++i) {
        const auto called = std::chrono::steady_clock::now();
        m_player->PlaySound(m_wave, QStringLiteral("S2"), false, 0);
        if (m_output->firstWriteNs(1) < 0)
            QSKIP("no sound device");
        ms.push_back((m_output->firstWriteNs(1)
                      - std::chrono::duration_cast<std::chrono::nanoseconds>(called.time_since_epoch()).count())
                     / 1e6);
        QTest::qWait(30);
    }
    std::sort(ms.begin(), ms.end());
    qInfo("call to first write: median %.2f ms, best %.2f ms, worst %.2f ms", ms[ms.size() / 2], ms.front(),
          ms.back());
}

LUMINA_TEST_MAIN(bench_Sound)
#include "bench_sound.moc"
