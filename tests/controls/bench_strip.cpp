#include "controls/ChimeiCtl_P.h"
#include "base/CodePage.h"

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
    void firstSetChimeiOpensFonts();
    void setChimeiSixCharacters_data();
    void setChimeiSixCharacters();
    void setChimeiUnseenCharacters_data();
    void setChimeiUnseenCharacters();
    void scrollingCpuLoad();
};

void BenchStrip::firstSetChimeiOpensFonts()
{
    // Once per run: the bitmap font files are opened and unpacked on first use.
    ChimeiCtl_P strip;
    QElapsedTimer timer;
    timer.start();
    strip.SetChimei(QStringLiteral("東京駅八重洲口"));
    qInfo("first SetChimei of the run: %.3f ms", timer.nsecsElapsed() / 1e6);
}

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

void BenchStrip::setChimeiUnseenCharacters_data()
{
    setChimeiSixCharacters_data();
}

void BenchStrip::setChimeiUnseenCharacters()
{
    // Worst case: every character is met for the first time and its glyph is
    // looked up and cached.
    QFETCH(int, fontMode);
    QFETCH(bool, bold);
    ChimeiCtl_P strip;
    strip.setFontMode(fontMode);
    strip.setFontBold(bold);
    strip.SetChimei(QStringLiteral("東京")); // fonts opened
    QStringList names;
    for (unsigned lead = 0x89; lead <= 0x97; ++lead) {
        QByteArray bytes;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            bytes.append(char(lead)).append(char(trail));
            if (bytes.size() == 12) {
                names << cp932::decode(bytes);
                bytes.clear();
            }
        }
    }
    QVERIFY(names.size() > 400);
    // Stop names come in no particular order of their codes.
    std::reverse(names.begin(), names.end());
    QElapsedTimer timer;
    timer.start();
    for (const QString &name : names)
        strip.SetChimei(name);
    qInfo("%lld names of six unseen kanji: %.3f ms per SetChimei", qlonglong(names.size()),
          timer.nsecsElapsed() / 1e6 / double(names.size()));
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
