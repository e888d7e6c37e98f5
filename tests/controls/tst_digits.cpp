#include "FakeHostLib.h"
#include "TestMain.h"

#include "base/Colors.h"
#include "controls/DigitText.h"
#include "controls/M_Degit.h"
#include "controls/M_DegitEmNB.h"
#include "controls/PropertyBag.h"

#include <QSignalSpy>

#include <memory>

using namespace lumina;

// The segment displays: the text rules as plain functions, then the two
// controls' set rules, what they light and their saved state. How a lit text
// looks is in the reference pictures.
class tst_Digits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void text_data();
    void text();
    void setRules_data();
    void setRules();
    void lit_data();
    void lit();
    void resetKeepsRules();
    void dialogStoresUnchecked();
    void writersNotify();
    void persistence();
    void loadingStoresAsReadWithoutDrawing();
};

namespace {

std::unique_ptr<DegitBase> make(bool cell)
{
    if (cell)
        return std::make_unique<M_DegitEmNB>();
    return std::make_unique<M_Degit>();
}

} // namespace

// Zero modes: 0 blanks zero, 1 shows zero, 2 blanks zero and shows -1 as 0,
// 3 shows both as 0; -1 applies no rule. Then zero fill, then the shift.
struct Text {
    QVariant value;
    int zeroMode, fill, shift;
    QString text;
};

void tst_Digits::text_data()
{
    QTest::addColumn<Text>("row");
    const QVariant empty{QString()};
    QTest::newRow("0: zero") << Text{QVariant(0), 0, 0, 0, QString()};
    QTest::newRow("0: -1") << Text{QVariant(-1), 0, 0, 0, u"-1"_qs};
    QTest::newRow("0: exponent is no number") << Text{QVariant("0e1"), 0, 0, 0, u"0e1"_qs};
    QTest::newRow("1: zero") << Text{QVariant(0), 1, 0, 0, u"0"_qs};
    QTest::newRow("1: blank text stays") << Text{QVariant(" "), 1, 0, 0, u" "_qs};
    QTest::newRow("2: zero") << Text{QVariant(0), 2, 0, 0, QString()};
    QTest::newRow("2: -1") << Text{QVariant(-1), 2, 0, 0, u"0"_qs};
    QTest::newRow("2: text -1") << Text{QVariant(" -1 "), 2, 0, 0, u"0"_qs};
    QTest::newRow("2: lone sign") << Text{QVariant("-"), 2, 0, 0, u"-"_qs};
    QTest::newRow("3: -1") << Text{QVariant(-1), 3, 0, 0, u"0"_qs};
    QTest::newRow("3: empty text") << Text{empty, 3, 0, 0, u"0"_qs};
    QTest::newRow("fill 5 by 3") << Text{QVariant(5), -1, 3, 0, u"005"_qs};
    QTest::newRow("fill -5 by 3") << Text{QVariant(-5), -1, 3, 0, u"-005"_qs};
    QTest::newRow("fill zero, mode 1") << Text{QVariant(0), 1, 3, 0, u"000"_qs};
    QTest::newRow("fill shorter") << Text{QVariant(12345), -1, 3, 0, u"12345"_qs};
    QTest::newRow("fill numeric text") << Text{QVariant("42"), -1, 4, 0, u"0042"_qs};
    QTest::newRow("fill rounds") << Text{QVariant(1.5), -1, 3, 0, u"002"_qs};
    QTest::newRow("shift 1") << Text{QVariant(120), 0, 0, 1, u"120 "_qs};
    QTest::newRow("fill then shift") << Text{QVariant(7), 0, 2, 2, u"07  "_qs};
    QTest::newRow("negative shift") << Text{QVariant(7), 0, 0, -2, u"7"_qs};
}

void tst_Digits::text()
{
    QFETCH(Text, row);
    QCOMPARE(digit::displayText(row.value, row.zeroMode, row.fill, row.shift), row.text);
}

void tst_Digits::setRules_data()
{
    QTest::addColumn<bool>("cell"); // fare cell or clock digits
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("stored");
    QTest::newRow("cell Keta 20") << true << "Keta" << 20 << 20;
    QTest::newRow("clock Keta 0") << false << "Keta" << 0 << 4;
    QTest::newRow("clock Keta 15") << false << "Keta" << 15 << 15;
    QTest::newRow("FillZero above Keta") << true << "FillZero" << 6 << 4;
    QTest::newRow("Shift above Keta-1") << true << "Shift" << 5 << 3;
    QTest::newRow("Shift negative") << false << "Shift" << -2 << 0;
    QTest::newRow("ZeroMode 4") << true << "ZeroMode" << 4 << 0;
    QTest::newRow("ZeroMode -1") << true << "ZeroMode" << -1 << -1;
    QTest::newRow("cell DegitSize 9") << true << "DegitSize" << 9 << 9;
    QTest::newRow("clock DegitSize 9") << false << "DegitSize" << 9 << 0;
    QTest::newRow("clock DegitSize -1") << false << "DegitSize" << -1 << 0;
}

