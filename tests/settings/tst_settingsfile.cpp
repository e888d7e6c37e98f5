#include "TestMain.h"

#include "FailingDevice.h"
#include "FakeHostLib.h"
#include "SettingsFixtures.h"
#include "app/SettingsStore.h"
#include "options/OptionsDialog.h"
#include "settings/OptionTransfer.h"
#include "settings/WindowPosition.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QSignalSpy>
#include <QWidget>
#include <QtEndian>

using namespace lumina;
using namespace lumina::test;

namespace {

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

// The settings file: what it holds, and how it reaches the options dialog and the
// windows' places.
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
                            : row[1] == u"max" ? kSettingsFileMaxSize
                                               : fixture(qPrintable(row[1])).size();
        QBuffer buffer(&file);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
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

    void fieldsInFileOrder()
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

    void encoding()
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

    void shortFileKeepsFieldsBeyondItsEnd_data() { fixtureTable("settings/short-files.txt", 3); }
    void shortFileKeepsFieldsBeyondItsEnd()
    {
        QFETCH(QStringList, row);
        const QString arg = row[0].section(u':', 1);
        QByteArray bytes = row[0].startsWith(u"hex:") ? QByteArray::fromHex(arg.toLatin1())
                                                      : fixture("every_field.in4").left(arg.toInt());
        const int fields = row[1].toInt();
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        SettingsFile s = sentinel();
        SettingsReader reader;
        QVERIFY(!reader.read(&buffer, s));
        QCOMPARE(reader.status(), SettingsReader::Status::Truncated);
        QVERIFY(!reader.errorString().isEmpty());
        QCOMPARE(reader.fieldsRead(), fields < 0 ? settingsFieldCount() + fields : fields);
        QCOMPARE(reader.bytesRead(), bytes.size());

        // The fields the file holds are taken, the others kept, field by field:
        // without its last byte, the last cell keeps only its last field.
        const SettingsFile full = parse(fixture("every_field.in4")), keep = sentinel();
        const auto expect = [&bytes](qsizetype end, const auto &fromFile, const auto &kept) { return bytes.size() >= end ? fromFile : kept; };
        QCOMPARE(s.folders.fareDataFolder, expect(29, full.folders.fareDataFolder, keep.folders.fareDataFolder));
        QCOMPARE(s.sounds.preSoundByFlag[2], expect(500, full.sounds.preSoundByFlag[2], keep.sounds.preSoundByFlag[2]));
        QCOMPARE(s.cells[58], expect(857, full.cells[58], keep.cells[58]));
        QCOMPARE(s.cells[59].zeroMode, expect(861, full.cells[59].zeroMode, keep.cells[59].zeroMode));
        QCOMPARE(s.cells[59].fillZero, keep.cells[59].fillZero);
    }

    void failingAndClosedDevices()
    {
        FailingDevice in(fixture("every_field.in4"), 300);
        SettingsFile s = sentinel();
        SettingsReader reader;
        QVERIFY(!reader.read(&in, s));
        QCOMPARE(reader.status(), SettingsReader::Status::DeviceError);
        QVERIFY2(reader.errorString().contains(QStringLiteral("medium error")), qPrintable(reader.errorString()));
        QVERIFY(reader.bytesRead() <= 300);

        FailingDevice out({}, 300, false, QIODevice::WriteOnly);
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

    // Where the settings put a window, and the position saved again.
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
        // Framed late, the window's inside lands where its outer edge was meant to
        // go: it is put back as soon as it moves there.
        window.setGeometry(QRect(QPoint(100, 100), window.size()));
        QCOMPARE(window.pos(), QPoint(100, 100));

        // A position off every screen leaves the window where it is, as if the
        // settings had not placed it.
        place->restore(-3000000, 1501);
        QCOMPARE(window.pos(), QPoint(100, 100));
        QVERIFY(!place->placed());
    }

