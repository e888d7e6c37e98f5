#include "TestMain.h"

#include "SettingsFixtures.h"

#include <QtEndian>

using namespace lumina;
using namespace lumina::test;

namespace {

// A buffer that takes or gives its first `limit` bytes and then fails.
class FailingDevice : public QBuffer
{
public:
    explicit FailingDevice(qint64 limit) : m_limit(limit) {}

protected:
    qint64 readData(char *out, qint64 max) override
    {
        return pos() < m_limit ? QBuffer::readData(out, std::min(max, m_limit - pos())) : fail("medium error");
    }
    qint64 writeData(const char *in, qint64 size) override
    {
        return pos() < m_limit ? QBuffer::writeData(in, std::min(size, m_limit - pos())) : fail("no space left");
    }

private:
    qint64 fail(const char *why)
    {
        setErrorString(QLatin1String(why));
        return -1;
    }
    qint64 m_limit;
};

// Values no file field holds by chance, to see which fields a read left.
SettingsFile sentinel()
{
    SettingsFile s;
    s.folders = {QStringLiteral("keep-fare"), QStringLiteral("keep-tape")};
    s.panel.ticketNumberStyle = 7;
    s.sounds.preSoundByFlag[2] = QStringLiteral("keep-flag3");
    s.ticketPreview.fixedDate = QStringLiteral("keep-date");
    s.controlPanel.scrollSpeed = 4242;
    s.board.top = 4343;
    s.customColours.fill(0x00010203);
    s.cells.fill({7, 7, 7});
    return s;
}

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void fieldsInFileOrder();
    void encoding();
    void shortFileKeepsFieldsBeyondItsEnd_data();
    void shortFileKeepsFieldsBeyondItsEnd();
    void readsNoFurtherThanItsFields_data();
    void readsNoFurtherThanItsFields();
    void failingAndClosedDevices();
};

void tst_SettingsFile::roundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("written");
    const QByteArray every = fixture("every_field.in4");
    QTest::newRow("defaults") << fixture("defaults.in4") << fixture("defaults.in4");
    QTest::newRow("every field") << every << every;
    // Whatever count a file holds, 60 cells follow, and 60 is written back.
    QTest::newRow("cell count 7") << fixture("count7.in4") << every;
}

void tst_SettingsFile::roundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, written);
    QBuffer buffer(&file);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile s = sentinel();
    SettingsReader reader;
    QVERIFY2(reader.read(&buffer, s), qPrintable(reader.errorString()));
    QCOMPARE(reader.status(), SettingsReader::Status::Complete);
    QCOMPARE(reader.fieldsRead(), settingsFieldCount());
    QCOMPARE(reader.bytesRead(), file.size());
    QCOMPARE(SettingsWriter::toBytes(s), written);
}

void tst_SettingsFile::fieldsInFileOrder()
{
    SettingsFile defaults;
    defaults.ticketPreview.fixedDate = fixedDateText(2026, 12, 6);
    defaults.controlPanel.scrollSpeed = 1;
    QVERIFY(parse(fixture("defaults.in4"), sentinel()) == defaults);
    const SettingsFile s = parse(fixture("every_field.in4"));
    QCOMPARE(s.panel.userPanelImages[0], QStringLiteral("C:\\パネル\\ソフト表示_消灯.bmp"));
    QCOMPARE(s.panel.ticketNumberColours[2], OleColor(0x00ABCDEF));
    QCOMPARE(s.infoDigits.dataColumn, qint16(149));
    QCOMPARE(s.sounds.preSoundByFlag[2], QStringLiteral("音\\旗三.wav"));
    QCOMPARE(s.controlPanel.top, 4500);
    QCOMPARE(s.customColours[16], OleColor(0x00111111));
    QCOMPARE(s.cells[5], (CellDigitSetting{2, 1, 2}));
    QCOMPARE(fixedDateText(987, 1, 2), QStringLiteral("0987/01/02"));
}

void tst_SettingsFile::encoding()
{
    SettingsFile s;
    s.folders = {QStringLiteral("駅前ｱ"), QStringLiteral("a\U0001F68Cb")}; // no bus in Shift-JIS
    s.panel.panelsAutomatic = kChosen;
    s.controlPanel.scrollSpeed = 0x01020304;
    QByteArray b = SettingsWriter::toBytes(s);
    QCOMPARE(b.left(12), QByteArray("\x05\x00\x89\x77\x91\x4f\xb1\x03\x00" "a?b", 12));
    QCOMPARE(b.size(), kSettingsFileBaseSize + 8);
    // Little-endian values; a chosen option button is FF FF; colours 0x00BBGGRR.
    QCOMPARE(b.mid(8 + 4 + 2 + 12 + 4, 4), QByteArray("\xff\xff\x00\x00", 4));
    QCOMPARE(b.mid(8 + 140, 4), QByteArray("\x04\x03\x02\x01", 4));
    QCOMPARE(b.mid(8 + 6, 4), QByteArray("\xff\xff\xff\x00", 4));

    // An overlong string is cut after a whole double-byte character.
    s.folders.fareDataFolder = QStringLiteral("a") + QString(40000, QChar(0x99C5)); // 駅
    b = SettingsWriter::toBytes(s);
    QCOMPARE(qFromLittleEndian<quint16>(b.constData()), quint16(65535));
    QCOMPARE(parse(b).folders.fareDataFolder, QStringLiteral("a") + QString(32767, QChar(0x99C5)));
    s.folders.fareDataFolder = QString(40000, QChar(0x99C5));
    QCOMPARE(qFromLittleEndian<quint16>(SettingsWriter::toBytes(s).constData()), quint16(65534));
}