void tst_Digits::setRules()
{
    QFETCH(bool, cell);
    QFETCH(QString, property);
    QFETCH(int, assigned);
    QFETCH(int, stored);
    auto d = make(cell);
    QSignalSpy spy(d.get(), &DegitBase::PropertyChanged);
    const qint16 v = qint16(assigned);
    const std::pair<void (DegitBase::*)(qint16), qint16 (DegitBase::*)() const> access =
        property == u"Keta"       ? std::pair(&DegitBase::setKeta, &DegitBase::Keta)
        : property == u"FillZero" ? std::pair(&DegitBase::setFillZero, &DegitBase::FillZero)
        : property == u"Shift"    ? std::pair(&DegitBase::setShift, &DegitBase::Shift)
        : property == u"ZeroMode" ? std::pair(&DegitBase::setZeroMode, &DegitBase::ZeroMode)
                                  : std::pair(&DegitBase::setDegitSize, &DegitBase::DegitSize);
    (d.get()->*access.first)(v);
    QCOMPARE(int((d.get()->*access.second)()), stored);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy[0][0].toString(), property);
    if (cell)
        QCOMPARE(d->size(), QSize(52, 20)); // the board sizes its cells
}

// What each control lights for a value: the shift redraws only in the fare cell,
// which also pads to its width; letters pass unchanged.
void tst_Digits::lit_data()
{
    QTest::addColumn<bool>("cell");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("shiftAfter");
    QTest::addColumn<QString>("lit");
    QTest::newRow("cell 120") << true << QVariant(120) << 0 << " 120";
    QTest::newRow("cell 12345") << true << QVariant(12345) << 0 << "2345";
    QTest::newRow("cell blank") << true << QVariant(QString()) << 0 << "    ";
    QTest::newRow("cell shift redraws") << true << QVariant(12) << 2 << "12  ";
    QTest::newRow("clock 12345") << false << QVariant(12345) << 0 << "2345";
    QTest::newRow("clock shift waits") << false << QVariant(12) << 2 << "12";
    QTest::newRow("clock letters") << false << QVariant(QStringLiteral("AbC")) << 0 << "AbC";
}

void tst_Digits::lit()
{
    QFETCH(bool, cell);
    QFETCH(QVariant, value);
    QFETCH(int, shiftAfter);
    QFETCH(QString, lit);
    auto d = make(cell);
    d->setValue(value);
    d->setShift(qint16(shiftAfter));
    QCOMPARE(d->litText(), lit);
    QCOMPARE(d->Value(), value);
}

void tst_Digits::resetKeepsRules()
{
    // Lamp test and blanking: all eights or nothing, with the rules kept.
    for (const auto &[cell, mode, lit, value] :
         {std::tuple(true, true, "888 ", "8888"), std::tuple(true, false, "    ", ""),
          std::tuple(false, true, "8888", "8888")}) {
        auto d = make(cell);
        d->setShift(1);
        d->setZeroMode(3);
        d->setFillZero(2);
        d->setValue(5);
        d->ResetDegit(mode);
        QCOMPARE(d->litText(), QString::fromLatin1(lit));
        QCOMPARE(d->Value().toString(), QString::fromLatin1(value));
        QCOMPARE(QList<int>({d->Shift(), d->ZeroMode(), d->FillZero()}), QList<int>({1, 3, 2}));
    }
}

// The dialog gets the cell's rules and its answers are stored as given, even
// where a writer would have corrected them (the board spreads them to all cells).
void tst_Digits::dialogStoresUnchecked()
{
    test::FakeHostLib fake;
    M_DegitEmNB cell;
    cell.setZeroMode(1);
    cell.setShift(1);
    cell.setFillZero(2);
    cell.setValue(5);
    fake.digitDialog = [](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
        zeroMode = 7;
        shift = 2;
        fillZero = 3;
        return 0;
    };
    QCOMPARE(cell.ShowSetDlg(), 0);
    const auto call = fake.digitDialogCalls.value(0);
    QCOMPARE(QList<int>({call.keta, call.zeroMode, call.shift, call.fillZero}), QList<int>({4, 1, 1, 2}));
    QCOMPARE(QList<int>({cell.ZeroMode(), cell.Shift(), cell.FillZero()}), QList<int>({7, 2, 3}));
    QCOMPARE(cell.litText(), QStringLiteral("05  "));
}

