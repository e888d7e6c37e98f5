// The slot rules of the player, with a decoder and a device that only record.
#include "TestMain.h"

#include "sound/SoundSlots.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

using namespace lumina;

namespace {

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
        clip->data = QByteArray(int(2 * lengthMs), '\0'); // 1 ms per sample
        return clip;
    }
    QList<std::pair<QString, SoundType>> decoded;
    qint64 lengthMs = 100;
};

// Sounds "play" until the test ends them; the log reads "close 0", "start 1 a.wav".
class RecordingOutput final : public SoundOutput
{
public:
    bool start(int channel, PcmClipPtr clip) override
    {
        log << QStringLiteral("start %1 %2ms").arg(channel).arg(clip->durationMs());
        if (refuse)
            return false;
        playing[size_t(channel)] = true;
        return true;
    }
    void close(int channel) override
    {
        log << QStringLiteral("close %1").arg(channel);
        if (std::exchange(playing[size_t(channel)], false))
            emit finished(channel);
    }
    bool isPlaying(int channel) const override { return playing[size_t(channel)]; }
    void end(int channel)
    {
        playing[size_t(channel)] = false;
        emit finished(channel);
    }

    QStringList log;
    std::array<bool, 4> playing{};
    bool refuse = false;
};

} // namespace

class tst_SoundSlots : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void endings_data();
    void endings();
    void silentFailures_data();
    void silentFailures();
    void slotsCloseThenOpenAndStayIndependent();
    void stopAllClosesEverySlot();
    void decodedOncePerFileVersion();
    void synchronousWaitsForItsOwnSlot();
    void synchronousWaitIsBounded_data();
    void synchronousWaitIsBounded();

private:
    QString file(const QString &name);

    QTemporaryDir m_dir;
    std::unique_ptr<RecordingDecoder> m_decoder;
    std::unique_ptr<RecordingOutput> m_output;
    std::unique_ptr<SlotSoundPlayer> m_player;
};

QString tst_SoundSlots::file(const QString &name)
{
    const QString path = m_dir.filePath(name);
    QFile f(path);
    if (!f.exists()) {
        f.open(QIODevice::WriteOnly);
        f.write("x");
    }
    return path;
}

void tst_SoundSlots::init()
{
    m_decoder = std::make_unique<RecordingDecoder>();
    m_output = std::make_unique<RecordingOutput>();
    m_player = std::make_unique<SlotSoundPlayer>(*m_decoder, *m_output);
}

void tst_SoundSlots::endings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type"); // -1: not played
    QTest::newRow("wav") << "a.wav" << int(SoundType::Wave);
    QTest::newRow("Wav") << "a.Wav" << int(SoundType::Wave);
    QTest::newRow("WAV") << "a.WAV" << int(SoundType::Wave);
    QTest::newRow("mp3") << "b.mp3" << int(SoundType::Mpeg);
    QTest::newRow("MID") << "c.MID" << int(SoundType::Midi);
    QTest::newRow("no dot") << "plainwav" << int(SoundType::Wave);
    QTest::newRow("blanks, Japanese") << "乗車 チャイム 1.wav" << int(SoundType::Wave);
    QTest::newRow("wave") << "a.wave" << -1;
    QTest::newRow("midi") << "a.midi" << -1;
    QTest::newRow("ogg") << "a.ogg" << -1;
    QTest::newRow("blank after") << "a.wav " << -1;
}

void tst_SoundSlots::endings()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    m_player->PlaySound(file(name), QStringLiteral("S1"), false, 0);
    // The slot is closed before the ending is looked at.
    QCOMPARE(m_output->log.value(0), QStringLiteral("close 0"));
    QCOMPARE(m_output->log.size(), type < 0 ? 1 : 2);
    QCOMPARE(m_decoder->decoded.size(), type < 0 ? 0 : 1);
    if (type >= 0)
        QCOMPARE(int(m_decoder->decoded[0].second), type);
}

void tst_SoundSlots::silentFailures_data()
{
    QTest::addColumn<QString>("name"); // "" for an empty path
    QTest::addColumn<QString>("slot");
    QTest::addColumn<bool>("closes");
    QTest::newRow("empty path") << "" << "S1" << false;
    QTest::newRow("missing file") << "gone.wav" << "S1" << false;
    QTest::newRow("folder") << "folder.wav" << "S1" << false;
    QTest::newRow("unknown slot") << "a.wav" << "S5" << false;
    QTest::newRow("not decodable") << "broken.mp3" << "S2" << true;
}

