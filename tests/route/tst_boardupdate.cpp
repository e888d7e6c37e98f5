#include "TestMain.h"

#include "route/BoardUpdate.h"

using namespace lumina;

using CellMap = QMap<int, QVariant>;

namespace {

const QDateTime kNow(QDate(2009, 12, 31), QTime(8, 5, 0));

// A route of 10 stops; at stop s fare t is 100 s + t, ticket number 20 + s,
// value 61 is s mod 5 and value 150 is 1000 + s.
RouteState tenStops(int startSection = 1)
{
    RouteState state;
    state.RouteNo = QStringLiteral("00012");
    state.StartSection = qint16(startSection);
    state.StopCount = 10;
    state.CurStop = qint16(startSection - 1);
    state.RouteDate = QStringLiteral("01-02-2009");
    for (int s = 1; s <= 10; ++s) {
        FareRecord &r = state.FareTable.entry(s);
        r.StopName = QStringLiteral("停留所%1").arg(s);
        r.TicketNo = qint16(20 + s);
        for (int t = 1; t <= 60; ++t)
            r.Values[size_t(t - 1)] = qint16(100 * s + t);
        r.Values[60] = qint16(s % 5);
        r.Values[149] = qint16(1000 + s);
    }
    return state;
}

} // namespace

class tst_BoardUpdate : public QObject
{
    Q_OBJECT

private slots:
    void faresFromStartSection_data();
    void faresFromStartSection();
    void lateNight_data();
    void lateNight();
    void informationNumbers_data();
    void informationNumbers();
    void ticketDate_data();
    void ticketDate();
    void labels_data();
    void labels();
    void stepping_data();
    void stepping();
    void stepSound_data();
    void stepSound();
};

void tst_BoardUpdate::faresFromStartSection_data()
{
    QTest::addColumn<int>("startSection");
    QTest::addColumn<int>("stop"); // outside the table: nothing shows
    QTest::newRow("section 1") << 1 << 1;
    QTest::newRow("section 5, stepped back to 2") << 5 << 2;
    QTest::newRow("section 60") << 60 << 3;
    QTest::newRow("section 300") << 300 << 3;
    QTest::newRow("stop 0") << 1 << 0;
    QTest::newRow("stop 302") << 1 << 302;
}

void tst_BoardUpdate::faresFromStartSection()
{
    QFETCH(int, startSection);
    QFETCH(int, stop);
    BoardOptions options;
    options.infoOn = {true, true, true, true, false};
    options.infoIndex = {70, 70, 70, 70, 0}; // no cell: fares alone
    const BoardView view = boardView(tenStops(startSection), stop, options, kNow);
    const bool inTable = stop >= 1 && stop <= FareTable::Size;
    for (int t = 1; t <= 60; ++t) {
        const auto &cell = view.cells[size_t(t - 1)];
        QCOMPARE(cell.has_value(), inTable && t >= startSection);
        if (cell)
            QCOMPARE(cell->toInt(), 100 * stop + t);
    }
    QCOMPARE(view.stopName, stop <= 10 && inTable ? QStringLiteral("停留所%1").arg(stop) : QString());
    QCOMPARE(view.ticketNo, qint16(stop <= 10 && inTable ? 20 + stop : 0));
}

void tst_BoardUpdate::lateNight_data()
{
    QTest::addColumn<int>("fare");
    QTest::addColumn<bool>("lateNight");
    QTest::addColumn<int>("shown");
    QTest::newRow("day") << 230 << false << 230;
    QTest::newRow("230 doubled") << 230 << true << 460;
    QTest::newRow("no fare stays") << -1 << true << -1;
    QTest::newRow("16384 keeps its true double") << 16384 << true << 32768;
    QTest::newRow("32767") << 32767 << true << 65534;
    QTest::newRow("other negative") << -2 << true << -4;
}

void tst_BoardUpdate::lateNight()
{
    QFETCH(int, fare);
    QFETCH(bool, lateNight);
    QFETCH(int, shown);
    QCOMPARE(shownFare(qint16(fare), lateNight), shown);
}

