#include "TestMain.h"

#include "settings/SettingsIo.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

using namespace lumina;

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(LUMINA_TEST_DATA "/settings/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

// A device that takes or gives `limit` bytes and then fails.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(QByteArray data, qint64 limit) : m_data(std::move(data)), m_limit(limit) {}
    QByteArray written;

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (m_pos >= m_limit) {
            setErrorString(QStringLiteral("medium error"));
            return -1;
        }
        const qint64 n = std::min({max, m_limit - m_pos, qint64(m_data.size()) - m_pos});
        memcpy(out, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *in, qint64 size) override
    {
        if (written.size() >= m_limit) {
            setErrorString(QStringLiteral("no space left"));
            return -1;
        }
        const qint64 n = std::min(size, m_limit - written.size());
        written.append(in, n);
        return n;
    }

private:
    QByteArray m_data;
    qint64 m_limit;
    qint64 m_pos = 0;
};

// Values no file field ever holds by chance, to see which fields a read left.
SettingsFile sentinel()
{
    SettingsFile s;
    s.folders.fareDataFolder = QStringLiteral("keep-fare");
    s.folders.announcementDataFolder = QStringLiteral("keep-tape");
    s.panel.ticketNumberStyle = 7;
    s.panel.userPanelImages = {QStringLiteral("keep0"), QStringLiteral("keep1"), QStringLiteral("keep2")};
    s.infoDigits.backColour = 0x00ABCDEF;
    s.sounds.routeSetSound = QStringLiteral("keep-route");
    s.sounds.preSoundByFlag[2] = QStringLiteral("keep-flag3");
    s.ticketPreview.fixedDate = QStringLiteral("keep-date");
    s.controlPanel.left = 4242;
    s.board.top = 4343;
    s.customColours.fill(0x00010203);
    s.cells.fill({7, 7, 7});
    return s;
}

SettingsFile everyField()
{
    SettingsFile s;
    QByteArray bytes = fixture("every_field.in4");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    SettingsReader reader;
    if (!reader.read(&buffer, s))
        qFatal("every_field.in4 does not read");
    return s;
}

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void emptyStringsMake598Bytes();
    void defaultsFixture();
    void everyFieldFixtureReadsAndWritesBackIdentical();
    void japaneseTextIsShiftJisWithByteCount();
    void overlongStringIsCutAtWholeCharacter();
    void cellCountIsIgnored();
    void shortFileKeepsFieldsBeyondItsEnd_data();
    void shortFileKeepsFieldsBeyondItsEnd();
    void stringLengthPastTheEnd();
    void hugeFileIsReadOnlyAsFarAsTheLayout();
    void readFailingHalfWay();
    void writeFailingHalfWay();
    void closedDevices();
};

void tst_SettingsFile::emptyStringsMake598Bytes()
{
    SettingsFile s;
    QCOMPARE(SettingsWriter::toBytes(s).size(), kSettingsFileBaseSize);
    s.ticketPreview.fixedDate = fixedDateText(2026, 12, 6);
    QCOMPARE(s.ticketPreview.fixedDate, QStringLiteral("2026/12/06"));
    QCOMPARE(SettingsWriter::toBytes(s).size(), kSettingsFileBaseSize + 10);
    QCOMPARE(fixedDateText(987, 1, 2), QStringLiteral("0987/01/02"));
}

void tst_SettingsFile::defaultsFixture()
{
    QByteArray bytes = fixture("defaults.in4");
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile read = sentinel();
    SettingsReader reader;
    QVERIFY2(reader.read(&buffer, read), qPrintable(reader.errorString()));
    QCOMPARE(reader.status(), SettingsReader::Status::Complete);
    QCOMPARE(reader.fieldsRead(), settingsFieldCount());

    SettingsFile expected;
    expected.ticketPreview.fixedDate = QStringLiteral("2026/12/06");
    expected.controlPanel.scrollSpeed = 1;
    QVERIFY(read == expected);
    QCOMPARE(SettingsWriter::toBytes(read), bytes);
}

