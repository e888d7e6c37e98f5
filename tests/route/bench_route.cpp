#include "FakeHostLib.h"
#include "RouteFixture.h"
#include "TestMain.h"

#include "route/BoardUpdate.h"
#include "route/RouteSetting.h"

#include <QTemporaryDir>

using namespace lumina;

// A full route: 301 stops with names of ten kanji and every value set.
class bench_Route : public QObject
{
    Q_OBJECT

private slots:
    void setFullRoute();
    void boardForOneStop();
};

// Reading and checking a full route file from disk, and putting it in force.
void bench_Route::setFullRoute()
{
    QTemporaryDir dir;
    const QByteArray bytes = FareFileWriter().toBytes(test::route(FareTable::Size, u"星見台ニュータウン"_qs));
    QVERIFY(test::writeAll(dir.filePath(QStringLiteral("301.hy3")), bytes));
    test::FakeHostLib fake;
    RouteState state;
    QBENCHMARK {
        QVERIFY(setRoute(state, dir.path(), RouteEntry{QStringLiteral("301"), 1}));
    }
    QCOMPARE(state.StopCount, qint16(301));
}

void bench_Route::boardForOneStop()
{
    RouteState state;
    state.FareTable.assign(test::route(FareTable::Size));
    state.StopCount = FareTable::Size;
    state.StartSection = 1;
    BoardOptions options;
    options.lateNight = true;
    options.infoOn = {true, true, true, true, false};
    const QDateTime now = QDateTime::currentDateTime();
    int n = 1;
    QBENCHMARK {
        const BoardView view = boardView(state, n, options, now);
        n = n % FareTable::Size + 1;
    }
}

LUMINA_TEST_MAIN(bench_Route)
#include "bench_route.moc"
