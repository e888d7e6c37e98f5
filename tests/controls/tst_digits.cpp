#include "FakeHostLib.h"
#include "TestMain.h"

#include "controls/M_Degit.h"
#include "controls/M_DegitEmNB.h"
#include "controls/PropertyBag.h"
#include "base/Colors.h"

#include <QSignalSpy>

#include <memory>

using namespace lumina;

// The two segment displays as controls: their set rules, sizes, what they light
// and their saved state. How a lit text looks is in the reference pictures; the
// zero rules themselves in tst_digittext.
class tst_Digits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { LUMINA_REQUIRE_FONTS(); }
    void setRules_data();
    void setRules();
    void lit_data();
    void lit();
    void resetKeepsRules_data();
    void resetKeepsRules();
    void dialogStoresUnchecked();
    void writersNotify();
    void persistence();
    void loadingStoresAsReadWithoutDrawing();
    void cellFaceFollowsSize();
};

namespace {

std::unique_ptr<DegitBase> make(bool cell)
{
    if (cell)
        return std::make_unique<M_DegitEmNB>();
    return std::make_unique<M_Degit>();
}

} // namespace

void tst_Digits::setRules_data()
{
    QTest::addColumn<bool>("cell"); // fare cell or clock digits
    QTest::addColumn<QString>("property");
    QTest::addColumn<int>("assigned");
    QTest::addColumn<int>("stored");
    QTest::newRow("cell Keta 20") << true << "Keta" << 20 << 20;
    QTest::newRow("cell Keta 0") << true << "Keta" << 0 << 0;
    QTest::newRow("cell Keta -3") << true << "Keta" << -3 << 0;
    QTest::newRow("clock Keta 0") << false << "Keta" << 0 << 4;
    QTest::newRow("clock Keta 16") << false << "Keta" << 16 << 4;
    QTest::newRow("clock Keta 15") << false << "Keta" << 15 << 15;
    QTest::newRow("FillZero above Keta") << true << "FillZero" << 6 << 4;
    QTest::newRow("FillZero negative") << true << "FillZero" << -2 << 0;
    QTest::newRow("Shift above Keta-1") << true << "Shift" << 5 << 3;
    QTest::newRow("Shift negative") << false << "Shift" << -2 << 0;
    QTest::newRow("ZeroMode 4") << true << "ZeroMode" << 4 << 0;
    QTest::newRow("ZeroMode 3") << false << "ZeroMode" << 3 << 3;
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
    if (property == u"Keta")
        d->setKeta(v);
    else if (property == u"FillZero")
        d->setFillZero(v);
    else if (property == u"Shift")
        d->setShift(v);
    else if (property == u"ZeroMode")
        d->setZeroMode(v);
    else
        d->setDegitSize(v);
    const int got = property == u"Keta"       ? d->Keta()
                    : property == u"FillZero" ? d->FillZero()
                    : property == u"Shift"    ? d->Shift()
                    : property == u"ZeroMode" ? d->ZeroMode()
                                              : d->DegitSize();
    QCOMPARE(got, stored);
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
    QTest::newRow("cell shift redraws") << true << QVariant(12) << 2 << "12  ";
    QTest::newRow("clock 120") << false << QVariant(120) << 0 << "120";
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

void tst_Digits::resetKeepsRules_data()
{
    QTest::addColumn<bool>("cell");
    QTest::addColumn<bool>("mode");
    QTest::addColumn<QString>("lit");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("cell lit") << true << true << "888 " << QVariant(QStringLiteral("8888"));
    QTest::newRow("cell blank") << true << false << "    " << QVariant(QString());
    QTest::newRow("clock lit") << false << true << "8888" << QVariant(QStringLiteral("8888"));
}

void tst_Digits::resetKeepsRules()
{
    QFETCH(bool, cell);
    QFETCH(bool, mode);
    QFETCH(QString, lit);
    QFETCH(QVariant, value);
    auto d = make(cell);
    d->setShift(1);
    d->setZeroMode(3);
    d->setFillZero(2);
    d->setValue(5);
    d->ResetDegit(mode);
    QCOMPARE(d->litText(), lit);
    QCOMPARE(d->Value(), value);
    QCOMPARE(d->Shift(), 1);
    QCOMPARE(d->ZeroMode(), 3);
    QCOMPARE(d->FillZero(), 2);
}

void tst_Digits::dialogStoresUnchecked()
{
    for (int result : {1, 0}) {
        test::FakeHostLib fake;
        M_DegitEmNB cell;
        cell.setZeroMode(1);
        cell.setShift(1);
        cell.setFillZero(2);
        cell.setValue(5);
        fake.digitDialog = [result](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
            zeroMode = 7; // the writer would make this 0
            shift = 2;
            fillZero = 3;
            return result;
        };
        QCOMPARE(cell.ShowSetDlg(), result);
        const auto call = fake.digitDialogCalls.value(0);
        QCOMPARE(QList<int>({call.keta, call.zeroMode, call.shift, call.fillZero}),
                 QList<int>({4, 1, 1, 2}));
        QCOMPARE(QList<int>({cell.ZeroMode(), cell.Shift(), cell.FillZero()}),
                 QList<int>({7, 2, 3}));
        QCOMPARE(cell.litText(), QStringLiteral("05  "));
    }
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
    QSignalSpy clicks(&cell, &M_DegitEmNB::DblClick);
    cell.show();
    QTest::mouseDClick(&cell, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.count(), 1);
}

void tst_Digits::persistence()
{
    M_DegitEmNB fresh;
    PropertyBag none;
    fresh.WriteProperties(none);
    QVERIFY(none.isEmpty()); // every value at its default

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
    QCOMPARE(backColor(&a), rgb(7, 8, 9)); // the widget's own background follows
    PropertyBag bag;
    a.WriteProperties(bag);
    QCOMPARE(bag.keys(), QStringList({"BaseForeColor", "DegitForeColor", "FillZero", "ZeroMode",
                                      "Shift", "Keta", "DegitSize", "DegitStyle", "Value",
                                      "UserSet", "BackColor"}));
    M_DegitEmNB b;
    b.ReadProperties(bag);
    PropertyBag again;
    b.WriteProperties(again);
    for (const QString &key : bag.keys())
        QCOMPARE(again.ReadProperty(key, {}), bag.ReadProperty(key, {}));
    QCOMPARE(backColor(&b), rgb(7, 8, 9));

    // Missing keys take the defaults; entries of the wrong kind or range too.
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
    const QImage face = cell.face();
    QCOMPARE(face.pixelColor(40, 10), QColor(0, 0, 90));
    QCOMPARE(face.pixelColor(0, 0), QColor(0, 0, 90));
    // The next assignment draws with the values as loaded: a shift of 9 moves
    // every digit out of the four positions.
    cell.setValue(88);
    QCOMPARE(cell.litText(), QStringLiteral("    "));
    // Counts without the writers' rules draw as none; the largest still draws.
    bag.WriteProperty(QStringLiteral("Keta"), -5);
    cell.ReadProperties(bag);
    cell.setValue(42);
    QCOMPARE(cell.litText(), QString());
    cell.setKeta(32767);
    cell.setFillZero(32767);
    cell.setShift(0);
    cell.setValue(7);
    QCOMPARE(cell.litText().size(), 32767);
    QVERIFY(cell.litText().endsWith(QStringLiteral("007")));
    QCOMPARE(cell.face().size(), QSize(52, 20));
    // Loading the clock digits neither resizes nor draws.
    M_Degit clock;
    PropertyBag small;
    small.WriteProperty(QStringLiteral("Keta"), 2);
    small.WriteProperty(QStringLiteral("DegitSize"), 1);
    clock.ReadProperties(small);
    QCOMPARE(QList<int>({clock.Keta(), clock.DegitSize()}), QList<int>({2, 1}));
    QCOMPARE(clock.size(), QSize(52, 20));
}

void tst_Digits::cellFaceFollowsSize()
{
    M_DegitEmNB cell;
    cell.setValue(QStringLiteral("8888"));
    cell.resize(104, 40);
    const QImage face = cell.face();
    QCOMPARE(face.size(), QSize(104, 40) * cell.devicePixelRatioF());
    // Lit segments reach into the right half of the wider face.
    const QColor lit = toQColor(cell.DegitForeColor());
    int litRight = 0;
    for (int x = 52; x < 104; ++x)
        for (int y = 0; y < 40; ++y)
            litRight += face.pixelColor(x, y) == lit;
    QVERIFY(litRight > 50);
}

LUMINA_TEST_MAIN(tst_Digits)
#include "tst_digits.moc"
