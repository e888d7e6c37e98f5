// The sound player's slots and synchronous wait over a recording device, and the real decoders.
#include "FixtureRows.h"
#include "TestMain.h"

#include "base/Clock.h"
#include "sound/FluidMidi.h"
#include "sound/QtSoundDecoder.h"
#include "sound/QtSoundOutput.h"
#include "sound/SoundSlots.h"
#include "sound/WaveFile.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

using namespace lumina;

namespace {

// Every file decodes to a clip of `lengthMs` (1 ms a sample), save "broken" ones.
class RecordingDecoder final : public SoundDecoder
{
public:
    PcmClipPtr decode(const QString &path, SoundType type) override
    {
        decoded.append({QFileInfo(path).fileName(), type});
        if (path.contains(QLatin1String("broken")))
            return nullptr;
        auto clip = std::make_shared<PcmClip>();
        clip->format.setSampleFormat(QAudioFormat::Int16);
        clip->format.setChannelCount(1);
        clip->format.setSampleRate(1000);
        clip->data = QByteArray(int(2 * lengthMs), '\0');
        return clip;
    }
    QList<std::pair<QString, SoundType>> decoded;
    qint64 lengthMs = 100;
};

// Sounds play until the test ends them, or with `realTime` for their length;
// the log reads "close 0", "start 1 100ms".
class RecordingOutput final : public SoundOutput
{
public:
    bool start(int channel, PcmClipPtr clip) override
    {
        log << QStringLiteral("start %1 %2ms").arg(channel).arg(clip->durationMs());
        if (refuse)
            return false;
        playing[size_t(channel)] = true;
        if (realTime)
            QTimer::singleShot(int(clip->durationMs()), Qt::PreciseTimer, this, [this, channel] { end(channel); });
        return true;
    }
    void close(int channel) override
    {
        log << QStringLiteral("close %1").arg(channel);
        if (playing[size_t(channel)])
            end(channel);
    }
    bool isPlaying(int channel) const override { return playing[size_t(channel)]; }
    void end(int channel)
    {
        playing[size_t(channel)] = false;
        emit finished(channel);
    }
    QStringList log;
    std::array<bool, kSoundChannels> playing{};
    bool refuse = false;
    bool realTime = false;
};

} // namespace

