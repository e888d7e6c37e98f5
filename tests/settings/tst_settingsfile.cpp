#include "TestMain.h"

#include "FailingDevice.h"
#include "FakeHostLib.h"
#include "SettingsFixtures.h"
#include "options/OptionsDialog.h"
#include "settings/IniError.h"
#include "settings/OptionFields.h"
#include "shell/WindowPosition.h"
#include "controls/DigitRow.h"

#include <QLabel>
#include <QScreen>
#include <QtEndian>

using namespace lumina;
using namespace lumina::test;

// Values no file field holds by chance, to see which fields a read left.
static SettingsFile sentinel()
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

// The settings file: what it holds, and how it reaches the options dialog and the windows' places.
class tst_SettingsFile : public QObject
{
    Q_OBJECT
private slots:
    void wholeFile_data() { fixtureTable("settings/whole-files.txt", 4); }
    void wholeFile()
    {
        QFETCH(QStringList, row);
        const QStringList source = row[0].split(u'+');
        QByteArray file = source[0].startsWith(u"fill:")
            ? QByteArray(40 * 0x10000, char(source[0].mid(5).toInt(nullptr, 16)))
            : fixture(qPrintable(source[0])) + QByteArray(source.value(1).toInt(), '\0');
        const qint64 read = row[1] == u"base" ? kSettingsFileBaseSize
                            : row[1] == u"max" ? kSettingsFileMaxSize : fixture(qPrintable(row[1])).size();
        test::ReadBuffer buffer(file);
        SettingsFile s = sentinel();
        SettingsReader reader;
        QVERIFY2(reader.read(&buffer, s), qPrintable(reader.errorString()));
        QCOMPARE(reader.status(), SettingsReader::Status::Complete);
        QCOMPARE(reader.fieldsRead(), settingsFieldCount());
        QCOMPARE(reader.bytesRead(), read);
        QCOMPARE(buffer.pos(), read);
        if (!row[2].isEmpty())
            QCOMPARE(SettingsWriter::toBytes(s), fixture(qPrintable(row[2])));
    }
    void fieldsInFileOrderAndEncoding()
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
        SettingsFile written;
        written.folders = {QStringLiteral("駅前ｱ"), QStringLiteral("a\U0001F68Cb")}; // no bus in Shift-JIS
        written.panel.panelsAutomatic = kChosen;
        written.controlPanel.scrollSpeed = 0x01020304;
        QByteArray b = SettingsWriter::toBytes(written);
        QCOMPARE(b.left(12), QByteArray("\x05\x00\x89\x77\x91\x4f\xb1\x03\x00" "a?b", 12));
        QCOMPARE(b.size(), kSettingsFileBaseSize + 8);
        // Little-endian values; a chosen option button is FF FF; colours 0x00BBGGRR.
        QCOMPARE(b.mid(8 + 4 + 2 + 12 + 4, 4), QByteArray("\xff\xff\x00\x00", 4));
        QCOMPARE(b.mid(8 + 140, 4), QByteArray("\x04\x03\x02\x01", 4));
        QCOMPARE(b.mid(8 + 6, 4), QByteArray("\xff\xff\xff\x00", 4));
        // An overlong string is cut after a whole double-byte character.
        written.folders.fareDataFolder = QStringLiteral("a") + QString(40000, QChar(0x99C5)); // 駅
        b = SettingsWriter::toBytes(written);
        QCOMPARE(qFromLittleEndian<quint16>(b.constData()), quint16(65535));
        QCOMPARE(parse(b).folders.fareDataFolder, QStringLiteral("a") + QString(32767, QChar(0x99C5)));
        written.folders.fareDataFolder = QString(40000, QChar(0x99C5));
        QCOMPARE(qFromLittleEndian<quint16>(SettingsWriter::toBytes(written).constData()), quint16(65534));
    }
    void shortFileKeepsFieldsBeyondItsEnd_data() { fixtureTable("settings/short-files.txt", 4); }
    void shortFileKeepsFieldsBeyondItsEnd()
    {
        QFETCH(QStringList, row);
        const QString arg = row[0].section(u':', 1);
        QByteArray bytes = row[0].startsWith(u"hex:") ? QByteArray::fromHex(arg.toLatin1())
                                                      : fixture("every_field.in4").left(arg.toInt());
        const int fields = row[1].toInt();
        test::ReadBuffer buffer(bytes);
        SettingsFile s = sentinel();
        SettingsReader reader;
        QVERIFY(!reader.read(&buffer, s));
        QCOMPARE(reader.status(), SettingsReader::Status::Truncated);
        // Where the file ends, so that a damaged file can be looked into.
        QVERIFY2(reader.errorString().endsWith(row[2]), qPrintable(reader.errorString()));
        QCOMPARE(reader.fieldsRead(), fields < 0 ? settingsFieldCount() + fields : fields);
        QCOMPARE(reader.bytesRead(), bytes.size());
        // Field by field: without its last byte, the last cell keeps only its last field.
        const SettingsFile full = parse(fixture("every_field.in4")), keep = sentinel();
        const auto expect = [&bytes](qsizetype end, const auto &fromFile, const auto &kept) { return bytes.size() >= end ? fromFile : kept; };
        QCOMPARE(s.folders.fareDataFolder, expect(29, full.folders.fareDataFolder, keep.folders.fareDataFolder));
        QCOMPARE(s.sounds.preSoundByFlag[2], expect(357, full.sounds.preSoundByFlag[2], keep.sounds.preSoundByFlag[2]));
        QCOMPARE(s.cells[58], expect(857, full.cells[58], keep.cells[58]));
        QCOMPARE(s.cells[59].zeroMode, expect(861, full.cells[59].zeroMode, keep.cells[59].zeroMode));
        QCOMPARE(s.cells[59].fillZero, keep.cells[59].fillZero);
        // The same reader, given a whole file next, reports nothing left from before.
        test::ReadBuffer next(fixture("every_field.in4"));
        QVERIFY(reader.read(&next, s));
        QCOMPARE(reader.errorString() + QString::number(reader.fieldsRead()), QString::number(settingsFieldCount()));
        QCOMPARE(reader.status(), SettingsReader::Status::Complete);
    }
    void failingAndClosedDevices()
    {
        FailingDevice in(fixture("every_field.in4"), 300);
        SettingsFile s = sentinel();
        SettingsReader reader;
        QVERIFY(!reader.read(&in, s));
        QCOMPARE(reader.status(), SettingsReader::Status::DeviceError);
        QCOMPARE(reader.errorString(), QStringLiteral("Reading the settings failed in SoundSettings: medium error"));
        QCOMPARE(reader.bytesRead(), 300);
        FailingDevice out({}, 300, true, QIODevice::WriteOnly); // then takes nothing more
        SettingsWriter writer;
        QVERIFY(!writer.write(&out, s));
        QCOMPARE(writer.errorString(), QStringLiteral("Writing the settings failed after 300 of %1 bytes: no space left")
                                           .arg(SettingsWriter::toBytes(s).size()));
        QCOMPARE(out.data().size(), 300);
        QBuffer closed;
        SettingsReader unopened;
        QVERIFY(!unopened.read(&closed, s) && !reader.read(nullptr, s)); // the reader above keeps nothing of its read
        QVERIFY(unopened.status() == SettingsReader::Status::DeviceError && reader.bytesRead() + reader.fieldsRead() == 0);
        QCOMPARE(unopened.errorString(), QStringLiteral("The settings device is not open for reading"));
        QVERIFY(!writer.write(&closed, s));
        QVERIFY(closed.open(QIODevice::ReadOnly));
        QVERIFY(!writer.write(&closed, s)); // open, but only for reading
        QCOMPARE(writer.errorString(), QStringLiteral("The settings device is not open for writing"));
        QVERIFY(!writer.write(nullptr, s));
    }
    // What the operator reads when the settings file fails: the error a file error stands for.
    void failureMessages_data() { fixtureTable("settings/failure-messages.txt", 4); }
    void failureMessages()
    {
        QFETCH(QStringList, row);
        const IniFailure failure = row[0].isEmpty() ? iniFailure(row[1].toInt())
                                                    : iniFailureFor(QFileDevice::FileError(row[0].toInt()));
        const QString message = QStringLiteral("エラー Code:%1\r\n内容:%2").arg(row[1], row[2]);
        QCOMPARE(iniFailureMessage(failure), message);
        QCOMPARE(iniFailureMessage(failure, QStringLiteral("in Load")), message + QStringLiteral("\r\nin Load"));
    }
    void windowFramedLateThenOutOfSight()
    {
        QWidget window;
        window.resize(200, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (window.frameGeometry() == window.geometry())
            QSKIP("the window system gives this window no frame");
        auto *place = new WindowPlace(&window);
        place->restore(1500, 1500);
        QCOMPARE(window.pos(), QPoint(100, 100));
        // Framed late, the window's inside lands where its outer edge was meant to go: it is put back.
        window.setGeometry(QRect(QPoint(100, 100), window.size()));
        QCOMPARE(window.pos(), QPoint(100, 100));
        // A position off every screen leaves the window where it is, as if never placed.
        place->restore(-3000000, 1501);
        QCOMPARE(window.pos(), QPoint(100, 100));
        QVERIFY(!place->placed());
        // Enough of it must show to take hold of it: 32 pixels across and down.
        const QPoint screenEnd = window.screen()->geometry().bottomRight() + QPoint(1, 1);
        for (const int showing : {31, 32}) {
            place->restore(twipsFromPixels(screenEnd.x() - showing), 1500);
            const bool across = place->placed();
            place->restore(1500, twipsFromPixels(screenEnd.y() - showing));
            QCOMPARE(QList({across, place->placed()}), QList<bool>(2, showing == 32));
        }
    }
    void takeOptions_data() { fixtureTable("settings/take-options.txt", 7); }
    void takeOptions()
    {
        QFETCH(QStringList, row);
        const QString kind = row[0];
        const bool refused = row[3] == u'1';
        const auto fields = [&kind](SettingsFile &s) -> std::pair<qint16 *, qint16 *> {
            if (kind == u"check")
                return {&s.infoDigits.showStopOrder, &s.infoDigits.countFromZero};
            if (kind == u"list")
                return {&s.infoDigits.dataColumn, &s.infoDigits.dataColumnCell};
            if (kind == u"panel")
                return {&s.controlPanel.preview, &s.controlPanel.lateNight};
            return {&s.sounds.stepSynchronous, &s.sounds.stepAsynchronous};
        };
        SettingsFile into;
        // Later in dialog order than every field above, earlier than none.
        into.ticketPreview.fixedDate = QStringLiteral("kept");
        SettingsFile from;
        from.ticketPreview.fixedDate = QStringLiteral("taken");
        from.customColours.fill(rgb(1, 2, 3));
        from.folders.fareDataFolder = QStringLiteral("first field");
        *fields(from).first = row[1].toShort();
        *fields(from).second = row[2].toShort();
        const auto failure = kind == u"panel" ? panelStateFailure(from.controlPanel) : lumina::takeOptions(into, from);
        QCOMPARE(failure.has_value(), refused);
        if (refused)
            QCOMPARE(failure->code, 380);
        if (kind == u"panel")
            return;
        QCOMPARE(*fields(into).first, row[4].toShort());
        QCOMPARE(*fields(into).second, row[5].toShort());
        QCOMPARE(into.ticketPreview.fixedDate, QString(refused ? "kept" : "taken"));
        QCOMPARE(into.folders.fareDataFolder, QStringLiteral("first field"));
        QCOMPARE(into.customColours[16], rgb(1, 2, 3));
    }
    // The dialog shows every option of a file and hands each back; what depends on a switch follows it.
    void dialogShowsAndHandsBack()
    {
        for (const bool everyField : {false, true}) {
            SettingsFile s = everyField ? parse(fixture("every_field.in4")) : initialRecords();
            // A date from a file is shown as those very characters, no markup.
            if (!everyField)
                s.ticketPreview.fixedDate = QStringLiteral("<b>平成21年</b> 1/30");
            s.controlPanel.scrollSpeed = 17; // not an option: passed through
            OptionsDialog dlg;
            dlg.setSettings(s);
            QVERIFY(dlg.settings() == s);
            QCOMPARE(control<QLabel>(&dlg, "Label10")->textFormat(), Qt::PlainText);
            QCOMPARE(control<QWidget>(&dlg, "Frame10")->isEnabled(), everyField);
            QCOMPARE(control<QWidget>(&dlg, "Combo4_0")->isEnabled(), everyField);
            QCOMPARE(control<DigitRow>(&dlg, "M_Degit1")->litColour(), s.infoDigits.litColour);
        }
    }
private:
    FakeHostLib m_host;
};

LUMINA_TEST_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
