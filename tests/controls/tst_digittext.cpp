#include "TestMain.h"

#include "controls/DigitText.h"

using namespace lumina;

namespace {
const QVariant kEmpty;
}

class tst_DigitText : public QObject
{
    Q_OBJECT

private slots:
    void zeroTests_data();
    void zeroTests();
    void zeroRule_data();
    void zeroRule();
    void fillZero_data();
    void fillZero();
    void displayText_data();
    void displayText();
    void rightmost_data();
    void rightmost();
};

void tst_DigitText::zeroTests_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("zero");
    QTest::addColumn<bool>("minusOne");
    QTest::addColumn<bool>("emptyText");
    QTest::newRow("empty value") << kEmpty << true << false << true;
    QTest::newRow("empty text") << QVariant(QString()) << false << false << true;
    QTest::newRow("blank text") << QVariant(QStringLiteral(" ")) << false << false << false;
    QTest::newRow("number 0") << QVariant(0) << true << false << false;
    QTest::newRow("double 0") << QVariant(0.0) << true << false << false;
    QTest::newRow("number -1") << QVariant(-1) << false << true << false;
    QTest::newRow("short -1") << QVariant(qint16(-1)) << false << true << false;
    QTest::newRow("number 120") << QVariant(120) << false << false << false;
    QTest::newRow("text 0") << QVariant(QStringLiteral("0")) << true << false << false;
    QTest::newRow("text -1") << QVariant(QStringLiteral(" -1 ")) << false << true << false;
    QTest::newRow("letters") << QVariant(QStringLiteral("abc")) << false << false << false;
    QTest::newRow("exponent is no number") << QVariant(QStringLiteral("0e1")) << false << false
                                           << false;
    QTest::newRow("lone sign") << QVariant(QStringLiteral("-")) << false << false << false;
}

void tst_DigitText::zeroTests()
{
    QFETCH(QVariant, value);
    QFETCH(bool, zero);
    QFETCH(bool, minusOne);
    QFETCH(bool, emptyText);
    QCOMPARE(digit::isZero(value), zero);
    QCOMPARE(digit::isMinusOne(value), minusOne);
    QCOMPARE(digit::isEmptyText(value), emptyText);
}

void tst_DigitText::zeroRule_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");

    const QVariant zero(0), minusOne(-1), emptyText{QString()}, seven(7);
    const QString blank;
    QTest::newRow("0: zero") << 0 << zero << blank;
    QTest::newRow("0: -1") << 0 << minusOne << QStringLiteral("-1");
    QTest::newRow("0: empty text") << 0 << emptyText << blank;
    QTest::newRow("0: empty value") << 0 << kEmpty << blank;
    QTest::newRow("0: 7") << 0 << seven << QStringLiteral("7");
    QTest::newRow("1: zero") << 1 << zero << QStringLiteral("0");
    QTest::newRow("1: -1") << 1 << minusOne << QStringLiteral("-1");
    QTest::newRow("1: empty text") << 1 << emptyText << QStringLiteral("0");
    QTest::newRow("1: empty value") << 1 << kEmpty << QStringLiteral("0");
    QTest::newRow("2: zero") << 2 << zero << blank;
    QTest::newRow("2: -1") << 2 << minusOne << QStringLiteral("0");
    QTest::newRow("2: empty text") << 2 << emptyText << blank;
    QTest::newRow("2: empty value") << 2 << kEmpty << blank;
    QTest::newRow("3: zero") << 3 << zero << QStringLiteral("0");
    QTest::newRow("3: -1") << 3 << minusOne << QStringLiteral("0");
    QTest::newRow("3: empty text") << 3 << emptyText << QStringLiteral("0");
    QTest::newRow("3: 7") << 3 << seven << QStringLiteral("7");
    QTest::newRow("-1: no rule on zero") << -1 << zero << QStringLiteral("0");
    QTest::newRow("-1: no rule on empty") << -1 << emptyText << blank;
    QTest::newRow("3: letters untouched") << 3 << QVariant(QStringLiteral("AB")) << QStringLiteral("AB");
    QTest::newRow("1: blank text stays") << 1 << QVariant(QStringLiteral(" ")) << QStringLiteral(" ");
}

