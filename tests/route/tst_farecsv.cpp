#include "RouteFixture.h"
#include "TestMain.h"

#include "route/FareCsv.h"

#include <QProcess>

using namespace lumina;
using namespace lumina::test;

namespace {

// The fare tool run to its end; an exit code of -1 when it crashed or hung.
struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run lumina_fare(const QStringList &args, const QString &standardOutput = QString(),
               const QString &standardInput = QString())
{
    QProcess process;
    if (!standardOutput.isEmpty())
        process.setStandardOutputFile(standardOutput);
    if (!standardInput.isEmpty())
        process.setStandardInputFile(standardInput);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lumina-fare"), args);
    const bool ended = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class tst_FareCsv : public QObject
{
    Q_OBJECT
private slots:
    void twoStopExample()
    {
        QFile file(QStringLiteral(LUMINA_TEST_DATA "/route/two-stops.hy3"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        FareFileReader reader;
        std::vector<FareRecord> records;
        QVERIFY2(reader.read(&file, records), qPrintable(reader.errorString()));
        QCOMPARE(records.size(), size_t(2));
        QCOMPARE(QStringList({records[0].stopName, records[1].stopName}), QStringList({"A", "BC"}));
        QCOMPARE(QList<int>({records[0].ticketNumber, records[0].value(1), records[0].value(2), records[1].ticketNumber,
                             records[1].value(2), records[1].value(150)}), QList<int>({1, 170, -1, 2, 170, 0}));
        QCOMPARE(FareFileWriter().toBytes(records), readFile(file.fileName()));
        // The same as text saved by an editor that starts with a byte order mark.
        std::vector<FareRecord> fromText;
        QVERIFY(FareCsvReader().read(u"\uFEFFA,1,170,-1\nBC,2,170,170\n", fromText));
        QCOMPARE(fromText.size(), size_t(2));
        QCOMPARE(fromText[0].stopName + fromText[1].stopName, QStringLiteral("ABC"));
    }
    void roundTrip_data() { fixtureTable("route/round-trip.txt", 3); }
    void roundTrip()
    {
        QFETCH(QStringList, row);
        const int count = row[0].toInt();
        std::vector<FareRecord> records = route(count, row[1]);
        if (count > 0) {
            records.front().values.front() = -32768;
            records.back().values.back() = 32767;
        }
        test::ReadBuffer buffer(FareFileWriter().toBytes(records));
        FareFileReader reader;
        std::vector<FareRecord> back;
        QVERIFY2(reader.read(&buffer, back), qPrintable(reader.errorString()));
        QVERIFY(back == records);
    }
    void badFiles_data() { fixtureTable("route/bad-fare-files.txt", 7); }
    void badFiles()
    {
        QFETCH(QStringList, row);
        const int failAfter = row[1].toInt();
        const int count = row[4].toInt();
        FailingDevice device(fareBytes(row[0]), failAfter < 0 ? std::numeric_limits<qint64>::max() : failAfter,
                             row[2] == u"1", row[2] == u"write-only" ? QIODevice::WriteOnly : QIODevice::ReadOnly);
        FareFileReader reader;
        std::vector<FareRecord> records(3);
        const bool ok = reader.read(&device, records);
        const QStringList errors{"NoError", "NegativeCount", "TooManyRecords", "Truncated", "DeviceError"};
        QCOMPARE(errors.value(int(reader.error())), row[3]);
        QCOMPARE(ok, row[3] == u"NoError");
        QCOMPARE(reader.hasCount(), count != -99);
        if (reader.hasCount())
            QCOMPARE(int(reader.recordCount()), count);
        QVERIFY2(reader.errorString().contains(row[5]), qPrintable(reader.errorString()));
        QCOMPARE(records.size(), ok ? size_t(count) : size_t(0));
        // The same reader on a good file afterwards keeps nothing of this one.
        test::ReadBuffer again(fareBytes(QStringLiteral("four")));
        QVERIFY(reader.read(&again, records));
        QVERIFY(reader.error() == FareFileReader::Error::NoError && reader.errorString().isEmpty());
        QVERIFY(!reader.read(nullptr, records) && !reader.hasCount());
    }
    void writerRefuses_data() { fixtureTable("route/writer-refuses.txt", 6); }
    void writerRefuses()
    {
        QFETCH(QStringList, row);
        const QString name = row[1];
        const QString message = row[2];
        std::vector<FareRecord> records = route(row[0].toInt());
        records.back().stopName = name.contains(u'*') ? QString(name.section(u'*', 0, 0).toInt(), name.back()) : name;
        FailingDevice device({}, row[3] == u"full" ? 0 : std::numeric_limits<qint64>::max(), false,
                             row[3] == u"read-only" ? QIODevice::ReadOnly : QIODevice::WriteOnly);
        FareFileWriter writer;
        QCOMPARE(writer.write(&device, records), message.isEmpty());
        QVERIFY2(writer.errorString().contains(message), qPrintable(writer.errorString()));
        QCOMPARE(device.data().size(), row[4].toInt());
    }
    void buildThenDump_data() { fixtureTable("route/fare-tool-round-trip.txt", 3); }
    void buildThenDump()
    {
        QFETCH(QStringList, row);
        const QByteArray csv = readFile(QStringLiteral(LUMINA_TEST_DATA "/") + row[0]);
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
        const FareRecord &r = read[0];
        QCOMPARE(u"%1 %2 %3 %4"_qs.arg(r.ticketNumber).arg(r.value(1)).arg(r.value(2)).arg(r.value(3)), row[1]);
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
        const QByteArray input = row[1].startsWith(u"0x") ? QByteArray::fromHex(row[1].mid(2).toLatin1())
                                                          : row[1].replace(u"\\n"_qs, u"\n"_qs).toUtf8();
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in"));
        const QString out = dir.filePath(QStringLiteral("out.hy3"));
        QVERIFY(writeFile(in, input));
        QStringList args = row[0].split(u' ', Qt::SkipEmptyParts).replaceInStrings(u"DATA"_qs, LUMINA_TEST_DATA);
        const bool full = args.endsWith(u"/dev/full"_qs);
        args = args.mid(0, full ? args.size() - 2 : args.size()).replaceInStrings(u"IN"_qs, in);
        const Run run = lumina_fare(args.replaceInStrings(u"OUT"_qs, out), full ? u"/dev/full"_qs : QString());
        QCOMPARE(run.exitCode, row[2].toInt());
        QVERIFY2(run.err.contains(row[3].replace(u"IN"_qs, in)), qPrintable(run.err));
        // One line a problem, each naming the command.
        for (const QString &line : run.err.split(u'\n', Qt::SkipEmptyParts))
            QVERIFY2(line.startsWith(u"lumina-fare"_qs), qPrintable(line));
        QVERIFY(!QFile::exists(out));
    }
    // "-" is standard input and output: a pipe gives the same bytes as files do.
    void standardStreams()
    {
        const QString csv = QStringLiteral(LUMINA_TEST_DATA "/../../docs/examples/34.csv");
        Run run = lumina_fare({u"build"_qs, u"-"_qs, u"-o"_qs, u"-"_qs}, QString(), csv);
        QCOMPARE(run.exitCode, 0);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"34.hy3"_qs), run.out));
        QCOMPARE(lumina_fare({u"build"_qs, csv, u"-o"_qs, u"-"_qs}).out, run.out);
        run = lumina_fare({u"check"_qs, u"--type"_qs, u"hy3"_qs, u"-"_qs}, QString(), dir.filePath(u"34.hy3"_qs));
        QCOMPARE(run.out, "(standard input): ok: 4 stops, 港町 → 丘の上公園, ticket numbers up to 4\n");
        run = lumina_fare({u"dump"_qs, u"-"_qs}, QString(), dir.filePath(u"34.hy3"_qs));
        QCOMPARE(run.out.count('\n'), 4);
    }
    // One usage line, then every command with its options; "help COMMAND" is "COMMAND --help";
    // Japanese on a Japanese system.
    void help()
    {
        const Run run = lumina_fare({u"--help"_qs});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count("usage:"), 1);
        for (const char *part : {"\n  dump ", "\n  build ", "\n  check ", "\n  render ", "\n  trip ", "\n  help ", "--type KIND",
                                 "--stop N", "--all DIR", "--section S", "--night", "--scale K", "--settings", "--background", "--every SECONDS"})
            QVERIFY2(run.out.contains(part), part);
        QCOMPARE(lumina_fare({u"help"_qs, u"render"_qs}).out, lumina_fare({u"render"_qs, u"--help"_qs}).out);
        // On a Japanese system the tool's own texts are Japanese.
        qputenv("LC_ALL", "ja_JP.UTF-8");
        const Run japanese = lumina_fare({u"import"_qs, u"feed.zip"_qs});
        qputenv("LC_ALL", "C.UTF-8");
        QVERIFY2(japanese.err.contains(u"--route ROUTE_ID か --trip TRIP_ID のどちらかが必要です"_qs), qPrintable(japanese.err));
    }
    // The reader looks no further than the text it is given.
    void textEndsWhereTheViewEnds()
    {
        const QString text = QStringLiteral("\"駅前\",1,\"170\"\"");
        std::vector<FareRecord> records;
        FareCsvReader reader;
        QVERIFY2(reader.read(QStringView(text).chopped(1), records), qPrintable(reader.errorString()));
        QCOMPARE(records.size(), size_t(1));
        QCOMPARE(records[0].value(1), 170);
        // Nor past a comment that ends the text without a line end.
        const std::vector<char16_t> comment{u'#', u'x'};
        QVERIFY(reader.read(QStringView(comment.data(), qsizetype(comment.size())), records));
        QVERIFY(records.empty());
    }
};

LUMINA_TEST_MAIN(tst_FareCsv)
#include "tst_farecsv.moc"
