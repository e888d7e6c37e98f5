#include "TestMain.h"

#include "DigitReader.h"
#include "FakeHostLib.h"

#include "controls/M_Degit.h"
#include "controls/PropertyBag.h"
#include "base/Colors.h"

#include <QSignalSpy>

using namespace lumina;
using lumina::test::DigitReader;

namespace {

DigitReader readerFor(const M_Degit &d)
{
    return DigitReader(toQColor(d.BackColor()), toQColor(d.BaseForeColor()),
                       toQColor(d.DegitForeColor()));
}

int positionWidth(const M_Degit &d)
{
    return M_Degit::sizeEntry(d.DegitSize()).positionTwips / 15;
}

QString readDigit(M_Degit &d)
{
    const int step = positionWidth(d);
    const int height = d.height();
    const auto span = [step, height](int pos) { return QRect(pos * step, 0, step, height); };
    const auto reference = [&d](const QString &text) {
        M_Degit ref;
        ref.setKeta(d.Keta());
        ref.setDegitSize(d.DegitSize());
        ref.setDegitStyle(d.DegitStyle());
        ref.setBackColor(d.BackColor());
        ref.setBaseForeColor(d.BaseForeColor());
        ref.setDegitForeColor(d.DegitForeColor());
        ref.setZeroMode(-1);
        ref.setValue(text);
        return ref.face().copy();
    };
    return readerFor(d).read(d.face().copy(), d.Keta(), span, reference);
}

} // namespace

class tst_M_Degit : public QObject
{
    Q_OBJECT

private slots:
    void newControl();
    void ketaRule_data();
    void ketaRule();
    void sizeTable_data();
    void sizeTable();
    void setRules_data();
    void setRules();
    void reads_data();
    void reads();
    void readsAtEverySize_data();
    void readsAtEverySize();
    void shiftWaitsForValue();
    void resetDegit_data();
    void resetDegit();
    void styleTable();
    void lettersDrawnUnchanged();
    void showSetDlg();
    void persistence();
};

void tst_M_Degit::newControl()
{
    M_Degit d;
    QCOMPARE(d.size(), QSize(52, 20)); // 780 x 300 twips
    QCOMPARE(d.Keta(), 4);
    QCOMPARE(d.DegitSize(), 0);
    QCOMPARE(d.BackColor(), OleColor(8421504));
    // Blank until the first value or colour arrives.
    const QImage face = d.face();
    QCOMPARE(readerFor(d).count(face, face.rect(), 0), face.width() * face.height());
}

void tst_M_Degit::ketaRule_data()
{
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("stored");
    QTest::newRow("0") << 0 << 4;
    QTest::newRow("16") << 16 << 4;
    QTest::newRow("-1") << -1 << 4;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("15") << 15 << 15;
    QTest::newRow("2") << 2 << 2;
}

void tst_M_Degit::ketaRule()
{
    QFETCH(int, assigned);
    QFETCH(int, stored);
    M_Degit d;
    QSignalSpy spy(&d, &M_Degit::PropertyChanged);
    d.setKeta(qint16(assigned));
    QCOMPARE(d.Keta(), stored);
    QCOMPARE(d.width(), 13 * stored);
    QCOMPARE(spy.count(), 1);
}

void tst_M_Degit::sizeTable_data()
{
    QTest::addColumn<int>("degitSize");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QSize>("size"); // for Keta 2
    QTest::newRow("0") << 0 << 0 << QSize(26, 20);
    QTest::newRow("1") << 1 << 1 << QSize(34, 26);
    QTest::newRow("2") << 2 << 2 << QSize(38, 29);
    QTest::newRow("3") << 3 << 3 << QSize(22, 15);
    QTest::newRow("9") << 9 << 0 << QSize(26, 20);
    QTest::newRow("-1") << -1 << 0 << QSize(26, 20);
}

void tst_M_Degit::sizeTable()
{
    QFETCH(int, degitSize);
    QFETCH(int, stored);
    QFETCH(QSize, size);
    M_Degit d;
    d.setKeta(2);
    d.setDegitSize(qint16(degitSize));
    QCOMPARE(d.DegitSize(), stored);
    QCOMPARE(d.size(), size);
}

