#include "TestMain.h"

#include "DigitReader.h"
#include "FakeHostLib.h"

#include "controls/M_DegitEmNB.h"
#include "controls/PropertyBag.h"
#include "base/Colors.h"

#include <QSignalSpy>

using namespace lumina;
using lumina::test::DigitReader;

namespace {

// A cell of the board's size unless told otherwise.
struct Cell {
    explicit Cell(QSize size = QSize(52, 20)) { cell.resize(size); }
    M_DegitEmNB cell;
};

QImage faceOf(M_DegitEmNB &cell)
{
    return cell.face().copy();
}

DigitReader readerFor(const M_DegitEmNB &cell)
{
    return DigitReader(toQColor(cell.BackColor()), toQColor(cell.BaseForeColor()),
                       toQColor(cell.DegitForeColor()));
}

// Each position's share of the stretched row, whole pixels only.
DigitReader::Span spansOf(const M_DegitEmNB &cell)
{
    const QRectF target = M_DegitEmNB::targetRect(cell.size());
    const int keta = cell.Keta();
    const int height = cell.height();
    return [target, keta, height](int pos) {
        const double step = target.width() / keta;
        const int left = int(std::ceil(pos * step));
        const int right = int(std::floor((pos + 1) * step)) - 1;
        return QRect(QPoint(left, 0), QPoint(right, height - 1));
    };
}

// What the cell shows, read against cells like it showing one character in
// every position, without zero rules.
QString readCell(M_DegitEmNB &cell)
{
    const auto reference = [&cell](const QString &text) {
        M_DegitEmNB ref;
        ref.resize(cell.size());
        ref.setBackColor(cell.BackColor());
        ref.setBaseForeColor(cell.BaseForeColor());
        ref.setDegitForeColor(cell.DegitForeColor());
        ref.setDegitStyle(cell.DegitStyle());
        ref.setKeta(cell.Keta());
        ref.setZeroMode(-1);
        ref.setValue(text);
        return faceOf(ref);
    };
    return readerFor(cell).read(faceOf(cell), cell.Keta(), spansOf(cell), reference);
}

// Left and right edge of the lit pixels in a column range.
QPair<int, int> litExtent(const QImage &face, const DigitReader &reader, int from, int to)
{
    int left = -1, right = -1;
    for (int x = from; x <= to; ++x) {
        if (reader.count(face, QRect(x, 0, 1, face.height()), 2) > 0) {
            if (left < 0)
                left = x;
            right = x;
        }
    }
    return {left, right};
}

} // namespace

class tst_M_DegitEmNB : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void setRules_data();
    void setRules();
    void reads_data();
    void reads();
    void boardSizeReads_data();
    void boardSizeReads();
    void resetLit();
    void resetLitKeepsShift();
    void resetBlank();
    void fillZeroAloneLeavesFace();
    void shiftRedrawsAtOnce();
    void blankUntilDrawn();
    void resizeRedraws();
    void doubleWidthDoublesDigits();
    void twentyPositionsInSameFace();
    void degitSizeChangesNothing();
    void styleTable();
    void colours();
    void showSetDlgStoresUnchecked_data();
    void showSetDlgStoresUnchecked();
    void propertyChangedNamesEveryWriter();
    void doubleClick();
    void persistenceRoundTrip();
    void persistenceDefaultsAndMissingKeys();
    void readPropertiesStoresAsRead();
    void followsDevicePixelRatio();
    void outOfRangeCountsStillDraw();
};

void tst_M_DegitEmNB::defaults()
{
    M_DegitEmNB cell;
    QCOMPARE(cell.BaseForeColor(), OleColor(9868950));
    QCOMPARE(cell.DegitForeColor(), OleColor(7525112));
    QCOMPARE(cell.FillZero(), 0);
    QCOMPARE(cell.ZeroMode(), 0);
    QCOMPARE(cell.Shift(), 0);
    QCOMPARE(cell.Keta(), 4);
    QCOMPARE(cell.DegitSize(), 0);
    QCOMPARE(cell.DegitStyle(), 0);
    QCOMPARE(cell.Value(), QVariant(0));
    QCOMPARE(cell.UserSet(), true);
    QCOMPARE(cell.BackColor(), OleColor(8421504));
    QCOMPARE(cell.hwnd(), &cell);
}

