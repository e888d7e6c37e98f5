#include "ProgramFixture.h"

using namespace lumina;

// One step, from the click to the board fully drawn, at the board's scales x1 and x3.
class bench_Step : public QObject
{
    Q_OBJECT

private slots:
    void stepAndRedraw_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("x1") << 1;
        QTest::newRow("x3") << 3;
    }
    void stepAndRedraw();
};

void bench_Step::stepAndRedraw()
{
    QFETCH(int, scale);
    test::Program p;
    QVERIFY(p.writeRoute(QStringLiteral("12"), 40));
    p.keyRoute(QStringLiteral("12"), QStringLiteral("1"));
    p.board->setBoardScale(scale);
    int direction = 1;
    QBENCHMARK {
        if (routeState().CurStop == 0 || routeState().CurStop == 39)
            direction = 1 - direction;
        p.panel->Command2[size_t(direction)]->click();
        p.board->grab();
    }
}

LUMINA_TEST_MAIN(bench_Step)
#include "bench_step.moc"
