#include "RouteFixture.h"
#include "TestMain.h"

#include "base/CodePage.h"
#include "route/FareCsv.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace lumina;
using namespace lumina::test;

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

} // namespace

// The fare text form and the tool that turns it into fare files and back.
class tst_FareCsv : public QObject
{
    Q_OBJECT

private slots:
    void buildThenDump_data();
    void buildThenDump();
    void refused_data();
    void refused();
    void sampleRoute();
};

void tst_FareCsv::buildThenDump_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QList<int>>("first"); // ticket number and values 1..3 of the first stop
    QTest::newRow("sample route") << readAll(kSampleRoute) << QList<int>{1, 170, 0, 0};
    QTest::newRow("comments, blank lines, short lines")
        << QByteArray("\xEF\xBB\xBF# a comment\r\n\r\n駅前,1,170, -1\r\n\n# another\n市役所前,2\n")
        << QList<int>{1, 170, -1, 0};
    FareRecord r; // names the text form has to quote, and the extreme values
    r.TicketNo = -3;
    r.Values[0] = -1;
    r.Values[149] = 32767;
    std::vector<FareRecord> quoted(4, r);
    quoted[0].StopName = QStringLiteral("本町,二丁目");
    quoted[1].StopName = QStringLiteral("\"あおば\"通り");
    quoted[2].StopName = QStringLiteral("#1乗り場");
    QTest::newRow("quoted names") << fareCsv(quoted).toUtf8() << QList<int>{-3, -1, 0, 0};
}

// Built, dumped and built again: the same stops and the very same bytes.
void tst_FareCsv::buildThenDump()
{
    QFETCH(QByteArray, csv);
    QFETCH(QList<int>, first);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("in.csv"));
    const QString hy3 = dir.filePath(QStringLiteral("12.hy3"));
    const QString hy3again = dir.filePath(QStringLiteral("again.hy3"));
    QVERIFY(writeAll(source, csv));
    Run run = lumina_fare({QStringLiteral("build"), source, QStringLiteral("-o"), hy3});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    run = lumina_fare({QStringLiteral("dump"), hy3});
    QCOMPARE(run.exitCode, 0);

    FareCsvReader reader;
    std::vector<FareRecord> read, dumped;
    QVERIFY(reader.read(QString::fromUtf8(csv), read));
    QVERIFY(reader.read(QString::fromUtf8(run.out), dumped));
    QVERIFY(dumped == read);
    QVERIFY(read.size() >= 2);
    QCOMPARE(QList<int>({read[0].TicketNo, read[0].value(1), read[0].value(2), read[0].value(3)}), first);
    QCOMPARE(readAll(hy3), FareFileWriter().toBytes(read));

    QVERIFY(writeAll(source, run.out));
    run = lumina_fare({QStringLiteral("build"), source, QStringLiteral("-o"), hy3again});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(hy3again), readAll(hy3));
}

void tst_FareCsv::refused_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no ticket number") << "build" << QByteArray("駅前\n") << 1 << "1行目";
    QTest::newRow("not a number") << "build" << QByteArray("# x\n駅前,1,170,abc\n") << 1 << "2行目4列目";
    QTest::newRow("too big") << "build" << QByteArray("駅前,1,40000\n") << 1 << "40000";
    QTest::newRow("open quote") << "build" << QByteArray("\"駅前,1,170\n") << 1 << "引用符";
    QTest::newRow("151 values") << "build" << "駅前,1" + QByteArray(",0").repeated(151) + "\n" << 1 << "151";
    QTest::newRow("hangul name") << "build" << QByteArray("駅前,1,170\n서울역,2,180\n") << 1
                                 << QStringLiteral("2番目の停留所名「서울역」");
    QTest::newRow("not UTF-8") << "build" << QByteArray("\x89\x77,1,170\n") << 1 << "UTF-8";
    QTest::newRow("broken fare file") << "dump" << readAll(kTwoStops).left(400) << 1
                                      << "2番目のデータが欠けています";
    QTest::newRow("unknown command") << "show" << QByteArray() << 2 << "usage";
}

// A refused input leaves no file, prints nothing and says why.
void tst_FareCsv::refused()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in"));
    const QString out = dir.filePath(QStringLiteral("out.hy3"));
    QVERIFY(writeAll(in, input));
    const QStringList args = command == u"build" ? QStringList{command, in, QStringLiteral("-o"), out}
                             : command == u"dump" ? QStringList{command, in}
                                                  : QStringList{command};
    const Run run = lumina_fare(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
    QVERIFY(run.out.isEmpty());
}

// The bundled route is what a new user starts with: it has to look like a real one.
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

LUMINA_TEST_MAIN(tst_FareCsv)
#include "tst_farecsv.moc"