void tst_M_Degit::setRules_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("stored");
    QTest::newRow("FillZero 6") << "FillZero" << 6 << 4;
    QTest::newRow("FillZero -1") << "FillZero" << -1 << 0;
    QTest::newRow("Shift 5") << "Shift" << 5 << 3;
    QTest::newRow("Shift -2") << "Shift" << -2 << 0;
    QTest::newRow("ZeroMode 7") << "ZeroMode" << 7 << 0;
    QTest::newRow("ZeroMode -1") << "ZeroMode" << -1 << -1;
    QTest::newRow("ZeroMode 3") << "ZeroMode" << 3 << 3;
}

void tst_M_Degit::setRules()
{
    QFETCH(QString, property);
    QFETCH(int, assigned);
    QFETCH(int, stored);
    M_Degit d;
    const qint16 v = qint16(assigned);
    if (property == "FillZero") {
        d.setFillZero(v);
        QCOMPARE(d.FillZero(), stored);
    } else if (property == "Shift") {
        d.setShift(v);
        QCOMPARE(d.Shift(), stored);
    } else {
        d.setZeroMode(v);
        QCOMPARE(d.ZeroMode(), stored);
    }
}

void tst_M_Degit::reads_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("zeroMode");
    QTest::addColumn<int>("fillZero");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("shown");
    const QVariant empty;
    QTest::newRow("120") << QVariant(120) << 0 << 0 << 0 << " 120";
    QTest::newRow("120 shift 1") << QVariant(120) << 0 << 0 << 1 << "120 ";
    QTest::newRow("12345") << QVariant(12345) << 0 << 0 << 0 << "2345";
    QTest::newRow("7 shift 1") << QVariant(7) << 0 << 0 << 1 << "  7 ";
    QTest::newRow("0 mode 0") << QVariant(0) << 0 << 0 << 0 << "    ";
    QTest::newRow("0 mode 1") << QVariant(0) << 1 << 0 << 0 << "   0";
    QTest::newRow("0 mode 1 fill 3") << QVariant(0) << 1 << 3 << 0 << " 000";
    QTest::newRow("-1 mode 0") << QVariant(-1) << 0 << 0 << 0 << "  -1";
    QTest::newRow("-1 mode 1") << QVariant(-1) << 1 << 0 << 0 << "  -1";
    QTest::newRow("-1 mode 2") << QVariant(-1) << 2 << 0 << 0 << "   0";
    QTest::newRow("-1 mode 3") << QVariant(-1) << 3 << 0 << 0 << "   0";
    QTest::newRow("0 mode 2") << QVariant(0) << 2 << 0 << 0 << "    ";
    QTest::newRow("empty mode 0") << empty << 0 << 0 << 0 << "    ";
    QTest::newRow("empty mode 1") << empty << 1 << 0 << 0 << "   0";
    QTest::newRow("empty mode 2") << empty << 2 << 0 << 0 << "    ";
    QTest::newRow("empty mode 3") << empty << 3 << 0 << 0 << "   0";
    QTest::newRow("-1 mode -1 has no rule") << QVariant(-1) << -1 << 0 << 0 << "  -1";
    QTest::newRow("-5 fill 3") << QVariant(-5) << 0 << 3 << 0 << "-005";
}

void tst_M_Degit::reads()
{
    QFETCH(QVariant, value);
    QFETCH(int, zeroMode);
    QFETCH(int, fillZero);
    QFETCH(int, shift);
    QFETCH(QString, shown);
    M_Degit d;
    d.setZeroMode(qint16(zeroMode));
    d.setFillZero(qint16(fillZero));
    d.setShift(qint16(shift));
    d.setValue(value);
    QCOMPARE(readDigit(d), shown);
    QCOMPARE(d.Value(), value);
}

void tst_M_Degit::readsAtEverySize_data()
{
    QTest::addColumn<int>("degitSize");
    QTest::addColumn<int>("style");
    for (int size = 0; size < 4; ++size) {
        for (int style = 0; style < 3; ++style)
            QTest::addRow("size %d style %d", size, style) << size << style;
    }
}

