// Feeds read from text, folders and zip files, and turned into fare records and announcements.
#include "FailingDevice.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "gtfs/CsvTable.h"
#include "gtfs/FareImport.h"
#include "gtfs/Feed.h"
#include "gtfs/FeedSource.h"
#include "route/FareFile.h"
#include "sound/TapeFile.h"

#include <QDirIterator>
#include <QProcess>

#include <zip.h>

using namespace lumina;
using namespace lumina::gtfs;

namespace {

// A zip at `path` holding `files` by name, written by libzip as any zip tool would.
void writeZip(const QString &path, const QMap<QString, QByteArray> &files)
{
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    QVERIFY(archive);
    for (auto at = files.cbegin(); at != files.cend(); ++at) {
        zip_source_t *source = zip_source_buffer(archive, at->constData(), zip_uint64_t(at->size()), 0);
        QVERIFY(zip_file_add(archive, at.key().toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) >= 0);
    }
    QCOMPARE(zip_close(archive), 0);
}

QMap<QString, QByteArray> exampleFiles()
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(QStringLiteral(LUMINA_DOCS_EXAMPLES "/gtfs"), QDir::Files); it.hasNext();)
        files.insert(it.fileName(), test::readFile(it.next()));
    return files;
}

// Stops S1..Sn of one trip T of route R in the zones given; rules as
// "fare:price:route:origin:destination:contains" separated by ';'.
Feed feedOf(const QStringList &zones, const QString &rules)
{
    Feed feed;
    feed.routes.append({QStringLiteral("R"), QStringLiteral("7"), QString()});
    feed.trips.append({QStringLiteral("T"), QStringLiteral("R"), 0});
    for (qsizetype i = 0; i < zones.size(); ++i) {
        const QString id = QStringLiteral("S%1").arg(i + 1);
        feed.stops.insert(id, {id, QStringLiteral("停留所%1").arg(i + 1), zones[i], int(i) + 2});
        feed.stopTimes[QStringLiteral("T")].append({id, int(i), int(i) + 2});
    }
    for (const QString &rule : rules.split(u';', Qt::SkipEmptyParts)) {
        const QStringList f = rule.split(u':');
        feed.prices.insert(f[0], f[1].toInt());
        feed.fareRules.append({f[0], f[2], f[3], f[4], f[5]});
    }
    return feed;
}

// The fares of records, one stop a line: "v1 v2 ..." for ticket numbers up to the stop count.
QString fareLines(const std::vector<FareRecord> &records)
{
    QStringList lines;
    for (const FareRecord &record : records) {
        QStringList values;
        for (size_t t = 0; t < std::min<size_t>(records.size(), 60); ++t)
            values << QString::number(record.values[t]);
        lines << values.join(u' ');
    }
    return lines.join(u'/');
}

// The feed of `files` written to a folder and read from there.
bool loadFolder(const QMap<QString, QByteArray> &files, Feed &feed)
{
    QTemporaryDir dir;
    for (auto at = files.cbegin(); at != files.cend(); ++at)
        if (!test::writeFile(dir.filePath(at.key()), *at))
            return false;
    FeedSource source;
    return source.open(dir.path()) && feed.load(source);
}

ImportChoice routeR(bool allowMissing = false, bool tape = false)
{
    return {QStringLiteral("R"), QString(), 0, allowMissing, tape};
}

int runTool(const QStringList &args, QString *errors = nullptr)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lumina-fare"), args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitCode();
}

} // namespace