void tst_SettingsFile::shortFileKeepsFieldsBeyondItsEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("fields");
    const QByteArray whole = fixture("every_field.in4");
    QTest::newRow("zero length") << QByteArray() << 0;
    QTest::newRow("half a length field") << whole.left(1) << 0;
    QTest::newRow("a string longer than the file") << QByteArray("\xff\xff" "0123456789", 12) << 0;
    QTest::newRow("inside the stop-name colours") << whole.left(200) << 34;
    QTest::newRow("last byte missing") << whole.left(862) << settingsFieldCount() - 1;
}

void tst_SettingsFile::shortFileKeepsFieldsBeyondItsEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, fields);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile s = sentinel();
    SettingsReader reader;
    QVERIFY(!reader.read(&buffer, s));
    QCOMPARE(reader.status(), SettingsReader::Status::Truncated);
    QVERIFY(!reader.errorString().isEmpty());
    QCOMPARE(reader.fieldsRead(), fields);
    QCOMPARE(reader.bytesRead(), bytes.size());

    // The fields the file holds are taken, the others kept, field by field:
    // without its last byte, the last cell keeps only its last field.
    const SettingsFile full = parse(fixture("every_field.in4")), keep = sentinel();
    const auto expect = [&bytes](qsizetype end, const auto &fromFile, const auto &kept) { return bytes.size() >= end ? fromFile : kept; };
    QCOMPARE(s.folders.fareDataFolder, expect(29, full.folders.fareDataFolder, keep.folders.fareDataFolder));
    QCOMPARE(s.sounds.preSoundByFlag[2], expect(500, full.sounds.preSoundByFlag[2], keep.sounds.preSoundByFlag[2]));
    QCOMPARE(s.cells[58], expect(857, full.cells[58], keep.cells[58]));
    QCOMPARE(s.cells[59].ZeroMode, expect(861, full.cells[59].ZeroMode, keep.cells[59].ZeroMode));
    QCOMPARE(s.cells[59].FillZero, keep.cells[59].FillZero);
}

void tst_SettingsFile::readsNoFurtherThanItsFields_data()
{
    // The reader stops where its fields end: every string empty, every string
    // at its longest, a whole file with more after it.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("read");
    QTest::newRow("shortest") << QByteArray(40 * 0x10000, '\0') << kSettingsFileBaseSize;
    QTest::newRow("longest") << QByteArray(40 * 0x10000, '\xff') << kSettingsFileMaxSize;
    QTest::newRow("trailing bytes") << fixture("every_field.in4") + QByteArray(5000, '\0') << qint64(863);
}

void tst_SettingsFile::readsNoFurtherThanItsFields()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, read);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile s;
    SettingsReader reader;
    QVERIFY(reader.read(&buffer, s));
    QCOMPARE(reader.bytesRead(), read);
    QCOMPARE(buffer.pos(), read);
}

void tst_SettingsFile::failingAndClosedDevices()
{
    FailingDevice in(300);
    in.setData(fixture("every_field.in4"));
    QVERIFY(in.open(QIODevice::ReadOnly));
    SettingsFile s = sentinel();
    SettingsReader reader;
    QVERIFY(!reader.read(&in, s));
    QCOMPARE(reader.status(), SettingsReader::Status::DeviceError);
    QVERIFY2(reader.errorString().contains(QStringLiteral("medium error")), qPrintable(reader.errorString()));
    QVERIFY(reader.bytesRead() <= 300);

    FailingDevice out(300);
    QVERIFY(out.open(QIODevice::WriteOnly));
    SettingsWriter writer;
    QVERIFY(!writer.write(&out, s));
    QVERIFY2(writer.errorString().contains(QStringLiteral("no space left")), qPrintable(writer.errorString()));
    QCOMPARE(out.data().size(), 300);

    // Closed, missing or opened the wrong way: nothing is read or written.
    QBuffer closed;
    QVERIFY(!reader.read(&closed, s) && !reader.read(nullptr, s));
    QCOMPARE(reader.status(), SettingsReader::Status::DeviceError);
    QVERIFY(!writer.write(&closed, s));
    QVERIFY(closed.open(QIODevice::ReadOnly));
    QVERIFY(!writer.write(&closed, s) && !writer.write(nullptr, s));
    QVERIFY(!writer.errorString().isEmpty());
}

LUMINA_TEST_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