void tst_DigitText::zeroRule()
{
    QFETCH(int, mode);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QCOMPARE(digit::valueText(digit::applyZeroRule(value, mode)), text);
}

void tst_DigitText::fillZero_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("fill");
    QTest::addColumn<QString>("text");
    QTest::newRow("5 by 3") << QVariant(5) << 3 << QStringLiteral("005");
    QTest::newRow("-5 by 3") << QVariant(-5) << 3 << QStringLiteral("-005");
    QTest::newRow("0 by 3") << QVariant(0) << 3 << QStringLiteral("000");
    QTest::newRow("longer than fill") << QVariant(12345) << 3 << QStringLiteral("12345");
    QTest::newRow("numeric text") << QVariant(QStringLiteral("42")) << 4 << QStringLiteral("0042");
    QTest::newRow("fraction rounds") << QVariant(1.5) << 3 << QStringLiteral("002");
    QTest::newRow("no fill") << QVariant(5) << 0 << QStringLiteral("5");
    QTest::newRow("negative fill is none") << QVariant(5) << -3 << QStringLiteral("5");
    QTest::newRow("empty text") << QVariant(QString()) << 3 << QString();
    QTest::newRow("blank") << QVariant(QStringLiteral(" ")) << 3 << QStringLiteral(" ");
    QTest::newRow("letters") << QVariant(QStringLiteral("AB")) << 3 << QStringLiteral("AB");
}

void tst_DigitText::fillZero()
{
    QFETCH(QVariant, value);
    QFETCH(int, fill);
    QFETCH(QString, text);
    QCOMPARE(digit::applyFillZero(value, fill), text);
}

void tst_DigitText::displayText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("zeroMode");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("shift");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero, mode 1, fill 3") << QVariant(0) << 1 << 3 << 0 << QStringLiteral("000");
    QTest::newRow("zero, mode 0, fill 3") << QVariant(0) << 0 << 3 << 0 << QString();
    QTest::newRow("shift 1") << QVariant(120) << 0 << 0 << 1 << QStringLiteral("120 ");
    QTest::newRow("fill then shift") << QVariant(7) << 0 << 2 << 2 << QStringLiteral("07  ");
    QTest::newRow("blank mode 0 shift") << QVariant(QString()) << 0 << 0 << 1 << QStringLiteral(" ");
    QTest::newRow("negative shift") << QVariant(7) << 0 << 0 << -2 << QStringLiteral("7");
}

void tst_DigitText::displayText()
{
    QFETCH(QVariant, value);
    QFETCH(int, zeroMode);
    QFETCH(int, fill);
    QFETCH(int, shift);
    QFETCH(QString, text);
    QCOMPARE(digit::displayText(value, zeroMode, fill, shift), text);
}

void tst_DigitText::rightmost_data()
{
    QTest::addColumn<bool>("cell"); // fare cell (padded) or plain cut
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("keta");
    QTest::addColumn<QString>("result");
    QTest::newRow("cut on the left") << false << "12345" << 4 << "2345";
    QTest::newRow("shorter stays") << false << "7" << 4 << "7";
    QTest::newRow("none") << false << "7" << 0 << "";
    QTest::newRow("negative") << false << "7" << -3 << "";
    QTest::newRow("cell padded") << true << "120" << 4 << " 120";
    QTest::newRow("cell shifted") << true << "120 " << 4 << "120 ";
    QTest::newRow("cell cut") << true << "12345" << 4 << "2345";
    QTest::newRow("cell empty") << true << "" << 4 << "    ";
    QTest::newRow("cell keta 0") << true << "1" << 0 << "";
    QTest::newRow("cell negative keta") << true << "1" << -1 << "";
    QTest::newRow("cell wide") << true << "8" << 20 << "                   8";
}

void tst_DigitText::rightmost()
{
    QFETCH(bool, cell);
    QFETCH(QString, text);
    QFETCH(int, keta);
    QFETCH(QString, result);
    QCOMPARE(cell ? digit::fareCellText(text, keta) : digit::rightmost(text, keta), result);
}

LUMINA_TEST_MAIN(tst_DigitText)
#include "tst_digittext.moc"