void tst_SettingsFile::everyFieldFixtureReadsAndWritesBackIdentical()
{
    const QByteArray bytes = fixture("every_field.in4");
    const SettingsFile s = everyField();
    QCOMPARE(s.folders.fareDataFolder, QStringLiteral("C:\\運賃データ\\東部線"));
    QCOMPARE(s.panel.userPanelImages[0], QStringLiteral("C:\\パネル\\ソフト表示_消灯.bmp"));
    QCOMPARE(s.panel.ticketNumberColours[2], OleColor(0x00ABCDEF));
    QCOMPARE(s.panel.panelsAutomatic, kNotChosen);
    QCOMPARE(s.panel.panelsIndividual, kChosen);
    QCOMPARE(s.infoDigits.dataColumn, qint16(149));
    QCOMPARE(s.sounds.stepSoundByValue[1], QStringLiteral("音\\二.mid"));
    QCOMPARE(s.sounds.preSoundByFlag[2], QStringLiteral("音\\旗三.wav"));
    QCOMPARE(s.ticketPreview.plugIn, QStringLiteral("C:\\プラグイン\\整理券.4SP"));
    QCOMPARE(s.ticketPreview.fixedDate, QStringLiteral("2009/01/30"));
    QCOMPARE(s.controlPanel.top, 4500);
    QCOMPARE(s.board.left, 1500);
    QCOMPARE(s.customColours[16], OleColor(0x00111111));
    QCOMPARE(s.cells[5].Shift, qint16(2));
    QCOMPARE(s.cells[5].ZeroMode, qint16(1));
    QCOMPARE(s.cells[5].FillZero, qint16(2));
    QCOMPARE(SettingsWriter::toBytes(s), bytes);
}

void tst_SettingsFile::japaneseTextIsShiftJisWithByteCount()
{
    SettingsFile s;
    s.folders.fareDataFolder = QStringLiteral("駅前ｱ");
    s.folders.announcementDataFolder = QStringLiteral("a\U0001F68Cb"); // no bus in Shift-JIS
    s.panel.panelsAutomatic = kChosen;
    s.controlPanel.scrollSpeed = 0x01020304;
    const QByteArray b = SettingsWriter::toBytes(s);
    QCOMPARE(b.left(12), QByteArray("\x05\x00\x89\x77\x91\x4f\xb1\x03\x00" "a?b", 12));
    QCOMPARE(b.size(), kSettingsFileBaseSize + 8);
    // Little-endian values; a chosen option button is FF FF; colours 0x00BBGGRR.
    QCOMPARE(b.mid(8 + 4 + 2 + 12 + 4, 4), QByteArray("\xff\xff\x00\x00", 4));
    QCOMPARE(b.mid(8 + 140, 4), QByteArray("\x04\x03\x02\x01", 4));
    QCOMPARE(b.mid(8 + 6, 4), QByteArray("\xff\xff\xff\x00", 4));
}

void tst_SettingsFile::overlongStringIsCutAtWholeCharacter()
{
    SettingsFile s;
    // 1 + 2 × 40000 bytes: the cut falls after a whole double-byte character.
    s.folders.fareDataFolder = QStringLiteral("a") + QString(40000, QChar(0x99C5)); // 駅
    const QByteArray b = SettingsWriter::toBytes(s);
    QCOMPARE(qFromLittleEndian<quint16>(b.constData()), quint16(65535));
    SettingsFile back;
    QBuffer buffer;
    buffer.setData(b);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsReader reader;
    QVERIFY(reader.read(&buffer, back));
    QCOMPARE(back.folders.fareDataFolder, QStringLiteral("a") + QString(32767, QChar(0x99C5)));

    s.folders.fareDataFolder = QString(40000, QChar(0x99C5));
    QCOMPARE(qFromLittleEndian<quint16>(SettingsWriter::toBytes(s).constData()), quint16(65534));
}

void tst_SettingsFile::cellCountIsIgnored()
{
    QByteArray bytes = fixture("count7.in4");
    QCOMPARE(qFromLittleEndian<qint16>(bytes.constData() + bytes.size() - 362), qint16(7));
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile s;
    SettingsReader reader;
    QVERIFY(reader.read(&buffer, s));
    QVERIFY(s == everyField());
    // Written back, the count is 60 again.
    QCOMPARE(SettingsWriter::toBytes(s), fixture("every_field.in4"));
}

void tst_SettingsFile::shortFileKeepsFieldsBeyondItsEnd_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("zero length") << 0;
    QTest::newRow("half a length field") << 1;
    QTest::newRow("inside item 2") << 100;
    QTest::newRow("inside the sounds") << 200;
    QTest::newRow("last byte missing") << 862;
}

