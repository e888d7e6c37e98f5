// How fast a sound starts: the time from an asynchronous PlaySound call
// until the device first takes samples. Plays into a null sink of its
// own when PulseAudio is installed, else into the default device.
//
//   build/bin/bench_sound
#include "NullSinkServer.h"
#include "TestMain.h"

#include "sound/QtSoundDecoder.h"
#include "sound/QtSoundOutput.h"
#include "sound/SoundSlots.h"

#include <chrono>

using namespace lumina;

class bench_Sound : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qInfo("null sink: %s", qPrintable(m_server.start().isEmpty() ? "yes" : "no")); }
    void cleanupTestCase() { m_player.StopAllSounds(); }

    // From the call until the cached clip first goes to the sound server;
    // the server's own latency comes on top.
    void callToFirstSamples()
    {
        const QString file = QStringLiteral(LUMINA_TEST_DATA "/sound/クリック.wav");
        QList<double> ms;
        for (int i = 0; i < 20; ++i) {
            const qint64 called = std::chrono::steady_clock::now().time_since_epoch() / std::chrono::nanoseconds(1);
            m_player.PlaySound(file, QStringLiteral("S2"), false, 0);
            if (m_output.firstWriteNs(1) < 0)
                QSKIP("no sound device");
            ms << (m_output.firstWriteNs(1) - called) / 1e6;
            QTest::qWait(30);
        }
        std::sort(ms.begin(), ms.end());
        qInfo("call to first write: median %.2f ms, best %.2f ms, worst %.2f ms", ms[10], ms.first(), ms.last());
    }

private:
    test::NullSinkServer m_server;
    QtSoundDecoder m_decoder;
    QtSoundOutput m_output;
    SlotSoundPlayer m_player{m_decoder, m_output};
};

LUMINA_TEST_MAIN(bench_Sound)
#include "bench_sound.moc"
