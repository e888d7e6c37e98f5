#include "TestMain.h"

#include "base/CodePage.h"
#include "route/FareCsv.h"
#include "route/FareFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace lumina;

namespace {

const QString kSampleRoute = QStringLiteral(LUMINA_TEST_DATA "/../../samples/routes/12.csv");
const QString kTwoStops = QStringLiteral(LUMINA_TEST_DATA "/route/two-stops.hy3");

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run lumina_fare(const QStringList &args)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lumina-fare"), args);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class tst_FareCsv : public QObject
{
    Q_OBJECT

private slots:
    void quotedNames_data();
    void quotedNames();
    void shortLinesAndComments();
    void badText_data();
    void badText();
    void sampleRoute();
    void dumpTwoStops();
    void buildThenDump();
    void buildRefuses_data();
    void buildRefuses();
};

void tst_FareCsv::quotedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("comma") << QStringLiteral("本町,二丁目");
    QTest::newRow("quote") << QStringLiteral("\"あおば\"通り");
    QTest::newRow("leading hash") << QStringLiteral("#1乗り場");
    QTest::newRow("empty") << QString();
}

void tst_FareCsv::quotedNames()
{
    QFETCH(QString, name);
    FareRecord r;
    r.StopName = name;
    r.TicketNo = -3;
    r.Values[0] = -1;
    r.Values[149] = 32767;
    const std::vector<FareRecord> records{r, r};
    FareCsvReader reader;
    std::vector<FareRecord> back;
    QVERIFY2(reader.read(fareCsv(records), back), qPrintable(reader.errorString()));
    QVERIFY(back == records);
}

void tst_FareCsv::shortLinesAndComments()
{
    FareCsvReader reader;
    std::vector<FareRecord> records;
    const QString text = QStringLiteral("\xFEFF# a comment\r\n\r\n駅前,1,170, -1\r\n\n"
                                        "# another\n市役所前,2\n");
    QVERIFY2(reader.read(text, records), qPrintable(reader.errorString()));
    QCOMPARE(records.size(), size_t(2));
    QCOMPARE(records[0].StopName, QStringLiteral("駅前"));
    QCOMPARE(records[0].value(1), qint16(170));
    QCOMPARE(records[0].value(2), qint16(-1));
    QCOMPARE(records[0].value(3), qint16(0));
    QCOMPARE(records[1].TicketNo, qint16(2));
}

void tst_FareCsv::badText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("no ticket number") << "駅前\n" << "1行目";
    QTest::newRow("not a number") << "# x\n駅前,1,170,abc\n" << "2行目4列目";
    QTest::newRow("too big") << "駅前,1,40000\n" << "40000";
    QTest::newRow("open quote") << "\"駅前,1,170\n" << "引用符";
    QTest::newRow("151 values") << "駅前,1" + QStringLiteral(",0").repeated(151) + "\n" << "151";
}

void tst_FareCsv::badText()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    FareCsvReader reader;
    std::vector<FareRecord> records(1);
    QVERIFY(!reader.read(text, records));
    QVERIFY2(reader.errorString().contains(message), qPrintable(reader.errorString()));
    QVERIFY(records.empty());
}

// The bundled route is what a new user starts with: it has to load and look
// like a real one.
void tst_FareCsv::sampleRoute()
{
    FareCsvReader reader;
    std::vector<FareRecord> records;
    QVERIFY2(reader.read(QString::fromUtf8(readAll(kSampleRoute)), records),
             qPrintable(reader.errorString()));
    QVERIFY(records.size() >= 20);
    bool longName = false;
    for (size_t s = 0; s < records.size(); ++s) {
        const FareRecord &r = records[s];
        QVERIFY(cp932::canEncode(r.StopName));
        longName = longName || r.StopName.size() > 6;
        QCOMPARE(int(r.TicketNo), int(s) + 1);
        for (int t = 1; t <= 60; ++t) {
            if (t > r.TicketNo) {
                QCOMPARE(r.value(t), qint16(0)); // not issued yet: a dark cell
                continue;
            }
            // Dearer the longer the ride.
            QVERIFY(r.value(t) >= 170);
            if (t > 1)
                QVERIFY(r.value(t) <= r.value(t - 1));
        }
    }
    QVERIFY(longName);
    QVERIFY(records.back().value(1) > records.front().value(1));
}

void tst_FareCsv::dumpTwoStops()
{
    const Run run = lumina_fare({QStringLiteral("dump"), kTwoStops});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 3); // two lines and the empty rest
    QVERIFY(lines[0].startsWith("A,1,170,-1,-1,0,"));
    QVERIFY(lines[1].startsWith("BC,2,180,170,-1,0,"));
    QCOMPARE(lines[0].count(','), 151);
    QVERIFY(lines[2].isEmpty());
}

void tst_FareCsv::buildThenDump()
{
    QTemporaryDir dir;
    const QString hy3 = dir.filePath(QStringLiteral("12.hy3"));
    const QString csv2 = dir.filePath(QStringLiteral("again.csv"));
    const QString hy3again = dir.filePath(QStringLiteral("again.hy3"));

    Run run = lumina_fare({QStringLiteral("build"), kSampleRoute, QStringLiteral("-o"), hy3});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    run = lumina_fare({QStringLiteral("dump"), hy3});
    QCOMPARE(run.exitCode, 0);

    // The dump holds the same stops as the source text.
    FareCsvReader reader;
    std::vector<FareRecord> source, dumped;
    QVERIFY(reader.read(QString::fromUtf8(readAll(kSampleRoute)), source));
    QVERIFY(reader.read(QString::fromUtf8(run.out), dumped));
    QVERIFY(dumped == source);

    // And builds the very same file again.
    QVERIFY(writeAll(csv2, run.out));
    run = lumina_fare({QStringLiteral("build"), csv2, QStringLiteral("-o"), hy3again});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(hy3again), readAll(hy3));
    QCOMPARE(readAll(hy3), FareFileWriter().toBytes(source));
}

void tst_FareCsv::buildRefuses_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("hangul name") << "build" << QByteArray("駅前,1,170\n서울역,2,180\n") << 1
                                 << QStringLiteral("2番目の停留所名「서울역」");
    QTest::newRow("302 stops") << "build" << QByteArray("駅,1,170\n").repeated(302) << 1 << "301";
    QTest::newRow("bad number") << "build" << QByteArray("駅,1,x\n") << 1 << "1行目3列目";
    QTest::newRow("not UTF-8") << "build" << QByteArray("\x89\x77,1,170\n") << 1 << "UTF-8";
    QTest::newRow("broken fare file") << "dump" << readAll(kTwoStops).left(400) << 1
                                      << "2番目のデータが欠けています";
    QTest::newRow("unknown command") << "show" << QByteArray() << 2 << "usage";
}

void tst_FareCsv::buildRefuses()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, csv);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in"));
    const QString out = dir.filePath(QStringLiteral("out.hy3"));
    QVERIFY(writeAll(in, csv));
    const QStringList args = command == u"build" ? QStringList{command, in, QStringLiteral("-o"), out}
                             : command == u"dump" ? QStringList{command, in}
                                                  : QStringList{command};
    const Run run = lumina_fare(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
    QVERIFY(run.out.isEmpty());
}

LUMINA_TEST_MAIN(tst_FareCsv)
#include "tst_farecsv.moc"