class tst_Gtfs : public QObject
{
    Q_OBJECT
private slots:
    void csv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected"); // the column's fields joined by '|', or "!" and the error's start
        QTest::newRow("quoted") << QByteArray("a,b\r\n\"x\",\"say, \"\"hi\"\"\r\nthen\"\r\n") << "b"
                                << "say, \"hi\"\r\nthen";
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFstop_id,x\n1,2") << "stop_id" << "1";
        QTest::newRow("by name") << QByteArray("z,b,a\n9,8,7\n6,5,4") << "a" << "7|4";
        QTest::newRow("CR only, blanks") << QByteArray("a\r1\r\r 2 \r") << "a" << "1|2";
        QTest::newRow("quoted at the very end") << QByteArray("a,b\n1,\"x\"") << "b" << "x";
        QTest::newRow("short row") << QByteArray("a,b\n1") << "b" << "";
        QTest::newRow("unclosed") << QByteArray("a\n\"x\ny\"\n\"z") << "a" << "!t.txt 4行目";
        QTest::newRow("after quote") << QByteArray("a\n\"x\"y") << "a" << "!t.txt 2行目";
        QTest::newRow("too many") << QByteArray("a\n1,2\n3") << "a" << "!t.txt 2行目";
        QTest::newRow("not UTF-8") << QByteArray("a\n1\n\xFF") << "a" << "!t.txt 3行目";
    }
    void csv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        test::ReadBuffer buffer(bytes);
        CsvTable table;
        const bool ok = table.read(&buffer, QStringLiteral("t.txt"));
        QCOMPARE(ok, !expected.startsWith(u'!'));
        QVERIFY2(ok || table.errorString().startsWith(expected.mid(1)), qPrintable(table.errorString()));
        QStringList fields;
        for (qsizetype row = 0; row < table.rowCount(); ++row)
            fields << table.field(row, column);
        QCOMPARE(fields.join(u'|'), ok ? expected : QString());
    }
    // A device that fails half-way: no rows, and a reason that names no line.
    void csvDeviceFails()
    {
        test::FailingDevice device("a,b\n1,2\n3,4\n", 6);
        CsvTable table;
        QVERIFY(!table.read(&device, QStringLiteral("t.txt")));
        QCOMPARE(table.errorString(), QStringLiteral("t.txt: 最後まで読めません: medium error"));
        QCOMPARE(table.rowCount(), 0);
    }
    void fares_data()
    {
        QTest::addColumn<QString>("zones");
        QTest::addColumn<QString>("rules");
        QTest::addColumn<bool>("allowMissing");
        QTest::addColumn<QString>("expected"); // fareLines() or "!" and a problem told
        const QString zoneOnly = QStringLiteral("a:100::A:A:;b:200::A:B:;c:100::B:B:");
        QTest::newRow("zones") << "A,A,B" << zoneOnly << false << "100 0 0/100 100 0/200 200 100";
        QTest::newRow("route fare cheaper") << "A,A,B" << zoneOnly + ";r:150:R:A:B:" << false
                                            << "100 0 0/100 100 0/150 150 100";
        QTest::newRow("other route's fare") << "A,A,B" << zoneOnly + ";x:50:X:A:B:" << false << "100 0 0/100 100 0/200 200 100";
        QTest::newRow("any zone") << "A,B" << "a:300::::" << false << "300 0/300 300";
        QTest::newRow("contains") << "A,B,C" << "p:100::::A;t:300:R:::A;t:300:R:::B" << true << "100 0 0/300 0 0/0 0 0";
        QTest::newRow("missing") << "A,B" << "a:100::A:A:" << false << "!停留所 S1（ゾーン A）から S2（ゾーン B）";
        QTest::newRow("too dear") << "A,B" << "a:40000::::" << false << "!停留所 S1 から S1 までの運賃 40000";
    }
    void fares()
    {
        QFETCH(QString, zones);
        QFETCH(QString, rules);
        QFETCH(bool, allowMissing);
        QFETCH(QString, expected);
        const ImportResult result = FareImport::run(feedOf(zones.split(u','), rules), routeR(allowMissing));
        const QString problems = result.problems.join(u'\n');
        if (expected.startsWith(u'!')) {
            QVERIFY2(problems.contains(expected.mid(1)), qPrintable(problems));
        } else {
            QVERIFY2(problems.isEmpty(), qPrintable(problems));
            QCOMPARE(fareLines(result.records), expected);
            QCOMPARE(result.notes.isEmpty(), !allowMissing);
        }
    }
    void limits()
    {
        Feed feed = feedOf(QStringList(61, QStringLiteral("A")), QStringLiteral("a:100::::"));
        ImportResult result = FareImport::run(feed, routeR());
        QCOMPARE(result.records.size(), size_t(61));
        QCOMPARE(result.records[59].ticketNumber, qint16(60));
        QCOMPARE(result.records[60].ticketNumber, qint16(0));
        QCOMPARE(result.records[60].values[59], qint16(100));
        QCOMPARE(result.records[60].values[60], qint16(0));
        QVERIFY(result.notes.join(u' ').contains(u"最初の 60 停留所"));
        feed.stops[QStringLiteral("S5")].name = QStringLiteral("バス🚏前");
        result = FareImport::run(feed, routeR());
        QVERIFY(result.problems.join(u' ').contains(u"停留所 S5 の「バス🚏前」の「🚏」"));
        feed.stops[QStringLiteral("S5")].name = QStringLiteral("バス\n前");
        QVERIFY(FareImport::run(feed, routeR()).problems.join(u' ').contains(u"停留所 S5 の「バス\n前」に改行"));
        feed = feedOf(QStringList(302, QStringLiteral("A")), QStringLiteral("a:100::::"));
        QVERIFY(FareImport::run(feed, routeR()).problems.join(u' ').contains(u"302"));
    }
    void tape()
    {
        Feed feed = feedOf(QStringList(3, QStringLiteral("A")), QStringLiteral("a:1::::"));
        feed.stops[QStringLiteral("S2")].name = QStringLiteral("東, \"西\"");
        feed.readingsById.insert(QStringLiteral("S1"), QStringLiteral("いち"));
        feed.readingsByName.insert(QStringLiteral("停留所3"), QStringLiteral("さん"));
        const ImportResult result = FareImport::run(feed, routeR(false, true));
        test::ReadBuffer buffer(tapeFileBytes(result.tape));
        QList<TapeEntry> read;
        QVERIFY(TapeFileReader().read(&buffer, read));
        const QList<TapeEntry> expected{{QStringLiteral("つぎは、いちです。"), 1, 1}, {QStringLiteral("つぎは、東, \"西\"です。"), 1, 0},
                                        {QStringLiteral("つぎは、さんです。"), 1, 0}};
        QCOMPARE(read, expected);
    }
    void zipSafety_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("openable");
        QTest::addColumn<QString>("expected"); // the start of the error, "" when stops.txt reads
        QTest::newRow("dot dot") << "../stops.txt" << false << "ZIP の中の名前「../stops.txt」";
        QTest::newRow("absolute") << "/tmp/x.txt" << false << "ZIP の中の名前「/tmp/x.txt」";
        QTest::newRow("backslash") << "a\\..\\x.txt" << false << "ZIP の中の名前";
        QTest::newRow("bomb") << "stops.txt" << true << "stops.txt: 展開すると表の合計が 1048576 バイトを超えます";
        QTest::newRow("in a folder") << "feed/stops.txt" << true << "stops.txt がありません";
        QTest::newRow("no feed") << "" << false << "フィードがありません。";
        QTest::newRow("not a zip") << "" << false << "ZIP ファイルとして読めません: Not a zip archive";
    }
    void zipSafety()
    {
        QFETCH(QString, name);
        QFETCH(bool, openable);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("feed.zip"));
        if (!name.isEmpty())
            writeZip(path, {{name, QByteArray(1024 * 1024 + 1, ' ')}});
        else if (expected.startsWith(u"ZIP"))
            QVERIFY(test::writeFile(path, "PK, but no zip"));
        FeedSource source; // a folder open before is let go by any open after
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("stops.txt")), "stop_id\n") && source.open(dir.path()));
        source.setLimit(1024 * 1024);
        QByteArray bytes;
        QCOMPARE(source.open(path), openable);
        QVERIFY(openable ? !source.read(QStringLiteral("stops.txt"), bytes) : !source.contains(QStringLiteral("stops.txt")));
        QVERIFY2(source.errorString().startsWith(expected), qPrintable(source.errorString()));
        QVERIFY(bytes.isEmpty());
    }
    // The example feed with one table changed: the fault named by file, line and field, or
    // the reading of S1 (北浜駅) in the older translation form.
    void feed_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("routes") << "routes.txt" << QByteArray("route_id,") << QByteArray("id,") << "!routes.txt";
        QTest::newRow("trips") << "trips.txt" << QByteArray("trip_id,") << QByteArray("id,") << "!trips.txt";
        QTest::newRow("direction") << "trips.txt" << QByteArray("T10-0830S,0") << QByteArray("T10-0830S,x") << "!trips.txt 3行目 direction_id";
        QTest::newRow("stop times") << "stop_times.txt" << QByteArray("stop_sequence") << QByteArray("seq") << "!stop_times.txt";
        QTest::newRow("unknown stop") << "stop_times.txt" << QByteArray("08:06:00,S3,30") << QByteArray("08:06:00,S9,30")
                                      << "!stop_times.txt 4行目 stop_id: 停留所「S9」は stops.txt にありません";
        QTest::newRow("sequence twice") << "stop_times.txt" << QByteArray("0800,08:06:00,08:06:00,S3,30") << QByteArray("0800,08:06:00,08:06:00,S3,20")
                                        << "!stop_times.txt 4行目 stop_sequence: 20 は同じ便で2度目";
        QTest::newRow("fare table") << "fare_attributes.txt" << QByteArray("F180,") << QByteArray("\"F180,") << "!fare_attributes.txt";
        QTest::newRow("no fare table") << "fare_attributes.txt" << QByteArray() << QByteArray() << "!fare_rules.txt 2行目 fare_id: 「F180」は fare_attributes.txt にありません";
        QTest::newRow("price") << "fare_attributes.txt" << QByteArray("F220,220") << QByteArray("F220,x") << "!fare_attributes.txt 3行目 price";
        QTest::newRow("rules") << "fare_rules.txt" << QByteArray("F180,,Z1,Z1,\n") << QByteArray("\"F180") << "!fare_rules.txt";
        QTest::newRow("translations") << "translations.txt" << QByteArray("translation,") << QByteArray("text,") << "!translations.txt";
        QTest::newRow("older translations") << "translations.txt" << QByteArray()
                                            << QByteArray("trans_id,lang,translation\n北浜駅,ja-Hrkt,きたはま\n北浜駅,en,Kitahama\n")
                                            << "きたはま";
        QTest::newRow("other fields") << "translations.txt" << QByteArray("stops,stop_name,ja-Hrkt,きたはまえき")
                                      << QByteArray("stops,stop_name,ja-Hrkt,きたはま,,,北浜駅\nroutes,stop_name,ja-Hrkt,ろせん,,,北浜駅\nstops,stop_desc,ja-Hrkt,せつめい") << "きたはま";
    }
    void feed()
    {
        QFETCH(QString, table);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, expected);
        QMap<QString, QByteArray> files = exampleFiles();
        if (to.isEmpty())
            files.remove(table); // a table the feed leaves out
        else if (from.isEmpty())
            files[table] = to;
        else
            QVERIFY(files[table].contains(from) && !files[table].replace(from, to).isEmpty());
        Feed feed;
        const bool loaded = loadFolder(files, feed);
        const QString got = loaded ? feed.readingOf(feed.stops.value(QStringLiteral("S1"))) : u'!' + feed.errorString();
        QVERIFY2(got.startsWith(expected), qPrintable(got));
    }
    // A trip chosen by its id, or as the one with most stops in a route's direction.
    void trips()
    {
        Feed feed;
        QVERIFY(loadFolder(exampleFiles(), feed));
        QCOMPARE((QList<int>{FareImport::longestTripStops(feed, QStringLiteral("R10"), 0),
                             FareImport::longestTripStops(feed, QStringLiteral("R10"), 1),
                             FareImport::longestTripStops(feed, QStringLiteral("R20"), 1)}), (QList<int>{8, 8, 0}));
        const ImportResult byId = FareImport::run(feed, {QString(), QStringLiteral("T10-0830S")});
        QCOMPARE(byId.tripId + u' ' + byId.routeId, QStringLiteral("T10-0830S R10"));
        QCOMPARE(byId.records.size(), size_t(5));
        const ImportResult none = FareImport::run(feed, {QString(), QStringLiteral("T99")});
        QCOMPARE(none.problems, QStringList{QStringLiteral("trips.txt: 便 T99 がありません。")});
        QVERIFY(none.records.empty());
        for (Trip &trip : feed.trips)
            trip.direction = -1; // a trip of no direction serves both; of two as long, the first listed
        QCOMPARE(FareImport::run(feed, {QStringLiteral("R10"), QString()}).tripId, QStringLiteral("T10-0800"));
    }
    // A folder opened after a ZIP: the folder's tables, under a bound counted afresh.
    void folderAfterZip()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath(QStringLiteral("feed.zip"));
        writeZip(zip, {{QStringLiteral("stops.txt"), "from the zip"}});
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("stops.txt")), "from the folder"));
        FeedSource source;
        source.setLimit(20);
        QByteArray bytes;
        QVERIFY(source.open(zip) && source.read(QStringLiteral("stops.txt"), bytes));
        QCOMPARE(bytes, QByteArray("from the zip"));
        QVERIFY(source.open(dir.path()) && source.read(QStringLiteral("stops.txt"), bytes));
        QCOMPARE(bytes, QByteArray("from the folder"));
        QVERIFY(!source.read(QStringLiteral("stops.txt"), bytes)); // 30 bytes in all
        QVERIFY2(source.errorString().startsWith(QStringLiteral("stops.txt: 表の合計が 20 バイトを超えます")),
                 qPrintable(source.errorString()));
        QVERIFY(bytes.isEmpty());
    }
    void tool()
    {
        QTemporaryDir dir;
        const QString zip = dir.filePath(QStringLiteral("feed.zip"));
        QMap<QString, QByteArray> files = exampleFiles();
        writeZip(zip, files);
        const QString out = dir.filePath(QStringLiteral("out"));
        QCOMPARE(runTool({QStringLiteral("import"), zip, QStringLiteral("--route"), QStringLiteral("R10"),
                          QStringLiteral("--tape"), QStringLiteral("-o"), out}), 0);
        QFile hy3(out + QStringLiteral("/10.hy3"));
        QVERIFY(hy3.open(QIODevice::ReadOnly));
        std::vector<FareRecord> records;
        QVERIFY(FareFileReader().read(&hy3, records));
        QCOMPARE(fareLines({records.back()}), QStringLiteral("280"));
        QCOMPARE(records[2].stopName, QStringLiteral("市役所前, 東口"));
        QVERIFY(QFile::exists(out + QStringLiteral("/tape/10tp.csv")));
        // A fare missing: nothing at all is written, not even the folder.
        files[QStringLiteral("fare_rules.txt")].replace("F220,,Z2,Z3,\n", "");
        writeZip(zip, files);
        QString errors;
        QCOMPARE(runTool({QStringLiteral("import"), zip, QStringLiteral("--route"), QStringLiteral("R10"),
                          QStringLiteral("-o"), dir.filePath(QStringLiteral("none"))}, &errors), 1);
        QVERIFY2(errors.contains(u"停留所 S4（ゾーン Z2）から S5（ゾーン Z3）までの運賃"), qPrintable(errors));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("none"))));
        files[QStringLiteral("stop_times.txt")].replace(",S3,30\n", ",S3,x\n");
        writeZip(zip, files);
        QCOMPARE(runTool({QStringLiteral("import"), zip, QStringLiteral("--list")}, &errors), 1);
        QVERIFY2(errors.contains(u"stop_times.txt 4行目 stop_sequence: 「x」"), qPrintable(errors));
    }
};

LUMINA_TEST_MAIN(tst_Gtfs)
#include "tst_gtfs.moc"
