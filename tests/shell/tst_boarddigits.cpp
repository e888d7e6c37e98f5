#include "../panel/ProgramFixture.h"

#include "controls/M_Degit.h"

#include <QSignalSpy>
#include <QTimer>

using namespace lumina;

// The board's clock and fare cells.
class tst_BoardDigits : public QObject
{
    Q_OBJECT

private slots:
    void clockTick_data();
    void clockTick();
    void startUpPassSetsEveryCell();
    void cellDialog_data();
    void cellDialog();
};

void tst_BoardDigits::clockTick_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QString>("hourShown");
    QTest::addColumn<QString>("minuteShown");
    // With the controls' own zero setting (0), midnight leaves them blank.
    QTest::newRow("09:05") << QTime(9, 5, 41) << "9" << "5";
    QTest::newRow("00:00") << QTime(0, 0, 0) << "" << "";
    QTest::newRow("23:59") << QTime(23, 59, 59) << "23" << "59";
}

void tst_BoardDigits::clockTick()
{
    QFETCH(QTime, time);
    QFETCH(QString, hourShown);
    QFETCH(QString, minuteShown);
    Form1 board;
    QCOMPARE(board.Timer1->interval(), 1000);
    QVERIFY(board.Timer1->isActive());
    FakeClock clock(QDateTime(QDate(2026, 12, 7), time));
    board.Timer1->setInterval(1); // no waiting a whole second in a test
    QTRY_COMPARE(board.TimeDegit[1]->Value(), QVariant(time.minute()));
    QCOMPARE(board.TimeDegit[0]->Value(), QVariant(time.hour()));
    QCOMPARE(board.TimeDegit[0]->litText(), hourShown);
    QCOMPARE(board.TimeDegit[1]->litText(), minuteShown);
}

void tst_BoardDigits::startUpPassSetsEveryCell()
{
    test::Program p;
    Form1 *board = p.board;
    for (int i : {1, 60}) {
        board->Degit[size_t(i)]->setDegitStyle(0);
        board->Degit[size_t(i)]->setValue(5);
    }
    p.program->defaultSeams().initFareCells();
    for (int i : {1, 60}) {
        QCOMPARE(board->Degit[size_t(i)]->DegitStyle(), qint16(1));
        QCOMPARE(board->Degit[size_t(i)]->litText(), QStringLiteral("    "));
    }
}

// A double-click on a cell: the digit dialog of that cell; on confirmation its
// shift, fill and zero mode for all 60, with the panel disabled meanwhile.
void tst_BoardDigits::cellDialog_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("userSet");
    QTest::newRow("confirmed") << 1 << true;
    QTest::newRow("cancelled") << 0 << true;
    QTest::newRow("not user settable") << 1 << false;
}

void tst_BoardDigits::cellDialog()
{
    QFETCH(int, result);
    QFETCH(bool, userSet);
    test::Program p;
    Form1 *board = p.board;
    for (int i = 1; i <= kCellCount; ++i)
        board->Degit[size_t(i)]->setValue(i * 10);
    board->Degit[9]->setShift(2);
    board->Degit[5]->setUserSet(userSet);
    p.host.digitDialog = [result](qint16 &zeroMode, qint16 &shift, qint16 &fillZero) {
        zeroMode = 1;
        shift = 1;
        fillZero = 3;
        return result;
    };
    bool panelEnabledMeanwhile = true;
    p.host.whileModal = [&] { panelEnabledMeanwhile = p.panel->isEnabled(); };
    QSignalSpy spy(board, &Form1::cellDoubleClicked);
    QTest::mouseDClick(board->Degit[5], Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().at(0).toInt(), 5);
    QCOMPARE(p.host.digitDialogCalls.size(), userSet ? 1 : 0);
    QVERIFY(!userSet || !panelEnabledMeanwhile);
    QVERIFY(p.panel->isEnabled());
    const bool spread = result == 1 && userSet;
    QCOMPARE(board->Degit[60]->ZeroMode(), spread ? 1 : 0);
    QCOMPARE(board->Degit[7]->litText(), spread ? QStringLiteral("070 ") : QStringLiteral("  70"));
    QCOMPARE(board->Degit[9]->litText(), spread ? QStringLiteral("090 ") : QStringLiteral("90  "));
}

LUMINA_TEST_MAIN(tst_BoardDigits)
#include "tst_boarddigits.moc"