void tst_M_DegitEmNB::setRules_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("keta");
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("stored");
    QTest::newRow("Keta 20 kept") << "Keta" << 4 << 20 << 20;
    QTest::newRow("Keta 0 kept") << "Keta" << 4 << 0 << 0;
    QTest::newRow("Keta negative refused") << "Keta" << 4 << -3 << 0;
    QTest::newRow("FillZero above Keta") << "FillZero" << 4 << 6 << 4;
    QTest::newRow("FillZero negative refused") << "FillZero" << 4 << -2 << 0;
    QTest::newRow("Shift above Keta-1") << "Shift" << 4 << 5 << 3;
    QTest::newRow("Shift negative") << "Shift" << 4 << -2 << 0;
    QTest::newRow("Shift with Keta 0") << "Shift" << 0 << 2 << 0;
    QTest::newRow("ZeroMode 7") << "ZeroMode" << 4 << 7 << 0;
    QTest::newRow("ZeroMode 4") << "ZeroMode" << 4 << 4 << 0;
    QTest::newRow("ZeroMode -1 stays") << "ZeroMode" << 4 << -1 << -1;
    QTest::newRow("DegitSize 9 kept") << "DegitSize" << 4 << 9 << 9;
}

void tst_M_DegitEmNB::setRules()
{
    QFETCH(QString, property);
    QFETCH(int, keta);
    QFETCH(int, assigned);
    QFETCH(int, stored);
    Cell c;
    c.cell.setKeta(qint16(keta));
    const QSize size = c.cell.size();
    const qint16 v = qint16(assigned);
    int got = 0;
    if (property == "Keta") {
        c.cell.setKeta(v);
        got = c.cell.Keta();
    } else if (property == "FillZero") {
        c.cell.setFillZero(v);
        got = c.cell.FillZero();
    } else if (property == "Shift") {
        c.cell.setShift(v);
        got = c.cell.Shift();
    } else if (property == "ZeroMode") {
        c.cell.setZeroMode(v);
        got = c.cell.ZeroMode();
    } else if (property == "DegitSize") {
        c.cell.setDegitSize(v);
        got = c.cell.DegitSize();
    }
    QCOMPARE(got, stored);
    QCOMPARE(c.cell.size(), size); // the board sizes its cells, never the cell itself
}

void tst_M_DegitEmNB::reads_data()
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
    QTest::newRow("-5 fill 3") << QVariant(-5) << 0 << 3 << 0 << "-005";
    QTest::newRow("0 fill 3 mode 1") << QVariant(0) << 1 << 3 << 0 << " 000";
    QTest::newRow("blank text") << QVariant(QStringLiteral(" ")) << 1 << 0 << 0 << "    ";
    QTest::newRow("mode 0: 0") << QVariant(0) << 0 << 0 << 0 << "    ";
    QTest::newRow("mode 0: -1") << QVariant(-1) << 0 << 0 << 0 << "  -1";
    QTest::newRow("mode 0: empty") << empty << 0 << 0 << 0 << "    ";
    QTest::newRow("mode 1: 0") << QVariant(0) << 1 << 0 << 0 << "   0";
    QTest::newRow("mode 1: -1") << QVariant(-1) << 1 << 0 << 0 << "  -1";
    QTest::newRow("mode 1: empty") << empty << 1 << 0 << 0 << "   0";
    QTest::newRow("mode 2: 0") << QVariant(0) << 2 << 0 << 0 << "    ";
    QTest::newRow("mode 2: -1") << QVariant(-1) << 2 << 0 << 0 << "   0";
    QTest::newRow("mode 2: empty") << empty << 2 << 0 << 0 << "    ";
    QTest::newRow("mode 3: 0") << QVariant(0) << 3 << 0 << 0 << "   0";
    QTest::newRow("mode 3: -1") << QVariant(-1) << 3 << 0 << 0 << "   0";
    QTest::newRow("mode 3: empty") << empty << 3 << 0 << 0 << "   0";
    QTest::newRow("mode -1: 0") << QVariant(0) << -1 << 0 << 0 << "   0";
}

