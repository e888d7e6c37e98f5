#include "TestMain.h"
#include "base/Geometry.h"
#include "FakeClock.h"

#include "FakeHostLib.h"

#include "controls/M_Degit.h"
#include "controls/M_DegitEmNB.h"
#include "shell/Form1.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QSignalSpy>
#include <QTimer>

using namespace lumina;

namespace {

// Counts how often a widget is enabled or disabled.
class EnabledChanges : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            ++count;
        return false;
    }
};

} // namespace

class tst_BoardDigits : public QObject
{
    Q_OBJECT

private slots:
    void cellsAndClockLayout();
    void clockTick_data();
    void clockTick();
    void timerDrivesClock();
    void startUpBlanksCellsInOrder();
    void confirmedDialogSpreadsSettings();
    void cancelledDialogChangesNothing();
    void userSetFalseDoesNothing();
    void panelDisabledWhileDialogOpen();
};

void tst_BoardDigits::cellsAndClockLayout()
{
    Form1 board;
    for (int i = 1; i <= kCellCount; ++i) {
        M_DegitEmNB *cell = board.Degit[size_t(i)];
        QVERIFY(cell);
        QCOMPARE(cell->size(), QSize(52, 20));
        QCOMPARE(cell->DegitStyle(), 1);
        QCOMPARE(cell->Keta(), 4);
    }
    QCOMPARE(board.Degit[11]->pos(), QPoint(210, 93)); // row 2, column 1
    QCOMPARE(board.TimeDegit[0]->Keta(), 2);
    QCOMPARE(board.TimeDegit[1]->Keta(), 2);
    QCOMPARE(board.TimeDegit[0]->geometry(), QRect(363, 2, 26, 20));
    QCOMPARE(board.TimeDegit[1]->geometry(), QRect(390, 2, 26, 20));
    QCOMPARE(board.Timer1->interval(), 1000);
    QVERIFY(board.Timer1->isActive());
}

void tst_BoardDigits::clockTick_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("hourShown");
    QTest::addColumn<QString>("minuteShown");
    QTest::newRow("09:05") << QTime(9, 5, 41) << 9 << 5 << "9" << "5";
    QTest::newRow("00:00") << QTime(0, 0, 0) << 0 << 0 << "" << "";
    QTest::newRow("23:59") << QTime(23, 59, 59) << 23 << 59 << "23" << "59";
    QTest::newRow("12:30") << QTime(12, 30, 0) << 12 << 30 << "12" << "30";
}

void tst_BoardDigits::clockTick()
{
    QFETCH(QTime, time);
    QFETCH(int, hour);
    QFETCH(int, minute);
    QFETCH(QString, hourShown);
    QFETCH(QString, minuteShown);
    FakeClock clock(QDateTime(QDate(2026, 12, 7), time));
    Form1 board;
    board.Timer1_Timer();
    QCOMPARE(board.TimeDegit[0]->Value(), QVariant(hour));
    QCOMPARE(board.TimeDegit[1]->Value(), QVariant(minute));
    // With the controls' own zero setting (0), midnight leaves them blank.
    QCOMPARE(board.TimeDegit[0]->litText(), hourShown);
    QCOMPARE(board.TimeDegit[1]->litText(), minuteShown);
}

void tst_BoardDigits::timerDrivesClock()
{
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(7, 45, 0)));
    Form1 board;
    board.Timer1->setInterval(1); // no waiting a whole second in a test
    QTRY_COMPARE(board.TimeDegit[1]->Value(), QVariant(45));
    QCOMPARE(board.TimeDegit[0]->Value(), QVariant(7));
}

