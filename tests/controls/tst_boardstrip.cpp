#include "controls/ChimeiCtl_P.h"
#include "base/Colors.h"
#include "shell/Form1.h"
#include "app/Lumina.h"

#include "TestMain.h"

#include <QtTest>

using namespace lumina;

// The strip as the board holds it.
class TestBoardStrip : public QObject
{
    Q_OBJECT

private slots:
    void boardLaysOutStrip();
    void quitClearsStopName();
};

void TestBoardStrip::boardLaysOutStrip()
{
    Form1 board;
    ChimeiCtl_P *strip = board.ChimeiCtl;
    QVERIFY(strip);
    QCOMPARE(strip->parentWidget(), &board);
    QCOMPARE(strip->geometry(), QRect(100, 96, 41, 192));
    QCOMPARE(strip->Appearance(), 0);
    QCOMPARE(strip->ForeColor(), OleColor(8438015));
    QCOMPARE(strip->BackColor(), OleColor(8421504));
    QCOMPARE(strip->Speed(), 5);
    QCOMPARE(strip->ScrollStartWait(), 1500);
}

void TestBoardStrip::quitClearsStopName()
{
    Lumina app;
    app.startUp();
    ChimeiCtl_P *strip = app.board()->ChimeiCtl;
    strip->setScrollStartWait(0);
    strip->SetChimei(QStringLiteral("市役所前駅東口バス停留所"));
    QVERIFY(strip->isScrolling());
    app.defaultSeams().clearStopName();
    const QRgb back = toQColor(strip->BackColor()).rgb();
    const QImage &layer = strip->layer();
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            QCOMPARE(layer.pixel(x, y), back);
}

LUMINA_TEST_MAIN(TestBoardStrip)
#include "tst_boardstrip.moc"
