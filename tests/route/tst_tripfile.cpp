// Trip files read: every action, every time form, every fault with its line.
#include "FailingDevice.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "route/TripFile.h"

#include <QBuffer>
#include <QProcess>
#include <QTemporaryDir>

using namespace lumina;

namespace {

// Steps as "ms words [route section]@line", one after another.
QString listed(const Trip &trip)
{
    QStringList out;
    for (const TripStep &s : trip.steps)
        out << QStringLiteral("%1 %2%3@%4").arg(s.atMs).arg(tripActionWords(s.action),
                                                          s.route.isEmpty() ? QString() : u' ' + s.route + u' ' + s.section)
                   .arg(s.line);
    return out.join(u';');
}

QString samples()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lumina/samples/");
}

// The actions in runs, "route,3×next,end", then "@" and the length.
QString runs(const Trip &trip)
{
    QStringList out;
    for (qsizetype n = 0, count = 1; n < trip.steps.size(); ++n, ++count) {
        const TripAction action = trip.steps[n].action;
        if (n + 1 < trip.steps.size() && trip.steps[n + 1].action == action)
            continue;
        out << (count > 1 ? QStringLiteral("%1×").arg(count) : QString()) + tripActionWords(action);
        count = 0;
    }
    return out.join(u',') + QStringLiteral("@%1").arg(trip.lengthMs());
}

Trip readFile(const QString &path)
{
    QFile file(path);
    Trip trip;
    TripReader reader;
    if (file.open(QIODevice::ReadOnly) && !reader.read(&file, trip))
        qWarning() << path << reader.errorString();
    return trip;
}

} // namespace

class tst_TripFile : public QObject
{
    Q_OBJECT
private slots:
    // A good file gives its steps; a bad one none, with the line at fault (0: the whole file) and the reason.
    void read_data() { test::fixtureTable("route/trips-read.txt", 5); }
    void read()
    {
        QFETCH(QStringList, row);
        const QString &steps = row[1], &why = row[3];
        const int line = row[2].toInt();
        test::ReadBuffer device(QByteArray::fromPercentEncoding(row[0].toUtf8()));
        TripReader reader;
        Trip trip;
        QCOMPARE(reader.read(&device, trip), why.isEmpty());
        QCOMPARE(listed(trip), steps);
        QCOMPARE(reader.errorLine(), line);
        QVERIFY2(reader.errorString().contains(why), qPrintable(reader.errorString()));
        QCOMPARE(reader.errorString().startsWith(QStringLiteral("%1行目: ").arg(line)), line > 0);
        QCOMPARE(trip.lengthMs(), why.isEmpty() ? 600000 : 0);
    }
    void failingDeviceGivesNothing()
    {
        const QByteArray text("0:00 route 12 1\n0:20 next\n1:00 end\n");
        TripReader reader;
        Trip trip;
        for (const bool pipe : {false, true}) {
            // A pipe that stops handing over bytes before its end is not a whole trip either.
            test::FailingDevice device(text, text.indexOf("1:00"), pipe);
            QVERIFY(!reader.read(&device, trip) && trip.steps.isEmpty());
            QVERIFY2(reader.errorString().startsWith(QStringLiteral("運行ファイルを最後まで読めませんでした")),
                     qPrintable(reader.errorString()));
            QCOMPARE(reader.errorString().contains(QStringLiteral("medium error")), !pipe);
        }
        // Not open, and too large for a trip: refused before any line is read.
        QBuffer closed;
        QVERIFY(!reader.read(&closed, trip) && reader.errorString().contains(QStringLiteral("開かれていません")));
        test::ReadBuffer large(text + QByteArray(TripReader::kMaxFileSize, '\n'));
        QVERIFY(!reader.read(&large, trip) && trip.steps.isEmpty());
        QVERIFY2(reader.errorString().contains(QStringLiteral("バイトを超えています")), qPrintable(reader.errorString()));
        QCOMPARE(tripTime(65250), QStringLiteral("1:05.25"));
        QCOMPARE(tripTime(600000), QStringLiteral("10:00"));
    }
    // lumina-fare trip on the sample route: the tape's 24 entries (the first steps not) or 23 "next".
    void command_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("steps");
        QTest::newRow("tape") << QStringList{"--tape", samples() + "tape/12tp.csv"} << "route,24×tape next,end@500000";
        QTest::newRow("no tape") << QStringList{"--every", "7.5"} << "route,23×next,end@180000";
        QTest::newRow("no pace") << QStringList{"--every", "0"} << QString();
    }
    void command()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, steps);
        QTemporaryDir dir;
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + "/lumina-fare",
                   QStringList{"trip", samples() + "12.hy3", "-o", dir.filePath("12.trip")} + args);
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), steps.isEmpty() ? 2 : 0);
        QCOMPARE(QFile::exists(dir.filePath("12.trip")), !steps.isEmpty());
        QCOMPARE(runs(readFile(dir.filePath("12.trip"))), steps.isEmpty() ? "@0" : steps);
        QCOMPARE(readFile(samples() + QStringLiteral("trips/12.trip")).lengthMs(), 500000);
    }
};

LUMINA_TEST_MAIN(tst_TripFile)
#include "tst_tripfile.moc"
