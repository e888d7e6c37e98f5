#include "FixtureRows.h"
#include "RouteFixture.h"
#include "TestMain.h"

#include "base/CodePage.h"

#include <QBuffer>

using namespace lumina;
using namespace lumina::test;

namespace {

// A device that delivers `limit` bytes of `data` and then fails, or, as a pipe
// that has nothing yet, hands over nothing more without reaching its end.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(QByteArray data, qint64 limit, bool pipe)
        : m_data(std::move(data)), m_limit(limit), m_pipe(pipe)
    {
        open(QIODevice::ReadOnly);
    }
    bool atEnd() const override { return !m_pipe && QIODevice::atEnd(); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (m_pos >= m_limit && m_pipe)
            return 0;
        if (m_pos >= m_limit) {
            setErrorString(QStringLiteral("disk unplugged"));
            return -1;
        }
        const qint64 n = std::min({max, m_limit - m_pos, qint64(m_data.size()) - m_pos});
        std::copy_n(m_data.constData() + m_pos, n, out);
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_limit;
    bool m_pipe;
    qint64 m_pos = 0;
};

} // namespace

// A whole buffer, or a device that stops after `failAfter` bytes: with an error,
// or as a pipe that has nothing more yet.
struct BadFile {
    QByteArray bytes;
    int failAfter; // -1: the whole buffer
    bool pipe;
    FareFileReader::Error error;
    int count; // -99: no count read
    QString message;
};

