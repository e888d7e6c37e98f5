#include "ProgramFixture.h"

using namespace lumina;

// One step, from the click to the board fully drawn: the 60 cells, the labels
// and the stop-name strip, rendered into an image as a repaint would; at the
// board's scales x1 and x3.
class bench_Step : public QObject
{
    Q_OBJECT

private slots:
    void stepAndRedraw_data();
    void stepAndRedraw();
};

void bench_Step::stepAndRedraw_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("x1") << 1;
    QTest::newRow("x3") << 3;
}

void bench_Step::stepAndRedraw()
{
    QFETCH(int, scale);
    test::Program p;
    QVERIFY(p.writeRoute(QStringLiteral("12"), 40));
    p.keyRoute(QStringLiteral("12"), QStringLiteral("1"));
    QCOMPARE(routeState().StopCount, qint16(40));
    p.board->setBoardScale(scale);

    int direction = 1;
    QImage frame;
    QBENCHMARK {
        if (routeState().CurStop == 0 || routeState().CurStop == 39)
            direction = 1 - direction;
        p.panel->Command2[size_t(direction)]->click();
        frame = p.board->grab().toImage();
    }
    QCOMPARE(frame.width(), 826 * scale);
}

LUMINA_TEST_MAIN(bench_Step)
#include "bench_step.moc"
