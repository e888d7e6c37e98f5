#include "FakeHostLib.h"
#include "RouteFixture.h"
#include "TestMain.h"

#include "route/RouteSetting.h"

#include <QTemporaryDir>

using namespace lumina;

// A full route: 301 stops with names of ten kanji and every value set. (Showing a
// stop is part of one step, measured in tests/panel/bench_step.cpp.)
class bench_Route : public QObject
{
    Q_OBJECT

private slots:
    // Reading and checking a full route file from disk, and putting it in force.
    void setFullRoute()
    {
        QTemporaryDir dir;
        const auto records = test::route(FareTable::Size, u"星見台ニュータウン"_qs);
        QVERIFY(test::writeFile(dir.filePath(QStringLiteral("301.hy3")), FareFileWriter().toBytes(records)));
        test::FakeHostLib fake;
        RouteState state;
        QBENCHMARK {
            QVERIFY(setRoute(state, dir.path(), RouteEntry{QStringLiteral("301"), 1}));
        }
        QCOMPARE(state.StopCount, qint16(301));
    }
};

LUMINA_TEST_MAIN(bench_Route)
#include "bench_route.moc"