void tst_M_DegitEmNB::reads()
{
    QFETCH(QVariant, value);
    QFETCH(int, zeroMode);
    QFETCH(int, fillZero);
    QFETCH(int, shift);
    QFETCH(QString, shown);
    // Four positions of exactly 24 px each.
    Cell c(QSize(4 * 24 + 1, 40));
    c.cell.setDegitStyle(1);
    c.cell.setZeroMode(qint16(zeroMode));
    c.cell.setFillZero(qint16(fillZero));
    c.cell.setShift(qint16(shift));
    c.cell.setValue(value);
    QCOMPARE(readCell(c.cell), shown);
    QCOMPARE(c.cell.Value(), value);
}

void tst_M_DegitEmNB::boardSizeReads_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("shown");
    for (int style = 0; style < 3; ++style) {
        const QByteArray s = QByteArray::number(style);
        QTest::newRow("120 style " + s) << style << QVariant(120) << 0 << " 120";
        QTest::newRow("120 shift 1 style " + s) << style << QVariant(120) << 1 << "120 ";
        QTest::newRow("9876 style " + s) << style << QVariant(9876) << 0 << "9876";
        QTest::newRow("4530 style " + s) << style << QVariant(4530) << 0 << "4530";
    }
}

void tst_M_DegitEmNB::boardSizeReads()
{
    QFETCH(int, style);
    QFETCH(QVariant, value);
    QFETCH(int, shift);
    QFETCH(QString, shown);
    Cell c; // 52 x 20, as on the board
    c.cell.setDegitStyle(qint16(style));
    c.cell.setShift(qint16(shift));
    c.cell.setValue(value);
    QCOMPARE(readCell(c.cell), shown);
}

void tst_M_DegitEmNB::resetLit()
{
    Cell c(QSize(97, 40));
    c.cell.setZeroMode(2);
    c.cell.setFillZero(3);
    c.cell.setValue(120);
    c.cell.ResetDegit(true);
    QCOMPARE(readCell(c.cell), QStringLiteral("8888"));
    QCOMPARE(c.cell.Value(), QVariant(QStringLiteral("8888")));
    QCOMPARE(c.cell.ZeroMode(), 2);
    QCOMPARE(c.cell.FillZero(), 3);
    QCOMPARE(c.cell.Shift(), 0);
}

void tst_M_DegitEmNB::resetLitKeepsShift()
{
    Cell c(QSize(97, 40));
    c.cell.setShift(1);
    c.cell.ResetDegit(true);
    // Restoring the shift redraws the row of eights moved left by one.
    QCOMPARE(readCell(c.cell), QStringLiteral("888 "));
    QCOMPARE(c.cell.Shift(), 1);
}

void tst_M_DegitEmNB::resetBlank()
{
    Cell c(QSize(97, 40));
    c.cell.setZeroMode(1);
    c.cell.setShift(2);
    c.cell.setFillZero(4);
    c.cell.setValue(4321);
    c.cell.ResetDegit(false);
    QCOMPARE(readCell(c.cell), QStringLiteral("    "));
    QCOMPARE(c.cell.Value(), QVariant(QString()));
    QCOMPARE(c.cell.ZeroMode(), 1);
    QCOMPARE(c.cell.Shift(), 2);
    QCOMPARE(c.cell.FillZero(), 4);
}

void tst_M_DegitEmNB::fillZeroAloneLeavesFace()
{
    Cell c(QSize(97, 40));
    c.cell.setValue(5);
    const QImage before = faceOf(c.cell);
    c.cell.setFillZero(3);
    c.cell.setZeroMode(3);
    QCOMPARE(faceOf(c.cell), before);
    c.cell.setValue(5);
    QCOMPARE(readCell(c.cell), QStringLiteral(" 005"));
}

void tst_M_DegitEmNB::shiftRedrawsAtOnce()
{
    Cell c(QSize(97, 40));
    c.cell.setValue(12);
    QCOMPARE(readCell(c.cell), QStringLiteral("  12"));
    c.cell.setShift(2);
    QCOMPARE(readCell(c.cell), QStringLiteral("12  "));
}

void tst_M_DegitEmNB::blankUntilDrawn()
{
    M_DegitEmNB cell;
    // Never shown, never resized, nothing assigned: only the background.
    const QImage face = faceOf(cell);
    const DigitReader reader = readerFor(cell);
    QCOMPARE(reader.count(face, face.rect(), 0), face.width() * face.height());
}

