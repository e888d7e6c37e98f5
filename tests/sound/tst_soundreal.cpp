// Sounds played for real: the program's player into a PulseAudio null sink
// started by the test, recorded from the sink's monitor and analysed.
#include "TestMain.h"
#include "NullSinkServer.h"
#include "ToneWave.h"

#include "sound/SoundPlayer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace lumina;

namespace {

constexpr int kRate = 44100;
constexpr int kLoud = 1000; // about -30 dB of full scale

struct Heard {
    double seconds = 0; // from the first to the last loud sample
    double hz = 0;      // from the zero crossings between them
};

Heard analyse(const QByteArray &raw)
{
    const auto *s = reinterpret_cast<const qint16 *>(raw.constData());
    const qsizetype n = raw.size() / 2;
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (std::abs(int(s[i])) > kLoud) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    Heard heard;
    if (first < 0)
        return heard;
    heard.seconds = double(last - first) / kRate;
    // Rising crossings with hysteresis, over the middle of the sound.
    const qsizetype from = first + (last - first) / 5, to = last - (last - first) / 5;
    int crossings = 0;
    bool low = s[from] < 0;
    qsizetype firstCross = -1, lastCross = -1;
    for (qsizetype i = from; i < to; ++i) {
        if (low && s[i] > kLoud / 4) {
            low = false;
            ++crossings;
            if (firstCross < 0)
                firstCross = i;
            lastCross = i;
        } else if (!low && s[i] < -kLoud / 4) {
            low = true;
        }
    }
    if (crossings > 2)
        heard.hz = (crossings - 1) * double(kRate) / double(lastCross - firstCross);
    return heard;
}

} // namespace

class tst_SoundReal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void heardThroughTheDevice_data();
    void heardThroughTheDevice();

private:
    QTemporaryDir m_dir;
    test::NullSinkServer m_server;
};

void tst_SoundReal::initTestCase()
{
    const QString why = m_server.start();
    if (!why.isEmpty())
        QSKIP(qPrintable(why));
}

void tst_SoundReal::cleanupTestCase()
{
    soundPlayer().StopAllSounds();
}

void tst_SoundReal::heardThroughTheDevice_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<double>("hz"); // 0: a chord, only its length is checked
    const QString data = QStringLiteral(LUMINA_TEST_DATA "/sound/");
    QTest::newRow("wav") << QStringLiteral("試験 音.wav") << 0.4 << 0.05 << 440.0;
    // Shorter than the device's buffer, as a keypad click is.
    QTest::newRow("short wav") << QStringLiteral("クリック.wav") << 0.05 << 0.02 << 2000.0;
    QTest::newRow("mp3") << data + QStringLiteral("tone660.mp3") << 0.4 << 0.08 << 660.0;
    QTest::newRow("midi") << data + QStringLiteral("chord.mid") << 1.0 << 0.5 << 0.0;
}

void tst_SoundReal::heardThroughTheDevice()
{
    QFETCH(QString, file);
    QFETCH(double, seconds);
    QFETCH(double, tolerance);
    QFETCH(double, hz);
    if (!QFileInfo(file).isAbsolute()) {
        file = m_dir.filePath(file);
        QVERIFY(test::writeToneWave(file, hz, int(seconds * 1000)));
    }

    // Only what the monitor records from now on.
    m_server.recorder.readAllStandardOutput();
    QElapsedTimer clock;
    clock.start();
    soundPlayer().PlaySound(file, QStringLiteral("S1"), true, 0);
    const qint64 waited = clock.elapsed();
    QByteArray recorded;
    QTRY_VERIFY((recorded += m_server.recorder.readAllStandardOutput()).size()
                >= (waited + 150) * kRate / 1000 * 2);

    const Heard heard = analyse(recorded);
    const QString got = QStringLiteral("%1 s at %2 Hz after waiting %3 ms")
                            .arg(heard.seconds)
                            .arg(heard.hz)
                            .arg(waited);
    qInfo("%s", qPrintable(got));
    QVERIFY2(std::abs(heard.seconds - seconds) <= tolerance, qPrintable(got));
    if (hz > 0)
        QVERIFY2(std::abs(heard.hz - hz) <= hz * 0.02, qPrintable(got));
    // The synchronous call lasted about as long as the sound.
    QVERIFY2(waited >= heard.seconds * 1000 - 60, qPrintable(got));
}

LUMINA_TEST_MAIN(tst_SoundReal)
#include "tst_soundreal.moc"
