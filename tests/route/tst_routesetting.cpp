#include "FakeHostLib.h"
#include "FixtureRows.h"
#include "RouteFixture.h"
#include "TestMain.h"

#include "route/RouteSetting.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <optional>

using namespace lumina;
using namespace lumina::test;

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
        QCOMPARE(fareFilePath(row[2], row[0]), QString(row[3]).replace(u'/', QDir::separator()));
        const RouteEntry entry = entryFromKeypad(row[0], row[1]);
        QCOMPARE(entry.routeNo, row[0]);
        QCOMPARE(int(clampSection(entry.section)), row[4].toInt());
    }

    void listEntry()
    {
        const RouteEntry lists = entryFromLists({0, 0, 0, 1, 2}, {0, 1, 5});
        QCOMPARE(lists.routeNo, QStringLiteral("00012"));
        QCOMPARE(lists.section, 15);
        // A list with nothing selected adds no digit.
        const RouteEntry partial = entryFromLists({-1, 4, -1, -1, 2}, {-1, -1, -1});
        QCOMPARE(partial.routeNo, QStringLiteral("42"));
        QCOMPARE(partial.section, 0);
    }

    void sections_data() { fixtureTable("route/sections.txt", 4); }
    void sections()
    {
        QFETCH(QStringList, row);
        const int count = row[0].toInt();
        const int startSection = row[2].toInt();
        QVERIFY(writeFile(file(QStringLiteral("7.hy3")), FareFileWriter().toBytes(route(count))));
        FakeHostLib fake;
        RouteState state;
        const bool set = setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("7"), row[1]));
        QCOMPARE(set, startSection != 0);
        if (!set) {
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.messages[0].text, sectionTooLargeMessage());
            QVERIFY(state == RouteState());
            return;
        }
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(QList<int>({state.StartSection, state.CurStop, state.StopCount}),
                 QList<int>({startSection, startSection - 1, count}));
        QCOMPARE(state.RouteNo, QStringLiteral("7"));
        QVERIFY(state.FareTable.entry(startSection) == route(count)[size_t(startSection - 1)]);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray one = FareFileWriter().toBytes(route(1)).mid(2);
        QTest::newRow("count 0") << le16(0) << emptyRouteMessage();
        QTest::newRow("empty file") << QByteArray() << emptyRouteMessage();
        QTest::newRow("more than 301") << le16(400) + one << QStringLiteral("データの数は400");
        QTest::newRow("truncated record") << le16(3) + one + one + one.left(200)
                                          << QStringLiteral("3番目のデータが欠けています");
        QTest::newRow("missing") << QByteArray("missing") << noRouteDataMessage();
        QTest::newRow("folder") << QByteArray("folder") << QStringLiteral("フォルダー");
        // Opening succeeds but reading fails: the first page of a process's memory is
        // never mapped. Works for root too, unlike a mode of 000.
        QTest::newRow("unreadable") << QByteArray("unreadable") << QStringLiteral("読み込めませんでした");
    }

    // Every bad file gives its message and leaves the route in force untouched.
    void badFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QVERIFY(writeFile(file(QStringLiteral("5.hy3")), FareFileWriter().toBytes(route(20))));
        const QString path = file(QStringLiteral("12.hy3"));
        if (bytes == "folder")
            QVERIFY(QDir().mkpath(path));
        else if (bytes == "unreadable")
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
        else if (bytes != "missing")
            QVERIFY(writeFile(path, bytes));
        FakeHostLib fake;
        RouteState state;
        QVERIFY(setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("05"), QStringLiteral("4"))));
        state.CurStop = 9; // stepped on since
        const RouteState before = state;

        QVERIFY(!setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("00012"), QStringLiteral("1"))));
        QCOMPARE(fake.messages.size(), 1);
        const auto &shown = fake.messages[0];
        QVERIFY2(shown.text.contains(message), qPrintable(shown.text));
        QCOMPARE(shown.buttons, MsgButtons::Ok);
        QCOMPARE(shown.icon, MsgIcon::None);
        QCOMPARE(shown.title, QGuiApplication::applicationDisplayName());
        QVERIFY(state == before);
    }

    void shorterRouteLeavesNoTrace()
    {
        QVERIFY(writeFile(file(QStringLiteral("1.hy3")), FareFileWriter().toBytes(route(40))));
        QVERIFY(writeFile(file(QStringLiteral("2.hy3")), FareFileWriter().toBytes(route(6))));
        FakeHostLib fake;
        RouteState state;
        QVERIFY(setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("1"), QStringLiteral("30"))));
        QVERIFY(setRoute(state, m_dir->path(), entryFromKeypad(QStringLiteral("2"), QStringLiteral("2"))));
        QCOMPARE(state.StopCount, qint16(6));
        QCOMPARE(state.CurStop, qint16(1));
        for (int s = 7; s <= FareTable::Size; ++s)
            QVERIFY(state.FareTable.entry(s) == FareRecord());
    }

    void routeDate()
    {
        const QDate day(2009, 12, 31);
        const QString fixed = QStringLiteral("2009/01/30");
        QCOMPARE(ticketDate(QDate(2009, 1, 5)), QStringLiteral("01-05-2009"));
        QCOMPARE(routeDateAtSetting(0, day, fixed), QStringLiteral("12-31-2009"));
        QCOMPARE(routeDateAtSetting(1, day, fixed), QStringLiteral("12-31-2009"));
        QCOMPARE(routeDateAtSetting(2, day, fixed), fixed);
    }

private:
    std::optional<QTemporaryDir> m_dir;
    QString file(const QString &name) const { return m_dir->filePath(name); }
};

LUMINA_TEST_MAIN(tst_RouteSetting)
#include "tst_routesetting.moc"
