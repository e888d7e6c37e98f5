#include "controls/ChimeiCtl_P.h"

#include "TestMain.h"

#include <QElapsedTimer>

#include <ctime>

using namespace lumina;

// The CPU a scrolling name takes. (Laying out a name is part of one step,
// measured in tests/panel/bench_step.cpp.)
class bench_Strip : public QObject
{
    Q_OBJECT

private slots:
    void scrollingCpuLoad()
    {
        ChimeiCtl_P strip;
        strip.setScrollStartWait(0); // moving all the time, no pauses
        strip.show();
        QVERIFY(QTest::qWaitForWindowExposed(&strip));
        strip.SetChimei(QStringLiteral("市立病院前東口停留所")); // ten cells
        const std::clock_t cpuStart = std::clock(); // the process's CPU time
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(10000);
        const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double percent = 100 * cpuMs / double(wall.elapsed());
        qInfo("scrolling for %lld ms took %.2f %% of one core", wall.elapsed(), percent);
        QVERIFY(strip.isScrolling());
        QVERIFY(percent <= 3.0);
    }
};

LUMINA_TEST_MAIN(bench_Strip)
#include "bench_strip.moc"