void tst_BoardDigits::startUpBlanksCellsInOrder()
{
    test::FakeHostLib fake;
    Lumina program;
    program.startUp();
    Form1 *board = program.board();
    for (int i = 1; i <= kCellCount; ++i) {
        QCOMPARE(board->Degit[size_t(i)]->DegitStyle(), 1);
        QCOMPARE(board->Degit[size_t(i)]->Value(), QVariant(QString()));
        QCOMPARE(board->Degit[size_t(i)]->litText(), QStringLiteral("    "));
    }

    // The start-up pass goes through the cells 1 to 60, style first.
    QList<QPair<int, QString>> events;
    for (int i = 0; i <= kCellCount; ++i) {
        connect(board->Degit[size_t(i)], &M_DegitEmNB::PropertyChanged, this,
                [&events, i](const QString &name) { events.append({i, name}); });
    }
    program.defaultSeams().initFareCells();
    QVERIFY(!events.isEmpty());
    QCOMPARE(events.first(), qMakePair(1, QStringLiteral("DegitStyle")));
    QCOMPARE(events.last().first, 60);
    int previous = 1;
    int styles = 0;
    for (const auto &e : events) {
        QVERIFY(e.first >= previous);
        previous = e.first;
        if (e.second == QLatin1String("DegitStyle"))
            ++styles;
    }
    QCOMPARE(styles, 60);
}

void tst_BoardDigits::confirmedDialogSpreadsSettings()
{
    test::FakeHostLib fake;
    Form1 board;
    for (int i = 1; i <= kCellCount; ++i)
        board.Degit[size_t(i)]->setValue(i * 10);
    fake.digitDialog = [](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
        zeroMode = 1;
        shift = 1;
        fillZero = 3;
        return 1;
    };
    QSignalSpy spy(&board, &Form1::cellDoubleClicked);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QTest::mouseDClick(board.Degit[5], Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toInt(), 5);
    QCOMPARE(fake.digitDialogCalls.size(), 1);
    for (int i = 1; i <= kCellCount; ++i) {
        M_DegitEmNB *cell = board.Degit[size_t(i)];
        QCOMPARE(cell->ZeroMode(), 1);
        QCOMPARE(cell->Shift(), 1);
        QCOMPARE(cell->FillZero(), 3);
        QCOMPARE(cell->Value(), QVariant(i * 10));
    }
    QCOMPARE(board.Degit[7]->litText(), QStringLiteral("070 "));
    QCOMPARE(board.Degit[60]->litText(), QStringLiteral("600 "));
}

void tst_BoardDigits::cancelledDialogChangesNothing()
{
    test::FakeHostLib fake; // answers every dialog with cancel
    Form1 board;
    board.Degit[3]->setZeroMode(2);
    board.Degit[3]->setValue(150);
    board.Degit[9]->setShift(2);
    board.Degit[9]->setValue(90);
    board.Degit_DblClick(3);
    QCOMPARE(fake.digitDialogCalls.size(), 1);
    QCOMPARE(board.Degit[9]->Shift(), 2);
    QCOMPARE(board.Degit[9]->ZeroMode(), 0);
    QCOMPARE(board.Degit[1]->ZeroMode(), 0);
    QCOMPARE(board.Degit[3]->ZeroMode(), 2);
    QCOMPARE(board.Degit[9]->litText(), QStringLiteral("90  "));
}

void tst_BoardDigits::userSetFalseDoesNothing()
{
    test::FakeHostLib fake;
    Lumina program;
    program.startUp();
    Form1 *board = program.board();
    board->Degit[12]->setUserSet(false);
    EnabledChanges changes;
    program.panel()->installEventFilter(&changes);
    board->Degit_DblClick(12);
    QVERIFY(fake.digitDialogCalls.isEmpty());
    QCOMPARE(changes.count, 0);
    QVERIFY(program.panel()->isEnabled());
}

void tst_BoardDigits::panelDisabledWhileDialogOpen()
{
    test::FakeHostLib fake;
    Lumina program;
    program.startUp();
    bool enabledDuringDialog = true;
    fake.whileModal = [&] { enabledDuringDialog = program.panel()->isEnabled(); };
    program.board()->Degit_DblClick(40);
    QCOMPARE(fake.digitDialogCalls.size(), 1);
    QVERIFY(!enabledDuringDialog);
    QVERIFY(program.panel()->isEnabled());
}

LUMINA_TEST_MAIN(tst_BoardDigits)
#include "tst_boarddigits.moc"