void tst_M_DegitEmNB::resizeRedraws()
{
    M_DegitEmNB cell;
    cell.show(); // the pending resize of a new cell arrives now
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    const DigitReader reader = readerFor(cell);
    QVERIFY(reader.count(faceOf(cell), cell.rect(), 1) > 0);
    cell.resize(104, 40);
    const QImage face = faceOf(cell);
    QCOMPARE(face.size(), QSize(104, 40));
    QVERIFY(reader.count(face, QRect(52, 0, 52, 40), 1) > 0);
}

void tst_M_DegitEmNB::doubleWidthDoublesDigits()
{
    Cell narrow(QSize(52, 20));
    Cell wide(QSize(2 * 51 + 1, 20));
    for (Cell *c : {&narrow, &wide})
        c->cell.setValue(QStringLiteral("8888"));
    const DigitReader reader = readerFor(narrow.cell);
    const QImage a = faceOf(narrow.cell);
    const QImage b = faceOf(wide.cell);
    const auto spanA = spansOf(narrow.cell);
    const auto spanB = spansOf(wide.cell);
    for (int pos = 0; pos < 4; ++pos) {
        const auto ea = litExtent(a, reader, spanA(pos).left(), spanA(pos).right());
        const auto eb = litExtent(b, reader, spanB(pos).left(), spanB(pos).right());
        QVERIFY(ea.first >= 0 && eb.first >= 0);
        const int wa = ea.second - ea.first + 1;
        const int wb = eb.second - eb.first + 1;
        QVERIFY2(qAbs(wb - 2 * wa) <= 2, qPrintable(QStringLiteral("position %1: %2 -> %3")
                                                        .arg(pos).arg(wa).arg(wb)));
        QVERIFY(qAbs(eb.first - 2 * ea.first) <= 2);
    }
    // The row reaches across the face: the last digit ends in the last quarter,
    // and nothing is drawn in the last pixel column.
    const auto whole = litExtent(b, reader, 0, b.width() - 1);
    QVERIFY(whole.second > b.width() * 3 / 4);
    QVERIFY(whole.second < b.width() - 1);
}

void tst_M_DegitEmNB::twentyPositionsInSameFace()
{
    Cell c(QSize(20 * 12 + 1, 24));
    c.cell.setKeta(20);
    QCOMPARE(c.cell.Keta(), 20);
    QCOMPARE(c.cell.size(), QSize(241, 24));
    c.cell.setValue(QStringLiteral("12345678901234567890"));
    QCOMPARE(readCell(c.cell), QStringLiteral("12345678901234567890"));
}

void tst_M_DegitEmNB::degitSizeChangesNothing()
{
    Cell c;
    c.cell.setValue(77);
    const QImage before = faceOf(c.cell);
    c.cell.setDegitSize(2);
    QCOMPARE(c.cell.size(), QSize(52, 20));
    QCOMPARE(faceOf(c.cell), before);
}

void tst_M_DegitEmNB::styleTable()
{
    const auto faceWithStyle = [](int style) {
        Cell c(QSize(97, 40));
        c.cell.setDegitStyle(qint16(style));
        c.cell.setValue(QStringLiteral("7777"));
        return faceOf(c.cell);
    };
    const QImage a = faceWithStyle(0);
    QCOMPARE(faceWithStyle(5), a);
    QCOMPARE(faceWithStyle(-1), a);
    QVERIFY(faceWithStyle(1) != a);
    QVERIFY(faceWithStyle(2) != a);
    QVERIFY(faceWithStyle(2) != faceWithStyle(1));
}

void tst_M_DegitEmNB::colours()
{
    Cell c(QSize(97, 40));
    c.cell.setBackColor(rgb(0, 0, 0));
    c.cell.setBaseForeColor(rgb(40, 0, 0));
    c.cell.setDegitForeColor(rgb(255, 40, 0));
    c.cell.setValue(1);
    QCOMPARE(readCell(c.cell), QStringLiteral("   1"));
    const QImage face = faceOf(c.cell);
    QCOMPARE(face.pixelColor(0, 0), QColor(0, 0, 0));
    const DigitReader reader = readerFor(c.cell);
    QVERIFY(reader.count(face, face.rect(), 1) > reader.count(face, face.rect(), 2));
    QCOMPARE(backColor(&c.cell), rgb(0, 0, 0));
}

void tst_M_DegitEmNB::showSetDlgStoresUnchecked_data()
{
    QTest::addColumn<int>("result");
    QTest::newRow("confirmed") << 1;
    QTest::newRow("cancelled") << 0;
}

