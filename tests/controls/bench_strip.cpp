#include "controls/ChimeiCtl_P.h"

#include "TestMain.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

using namespace lumina;

namespace {

// User plus system CPU time of the whole process, in microseconds.
qint64 processCpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto us = [](const timeval &t) { return qint64(t.tv_sec) * 1000000 + t.tv_usec; };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

} // namespace

class BenchStrip : public QObject
{
    Q_OBJECT

private slots:
    void setChimeiSixCharacters_data();
    void setChimeiSixCharacters();
    void scrollingCpuLoad();
};

void BenchStrip::setChimeiSixCharacters_data()
{
    QTest::addColumn<int>("fontMode");
    QTest::addColumn<bool>("bold");
    QTest::newRow("gothic") << 0 << false;
    QTest::newRow("mincho") << 1 << false;
    QTest::newRow("mixed bold") << 2 << true;
}

void BenchStrip::setChimeiSixCharacters()
{
    QFETCH(int, fontMode);
    QFETCH(bool, bold);
    ChimeiCtl_P strip;
    strip.setFontMode(fontMode);
    strip.setFontBold(bold);
    const QString names[2] = {QStringLiteral("市役所前（北）"), QStringLiteral("中央バス停ー")};
    int i = 0;
    QBENCHMARK {
        strip.SetChimei(names[i++ & 1]);
    }
}

void BenchStrip::scrollingCpuLoad()
{
    ChimeiCtl_P strip;
    strip.setScrollStartWait(0); // moving all the time, no pauses
    strip.setSpeed(5);
    strip.show();
    QVERIFY(QTest::qWaitForWindowExposed(&strip));
    strip.SetChimei(QStringLiteral("市立病院前東口停留所")); // ten cells
    QVERIFY(strip.isScrolling());

    QElapsedTimer wall;
    const qint64 cpuStart = processCpuMicroseconds();
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(10000, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const qint64 cpu = processCpuMicroseconds() - cpuStart;
    const double percent = 100.0 * double(cpu) / double(wall.nsecsElapsed() / 1000);
    qInfo("scrolled %lld ms wall, %lld ms CPU: %.2f %% of one core; layer top now %d",
          wall.elapsed(), cpu / 1000, percent, strip.layerTop());
    QVERIFY(strip.isScrolling());
    QVERIFY(percent <= 3.0);
}

LUMINA_TEST_MAIN(BenchStrip)
#include "bench_strip.moc"
