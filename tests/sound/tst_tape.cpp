#include "FakeSoundPlayer.h"
#include "FakeSpeech.h"
#include "TestMain.h"

#include "sound/mdlM_Tape.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lumina;
using lumina::test::FakeSoundPlayer;
using lumina::test::FakeSpeech;

namespace {

// A tape of `count` entries "1", "2", ... with the given sound flags (0 past the list).
TapeLoad tapeOf(int count, const QList<qint16> &soundFlags = {}, const QString &folder = {})
{
    TapeLoad load;
    load.ok = true;
    load.path = QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(QStringLiteral("xtp.csv"));
    for (int n = 1; n <= count; ++n)
        load.entries.append({QString::number(n), 0, soundFlags.value(n - 1)});
    return load;
}

PreAnnouncement sounds(bool always, bool synchronous)
{
    PreAnnouncement s;
    s.always = always;
    s.synchronous = synchronous;
    s.alwaysSound = QStringLiteral("always.wav");
    s.flagSounds = {QStringLiteral("f1.wav"), QStringLiteral("f2.mp3"), QStringLiteral("f3.mid")};
    return s;
}

} // namespace

class tst_Tape : public QObject
{
    Q_OBJECT

private slots:
    void moves_data();
    void moves();
    void preAnnouncementSounds_data();
    void preAnnouncementSounds();
    void shorterTapeReplacesLonger();
    void errorStatusStopsAgain();
    void recordedEntriesArePlayed();
};

void tst_Tape::moves_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("keys"); // F forward, B back
    QTest::addColumn<QStringList>("spoken");
    QTest::addColumn<int>("position");

    QTest::newRow("three forward") << 3 << "FFF" << QStringList{"1", "2", "3"} << 3;
    QTest::newRow("fourth forward speaks nothing") << 3 << "FFFF" << QStringList{"1", "2", "3"} << 3;
    QTest::newRow("back from 1 speaks nothing") << 3 << "FB" << QStringList{"1"} << 1;
    QTest::newRow("back from 0, then forward speaks 2") << 3 << "BF" << QStringList{"2"} << 2;
    QTest::newRow("back and forth") << 3 << "FFFBBF" << QStringList{"1", "2", "3", "2", "1", "2"} << 2;
    QTest::newRow("empty tape") << 0 << "FB" << QStringList{} << 1;
}

void tst_Tape::moves()
{
    QFETCH(int, count);
    QFETCH(QString, keys);
    QFETCH(QStringList, spoken);
    QFETCH(int, position);

    FakeSpeech voice;
    FakeSoundPlayer player;
    M_Tape tape;
    tape.LoadTape(tapeOf(count));
    for (QChar key : keys) {
        if (key == u'F')
            tape.TapeForward(sounds(false, false));
        else
            tape.TapeBack(sounds(false, false));
    }
    QCOMPARE(voice.spoken(), spoken);
    QCOMPARE(tape.TapePosition(), position);
    // Every announcement first stops the one before.
    QCOMPARE(voice.log.count(QStringLiteral("stop")), spoken.size());
}

void tst_Tape::preAnnouncementSounds_data()
{
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("always");
    QTest::addColumn<bool>("synchronous");
    QTest::addColumn<qint16>("flag");
    QTest::addColumn<QString>("sound"); // "" for none
    QTest::addColumn<QString>("slot");

    QTest::newRow("forward, always") << true << true << true << qint16(2) << "always.wav" << "S3";
    QTest::newRow("forward, flag 1") << true << false << false << qint16(1) << "f1.wav" << "S3";
    QTest::newRow("forward, flag 3, synchronous") << true << false << true << qint16(3) << "f3.mid" << "S3";
    QTest::newRow("forward, flag 4") << true << false << false << qint16(4) << "" << "";
    QTest::newRow("back ignores always") << false << true << false << qint16(2) << "f2.mp3" << "S2";
    QTest::newRow("back, always, no flag") << false << true << true << qint16(0) << "" << "";
    QTest::newRow("back, flag 1, synchronous") << false << false << true << qint16(1) << "f1.wav" << "S2";
}