void tst_M_DegitEmNB::showSetDlgStoresUnchecked()
{
    QFETCH(int, result);
    lumina::test::FakeHostLib fake;
    Cell c(QSize(97, 40));
    c.cell.setZeroMode(1);
    c.cell.setShift(1);
    c.cell.setFillZero(2);
    c.cell.setValue(5);
    QCOMPARE(readCell(c.cell), QStringLiteral(" 05 "));
    fake.digitDialog = [result](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
        zeroMode = 7;  // the writer would make this 0
        shift = 2;
        fillZero = 3;
        return result;
    };
    QCOMPARE(c.cell.ShowSetDlg(), result);
    QCOMPARE(fake.digitDialogCalls.size(), 1);
    const auto call = fake.digitDialogCalls.first();
    QCOMPARE(call.keta, 4);
    QCOMPARE(call.zeroMode, 1);
    QCOMPARE(call.shift, 1);
    QCOMPARE(call.fillZero, 2);
    QCOMPARE(c.cell.ZeroMode(), 7);
    QCOMPARE(c.cell.Shift(), 2);
    QCOMPARE(c.cell.FillZero(), 3);
    QCOMPARE(readCell(c.cell), QStringLiteral("05  "));
}

void tst_M_DegitEmNB::propertyChangedNamesEveryWriter()
{
    M_DegitEmNB cell;
    QSignalSpy spy(&cell, &M_DegitEmNB::PropertyChanged);
    cell.setBaseForeColor(1);
    cell.setDegitForeColor(2);
    cell.setFillZero(1);
    cell.setZeroMode(1);
    cell.setShift(1);
    cell.setKeta(3);
    cell.setDegitSize(1);
    cell.setDegitStyle(1);
    cell.setValue(5);
    cell.setUserSet(false);
    cell.setBackColor(3);
    QStringList names;
    for (const auto &args : spy)
        names << args.at(0).toString();
    QCOMPARE(names, QStringList({"BaseForeColor", "DegitForeColor", "FillZero", "ZeroMode",
                                 "Shift", "Keta", "DegitSize", "DegitStyle", "Value", "UserSet",
                                 "BackColor"}));
}

void tst_M_DegitEmNB::doubleClick()
{
    M_DegitEmNB cell;
    cell.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cell));
    QSignalSpy spy(&cell, &M_DegitEmNB::DblClick);
    QTest::mouseDClick(&cell, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(spy.count(), 1);
}

void tst_M_DegitEmNB::persistenceRoundTrip()
{
    M_DegitEmNB a;
    a.setBaseForeColor(rgb(1, 2, 3));
    a.setDegitForeColor(rgb(4, 5, 6));
    a.setKeta(6);
    a.setFillZero(5);
    a.setZeroMode(3);
    a.setShift(2);
    a.setDegitSize(2);
    a.setDegitStyle(1);
    a.setValue(QStringLiteral(" 12"));
    a.setUserSet(false);
    a.setBackColor(rgb(7, 8, 9));
    PropertyBag bag;
    a.WriteProperties(bag);
    QCOMPARE(bag.keys(), QStringList({"BaseForeColor", "DegitForeColor", "FillZero", "ZeroMode",
                                      "Shift", "Keta", "DegitSize", "DegitStyle", "Value",
                                      "UserSet", "BackColor"}));
    M_DegitEmNB b;
    b.ReadProperties(bag);
    QCOMPARE(b.BaseForeColor(), rgb(1, 2, 3));
    QCOMPARE(b.DegitForeColor(), rgb(4, 5, 6));
    QCOMPARE(b.Keta(), 6);
    QCOMPARE(b.FillZero(), 5);
    QCOMPARE(b.ZeroMode(), 3);
    QCOMPARE(b.Shift(), 2);
    QCOMPARE(b.DegitSize(), 2);
    QCOMPARE(b.DegitStyle(), 1);
    QCOMPARE(b.Value(), QVariant(QStringLiteral(" 12")));
    QCOMPARE(b.UserSet(), false);
    QCOMPARE(b.BackColor(), rgb(7, 8, 9));
    QCOMPARE(backColor(&b), rgb(7, 8, 9));
}