class tst_FareFile : public QObject
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
        QCOMPARE(QStringList({records[0].StopName, records[1].StopName}), QStringList({"A", "BC"}));
        QCOMPARE(QList<int>({records[0].TicketNo, records[0].value(1), records[0].value(2), records[1].TicketNo,
                             records[1].value(2), records[1].value(150)}), QList<int>({1, 170, -1, 2, 170, 0}));
        // Writing the records back gives the same bytes.
        QCOMPARE(FareFileWriter().toBytes(records), readFile(file.fileName()));
    }

    void roundTrip_data() { fixtureTable("route/round-trip.txt", 3); }
    void roundTrip()
    {
        QFETCH(QStringList, row);
        const int count = row[0].toInt();
        std::vector<FareRecord> records = route(count, row[1]);
        if (count > 0) {
            records.front().Values.front() = -32768;
            records.back().Values.back() = 32767;
        }
        QByteArray bytes = FareFileWriter().toBytes(records);
        qsizetype expectedSize = 2;
        for (const FareRecord &r : records)
            expectedSize += 304 + cp932::byteLength(r.StopName);
        QCOMPARE(bytes.size(), expectedSize);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        FareFileReader reader;
        std::vector<FareRecord> back;
        QVERIFY2(reader.read(&buffer, back), qPrintable(reader.errorString()));
        QVERIFY(back == records);
    }

    void badFiles_data()
    {
        QTest::addColumn<BadFile>("file");
        using E = FareFileReader::Error;
        const QByteArray one = FareFileWriter().toBytes(route(1)).mid(2);
        const QByteArray four = FareFileWriter().toBytes(route(4));
        const QString noCount = QStringLiteral("運賃データが壊れています。データの数を読み取れません。");
        const QString unplugged = QStringLiteral("disk unplugged");
        QTest::newRow("empty file") << BadFile{{}, -1, false, E::NoError, 0, {}};
        QTest::newRow("trailing bytes") << BadFile{le16(1) + one + "junk", -1, false, E::NoError, 1, {}};
        QTest::newRow("one byte") << BadFile{QByteArray("\x01", 1), -1, false, E::Truncated, -99, noCount};
        QTest::newRow("negative count")
            << BadFile{le16(-3) + one, -1, false, E::NegativeCount, -3, QStringLiteral("データの数が-3")};
        QTest::newRow("302 records")
            << BadFile{le16(302) + one, -1, false, E::TooManyRecords, 302, QStringLiteral("データの数は302")};
        QTest::newRow("record missing") << BadFile{le16(2) + one, -1, false, E::Truncated, 2,
                                                   QStringLiteral("2番目のデータが欠けています")};
        QTest::newRow("values cut") << BadFile{le16(2) + one + one.left(100), -1, false, E::Truncated, 2,
                                               QStringLiteral("2番目")};
        QTest::newRow("name past end")
            << BadFile{le16(1) + le16(-1) + "AB", -1, false, E::Truncated, 1, QStringLiteral("1番目")};
        QTest::newRow("device fails before the count") << BadFile{four, 0, false, E::DeviceError, -99, unplugged};
        QTest::newRow("device fails in record 3")
            << BadFile{four, 2 + 2 * 318 + 10, false, E::DeviceError, 4, unplugged};
        // The count was never read: a short file, not a count made of stale bytes.
        QTest::newRow("pipe with nothing yet") << BadFile{four, 0, true, E::Truncated, -99, noCount};
        QTest::newRow("pipe stops in record 2") << BadFile{four, 2 + 318 + 10, true, E::Truncated, 4,
                                                           QStringLiteral("2番目のデータが欠けています")};
    }

    void badFiles()
    {
        QFETCH(BadFile, file);
        QBuffer buffer(&file.bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        FailingDevice device(file.bytes, file.failAfter, file.pipe);
        FareFileReader reader;
        std::vector<FareRecord> records(3);
        const bool ok = reader.read(file.failAfter < 0 ? static_cast<QIODevice *>(&buffer) : &device, records);
        QCOMPARE(ok, file.error == FareFileReader::Error::NoError);
        QCOMPARE(reader.error(), file.error);
        QCOMPARE(reader.hasCount(), file.count != -99);
        if (reader.hasCount())
            QCOMPARE(int(reader.recordCount()), file.count);
        QVERIFY2(reader.errorString().contains(file.message), qPrintable(reader.errorString()));
        QCOMPARE(records.size(), ok ? size_t(file.count) : size_t(0));
    }

    void writerRefuses_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("name"); // of the last stop, which the message names
        QTest::addColumn<QString>("message"); // empty: written
        QTest::newRow("302 stops") << 302 << QStringLiteral("駅") << QStringLiteral("301");
        QTest::newRow("emoji") << 2 << QStringLiteral("駅😀")
                               << QStringLiteral("2番目の停留所名「駅😀」にはShift-JIS");
        QTest::newRow("name too long") << 3 << QString(40000, QChar(u'駅'))
                                       << QStringLiteral("3番目の停留所名が長すぎます");
        QTest::newRow("longest name is written") << 1 << QString(0xFFFF, QChar(u'A')) << QString();
    }

    void writerRefuses()
    {
        QFETCH(int, count);
        QFETCH(QString, name);
        QFETCH(QString, message);
        std::vector<FareRecord> records = route(count);
        records.back().StopName = name;
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        FareFileWriter writer;
        QCOMPARE(writer.write(&buffer, records), message.isEmpty());
        QVERIFY2(writer.errorString().contains(message), qPrintable(writer.errorString()));
        // Nothing is written when the records are refused.
        QCOMPARE(buffer.data().size(), message.isEmpty() ? 2 + 304 + 0xFFFF : 0);
    }

    void tableStore_data() { fixtureTable("route/table-store.txt", 4); }
    void tableStore()
    {
        QFETCH(QStringList, row);
        const int stop = row[0].toInt();
        const int field = row[1].toInt();
        ClearFareTable();
        const FareTable before = routeState().FareTable;
        const QVariant value = field == 1 ? QVariant(QStringLiteral("駅前")) : QVariant(-7);
        QCOMPARE(StoreFareField(stop, field, value), row[2] == u"1");
        const FareTable &table = routeState().FareTable;
        if (row[2] != u"1") {
            QVERIFY(table == before);
            return;
        }
        const FareRecord &r = table.entry(stop);
        const QVariant got = field == 1 ? QVariant(r.StopName)
                             : field == 2 ? QVariant(int(r.TicketNo))
                                          : QVariant(int(r.value(field - 2)));
        QCOMPARE(got, value);
    }
};

LUMINA_TEST_MAIN(tst_FareFile)
#include "tst_farefile.moc"
