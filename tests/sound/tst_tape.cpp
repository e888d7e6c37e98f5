// The announcement tape read, moved, announced and stopped, with speech and sounds only recorded.
#include "FailingDevice.h"
#include "FakeSoundPlayer.h"
#include "FakeSpeech.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "sound/AnnouncementTape.h"
#include "sound/QtSpeech.h"
#include "sound/TapeFile.h"

#include <QBuffer>

using namespace lumina;
using namespace lumina::test;

namespace {

const QString kCases = QStringLiteral(LUMINA_TEST_DATA "/sound/tape/");

// Entries one a line as "step,sound,text", as the fixtures' .txt files hold them.
QString listed(const QList<TapeEntry> &entries)
{
    QString out;
    for (const TapeEntry &e : entries)
        out += QStringLiteral("%1,%2,%3\n").arg(e.stepFlag).arg(e.soundFlag).arg(e.text);
    return out;
}

// A tape of `count` entries "1", "2", ... with the given sound flags (0 past the list).
TapeLoad tapeOf(int count, const QList<qint16> &soundFlags = {})
{
    TapeLoad load;
    load.ok = true;
    for (int n = 1; n <= count; ++n)
        load.entries.append({QString::number(n), 0, soundFlags.value(n - 1)});
    return load;
}

PreAnnouncement sounds(bool always, bool synchronous)
{
    return {always, synchronous, QStringLiteral("always.wav"),
            {QStringLiteral("f1.wav"), QStringLiteral("f2.mp3"), QStringLiteral("f3.mid")}};
}

// The sounds asked for, as "path slot" with " sync" for a synchronous one.
QStringList played(const FakeSoundPlayer &player)
{
    QStringList out;
    for (const auto &p : player.plays)
        out << p.path + u' ' + p.slot + (p.synchronous ? QStringLiteral(" sync") : QString());
    return out;
}

} // namespace