void tst_Tape::preAnnouncementSounds()
{
    QFETCH(bool, forward);
    QFETCH(bool, always);
    QFETCH(bool, synchronous);
    QFETCH(qint16, flag);
    QFETCH(QString, sound);
    QFETCH(QString, slot);

    FakeSpeech voice;
    FakeSoundPlayer player;
    M_Tape tape;
    // Entry 1 carries the flag; back from 2 lands on it.
    tape.LoadTape(tapeOf(2, {flag, 0}));
    if (!forward) {
        tape.TapeForward({});
        tape.TapeForward({});
        voice.log.clear();
    }
    forward ? tape.TapeForward(sounds(always, synchronous)) : tape.TapeBack(sounds(always, synchronous));
    QCOMPARE(voice.spoken().size(), 1);
    if (sound.isEmpty()) {
        QVERIFY(player.plays.isEmpty());
        return;
    }
    QCOMPARE(player.plays.size(), 1);
    QCOMPARE(player.plays[0].path, sound);
    QCOMPARE(player.plays[0].slot, slot);
    QCOMPARE(player.plays[0].synchronous, synchronous);
}

void tst_Tape::shorterTapeReplacesLonger()
{
    FakeSpeech voice;
    M_Tape tape;
    tape.LoadTape(tapeOf(10));
    for (int i = 0; i < 7; ++i)
        tape.TapeForward({});
    tape.LoadTape(tapeOf(5));
    QCOMPARE(tape.TapePosition(), 0);
    voice.log.clear();
    for (int i = 0; i < 7; ++i)
        tape.TapeForward({});
    QCOMPARE(voice.spoken(), (QStringList{"1", "2", "3", "4", "5"}));
    QCOMPARE(tape.EntryStepFlag(6), qint16(0));
}

void tst_Tape::errorStatusStopsAgain()
{
    FakeSpeech voice;
    M_Tape tape;
    tape.LoadTape(tapeOf(2));
    voice.statusAfterSpeak = Speech::Error;
    tape.TapeForward({});
    QCOMPARE(voice.log, (QStringList{"stop", "speak:1", "stop"}));
    voice.log.clear();
    voice.statusAfterSpeak = Speech::Speaking;
    tape.TapeForward({});
    QCOMPARE(voice.log, (QStringList{"stop", "speak:2"}));
}

void tst_Tape::recordedEntriesArePlayed()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char *name : {"start.WAV", "end.mp3"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    TapeLoad load = tapeOf(0, {}, dir.path());
    for (const char *text : {"start.WAV", "missing.wav", "end.mp3", "../end.mp3"})
        load.entries.append({QString::fromLatin1(text), 0, 0});

    FakeSpeech voice;
    FakeSoundPlayer player;
    M_Tape tape;
    tape.LoadTape(load);
    for (int i = 0; i < 4; ++i)
        tape.TapeForward(sounds(false, i == 0));

    // A recording that is not there, or not beside the tape, is spoken as text.
    QCOMPARE(voice.spoken(), (QStringList{"missing.wav", "../end.mp3"}));
    QCOMPARE(player.plays.size(), 2);
    QCOMPARE(player.plays[0].path, dir.filePath(QStringLiteral("start.WAV")));
    QCOMPARE(player.plays[0].slot, QStringLiteral("S3"));
    QVERIFY(player.plays[0].synchronous);
    QCOMPARE(player.plays[1].path, dir.filePath(QStringLiteral("end.mp3")));
    QVERIFY(!player.plays[1].synchronous);

    // "■" ends speech and the recording.
    tape.TapeStop();
    QCOMPARE(voice.log.last(), QStringLiteral("stop"));
    QCOMPARE(player.stopAllCalls, 1);
}

LUMINA_TEST_MAIN(tst_Tape)
#include "tst_tape.moc"