class tst_SoundSlots : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_decoder = std::make_unique<RecordingDecoder>();
        m_output = std::make_unique<RecordingOutput>();
        m_player = std::make_unique<SlotSoundPlayer>(*m_decoder, *m_output);
    }
    void plays_data() { test::addRows("sound/plays.tsv", {"name", "slot", "log", "type"}); }
    void plays()
    {
        QFETCH(QString, name);
        QFETCH(QString, slot);
        QFETCH(QString, log);
        QFETCH(QString, type);
        QDir(m_dir.path()).mkdir(QStringLiteral("folder.wav"));
        // An empty or missing path must not fall back to what the current folder holds.
        QDir::setCurrent(m_dir.path());
        const bool absent = name.isEmpty() || name == QLatin1String("gone.wav");
        m_player->play(absent ? name : file(name), slot, false);
        QCOMPARE(m_output->log.join(u';'), log);
        QCOMPARE(m_decoder->decoded.size(), type.toInt() < 0 ? 0 : 1);
        if (type.toInt() >= 0)
            QCOMPARE(int(m_decoder->decoded[0].second), type.toInt());
    }
    void slotsCloseThenOpenAndStayIndependent()
    {
        m_player->play(file(QStringLiteral("route.wav")), QStringLiteral("S1"), false);
        m_player->play(file(QStringLiteral("step.mp3")), QStringLiteral("s2"), false);
        m_decoder->lengthMs = 250;
        m_player->play(file(QStringLiteral("key.wav")), QStringLiteral("S1"), false);
        QVERIFY(m_output->playing[0] && m_output->playing[1]);
        m_player->stop(QStringLiteral("S2"));
        m_player->stop(QStringLiteral("S9"));
        QVERIFY(m_output->playing[0] && !m_output->playing[1]);
        m_player->stopAll();
        QCOMPARE(m_output->log, (QStringList{"close 0", "start 0 100ms", "close 1", "start 1 100ms",
                                             "close 0", "start 0 250ms", "close 1", "close 0", "close 1",
                                             "close 2", "close 3", "close 4"}));
    }
    void decodedOncePerFileVersion()
    {
        const QString key = file(QStringLiteral("key.wav"));
        const QString broken = file(QStringLiteral("broken.mp3"));
        for (int i = 0; i < 3; ++i) {
            m_player->play(key, QStringLiteral("S1"), false);
            m_player->play(broken, QStringLiteral("S1"), false);
        }
        QCOMPARE(m_decoder->decoded.size(), 2);
        QVERIFY(test::writeFile(key, "xmore"));
        m_player->play(key, QStringLiteral("S1"), false);
        QCOMPARE(m_decoder->decoded.size(), 3);
        // Clips of 200 bytes: the cache holds them up to its limit, past it lets all go.
        m_player->setCacheLimit(400);
        m_player->play(file(QStringLiteral("other.wav")), QStringLiteral("S1"), false);
        m_player->play(key, QStringLiteral("S1"), false);
        QCOMPARE(m_decoder->decoded.size(), 4);
        m_player->setCacheLimit(599);
        m_player->play(file(QStringLiteral("third.wav")), QStringLiteral("S1"), false);
        m_player->play(key, QStringLiteral("S1"), false);
        QCOMPARE(m_decoder->decoded.size(), 6);
    }
    // A 600 ms sound in S1 while S2's ends after 10 ms: only its own end ends the wait; a stalled
    // device ends it the margin after the sound's length, no device at once.
    void synchronousWait_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("endsAt"); // -1: never
        QTest::addColumn<int>("atLeast");
        QTest::addColumn<int>("below");
        QTest::newRow("its own end") << false << 40 << 35 << 600;
        QTest::newRow("stalled device") << false << -1 << 650 << 1300;
        QTest::newRow("no device") << true << -1 << 0 << 100;
    }
    void synchronousWait()
    {
        QFETCH(bool, refused);
        QFETCH(int, endsAt);
        QFETCH(int, atLeast);
        QFETCH(int, below);
        m_output->refuse = refused;
        m_decoder->lengthMs = 600;
        m_player->setWaitMargin(50);
        const QString path = file(QStringLiteral("a.wav"));
        m_player->play(path, QStringLiteral("S2"), false);
        QTimer::singleShot(10, m_output.get(), [this] { m_output->end(1); });
        if (endsAt >= 0)
            QTimer::singleShot(endsAt, m_output.get(), [this] { m_output->end(0); });
        QElapsedTimer clock;
        clock.start();
        m_player->play(path, QStringLiteral("S1"), true);
        QVERIFY2(clock.elapsed() >= atLeast && clock.elapsed() < below, qPrintable(QString::number(clock.elapsed())));
    }
    // The sound's own end comes from a timer, so the program runs on while it plays; only input waits.
    void synchronousPlayKeepsTheProgramAlive()
    {
        m_decoder->lengthMs = 300;
        m_output->realTime = true;
        QPushButton button(QStringLiteral("データ送り"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QElapsedTimer elapsed;
        qint64 clickedAt = -1;
        connect(&button, &QPushButton::clicked, this, [&] { clickedAt = elapsed.elapsed(); });
        // A click while the sound plays, queued as the window system would; a trip holds back too.
        bool held = false;
        QTimer::singleShot(60, this, [&] {
            held = InputWaits::instance().running();
            QWindow *window = button.windowHandle();
            const QPointF at(button.rect().center());
            for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                    window, at, window->mapToGlobal(at),
                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, type);
        });
        elapsed.start();
        m_player->play(file(QStringLiteral("a.wav")), QStringLiteral("S2"), true);
        const qint64 returnedAt = elapsed.elapsed();
        QVERIFY2(returnedAt >= 300 && returnedAt < 600, qPrintable(QString::number(returnedAt)));
        QVERIFY(held && !InputWaits::instance().running());
        QTRY_VERIFY(clickedAt >= 0);
        QVERIFY2(clickedAt >= returnedAt, qPrintable(QStringLiteral("%1 < %2").arg(clickedAt).arg(returnedAt)));
    }
    void noDeviceNoWait()
    {
        // No sound server to be found, whatever the machine has.
        qputenv("PULSE_SERVER", "unix:/nonexistent/lumina-no-sound");
        QtSoundDecoder decoder;
        QtSoundOutput output;
        SlotSoundPlayer player(decoder, output);
        QElapsedTimer clock;
        clock.start();
        player.play(QStringLiteral(LUMINA_TEST_DATA "/sound/試験 音.wav"), QStringLiteral("S1"), true);
        QVERIFY2(clock.elapsed() < 300, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!output.isPlaying(0));
        player.stopAll();
        // A channel number beyond the last is no channel: nothing starts, stops or is timed.
        for (const int channel : {-1, kSoundChannels}) {
            QVERIFY(!output.start(channel, std::make_shared<PcmClip>()));
            output.close(channel);
            QVERIFY(!output.isPlaying(channel));
            QCOMPARE(output.firstWriteNs(channel), qint64(-1));
        }
    }
    // Each file's name reads <format>-<channels>-<PCM bytes>-<what it shows>, or refused-<why>.
    void waveHeaders_data() { test::fileRows(QStringLiteral(LUMINA_TEST_DATA "/sound/wave"), QStringLiteral("*")); }
    void waveHeaders()
    {
        QFETCH(QString, path);
        static const char *const formats[] = {"unknown", "uint8", "int16", "int32", "float"};
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString error;
        const PcmClipPtr clip = readWave(&file, &error);
        const QString got = !clip ? QStringLiteral("refused")
                                  : QStringLiteral("%1-%2-%3").arg(QLatin1String(formats[clip->format.sampleFormat()]))
                                        .arg(clip->format.channelCount()).arg(clip->data.size());
        QCOMPARE(got, QFileInfo(path).baseName().section(u'-', 0, clip ? 2 : 0));
        QCOMPARE(error.isEmpty(), clip != nullptr);
    }
    // Nothing to read from: refused before any reading.
    void waveWithoutDevice()
    {
        QBuffer closed;
        QString error;
        QVERIFY(!readWave(&closed, &error) && !readWave(nullptr, nullptr));
        QCOMPARE(error, QStringLiteral("not readable"));
    }
    void realFiles_data() { test::addRows("sound/decoded.tsv", {"fixture", "name", "type", "minMs", "maxMs"}); }
    void realFiles()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, minMs);
        QFETCH(QString, maxMs);
        const SoundType kind = SoundType(type.toInt());
        if (kind == SoundType::Midi && minMs.toInt() > 0 && findSoundFont().isEmpty())
            QSKIP("no General MIDI soundfont (Debian package fluid-soundfont-gm)");
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        QVERIFY(QFile::copy(QStringLiteral(LUMINA_TEST_DATA "/sound/") + fixture, path));
        QElapsedTimer clock;
        clock.start();
        const PcmClipPtr clip = QtSoundDecoder().decode(path, kind);
        QCOMPARE(clip != nullptr, minMs.toInt() >= 0);
        // A file that cannot be decoded gives up at once, not at the guard time.
        QVERIFY2(clock.elapsed() < QtSoundDecoder::kDecodeLimitMs / 2, qPrintable(QString::number(clock.elapsed())));
        if (clip)
            QVERIFY2(clip->durationMs() >= minMs.toInt() && clip->durationMs() <= maxMs.toInt(),
                     qPrintable(QString::number(clip->durationMs())));
        if (clip && kind == SoundType::Midi) { // as loud as the recorded sounds, short of clipping
            const auto *samples = reinterpret_cast<const qint16 *>(clip->data.constData());
            int peak = 0;
            for (qsizetype i = 0; i < clip->data.size() / 2; ++i)
                peak = std::max(peak, qAbs(int(samples[i])));
            QVERIFY2(peak > 16000 && peak < 32000, qPrintable(QString::number(peak)));
        }
    }
private:
    QString file(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        if (!QFile::exists(path))
            test::writeFile(path, "x");
        return path;
    }
    QTemporaryDir m_dir;
    std::unique_ptr<RecordingDecoder> m_decoder;
    std::unique_ptr<RecordingOutput> m_output;
    std::unique_ptr<SlotSoundPlayer> m_player;
};

LUMINA_TEST_MAIN(tst_SoundSlots)
#include "tst_soundslots.moc"
