#include "controls/ChimeiCtl_P.h"

#include "TestMain.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <sys/resource.h>

using namespace lumina;

// What the strip costs: laying out a name, and the CPU a scrolling name takes.
class BenchStrip : public QObject
{
    Q_OBJECT

private slots:
    void setChimeiSixCharacters();
    void scrollingCpuLoad();
};

void BenchStrip::setChimeiSixCharacters()
{
    ChimeiCtl_P strip;
    strip.setFontMode(2);
    const QString names[2] = {QStringLiteral("市役所前（北）"), QStringLiteral("中央バス停ー")};
    int i = 0;
    QBENCHMARK {
        strip.SetChimei(names[i++ & 1]);
    }
}

void BenchStrip::scrollingCpuLoad()
{
    const auto cpuMicroseconds = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto us = [](const timeval &t) { return qint64(t.tv_sec) * 1000000 + t.tv_usec; };
        return us(usage.ru_utime) + us(usage.ru_stime);
    };
    ChimeiCtl_P strip;
    strip.setScrollStartWait(0); // moving all the time, no pauses
    strip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&strip));
    strip.SetChimei(QStringLiteral("市立病院前東口停留所")); // ten cells
    QElapsedTimer wall;
    const qint64 cpuStart = cpuMicroseconds();
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(10000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double percent = 100.0 * double(cpuMicroseconds() - cpuStart) / double(wall.nsecsElapsed() / 1000);
    qInfo("scrolling for %lld ms took %.2f %% of one core", wall.elapsed(), percent);
    QVERIFY(strip.isScrolling());
    QVERIFY(percent <= 3.0);
}

LUMINA_TEST_MAIN(BenchStrip)
#include "bench_strip.moc"