void tst_SettingsFile::shortFileKeepsFieldsBeyondItsEnd()
{
    QFETCH(int, length);
    const QByteArray whole = fixture("every_field.in4");
    QCOMPARE(whole.size(), 863);
    QByteArray bytes = whole.left(length);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile s = sentinel();
    SettingsReader reader;
    QVERIFY(!reader.read(&buffer, s));
    QCOMPARE(reader.status(), SettingsReader::Status::Truncated);
    QVERIFY(!reader.errorString().isEmpty());
    QVERIFY(reader.fieldsRead() < settingsFieldCount());

    const SettingsFile full = everyField();
    const SettingsFile keep = sentinel();
    // The fields the file holds are taken, the others kept.
    QCOMPARE(s.folders.fareDataFolder,
             length >= 2 + 27 ? full.folders.fareDataFolder : keep.folders.fareDataFolder);
    // Field by field: without its last byte, the last cell keeps only its last field.
    QCOMPARE(s.cells[59].ZeroMode, length >= 861 ? full.cells[59].ZeroMode : keep.cells[59].ZeroMode);
    QCOMPARE(s.cells[59].FillZero, keep.cells[59].FillZero);
    QCOMPARE(s.cells[58], length >= 857 ? full.cells[58] : keep.cells[58]);
    QCOMPARE(s.sounds.preSoundByFlag[2],
             length > 500 ? full.sounds.preSoundByFlag[2] : keep.sounds.preSoundByFlag[2]);
    QCOMPARE(s.board.top, length > 500 ? full.board.top : keep.board.top);
}

void tst_SettingsFile::stringLengthPastTheEnd()
{
    // The first string claims 65535 bytes; only 10 follow.
    QByteArray bytes("\xff\xff" "0123456789", 12);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SettingsFile s = sentinel();
    SettingsReader reader;
    QVERIFY(!reader.read(&buffer, s));
    QCOMPARE(reader.status(), SettingsReader::Status::Truncated);
    QCOMPARE(reader.fieldsRead(), 0);
    QCOMPARE(s.folders.fareDataFolder, QStringLiteral("keep-fare"));
    QVERIFY(s == sentinel());

    // Inside the file: the second path of item 1 runs past a short file's end.
    SettingsFile written;
    written.folders.fareDataFolder = QStringLiteral("abc");
    QByteArray cut = SettingsWriter::toBytes(written).left(5);
    cut.append("\x40\x00" "xy", 4);
    QBuffer second(&cut);
    QVERIFY(second.open(QIODevice::ReadOnly));
    s = sentinel();
    QVERIFY(!reader.read(&second, s));
    QCOMPARE(s.folders.fareDataFolder, QStringLiteral("abc"));
    QCOMPARE(s.folders.announcementDataFolder, QStringLiteral("keep-tape"));
}

void tst_SettingsFile::hugeFileIsReadOnlyAsFarAsTheLayout()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("huge.in4")));
    QVERIFY(file.open(QIODevice::ReadWrite));
    const QByteArray head = fixture("every_field.in4");
    QCOMPARE(file.write(head), head.size());
    // One GiB, sparse: the file system holds only the head.
    QVERIFY(file.resize(qint64(1) << 30));
    file.close();

    QVERIFY(file.open(QIODevice::ReadOnly));
    SettingsFile s;
    SettingsReader reader;
    QVERIFY(reader.read(&file, s));
    QCOMPARE(reader.bytesRead(), head.size());
    QCOMPARE(file.pos(), head.size());
    QVERIFY(s == everyField());
    file.close();
}

void tst_SettingsFile::readFailingHalfWay()
{
    FailingDevice device(fixture("every_field.in4"), 300);
    QVERIFY(device.open(QIODevice::ReadOnly));
    SettingsFile s = sentinel();
    SettingsReader reader;
    QVERIFY(!reader.read(&device, s));
    QCOMPARE(reader.status(), SettingsReader::Status::DeviceError);
    QVERIFY2(reader.errorString().contains(QStringLiteral("medium error")),
             qPrintable(reader.errorString()));
    QVERIFY(reader.bytesRead() <= 300);
}

void tst_SettingsFile::writeFailingHalfWay()
{
    FailingDevice device({}, 300);
    QVERIFY(device.open(QIODevice::WriteOnly));
    SettingsWriter writer;
    QVERIFY(!writer.write(&device, everyField()));
    QVERIFY2(writer.errorString().contains(QStringLiteral("no space left")),
             qPrintable(writer.errorString()));
    QCOMPARE(device.written.size(), 300);
}

void tst_SettingsFile::closedDevices()
{
    QBuffer buffer;
    SettingsFile s = sentinel();
    SettingsReader reader;
    QVERIFY(!reader.read(&buffer, s));
    QCOMPARE(reader.status(), SettingsReader::Status::DeviceError);
    QVERIFY(!reader.read(nullptr, s));
    QVERIFY(s == sentinel());
    SettingsWriter writer;
    QVERIFY(!writer.write(&buffer, s));
    QVERIFY(!writer.errorString().isEmpty());
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(!writer.write(&buffer, s));
}

LUMINA_TEST_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