void tst_M_Degit::readsAtEverySize()
{
    QFETCH(int, degitSize);
    QFETCH(int, style);
    M_Degit d;
    d.setKeta(2);
    d.setDegitSize(qint16(degitSize));
    d.setDegitStyle(qint16(style));
    d.setValue(9);
    QCOMPARE(readDigit(d), QStringLiteral(" 9"));
    d.setValue(23);
    QCOMPARE(readDigit(d), QStringLiteral("23"));
    // The segments stay inside the face: no lit pixel on the top or bottom row.
    d.setValue(88);
    const QImage face = d.face();
    const DigitReader reader = readerFor(d);
    QCOMPARE(reader.count(face, QRect(0, 0, face.width(), 1), 2), 0);
    QCOMPARE(reader.count(face, QRect(0, face.height() - 1, face.width(), 1), 2), 0);
}

void tst_M_Degit::shiftWaitsForValue()
{
    M_Degit d;
    d.setValue(12);
    const QImage before = d.face().copy();
    d.setShift(1);
    d.setFillZero(3);
    QCOMPARE(d.face(), before);
    d.setValue(12);
    QCOMPARE(readDigit(d), QStringLiteral("012 "));
}

void tst_M_Degit::resetDegit_data()
{
    QTest::addColumn<bool>("mode");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("lit") << true << "8888" << QVariant(QStringLiteral("8888"));
    QTest::newRow("blank") << false << "    " << QVariant(QString());
}

void tst_M_Degit::resetDegit()
{
    QFETCH(bool, mode);
    QFETCH(QString, shown);
    QFETCH(QVariant, value);
    M_Degit d;
    d.setShift(1);
    d.setZeroMode(3);
    d.setFillZero(2);
    d.setValue(5);
    d.ResetDegit(mode);
    // The restored shift does not redraw in this control.
    QCOMPARE(readDigit(d), shown);
    QCOMPARE(d.Value(), value);
    QCOMPARE(d.Shift(), 1);
    QCOMPARE(d.ZeroMode(), 3);
    QCOMPARE(d.FillZero(), 2);
}

void tst_M_Degit::styleTable()
{
    const auto faceWithStyle = [](int style) {
        M_Degit d;
        d.setDegitSize(2);
        d.setDegitStyle(qint16(style));
        d.setValue(4567);
        return d.face().copy();
    };
    QCOMPARE(faceWithStyle(5), faceWithStyle(0));
    QVERIFY(faceWithStyle(1) != faceWithStyle(0));
    QVERIFY(faceWithStyle(2) != faceWithStyle(0));
}

void tst_M_Degit::lettersDrawnUnchanged()
{
    M_Degit d;
    d.setZeroMode(3);
    d.setValue(QStringLiteral("AbC"));
    QCOMPARE(d.litText(), QStringLiteral("AbC"));
    // The lit segments sit in the last three positions only.
    const QImage face = d.face();
    const DigitReader reader = readerFor(d);
    QCOMPARE(reader.count(face, QRect(0, 0, 13, face.height()), 2), 0);
    for (int pos = 1; pos < 4; ++pos)
        QVERIFY(reader.count(face, QRect(pos * 13, 0, 13, face.height()), 2) > 0);
}

void tst_M_Degit::showSetDlg()
{
    lumina::test::FakeHostLib fake;
    M_Degit d;
    d.setKeta(2);
    d.setValue(5);
    fake.digitDialog = [](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
        zeroMode = 1;
        shift = 0;
        fillZero = 2;
        return 1;
    };
    QCOMPARE(d.ShowSetDlg(), 1);
    QCOMPARE(fake.digitDialogCalls.first().keta, 2);
    QCOMPARE(readDigit(d), QStringLiteral("05"));
}

void tst_M_Degit::persistence()
{
    M_Degit a;
    a.setKeta(2);
    a.setDegitSize(1);
    a.setValue(QVariant());
    PropertyBag bag;
    a.WriteProperties(bag);
    QCOMPARE(bag.keys(), QStringList({"Keta", "DegitSize", "Value"}));

    M_Degit b;
    b.ReadProperties(bag);
    QCOMPARE(b.Keta(), 2);
    QCOMPARE(b.DegitSize(), 1);
    QVERIFY(!b.Value().isValid());
    // Loading neither resizes nor draws.
    QCOMPARE(b.size(), QSize(52, 20));
}

LUMINA_TEST_MAIN(tst_M_Degit)
#include "tst_mdegit.moc"