    // Settings written into and read from the options dialog's controls.
    void controlValues_data() { fixtureTable("settings/control-values.txt", 7); }
    void controlValues()
    {
        QFETCH(QStringList, row);
        const QString kind = row[0];
        const int before = row[1].toInt();
        const qint16 written = qint16(row[2].toInt());
        const bool fails = row[3] == u"1";
        QCheckBox check;
        check.setTristate(true);
        const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
        check.setCheckState(states[qBound(0, before, 2)]);
        QPushButton push;
        push.setCheckable(true);
        push.setChecked(before != 0);
        QRadioButton option, other;
        QButtonGroup group;
        group.addButton(&option);
        group.addButton(&other);
        (before ? option : other).setChecked(true);
        QComboBox combo;
        for (int i = 1; i <= 60; ++i)
            combo.addItem(QString::number(i));
        combo.setCurrentIndex(before);
        QAbstractButton *button = kind == u"option" ? &option : kind == u"push" ? &push : static_cast<QAbstractButton *>(&check);
        QSignalSpy clicked(button, &QAbstractButton::clicked);

        ControlTransfer t;
        if (kind == u"combo")
            t.setComboValue(&combo, written);
        else if (kind == u"option")
            t.setOptionValue(button, written);
        else
            t.setCheckValue(button, written);
        QCOMPARE(t.failed(), fails);
        QCOMPARE(clicked.size(), row[5].toInt());
        if (fails) {
            QCOMPARE(t.failure->code, 380);
            QCOMPARE(t.failure->description, QStringLiteral("プロパティの値が不正です。"));
            return;
        }
        QCOMPARE(int(kind == u"combo" ? t.comboValue(&combo) : kind == u"option" ? t.optionValue(button) : t.checkValue(button)), row[4].toInt());
        if (kind == u"option") {
            QVERIFY(!other.isChecked());
            // The group still works as a group afterwards.
            other.click();
            option.click();
            QVERIFY(!other.isChecked());
        }
    }

    void labelTextIsPlain()
    {
        // Shown as those very characters: no markup is taken from a file.
        QLabel label;
        ControlTransfer t;
        t.setTextValue(&label, QStringLiteral("<b>平成21年</b> 1/30"));
        QCOMPARE(label.textFormat(), Qt::PlainText);
        // After a failure nothing more is written, and the first failure stays.
        t.fail(53);
        t.fail(380);
        t.setTextValue(&label, QString());
        QCOMPARE(t.failure->code, 53);
        QCOMPARE(t.textValue(&label), QStringLiteral("<b>平成21年</b> 1/30"));
    }

    void restoringClicksInDialogOrder()
    {
        QStringList order;
        // The dialog outlives this test: the connections go with `receiver`.
        QObject receiver;
        const auto watch = [&order, &receiver](QAbstractButton *button, const QString &name) {
            connect(button, &QAbstractButton::clicked, &receiver, [&order, name] { order << name; });
        };
        watch(m_dlg.Option2[1], QStringLiteral("step mode"));
        watch(m_dlg.Option6[0], QStringLiteral("step method"));
        watch(m_dlg.Option2[3], QStringLiteral("pre mode"));
        watch(m_dlg.Option7[1], QStringLiteral("pre method"));
        watch(m_dlg.chkUseSeiriPrev, QStringLiteral("preview"));
        QVERIFY(!SetOptionInfo(m_dlg, initialRecords()).has_value());
        order.clear();
        QVERIFY(!m_dlg.Frame10->isEnabled() && m_dlg.Frame10->isHidden());
        QVERIFY(!SetOptionInfo(m_dlg, parse(fixture("every_field.in4"))).has_value());
        // The playing method sits above the mode on the dialog and comes first.
        QCOMPARE(order, (QStringList{"step method", "step mode", "pre method", "pre mode", "preview"}));
        // The click handling enables what depends on the option.
        QVERIFY(m_dlg.Frame10->isEnabled() && !m_dlg.Frame10->isHidden());
        QVERIFY(m_dlg.Combo4[0]->isEnabled());
    }

    void backlightIsClickedAgain_data() { fixtureTable("settings/backlight.txt", 3); }
    void backlightIsClickedAgain()
    {
        QFETCH(QStringList, row);
        const int clicked = row[1].toInt();
        QWidget panel;
        OptionTransferHooks hooks;
        QStringList seen;
        for (size_t i = 0; i < 3; ++i) {
            hooks.backlight[i] = new QRadioButton(&panel);
            hooks.backlight[i]->setChecked(int(i) == row[0].toInt());
            // The user panel paths are in when the backlight is clicked.
            connect(hooks.backlight[i], &QRadioButton::clicked, this,
                    [&, i] { seen << QString::number(i) + m_dlg.txtSelectPanel[i]->text(); });
        }
        const SettingsFile s = parse(fixture("every_field.in4"));
        QVERIFY(!SetOptionInfo(m_dlg, s, hooks).has_value());
        QCOMPARE(seen, QStringList{QString::number(clicked) + s.panel.userPanelImages[size_t(clicked)]});
    }

private:
    FakeHostLib m_host;
    OptionsDialog m_dlg;
};

LUMINA_TEST_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