class tst_Tape : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_voice.log.clear();
        m_player.plays.clear();
        m_player.stopped.clear();
    }
    // <name>.csv with its entries in <name>.txt; a "refused-" one keeps the lines before the fault.
    void read_data() { test::fileRows(kCases, QStringLiteral("*.csv")); }
    void read()
    {
        QFETCH(QString, path);
        QFETCH(bool, accepted);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        TapeFileReader reader;
        QList<TapeEntry> got;
        QCOMPARE(reader.read(&file, got), accepted);
        QCOMPARE(listed(got), QString::fromUtf8(test::readFile(path.chopped(3) + QStringLiteral("txt"))));
    }
    void failuresKeepTheLinesBefore()
    {
        // Bytes that are no code page 932 become U+FFFD, not a fault.
        const QByteArray bytes("first,1,1\r\n\x80\xff,0,2\r\nthird,1,0\r\n");
        FailingDevice device(bytes, bytes.indexOf("third") + 2);
        TapeFileReader reader;
        QList<TapeEntry> got;
        QVERIFY(!reader.read(&device, got));
        QVERIFY(reader.errorString().contains(QStringLiteral("medium error")));
        // Only the lines that arrived whole count.
        QCOMPARE(listed(got), QStringLiteral("1,1,first\n0,2,\uFFFD\uFFFD\n"));
        // Not open, and too large for a tape: refused, nothing read.
        QBuffer closed;
        QVERIFY(!reader.read(&closed, got) && got.isEmpty() && reader.errorString().contains(u"not open"));
        test::ReadBuffer large(bytes + QByteArray(TapeFileReader::kMaxFileSize, '\n'));
        QVERIFY(!reader.read(&large, got) && got.isEmpty() && reader.errorString().contains(u"larger than"));
        QCOMPARE(tapeFileName(QStringLiteral("12")), QStringLiteral("12tp.csv"));
        const TapeLoad missing = readTape(kCases + QStringLiteral("none/12tp.csv"));
        QVERIFY(!missing.ok && missing.entries.isEmpty());
        // A fault leaves the rest of the tape as empty entries: the count is the lines'.
        const TapeLoad bad = readTape(kCases + QStringLiteral("refused-too-many-fields-keeps-the-lines-before.csv"));
        QVERIFY(!bad.ok && bad.errorString.startsWith(QStringLiteral("Line 2 ")));
        QCOMPARE(listed(bad.entries), QStringLiteral("1,1,a\n0,0,\n0,0,\n"));
        AnnouncementTape tape;
        tape.load(bad);
        QVERIFY(!tape.loaded());
        QCOMPARE(tape.stepFlag(1), qint16(1));
        const TapeLoad sample = readTape(QStringLiteral(LUMINA_TEST_DATA "/tape/3tp.csv"));
        QVERIFY2(sample.ok, qPrintable(sample.errorString));
        QCOMPARE(sample.entries.size(), 3);
        QCOMPARE(sample.entries[1].text, QStringLiteral("次は、本町二丁目です。Next, Honmachi 2-chome."));
        tape.load(sample);
        QVERIFY(tape.loaded());
        QCOMPARE((QList<int>{tape.stepFlag(0), tape.stepFlag(3), tape.soundFlag(3), tape.soundFlag(4)}),
                 (QList<int>{0, 1, 3, 0}));
        QCOMPARE(tape.text(3) + tape.text(4), QStringLiteral("終点です。"));
    }
    void moves_data() { test::addRows("sound/tape/moves.tsv", {"count", "keys", "spoken", "position"}); }
    void moves()
    {
        QFETCH(QString, count);
        QFETCH(QString, keys);
        QFETCH(QString, spoken);
        QFETCH(QString, position);
        AnnouncementTape tape;
        tape.load(tapeOf(10));
        for (int i = 0; i < 7; ++i)
            tape.forward({});
        m_voice.log.clear();
        tape.load(tapeOf(count.toInt()));
        for (QChar key : keys) {
            const bool moved = key.toUpper() == u'F' ? tape.forward({}) : tape.back({});
            QCOMPARE(moved, key.isUpper());
        }
        QCOMPARE(m_voice.spoken().join(u' '), spoken);
        QCOMPARE(tape.position(), position.toInt());
        QCOMPARE(m_voice.log.count(QStringLiteral("stop")), m_voice.spoken().size());
    }
    void preAnnouncementSounds_data()
    {
        test::addRows("sound/tape/presounds.tsv", {"forward", "always", "synchronous", "flag", "sounds"});
    }
    void preAnnouncementSounds()
    {
        QFETCH(QString, forward);
        QFETCH(QString, always);
        QFETCH(QString, synchronous);
        QFETCH(QString, flag);
        QFETCH(QString, sounds);
        AnnouncementTape tape;
        // Entry 1 carries the flag; back from 2 lands on it.
        tape.load(tapeOf(2, {qint16(flag.toInt()), 0}));
        if (forward == u'0') {
            tape.forward({});
            tape.forward({});
        }
        m_voice.log.clear();
        m_player.plays.clear();
        const PreAnnouncement chosen = ::sounds(always == u'1', synchronous == u'1');
        forward == u'1' ? tape.forward(chosen) : tape.back(chosen);
        QCOMPARE(m_voice.spoken().size(), 1);
        QCOMPARE(played(m_player).join(u';'), sounds);
    }
    // An engine that falls into its error state while taking a text is stopped again.
    void errorStatusStopsAgain()
    {
        AnnouncementTape tape;
        tape.load(tapeOf(3));
        for (auto state : {QTextToSpeech::Error, QTextToSpeech::Ready, QTextToSpeech::Speaking}) {
            m_voice.statusAfterSpeak = speechStatus(state);
            tape.forward({});
        }
        QCOMPARE(m_voice.log, (QStringList{"stop", "speak:1", "stop", "stop", "speak:2", "stop", "speak:3"}));
    }
    // A recording is the entry's voice, in a slot of its own, never waited for; every move and
    // "■" stop it, and nothing else.
    void recordedEntriesArePlayed()
    {
        QTemporaryDir dir;
        for (const char *name : {"start.WAV", "end.mp3", "..\\end.mp3"})
            QVERIFY(test::writeFile(dir.filePath(QString::fromLatin1(name)), {}));
        // Recordings are looked for beside the tape file read, not in the current folder; the
        // file is found whatever the case of its "tp", as the options dialog names it "Tp".
        const QString tapePath = dir.filePath(QStringLiteral("5Tp.csv"));
        QVERIFY(test::writeFile(tapePath, "start.WAV,0,1\r\nmissing.wav,0,0\r\nend.mp3,0,3\r\n"
                                          "./end.mp3,0,0\r\n..\\end.mp3,0,0\r\n"));
        AnnouncementTape tape;
        tape.load(readTape(dir.filePath(tapeFileName(QStringLiteral("5")))));
        for (int i = 0; i < 5; ++i)
            tape.forward(sounds(false, i == 0));
        tape.back(sounds(false, true));
        // A recording that is not there, or named with a folder, is spoken as text.
        QCOMPARE(m_voice.spoken(), (QStringList{"missing.wav", "./end.mp3", "..\\end.mp3", "./end.mp3"}));
        QCOMPARE(played(m_player), (QStringList{"f1.wav S3 sync", dir.filePath("start.WAV VOICE"), "f3.mid S3",
                                                dir.filePath("end.mp3 VOICE")}));
        QCOMPARE(m_player.stopped, QStringList(6, voiceSlot()));
        tape.stop();
        QCOMPARE(m_voice.log.last(), QStringLiteral("stop"));
        QCOMPARE(m_player.stopped.size(), 7);
        QCOMPARE(m_player.stopAllCalls, 0);
    }
    // The saved language or voice when offered, else the first Japanese one, else none.
    void choosesSavedThenJapanese_data()
    {
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<int>("chosen");
        QTest::newRow("saved") << "ja_JP en_US de_DE" << "de_DE" << 2;
        QTest::newRow("saved one gone") << "en_US ja_JP ja_JP" << "fr_FR" << 1;
        QTest::newRow("none saved") << "en_US de_DE ja_JP" << "" << 2;
        QTest::newRow("no Japanese") << "en_US de_DE" << "" << -1;
    }
    void choosesSavedThenJapanese()
    {
        QFETCH(QString, offered);
        QFETCH(QString, saved);
        QFETCH(int, chosen);
        QList<QLocale> languages;
        QList<VoiceInfo> voices;
        for (const QString &name : offered.split(u' ')) {
            languages << QLocale(name);
            voices << VoiceInfo{name, QLocale(name)};
        }
        QCOMPARE(chooseLanguage(languages, saved), chosen);
        QCOMPARE(chooseVoice(voices, saved), chosen);
    }
    // A hand-edited voice file: its numbers are held to their ranges.
    void voiceFileNumbersBounded()
    {
        const QString path = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/voice.ini";
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(test::writeFile(path, "[speech]\nvoice=Kyoko\nrate=5\npitch=-3\nvolume=-2\n"));
        const VoiceSettings loaded = VoiceSettings::load();
        QVERIFY(QFile::remove(path));
        QCOMPARE(loaded.voice, QStringLiteral("Kyoko"));
        QCOMPARE((QList<double>{loaded.rate, loaded.pitch, loaded.volume}), (QList<double>{1.0, -1.0, 0.0}));
    }
private:
    FakeSpeech m_voice;
    FakeSoundPlayer m_player;
};

LUMINA_TEST_MAIN(tst_Tape)
#include "tst_tape.moc"
