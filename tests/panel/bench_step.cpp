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
    // Painted into one image kept across steps, as a repaint goes into the
    // window's backing store: a fresh 11 MB picture per step at x3 would
    // measure the allocator, not the board.
    QImage frame(p.board->size(), QImage::Format_ARGB32_Premultiplied);
    QBENCHMARK {
        if (routeState().CurStop == 0 || routeState().CurStop == 39)
            direction = 1 - direction;
        p.panel->Command2[size_t(direction)]->click();
        p.board->render(&frame);
    }
}

LUMINA_TEST_MAIN(bench_Step)
#include "bench_step.moc"