void tst_SoundSlots::silentFailures()
{
    QFETCH(QString, name);
    QFETCH(QString, slot);
    QFETCH(bool, closes);
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.wav"));
    file(QStringLiteral("a.wav"));
    file(QStringLiteral("broken.mp3"));
    // An empty path must not fall back to whatever the current folder holds.
    QDir::setCurrent(m_dir.path());
    const QString path = name.isEmpty() || name == QLatin1String("gone.wav")
        ? name
        : m_dir.filePath(name);
    m_player->PlaySound(path, slot, true, 0);
    QCOMPARE(m_output->log, closes ? QStringList{QStringLiteral("close 1")} : QStringList());
}

void tst_SoundSlots::slotsCloseThenOpenAndStayIndependent()
{
    m_player->PlaySound(file(QStringLiteral("route.wav")), QStringLiteral("S1"), false, 0);
    m_player->PlaySound(file(QStringLiteral("step.mp3")), QStringLiteral("s2"), false, 0);
    m_decoder->lengthMs = 250;
    m_player->PlaySound(file(QStringLiteral("key.wav")), QStringLiteral("S1"), false, 0);
    QCOMPARE(m_output->log, (QStringList{"close 0", "start 0 100ms", "close 1", "start 1 100ms",
                                         "close 0", "start 0 250ms"}));
    QVERIFY(m_output->playing[0] && m_output->playing[1]);
}

void tst_SoundSlots::stopAllClosesEverySlot()
{
    m_player->StopAllSounds();
    QCOMPARE(m_output->log, (QStringList{"close 0", "close 1", "close 2", "close 3"}));
}

void tst_SoundSlots::decodedOncePerFileVersion()
{
    const QString key = file(QStringLiteral("key.wav"));
    const QString broken = file(QStringLiteral("broken.mp3"));
    for (int i = 0; i < 3; ++i) {
        m_player->PlaySound(key, QStringLiteral("S1"), false, 0);
        m_player->PlaySound(broken, QStringLiteral("S1"), false, 0);
    }
    QCOMPARE(m_decoder->decoded.size(), 2);
    // Replaced under the same name: decoded again.
    QFile f(key);
    QVERIFY(f.open(QIODevice::Append));
    f.write("more");
    f.close();
    m_player->PlaySound(key, QStringLiteral("S1"), false, 0);
    QCOMPARE(m_decoder->decoded.size(), 3);
}

void tst_SoundSlots::synchronousWaitsForItsOwnSlot()
{
    m_decoder->lengthMs = 5000;
    const QString path = file(QStringLiteral("long.wav"));
    m_player->PlaySound(path, QStringLiteral("S2"), false, 0);
    // The end of another slot's sound does not end the wait; its own does.
    QTimer::singleShot(10, m_output.get(), [this] { m_output->end(1); });
    QTimer::singleShot(40, m_output.get(), [this] { m_output->end(0); });
    QElapsedTimer clock;
    clock.start();
    m_player->PlaySound(path, QStringLiteral("S1"), true, 0);
    QVERIFY2(clock.elapsed() >= 35 && clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
}

void tst_SoundSlots::synchronousWaitIsBounded_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("atLeast");
    QTest::addColumn<int>("below");
    QTest::newRow("stalled device") << false << 150 << 700;
    QTest::newRow("no device") << true << 0 << 100;
}

void tst_SoundSlots::synchronousWaitIsBounded()
{
    QFETCH(bool, refused);
    QFETCH(int, atLeast);
    QFETCH(int, below);
    m_output->refuse = refused;
    m_player->setWaitMargin(50);
    QElapsedTimer clock;
    clock.start();
    m_player->PlaySound(file(QStringLiteral("a.wav")), QStringLiteral("S3"), true, 0);
    QVERIFY2(clock.elapsed() >= atLeast && clock.elapsed() < below,
             qPrintable(QString::number(clock.elapsed())));
}

LUMINA_TEST_MAIN(tst_SoundSlots)
#include "tst_soundslots.moc"
