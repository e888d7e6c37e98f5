#include "ProgramFixture.h"

using namespace lumina;

// One step, from the click to the board fully drawn: the 60 cells, the labels
// and the stop-name strip, rendered into an image as a repaint would.
class bench_Step : public QObject
{
    Q_OBJECT

private slots:
    void stepAndRedraw();
};

void bench_Step::stepAndRedraw()
{
    test::Program p;
    QVERIFY(p.writeRoute(QStringLiteral("12"), 40));
    p.keyRoute(QStringLiteral("12"), QStringLiteral("1"));
    QCOMPARE(routeState().StopCount, qint16(40));
    int direction = 1;
    QImage frame;
    QBENCHMARK {
        if (routeState().CurStop == 0 || routeState().CurStop == 39)
            direction = 1 - direction;
        p.panel->Command2[size_t(direction)]->click();
        frame = p.board->grab().toImage();
    }
    QVERIFY(!frame.isNull());
}

LUMINA_TEST_MAIN(bench_Step)
#include "bench_step.moc"
