#include "FakeHostLib.h"
#include "RouteFixture.h"
#include "TestMain.h"

#include "route/BoardUpdate.h"
#include "route/RouteSetting.h"

using namespace lumina;
using namespace lumina::test;

namespace {

const QDateTime kNow(QDate(2009, 1, 5), QTime(8, 5, 0));

// A route of 10 stops; at stop s fare t is 100 s + t, ticket number 20 + s,
// value 61 is s mod 5 and value 150 is 1000 + s.
RouteState tenStops(int startSection = 1)
{
    RouteState state;
    state.routeNumber = QStringLiteral("00012");
    state.startSection = qint16(startSection);
    state.stopCount = 10;
    state.ticketDate = QStringLiteral("01-02-2009");
    state.fares.assign(test::route(10));
    for (int s = 1; s <= 10; ++s) {
        FareRecord &r = state.fares.entry(s);
        r.ticketNumber = qint16(20 + s);
        r.values[60] = qint16(s % 5);
        r.values[149] = qint16(1000 + s);
    }
    return state;
}

} // namespace

class tst_RouteSetting : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.emplace(); // a fresh folder for every test
        QVERIFY(m_dir->isValid());
    }
    void keypadEntry_data() { fixtureTable("route/keypad-entry.txt", 6); }
    void keypadEntry()
    {
        QFETCH(QStringList, row);
        QCOMPARE(fareFilePath(row[2], row[0]), row[3]);
        const RouteEntry entry = entryFromKeypad(row[0], row[1]);
        QCOMPARE(entry.routeNumber, row[0]);
        QCOMPARE(int(clampSection(entry.section)), row[4].toInt());
    }
    void listEntry()
    {
        const RouteEntry lists = entryFromLists({0, 0, 0, 1, 2}, {0, 1, 9});
        QCOMPARE(lists.routeNumber + u' ' + QString::number(lists.section), QStringLiteral("00012 19"));
        const RouteEntry partial = entryFromLists({-1, 4, -1, -1, 2}, {-1, -1, 10});
        QCOMPARE(partial.routeNumber + u' ' + QString::number(partial.section), QStringLiteral("42 0"));
    }
    void sections_data() { fixtureTable("route/sections.txt", 4); }
    void sections()
    {
        QFETCH(QStringList, row);
        const int count = row[0].toInt();
        const int startSection = row[2].toInt();
        QVERIFY(writeFile(file(QStringLiteral("1.hy3")), FareFileWriter().toBytes(route(301, QStringLiteral("前")))));
        QVERIFY(writeFile(file(QStringLiteral("7.hy3")), FareFileWriter().toBytes(route(count))));
        FakeHostLib fake;
        RouteState state;
        QVERIFY(setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("1"), QStringLiteral("30"))));
        const RouteState before = state;
        const bool set = setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("7"), row[1]));
        QCOMPARE(set, startSection != 0);
        if (!set) {
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.messages[0].text, sectionTooLargeMessage());
            QVERIFY(state == before);
            return;
        }
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(QList<int>({state.startSection, state.currentStop, state.stopCount}),
                 QList<int>({startSection, startSection - 1, count}));
        QCOMPARE(state.routeNumber, QStringLiteral("7"));
        QVERIFY(state.fares.entry(startSection) == route(count)[size_t(startSection - 1)]);
        // Nothing of the longer route set before stays past the last stop.
        for (int s = count + 1; s <= FareTable::kEntryCount; ++s)
            QVERIFY(state.fares.entry(s) == FareRecord());
    }
    void badFiles_data() { fixtureTable("route/route-refused.txt", 3); }
    void badFiles()
    {
        QFETCH(QStringList, row);
        const QByteArray bytes = fareBytes(row[0]);
        QVERIFY(writeFile(file(QStringLiteral("5.hy3")), FareFileWriter().toBytes(route(20))));
        const QString path = file(QStringLiteral("12.hy3"));
        if (bytes == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (bytes == "unreadable")
#ifdef Q_OS_LINUX
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
#else
            QSKIP("needs Linux's /proc/self/mem: a file that is there but cannot be read");
#endif
        else if (bytes != "missing")
            QVERIFY(writeFile(path, bytes));
        FakeHostLib fake;
        RouteState state;
        QVERIFY(setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("05"), QStringLiteral("4"))));
        state.currentStop = 9; // stepped on since
        const RouteState before = state;
        QVERIFY(!setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("00012"), QStringLiteral("1"))));
        QCOMPARE(fake.messages.size(), 1);
        const auto &shown = fake.messages[0];
        QVERIFY2(shown.text.contains(row[1]), qPrintable(shown.text));
        QCOMPARE(shown.buttons, MessageButtons::Ok);
        QCOMPARE(shown.icon, MessageIcon::None);
        QCOMPARE(shown.title, QGuiApplication::applicationDisplayName());
        QVERIFY(state == before);
    }
    void faresFromStartSection_data() { test::fixtureTable("route/fares-from-section.txt", 3); }
    void faresFromStartSection()
    {
        QFETCH(QStringList, row);
        const int startSection = row[0].toInt();
        const int stop = row[1].toInt();
        BoardOptions options;
        options.infoOn = {true, true, true, true, false};
        options.infoIndex = {70, 70, 70, 70, 0}; // no cell: fares alone
        const BoardView view = boardView(tenStops(startSection), stop, options, kNow);
        const bool inTable = stop >= 1 && stop <= FareTable::kEntryCount;
        for (int t = 1; t <= 60; ++t) {
            const auto &cell = view.cells[size_t(t - 1)];
            QCOMPARE(cell.has_value(), inTable && t >= startSection);
            if (cell)
                QCOMPARE(cell->toInt(), 100 * stop + t);
        }
    }
    void lateNight_data() { test::fixtureTable("route/late-night.txt", 4); }
    void lateNight()
    {
        QFETCH(QStringList, row);
        QCOMPARE(shownFare(qint16(row[0].toInt()), row[1] == u"1"), row[2].toInt());
    }
    void informationNumbers_data() { test::fixtureTable("route/info-numbers.txt", 5); }
    void informationNumbers()
    {
        QFETCH(QStringList, row);
        const QStringList index = row[1].split(u' ');
        BoardOptions options;
        for (int i = 0; i < 5; ++i) {
            options.infoOn[size_t(i)] = row[0][i] == u'o';
            options.infoIndex[size_t(i)] = index[i].toInt();
        }
        options.lateNight = row[0][5] == u'o';
        const BoardView view = boardView(tenStops(), row[2].toInt(), options, kNow);
        for (const QString &expected : row[3].split(u' ')) {
            const auto &cell = view.cells[size_t(expected.section(u'=', 0, 0).toInt() - 1)];
            const QString v = expected.section(u'=', 1);
            const QVariant want = v.startsWith(u'"') ? QVariant(v.mid(1, v.size() - 2)) : QVariant(v.toInt());
            QVERIFY(cell.has_value());
            QCOMPARE(cell->typeId(), want.typeId());
            QCOMPARE(*cell, want);
        }
    }
    void ticketDate_data() { test::fixtureTable("route/ticket-date.txt", 4); }
    void ticketDate()
    {
        QFETCH(QStringList, row);
        BoardOptions options;
        options.dateMode = row[0].toInt();
        options.fixedDate = QStringLiteral("2009/01/30");
        const BoardView view = boardView(tenStops(), 2, options, kNow);
        QCOMPARE(view.ticketDate, row[1]);
        QCOMPARE(view.ticketTime, QStringLiteral("08:05:00"));
        QCOMPARE(ticketDateAtSetting(options.dateMode, kNow.date(), options.fixedDate), row[2]);
    }
    void labels_data() { test::fixtureTable("route/ticket-labels.txt", 6); }
    void labels()
    {
        QFETCH(QStringList, row);
        QCOMPARE(ticketStyleItem(row[0].toInt()), row[4]);
        const QStringList captions = row[2].isEmpty() ? QStringList() : row[2].split(u',');
        const bool wordLabel1 = row[3] == u"1"; // label 1 in the 13-point text face
        const auto labels = ticketLabels(row[0].toInt(), row[1].toInt());
        QCOMPARE(labels.has_value(), !captions.isEmpty());
        if (!labels)
            return;
        const QStringList shown{labels->captions[0], labels->captions[1], labels->captions[9], labels->captions[59]};
        QCOMPARE(shown, captions);
        QCOMPARE(labels->label1Font, wordLabel1 ? QStringLiteral("ＭＳ Ｐゴシック") : QStringLiteral("M_NumP1"));
        QCOMPARE(labels->label1PointSize, wordLabel1 ? 13 : 15);
        const int first = captions[3] == u"６０" ? 0 : 1;
        QCOMPARE(labels->captions[20], toFullWidth(QString::number(21 - first)));
        QCOMPARE(toFullWidth(u" !9~\x7f"), QStringLiteral("\u3000！９～\x7f"));
    }
    void stepping_data() { test::fixtureTable("route/stepping.txt", 5); }
    void stepping()
    {
        QFETCH(QStringList, row);
        const int target = row[3].toInt();
        RouteState state;
        state.currentStop = qint16(row[0].toInt());
        state.stopCount = qint16(row[1].toInt());
        QCOMPARE(stepRoute(state, row[2].toInt()), target >= 0);
        QCOMPARE(int(state.currentStop), target >= 0 ? target : row[0].toInt());
    }
    void stepSound_data() { test::fixtureTable("route/step-sound.txt", 5); }
    void stepSound()
    {
        QFETCH(QStringList, row);
        FareRecord stop;
        stop.values[60] = qint16(row[1].toInt());
        QCOMPARE(stepSoundField(row[0] == u"1", stop, row[2].toInt()), row[3].toInt());
    }
private:
    std::optional<QTemporaryDir> m_dir;
    QString file(const QString &name) const { return m_dir->filePath(name); }
};

LUMINA_TEST_MAIN(tst_RouteSetting)
#include "tst_routesetting.moc"
