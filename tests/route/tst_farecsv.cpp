#include "FixtureRows.h"
#include "RouteFixture.h"
#include "TestMain.h"

#include "route/FareCsv.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace lumina;
using namespace lumina::test;

namespace {

const QString kSampleRoute = QStringLiteral(LUMINA_TEST_DATA "/../../samples/routes/12.csv");

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
    void buildThenDump_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QList<int>>("first"); // ticket number and values 1..3 of the first stop
        QTest::newRow("sample route") << readFile(kSampleRoute) << QList<int>{1, 170, 0, 0};
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
    void buildThenDump()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QList<int>, first);
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("in.csv"));
        const QString hy3 = dir.filePath(QStringLiteral("12.hy3"));
        const QString hy3again = dir.filePath(QStringLiteral("again.hy3"));
        QVERIFY(writeFile(source, csv));
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
        QCOMPARE(readFile(hy3), FareFileWriter().toBytes(read));

        QVERIFY(writeFile(source, run.out));
        run = lumina_fare({QStringLiteral("build"), source, QStringLiteral("-o"), hy3again});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(readFile(hy3again), readFile(hy3));
    }

    void refused_data() { fixtureTable("route/fare-tool-refuses.txt", 5); }
    void refused()
    {
        QFETCH(QStringList, row);
        const QString command = row[0];
        const QByteArray input = row[1].startsWith(u"0x") ? QByteArray::fromHex(row[1].mid(2).toLatin1())
                                                          : row[1].replace(u"\\n"_qs, u"\n"_qs).toUtf8();
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in"));
        const QString out = dir.filePath(QStringLiteral("out.hy3"));
        QVERIFY(writeFile(in, input));
        const QStringList args = command == u"build" ? QStringList{command, in, QStringLiteral("-o"), out}
                                 : command == u"dump" ? QStringList{command, in}
                                                      : QStringList{command};
        const Run run = lumina_fare(args);
        QCOMPARE(run.exitCode, row[2].toInt());
        QVERIFY2(run.err.contains(row[3]), qPrintable(run.err));
        QVERIFY(!QFile::exists(out));
        QVERIFY(run.out.isEmpty());
    }
};

LUMINA_TEST_MAIN(tst_FareCsv)
#include "tst_farecsv.moc"