void tst_BoardUpdate::informationNumbers_data()
{
    QTest::addColumn<QList<bool>>("on");   // Check3 0..4, then late night
    QTest::addColumn<QList<int>>("index"); // Combo4 0..4
    QTest::addColumn<int>("stop");
    QTest::addColumn<CellMap>("cells"); // cell -> value expected

    using Cells = CellMap;
    const bool o = true, _ = false;
    const QList<int> apart{0, 1, 2, 3, 60}; // cells 1..4, column 61
    QTest::newRow("none") << QList<bool>{_, _, _, _, _, _} << apart << 3
                          << Cells{{1, 301}, {2, 302}, {3, 303}, {4, 304}};
    QTest::newRow("position") << QList<bool>{o, _, _, _, _, _} << apart << 3 << Cells{{1, 3}, {2, 302}};
    QTest::newRow("position from zero") << QList<bool>{o, _, _, _, o, _} << apart << 1 << Cells{{1, 0}};
    QTest::newRow("ticket number") << QList<bool>{_, o, _, _, _, _} << apart << 3
                                   << Cells{{1, 301}, {2, 23}};
    QTest::newRow("route number as text") << QList<bool>{_, _, o, _, _, _} << apart << 3
                                          << Cells{{3, QStringLiteral("00012")}};
    QTest::newRow("column 150") << QList<bool>{_, _, _, o, _, _} << QList<int>{0, 1, 2, 59, 149} << 7
                                << Cells{{60, 1007}};
    QTest::newRow("column 151 leaves the cell") << QList<bool>{_, _, _, o, _, _}
                                                << QList<int>{0, 1, 2, 0, 150} << 3 << Cells{{1, 301}};
    QTest::newRow("all four apart") << QList<bool>{o, o, o, o, _, _} << apart << 6
                                    << Cells{{1, 6}, {2, 26}, {3, QStringLiteral("00012")},
                                             {4, 1}, {5, 605}};
    // Late night doubles the fares, never the numbers.
    QTest::newRow("late night") << QList<bool>{o, o, _, o, _, o} << QList<int>{0, 1, 2, 3, 149} << 5
                                << Cells{{1, 5}, {2, 25}, {3, 1006}, {4, 1005}};
    // The later in the order wins a shared cell.
    QTest::newRow("position and ticket share") << QList<bool>{o, o, _, _, _, _}
                                               << QList<int>{9, 9, 0, 0, 60} << 3 << Cells{{10, 23}};
    QTest::newRow("all four share") << QList<bool>{o, o, o, o, _, _} << QList<int>{9, 9, 9, 9, 149}
                                    << 3 << Cells{{10, 1003}};
    QTest::newRow("route over ticket") << QList<bool>{_, o, o, _, _, _} << QList<int>{0, 20, 20, 0, 60}
                                       << 3 << Cells{{21, QStringLiteral("00012")}};
    // No cell chosen: nothing is written for it, and nothing breaks.
    QTest::newRow("no cell chosen") << QList<bool>{o, o, o, o, _, _} << QList<int>{-1, 60, -1, -1, -1}
                                    << 3 << Cells{{1, 301}, {60, 360}};
}

void tst_BoardUpdate::informationNumbers()
{
    QFETCH(QList<bool>, on);
    QFETCH(QList<int>, index);
    QFETCH(int, stop);
    QFETCH(CellMap, cells);
    BoardOptions options;
    for (int i = 0; i < 5; ++i) {
        options.infoOn[size_t(i)] = on[i];
        options.infoIndex[size_t(i)] = index[i];
    }
    options.lateNight = on[5];
    const BoardView view = boardView(tenStops(), stop, options, kNow);
    for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
        const auto &cell = view.cells[size_t(it.key() - 1)];
        QVERIFY(cell.has_value());
        QCOMPARE(cell->typeId(), it.value().typeId());
        QCOMPARE(*cell, it.value());
    }
}

void tst_BoardUpdate::ticketDate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("date");
    QTest::newRow("today") << 0 << "12-31-2009";
    QTest::newRow("kept from route setting") << 1 << "01-02-2009";
    QTest::newRow("fixed") << 2 << "2009/01/30";
}

void tst_BoardUpdate::ticketDate()
{
    QFETCH(int, mode);
    QFETCH(QString, date);
    BoardOptions options;
    options.dateMode = mode;
    options.fixedDate = QStringLiteral("2009/01/30");
    const BoardView view = boardView(tenStops(), 2, options, kNow);
    QCOMPARE(view.ticketDate, date);
    QCOMPARE(view.ticketTime, QStringLiteral("08:05:00"));
}