void tst_M_DegitEmNB::persistenceDefaultsAndMissingKeys()
{
    M_DegitEmNB fresh;
    PropertyBag bag;
    fresh.WriteProperties(bag);
    QVERIFY(bag.isEmpty()); // every value at its default

    PropertyBag partial;
    partial.WriteProperty(QStringLiteral("Keta"), 7);
    partial.WriteProperty(QStringLiteral("Value"), QVariant(-1));
    M_DegitEmNB cell;
    cell.setShift(2);
    cell.setBackColor(rgb(1, 1, 1));
    cell.ReadProperties(partial);
    QCOMPARE(cell.Keta(), 7);
    QCOMPARE(cell.Value(), QVariant(-1));
    QCOMPARE(cell.Shift(), 0);
    QCOMPARE(cell.BackColor(), OleColor(8421504));
    QCOMPARE(cell.BaseForeColor(), OleColor(9868950));
    QCOMPARE(cell.UserSet(), true);

    // A bag entry of the wrong kind is no reason to fail.
    PropertyBag broken;
    broken.WriteProperty(QStringLiteral("Keta"), QStringLiteral("many"));
    broken.WriteProperty(QStringLiteral("BackColor"), -5);
    broken.WriteProperty(QStringLiteral("Shift"), 100000);
    cell.ReadProperties(broken);
    QCOMPARE(cell.Keta(), 4);
    QCOMPARE(cell.BackColor(), OleColor(8421504));
    QCOMPARE(cell.Shift(), 0);
}

void tst_M_DegitEmNB::readPropertiesStoresAsRead()
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Keta"), 4);
    bag.WriteProperty(QStringLiteral("FillZero"), 50);
    bag.WriteProperty(QStringLiteral("Shift"), 9);
    bag.WriteProperty(QStringLiteral("ZeroMode"), 12);
    bag.WriteProperty(QStringLiteral("Value"), 88);
    bag.WriteProperty(QStringLiteral("BackColor"), uint(rgb(0, 0, 90)));
    Cell c(QSize(97, 40));
    c.cell.setValue(1234);
    c.cell.ReadProperties(bag);
    QCOMPARE(c.cell.FillZero(), 50);
    QCOMPARE(c.cell.Shift(), 9);
    QCOMPARE(c.cell.ZeroMode(), 12);
    // Nothing drawn: the face shows only the loaded background.
    const QImage face = faceOf(c.cell);
    QCOMPARE(face.pixelColor(40, 20), QColor(0, 0, 90));
    QCOMPARE(readerFor(c.cell).count(face, face.rect(), 0), face.width() * face.height());
    // The next assignment draws with the values as loaded: the shift of 9 moves
    // every digit out of the four positions, whatever the fill.
    c.cell.setValue(88);
    QCOMPARE(readCell(c.cell), QStringLiteral("    "));
}

void tst_M_DegitEmNB::followsDevicePixelRatio()
{
    Cell c(QSize(52, 20));
    c.cell.setValue(3);
    const QImage face = c.cell.face();
    QCOMPARE(face.devicePixelRatio(), c.cell.devicePixelRatioF());
    QCOMPARE(face.size(), (QSizeF(52, 20) * c.cell.devicePixelRatioF()).toSize());
}

void tst_M_DegitEmNB::outOfRangeCountsStillDraw()
{
    // Counts that arrive without the writers' rules (a saved bag, the host
    // dialog) are drawn as none rather than failing at every redraw.
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Keta"), -5);
    bag.WriteProperty(QStringLiteral("FillZero"), -3);
    Cell c;
    c.cell.ReadProperties(bag);
    QCOMPARE(c.cell.Keta(), -5);
    c.cell.setValue(42);
    QCOMPARE(c.cell.litText(), QString());
    const QImage face = faceOf(c.cell);
    QCOMPARE(readerFor(c.cell).count(face, face.rect(), 0), face.width() * face.height());

    // The largest count squeezes its positions into the cell.
    c.cell.setKeta(32767);
    c.cell.setFillZero(32767);
    c.cell.setValue(7);
    QCOMPARE(c.cell.litText().size(), 32767);
    QVERIFY(c.cell.litText().endsWith(QStringLiteral("007")));
    QCOMPARE(faceOf(c.cell).size(), QSize(52, 20));
}

LUMINA_TEST_MAIN(tst_M_DegitEmNB)
#include "tst_mdegitemnb.moc"