void tst_Digits::writersNotify()
{
    M_DegitEmNB cell;
    QSignalSpy spy(&cell, &M_DegitEmNB::PropertyChanged);
    cell.setBaseForeColor(1);
    cell.setDegitForeColor(2);
    cell.setDegitStyle(1);
    cell.setValue(5);
    cell.setUserSet(false);
    cell.setBackColor(3);
    QStringList names;
    for (const auto &args : spy)
        names << args.at(0).toString();
    QCOMPARE(names, QStringList({"BaseForeColor", "DegitForeColor", "DegitStyle", "Value",
                                 "UserSet", "BackColor"}));
    // A new colour shows at once, on the unlit segments too.
    const QImage before = cell.face();
    cell.setBaseForeColor(rgb(0, 255, 0));
    QVERIFY(cell.face() != before);
}

void tst_Digits::persistence()
{
    M_DegitEmNB fresh;
    PropertyBag none;
    fresh.WriteProperties(none);
    QVERIFY(none.isEmpty()); // every value at its default

    // Every value away from its default, in the order they are saved.
    const std::pair<const char *, QVariant> saved[] = {
        {"BaseForeColor", rgb(1, 2, 3)}, {"DegitForeColor", rgb(4, 5, 6)}, {"FillZero", 5},
        {"ZeroMode", 3}, {"Shift", 2}, {"Keta", 6}, {"DegitSize", 2}, {"DegitStyle", 1},
        {"Value", QStringLiteral(" 12")}, {"UserSet", false}, {"BackColor", rgb(7, 8, 9)}};
    PropertyBag bag;
    for (const auto &[key, value] : saved)
        bag.WriteProperty(QLatin1String(key), value);
    M_DegitEmNB b;
    b.ReadProperties(bag);
    PropertyBag again;
    b.WriteProperties(again);
    QCOMPARE(again.keys(), bag.keys());
    for (const auto &[key, value] : saved)
        QCOMPARE(again.ReadProperty(QLatin1String(key), {}).toString(), value.toString());
    QCOMPARE(backColor(&b), rgb(7, 8, 9)); // the widget's own background follows

    // Entries of the wrong kind or range take the defaults.
    PropertyBag broken;
    broken.WriteProperty(QStringLiteral("Keta"), QStringLiteral("many"));
    broken.WriteProperty(QStringLiteral("BackColor"), -5);
    broken.WriteProperty(QStringLiteral("DegitForeColor"), 0x1000000);
    broken.WriteProperty(QStringLiteral("Shift"), 100000);
    broken.WriteProperty(QStringLiteral("Value"), QVariant(-1));
    b.ReadProperties(broken);
    QCOMPARE(b.Keta(), 4);
    QCOMPARE(b.BackColor(), DegitBase::kDefaultBackColor);
    QCOMPARE(b.DegitForeColor(), DegitBase::kDefaultDegitForeColor);
    QCOMPARE(b.BaseForeColor(), DegitBase::kDefaultBaseForeColor);
    QCOMPARE(b.Shift(), 0);
    QCOMPARE(b.Value(), QVariant(-1));
    QCOMPARE(b.UserSet(), true);
}

void tst_Digits::loadingStoresAsReadWithoutDrawing()
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("FillZero"), 50);
    bag.WriteProperty(QStringLiteral("Shift"), 9);
    bag.WriteProperty(QStringLiteral("ZeroMode"), 12);
    bag.WriteProperty(QStringLiteral("BackColor"), uint(rgb(0, 0, 90)));
    M_DegitEmNB cell;
    cell.setValue(1234);
    cell.ReadProperties(bag);
    QCOMPARE(QList<int>({cell.FillZero(), cell.Shift(), cell.ZeroMode()}), QList<int>({50, 9, 12}));
    QCOMPARE(cell.litText(), QString());
    QCOMPARE(cell.face().pixelColor(40, 10), QColor(0, 0, 90));
    // The next assignment draws with the values as loaded: a shift of 9 moves
    // every digit out of the four positions.
    cell.setValue(88);
    QCOMPARE(cell.litText(), QStringLiteral("    "));
}

LUMINA_TEST_MAIN(tst_Digits)
#include "tst_digits.moc"
