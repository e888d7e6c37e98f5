#include "FakeHostLib.h"
#include "TestMain.h"

#include "route/BoardUpdate.h"
#include "route/FareFile.h"
#include "route/RouteSetting.h"

#include <QFile>
#include <QTemporaryDir>

using namespace lumina;

namespace {

// A full route: 301 stops with names of ten kanji and every value set.
std::vector<FareRecord> fullRoute()
{
    std::vector<FareRecord> records(static_cast<size_t>(FareTable::Size));
    for (int s = 1; s <= FareTable::Size; ++s) {
        FareRecord &r = records[size_t(s - 1)];
        r.StopName = QStringLiteral("星見台ニュータウン%1").arg(s);
        r.TicketNo = qint16(s);
        for (int t = 1; t <= FareRecord::ValueCount; ++t)
            r.Values[size_t(t - 1)] = qint16(t > s ? -1 : 170 + 10 * (s - t));
    }
    return records;
}

} // namespace

class bench_Route : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void setFullRoute();
    void boardForOneStop();

private:
    QTemporaryDir m_dir;
    QByteArray m_bytes;
};

void bench_Route::initTestCase()
{
    m_bytes = FareFileWriter().toBytes(fullRoute());
    QVERIFY(m_bytes.size() > 90000);
    QFile file(m_dir.filePath(QStringLiteral("301.hy3")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(m_bytes), m_bytes.size());
}

// Reading and checking a full route file from disk, and putting it in force.
void bench_Route::setFullRoute()
{
    test::FakeHostLib fake;
    RouteState state;
    const RouteEntry entry{QStringLiteral("301"), 1};
    QBENCHMARK {
        QVERIFY(setRoute(state, m_dir.path(), entry));
    }
    QCOMPARE(state.StopCount, qint16(301));
}

void bench_Route::boardForOneStop()
{
    RouteState state;
    state.FareTable.assign(fullRoute());
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
