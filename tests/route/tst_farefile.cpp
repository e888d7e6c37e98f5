#include "TestMain.h"

#include "base/CodePage.h"
#include "route/FareFile.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

using namespace lumina;

namespace {

// A device that delivers `limit` bytes of `data` and then fails.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(QByteArray data, qint64 limit) : m_data(std::move(data)), m_limit(limit)
    {
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char *out, qint64 max) override
    {
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
    bool isSequential() const override { return true; }

private:
    QByteArray m_data;
    qint64 m_limit;
    qint64 m_pos = 0;
};

QByteArray le16(int v)
{
    QByteArray b(2, Qt::Uninitialized);
    qToLittleEndian<qint16>(qint16(v), b.data());
    return b;
}

// One record by hand: name bytes, ticket number, values 1..150 = base + t.
QByteArray rawRecord(const QByteArray &name, int ticket, int base)
{
    QByteArray r = le16(int(name.size())) + name + le16(ticket);
    for (int t = 1; t <= FareRecord::ValueCount; ++t)
        r += le16(base + t);
    return r;
}

FareRecord record(const QString &name, int ticket, int base)
{
    FareRecord r;
    r.StopName = name;
    r.TicketNo = qint16(ticket);
    for (int t = 1; t <= FareRecord::ValueCount; ++t)
        r.Values[size_t(t - 1)] = qint16(base + t);
    return r;
}

} // namespace

class tst_FareFile : public QObject
{
    Q_OBJECT

private slots:
    void twoStopExample();
    void roundTrip_data();
    void roundTrip();
    void badFiles_data();
    void badFiles();
    void deviceFailsHalfWay_data();
    void deviceFailsHalfWay();
    void writerRefuses_data();
    void writerRefuses();
    void tableStore_data();
    void tableStore();
    void pipeWithNothingYetIsAShortFile();
};

void tst_FareFile::twoStopExample()
{
    QFile file(QStringLiteral(LUMINA_TEST_DATA "/route/two-stops.hy3"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 613);

    QBuffer buffer;
    buffer.setData(bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    FareFileReader reader;
    std::vector<FareRecord> records;
    QVERIFY2(reader.read(&buffer, records), qPrintable(reader.errorString()));
    QCOMPARE(reader.recordCount(), qint16(2));
    QCOMPARE(records.size(), size_t(2));
    QCOMPARE(records[0].StopName, QStringLiteral("A"));
    QCOMPARE(records[0].TicketNo, qint16(1));
    QCOMPARE(records[0].value(1), qint16(170));
    QCOMPARE(records[0].value(2), qint16(-1));
    QCOMPARE(records[1].StopName, QStringLiteral("BC"));
    QCOMPARE(records[1].TicketNo, qint16(2));
    QCOMPARE(records[1].value(2), qint16(170));
    QCOMPARE(records[1].value(150), qint16(0));

    // Writing the records back gives the same bytes.
    FareFileWriter writer;
    QCOMPARE(writer.toBytes(records), bytes);
}

void tst_FareFile::roundTrip_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("name");
    QTest::newRow("none") << 0 << QString();
    QTest::newRow("kanji") << 3 << QStringLiteral("星見台ニュータウン入口");
    QTest::newRow("half-width kana") << 5 << QStringLiteral("ﾎｼﾐﾀﾞｲ");
    QTest::newRow("full table") << 301 << QStringLiteral("髙島屋前①");
}

void tst_FareFile::roundTrip()
{
    QFETCH(int, count);
    QFETCH(QString, name);
    std::vector<FareRecord> records;
    for (int s = 1; s <= count; ++s)
        records.push_back(record(name + QString::number(s), s, s * 100 - 32000));
    if (count > 0) {
        records.front().Values.front() = -32768;
        records.back().Values.back() = 32767;
    }

    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    FareFileWriter writer;
    QVERIFY2(writer.write(&buffer, records), qPrintable(writer.errorString()));
    buffer.close();

    qsizetype expectedSize = 2;
    for (const FareRecord &r : records)
        expectedSize += 304 + cp932::byteLength(r.StopName);
    QCOMPARE(buffer.data().size(), expectedSize);

    QVERIFY(buffer.open(QIODevice::ReadOnly));
    FareFileReader reader;
    std::vector<FareRecord> back;
    QVERIFY2(reader.read(&buffer, back), qPrintable(reader.errorString()));
    QVERIFY(back == records);
}

void tst_FareFile::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("hasCount");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("message");

    using E = FareFileReader::Error;
    const QByteArray one = rawRecord("AB", 1, 100);
    QTest::newRow("empty file") << QByteArray() << true << int(E::NoError) << true << 0 << QString();
    QTest::newRow("trailing bytes") << le16(1) + one + "junk" << true << int(E::NoError) << true
                                    << 1 << QString();
    QTest::newRow("one byte") << QByteArray("\x01", 1) << false << int(E::Truncated) << false << 0
                              << QStringLiteral("データの数を読み取れません");
    QTest::newRow("negative count") << le16(-3) + one << false << int(E::NegativeCount) << true
                                    << -3 << QStringLiteral("データの数が-3");
    QTest::newRow("302 records") << le16(302) + one << false << int(E::TooManyRecords) << true
                                 << 302 << QStringLiteral("データの数は302");
    QTest::newRow("record missing") << le16(2) + one << false << int(E::Truncated) << true << 2
                                    << QStringLiteral("2番目のデータが欠けています");
    QTest::newRow("values cut") << le16(2) + one + one.left(100) << false << int(E::Truncated)
                                << true << 2 << QStringLiteral("2番目");
    QTest::newRow("name past end") << le16(1) + le16(-1) + "AB" << false << int(E::Truncated)
                                   << true << 1 << QStringLiteral("1番目");
}

