// Sounds played for real: the program's player into a PulseAudio null sink
// started by the test, recorded from the sink's monitor and analysed.
#include "TestMain.h"
#include "ToneWave.h"

#include "sound/SoundPlayer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
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
    QProcessEnvironment clientEnvironment() const;

    QTemporaryDir m_dir;
    QProcess m_server;
    QProcess m_recorder; // the sink's monitor, mono, for the whole run
};

QProcessEnvironment tst_SoundReal::clientEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("native")));
    return env;
}

void tst_SoundReal::initTestCase()
{
    const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (pulse.isEmpty() || parec.isEmpty())
        QSKIP("needs the Debian packages pulseaudio and pulseaudio-utils (scripts/setup.sh installs them)");
    QVERIFY(m_dir.isValid());
    const QString socket = m_dir.filePath(QStringLiteral("native"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    env.insert(QStringLiteral("HOME"), m_dir.path());
    m_server.setProcessEnvironment(env);
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.setStandardOutputFile(QProcess::nullDevice());
    // No configuration files, no daemon, and allowed to run as root (CI).
    m_server.start(pulse, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                           QStringLiteral("--system=false"), QStringLiteral("--exit-idle-time=-1"),
                           QStringLiteral("--use-pid-file=false"), QStringLiteral("--log-level=error"),
                           QStringLiteral("--load=module-null-sink sink_name=lumina rate=44100"),
                           QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=")
                               + socket});
    QVERIFY(m_server.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 5000);

    // A fresh null sink delivers its first block only after about two seconds;
    // one recorder for all cases pays that once.
    m_recorder.setProcessEnvironment(clientEnvironment());
    m_recorder.start(parec, {QStringLiteral("--device=lumina.monitor"), QStringLiteral("--format=s16le"),
                             QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"),
                             QStringLiteral("--latency-msec=10"), QStringLiteral("--raw")});
    QVERIFY(m_recorder.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(m_recorder.bytesAvailable() > 0, 5000);
    // Before the player first looks for a device.
    qputenv("PULSE_SERVER", clientEnvironment().value(QStringLiteral("PULSE_SERVER")).toLocal8Bit());
}

void tst_SoundReal::cleanupTestCase()
{
    soundPlayer().StopAllSounds();
    for (QProcess *p : {&m_recorder, &m_server}) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(3000))
                p->kill();
        }
    }
}

void tst_SoundReal::heardThroughTheDevice_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<double>("hz"); // 0: a chord, only its length is checked
    const QString data = QStringLiteral(LUMINA_TEST_DATA "/sound/");
    QTest::newRow("wav") << QStringLiteral("試験 音.wav") << 0.4 << 0.05 << 440.0;
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
    m_recorder.readAllStandardOutput();
    QElapsedTimer clock;
    clock.start();
    soundPlayer().PlaySound(file, QStringLiteral("S1"), true, 0);
    const qint64 waited = clock.elapsed();
    QByteArray recorded;
    QTRY_VERIFY((recorded += m_recorder.readAllStandardOutput()).size()
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
