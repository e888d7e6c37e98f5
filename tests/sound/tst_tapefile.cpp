#include "TestMain.h"

#include "base/CodePage.h"
#include "sound/TapeFile.h"
#include "sound/mdlM_Tape.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lumina;

Q_DECLARE_METATYPE(QList<lumina::TapeEntry>)

namespace {

using Entries = QList<TapeEntry>;

TapeEntry e(const QString &text, qint16 step = 0, qint16 sound = 0)
{
    return {text, step, sound};
}

// Gives `good` bytes, then fails.
class BrokenDevice final : public QIODevice
{
public:
    BrokenDevice(QByteArray data, qint64 good)
        : m_data(std::move(data))
        , m_good(good)
    {
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (m_pos >= m_good) {
            setErrorString(QStringLiteral("disk gone"));
            return -1;
        }
        const qint64 n = std::min(max, m_good - m_pos);
        memcpy(out, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_good;
    qint64 m_pos = 0;
};

} // namespace

class tst_TapeFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void failingDevice();
    void readTapeFromDisk();
};

void tst_TapeFile::read_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<Entries>("entries");

    const Entries two{e(QStringLiteral("次は、市役所前です。"), 1, 2), e(QStringLiteral("終点です"), 0, 3)};
    QTest::newRow("CR LF, final line end")
        << QStringLiteral("次は、市役所前です。,1,2\r\n終点です,0,3\r\n") << true << two;
    QTest::newRow("LF, no final line end")
        << QStringLiteral("次は、市役所前です。,1,2\n終点です,0,3") << true << two;
    QTest::newRow("CR alone") << QStringLiteral("次は、市役所前です。,1,2\r終点です,0,3\r") << true << two;
    QTest::newRow("blanks around unquoted fields")
        << QStringLiteral("  次は、市役所前です。\t, 1 ,2  \n終点です ,0,\t3") << true << two;
    QTest::newRow("blank inside a field is kept")
        << QStringLiteral("次は 本町,1,0") << true << Entries{e(QStringLiteral("次は 本町"), 1, 0)};
    QTest::newRow("quoted field with commas")
        << QStringLiteral("\"Next, Kawabata-bashi, please\",1,0")
        << true << Entries{e(QStringLiteral("Next, Kawabata-bashi, please"), 1, 0)};
    QTest::newRow("quoted field keeps its blanks, drops those outside")
        << QStringLiteral("  \" a, b \"  ,0,1") << true << Entries{e(QStringLiteral(" a, b "), 0, 1)};
    QTest::newRow("doubled quote inside quotes")
        << QStringLiteral("\"say \"\"hi\"\"\",0,0") << true << Entries{e(QStringLiteral("say \"hi\""))};
    QTest::newRow("quote never closed takes the line")
        << QStringLiteral("\"open, never closed\nnext,1,1")
        << true << Entries{e(QStringLiteral("open, never closed")), e(QStringLiteral("next"), 1, 1)};
    QTest::newRow("missing flags are 0")
        << QStringLiteral("only text\ntext,1") << true
        << Entries{e(QStringLiteral("only text")), e(QStringLiteral("text"), 1, 0)};
    QTest::newRow("flag that is no number or out of range is 0")
        << QStringLiteral("a,x,70000\nb,-1,１") << true << Entries{e(QStringLiteral("a")), e(QStringLiteral("b"), -1, 0)};
    QTest::newRow("empty line is an empty entry")
        << QStringLiteral("a,1,1\r\n\r\nb,0,0\r\n") << true
        << Entries{e(QStringLiteral("a"), 1, 1), e(QString()), e(QStringLiteral("b"))};
    QTest::newRow("empty file") << QString() << true << Entries{};
    QTest::newRow("too many fields keeps the lines before")
        << QStringLiteral("a,1,1\nb,1,1,c,0,0\nd,0,0") << false << Entries{e(QStringLiteral("a"), 1, 1)};
    QTest::newRow("comma inside quotes is no extra field")
        << QStringLiteral("\"a,b,c,d\",1,1") << true << Entries{e(QStringLiteral("a,b,c,d"), 1, 1)};
}

void tst_TapeFile::read()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(Entries, entries);

    QByteArray bytes = cp932::encode(text);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    TapeFileReader reader;
    Entries got;
    QCOMPARE(reader.read(&buffer, got), ok);
    QCOMPARE(got, entries);
    QCOMPARE(reader.errorString().isEmpty(), ok);
}

void tst_TapeFile::failingDevice()
{
    // Bytes that are no code page 932 become replacement characters, not a fault.
    QByteArray bytes = QByteArray("first,1,1\r\n\x80\xff,0,2\r\nthird,1,0\r\n");
    BrokenDevice device(bytes, bytes.indexOf("third") + 2);
    TapeFileReader reader;
    Entries got;
    QVERIFY(!reader.read(&device, got));
    QVERIFY(reader.errorString().contains(QStringLiteral("disk gone")));
    // Only the lines that arrived whole count.
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0], e(QStringLiteral("first"), 1, 1));
    QCOMPARE(got[1].EntrySoundFlag, qint16(2));
    QVERIFY(!got[1].text.isEmpty());
    QVERIFY(!got[1].text.contains(u'\r'));
}

void tst_TapeFile::readTapeFromDisk()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(tapeFileName(QStringLiteral("12")), QStringLiteral("12tp.csv"));

    const TapeLoad missing = readTape(dir.filePath(QStringLiteral("12tp.csv")));
    QVERIFY(!missing.ok);
    QVERIFY(missing.entries.isEmpty());

    // A fault leaves the rest of the tape as empty entries: the count is the lines'.
    QFile file(dir.filePath(QStringLiteral("7tp.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(cp932::encode(u"一,1,1\r\n二,1,1,x,0,0\r\n三,0,0\r\n"));
    file.close();
    const TapeLoad bad = readTape(file.fileName());
    QVERIFY(!bad.ok);
    QCOMPARE(bad.entries.size(), 3);
    QCOMPARE(bad.entries[0], e(QStringLiteral("一"), 1, 1));
    QCOMPARE(bad.entries[2], TapeEntry{});

    const TapeLoad sample = readTape(QStringLiteral(LUMINA_TEST_DATA "/tape/3tp.csv"));
    QVERIFY2(sample.ok, qPrintable(sample.errorString));
    QCOMPARE(sample.entries.size(), 3);
    QCOMPARE(sample.entries[1].text, QStringLiteral("次は、本町二丁目です。Next, Honmachi 2-chome."));
}

LUMINA_TEST_MAIN(tst_TapeFile)
#include "tst_tapefile.moc"