void tst_BoardUpdate::labels_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("zeroFill");
    QTest::addColumn<QStringList>("captions"); // labels 1, 2, 10 and 60; none: unknown style
    QTest::addColumn<bool>("wordLabel1");      // label 1 in the 13-point text face
    QTest::newRow("0") << 0 << 0 << QStringList{"１", "２", "１０", "６０"} << false;
    QTest::newRow("0 zero fill") << 0 << 1 << QStringList{"０１", "０２", "１０", "６０"} << false;
    QTest::newRow("1") << 1 << 0 << QStringList{"０", "１", "９", "５９"} << false;
    QTest::newRow("1 zero fill") << 1 << 1 << QStringList{"００", "０１", "０９", "５９"} << false;
    QTest::newRow("2") << 2 << 0 << QStringList{"な し", "１", "９", "５９"} << true;
    QTest::newRow("4 zero fill") << 4 << 1 << QStringList{"無 券", "０１", "０９", "５９"} << true;
    QTest::newRow("5 zero fill") << 5 << 1 << QStringList{"無 券", "０２", "１０", "６０"} << true;
    QTest::newRow("7") << 7 << 0 << QStringList{"券なし", "２", "１０", "６０"} << true;
    QTest::newRow("8") << 8 << 0 << QStringList{"券無し", "１", "９", "５９"} << true;
    QTest::newRow("11 zero fill") << 11 << 1 << QStringList{"", "０２", "１０", "６０"} << true;
    QTest::newRow("unknown -1") << -1 << 0 << QStringList() << false;
    QTest::newRow("unknown 12") << 12 << 1 << QStringList() << false;
}

void tst_BoardUpdate::labels()
{
    QFETCH(int, style);
    QFETCH(int, zeroFill);
    QFETCH(QStringList, captions);
    QFETCH(bool, wordLabel1);
    const auto labels = ticketLabels(style, zeroFill);
    QCOMPARE(labels.has_value(), !captions.isEmpty());
    if (!labels)
        return;
    QCOMPARE((QStringList{labels->captions[0], labels->captions[1], labels->captions[9],
                          labels->captions[59]}),
             captions);
    QCOMPARE(labels->label1Font, wordLabel1 ? QStringLiteral("ＭＳ Ｐゴシック") : QStringLiteral("M_NumP1"));
    QCOMPARE(labels->label1PointSize, wordLabel1 ? 13 : 15);
    // Numbers rise by one from label to label, in full-width digits.
    const int first = captions[3] == u"６０" ? 0 : 1;
    QCOMPARE(labels->captions[20], toFullWidth(QString::number(21 - first)));
    if (style == 5)
        QCOMPARE(ticketStyleItem(style), QStringLiteral("「無券」、2,3... 60"));
}

void tst_BoardUpdate::stepping_data()
{
    QTest::addColumn<int>("curStop");
    QTest::addColumn<int>("stopCount");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("target"); // -1: the step does nothing
    QTest::newRow("back from record 3") << 2 << 10 << 0 << 1;
    QTest::newRow("back at record 1") << 0 << 10 << 0 << -1;
    QTest::newRow("forward to last") << 8 << 10 << 1 << 9;
    QTest::newRow("forward at last") << 9 << 10 << 1 << -1;
    QTest::newRow("no route set") << 0 << 0 << 1 << -1;
    QTest::newRow("unknown direction") << 3 << 10 << 2 << -1;
    QTest::newRow("never past the table") << 300 << 400 << 1 << -1;
}

void tst_BoardUpdate::stepping()
{
    QFETCH(int, curStop);
    QFETCH(int, stopCount);
    QFETCH(int, direction);
    QFETCH(int, target);
    RouteState state;
    state.CurStop = qint16(curStop);
    state.StopCount = qint16(stopCount);
    QCOMPARE(stepRoute(state, direction), target >= 0);
    QCOMPARE(int(state.CurStop), target >= 0 ? target : curStop);
}

void tst_BoardUpdate::stepSound_data()
{
    QTest::addColumn<bool>("always");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("field");
    QTest::newRow("always") << true << 0 << 61 << 7;
    QTest::newRow("value 1") << false << 1 << 61 << 8;
    QTest::newRow("value 0") << false << 0 << 61 << -1;
    QTest::newRow("value 4") << false << 4 << 61 << -1;
    QTest::newRow("value -1") << false << -1 << 61 << -1;
    QTest::newRow("column past 150") << false << 2 << 151 << -1;
}

void tst_BoardUpdate::stepSound()
{
    QFETCH(bool, always);
    QFETCH(int, value);
    QFETCH(int, column);
    QFETCH(int, field);
    FareRecord stop;
    stop.Values[60] = qint16(value);
    QCOMPARE(stepSoundField(always, stop, column), field);
}

LUMINA_TEST_MAIN(tst_BoardUpdate)
#include "tst_boardupdate.moc"