void tst_FareFile::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    QFETCH(int, error);
    QFETCH(bool, hasCount);
    QFETCH(int, count);
    QFETCH(QString, message);

    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    FareFileReader reader;
    std::vector<FareRecord> records(3);
    QCOMPARE(reader.read(&buffer, records), ok);
    QCOMPARE(int(reader.error()), error);
    QCOMPARE(reader.hasCount(), hasCount);
    QCOMPARE(int(reader.recordCount()), count);
    QVERIFY2(reader.errorString().contains(message), qPrintable(reader.errorString()));
    QCOMPARE(records.size(), ok ? size_t(count) : size_t(0));
}

void tst_FareFile::deviceFailsHalfWay_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("before the count") << 0;
    QTest::newRow("in the third record") << 2 + 2 * 306 + 10;
}

void tst_FareFile::deviceFailsHalfWay()
{
    QFETCH(int, limit);
    QByteArray bytes = le16(4);
    for (int s = 0; s < 4; ++s)
        bytes += rawRecord("XY", s, 0);
    FailingDevice device(bytes, limit);
    FareFileReader reader;
    std::vector<FareRecord> records;
    QVERIFY(!reader.read(&device, records));
    QCOMPARE(reader.error(), FareFileReader::Error::DeviceError);
    QVERIFY2(reader.errorString().contains(QStringLiteral("disk unplugged")),
             qPrintable(reader.errorString()));
    QVERIFY(records.empty());
}

void tst_FareFile::writerRefuses_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("302 stops") << 302 << QStringLiteral("駅") << QStringLiteral("301");
    QTest::newRow("emoji") << 2 << QStringLiteral("駅😀") << QStringLiteral("表せない文字");
    QTest::newRow("name too long") << 1 << QString(40000, QChar(u'駅'))
                                   << QStringLiteral("長すぎます");
}

void tst_FareFile::writerRefuses()
{
    QFETCH(int, count);
    QFETCH(QString, name);
    QFETCH(QString, message);
    std::vector<FareRecord> records(size_t(count), record(name, 1, 0));
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    FareFileWriter writer;
    QVERIFY(!writer.write(&buffer, records));
    QVERIFY2(writer.errorString().contains(message), qPrintable(writer.errorString()));
    // Nothing is written when the records are refused.
    QCOMPARE(buffer.data().size(), 0);
}

void tst_FareFile::tableStore_data()
{
    QTest::addColumn<int>("stop");
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("stored");
    QTest::newRow("name of first") << 1 << 1 << true;
    QTest::newRow("value 1") << 5 << 3 << true;
    QTest::newRow("value 150") << 5 << 152 << true;
    QTest::newRow("field 153") << 5 << 153 << false;
    QTest::newRow("stop 0") << 0 << 1 << false;
    QTest::newRow("stop 302") << 302 << 3 << false;
}

void tst_FareFile::tableStore()
{
    QFETCH(int, stop);
    QFETCH(int, field);
    QFETCH(bool, stored);
    ClearFareTable();
    const FareTable before = routeState().FareTable;
    QCOMPARE(StoreFareField(stop, field, field == 1 ? QVariant(QStringLiteral("駅前")) : QVariant(-7)),
             stored);
    const FareTable &table = routeState().FareTable;
    if (!stored) {
        QVERIFY(table == before);
        return;
    }
    const FareRecord &r = table.entry(stop);
    if (field == 1)
        QCOMPARE(r.StopName, QStringLiteral("駅前"));
    else if (field == 2)
        QCOMPARE(r.TicketNo, qint16(-7));
    else
        QCOMPARE(r.value(field - 2), qint16(-7));
}

void tst_FareFile::pipeWithNothingYetIsAShortFile()
{
    // A pipe hands over nothing before its end: the count was never read.
    class EmptyPipe : public QIODevice
    {
    public:
        EmptyPipe() { open(QIODevice::ReadOnly); }
        bool isSequential() const override { return true; }
        bool atEnd() const override { return false; }

    protected:
        qint64 readData(char *, qint64) override { return 0; }
        qint64 writeData(const char *, qint64) override { return -1; }
    } pipe;
    FareFileReader reader;
    std::vector<FareRecord> records;
    QVERIFY(!reader.read(&pipe, records));
    QCOMPARE(reader.error(), FareFileReader::Error::Truncated);
    QVERIFY(!reader.hasCount());
    QCOMPARE(reader.errorString(), QStringLiteral("運賃データが壊れています。データの数を読み取れません。"));
}

LUMINA_TEST_MAIN(tst_FareFile)
#include "tst_farefile.moc"
