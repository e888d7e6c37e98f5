#include "FakeHostLib.h"
#include "RouteFixture.h"
#include "TestMain.h"

#include "route/RouteSetting.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

using namespace lumina;
using namespace lumina::test;

class tst_RouteSetting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keypadEntry_data();
    void keypadEntry();
    void listEntry();
    void sections_data();
    void sections();
    void badFiles_data();
    void badFiles();
    void shorterRouteLeavesNoTrace();
    void routeDate();

private:
    QTemporaryDir m_dir;
    QString file(const QString &name) const { return m_dir.filePath(name); }
};

void tst_RouteSetting::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir.path()));
}

void tst_RouteSetting::keypadEntry_data()
{
    const QString sep = QDir::separator();
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("section");
    QTest::newRow("leading zeros") << "00012" << "000" << "" << "12.hy3" << 1;
    QTest::newRow("all zeros") << "00000" << "" << "data" << "data" + sep + "0.hy3" << 1;
    QTest::newRow("empty") << "" << "003" << "data\\" << "data" + sep + "0.hy3" << 3;
    QTest::newRow("zero inside") << "10200" << "301" << "data/" << "data" + sep + "10200.hy3" << 300;
    QTest::newRow("longer than an int") << "12345678901234" << "99999999999999" << "/"
                                        << sep + "12345678901234.hy3" << 300;
}

void tst_RouteSetting::keypadEntry()
{
    QFETCH(QString, route);
    QFETCH(QString, caption);
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QFETCH(int, section);
    QCOMPARE(fareFilePath(folder, route), path);
    const RouteEntry entry = entryFromKeypad(route, caption);
    QCOMPARE(entry.routeNo, route);
    QCOMPARE(int(clampSection(entry.section)), section);
}

void tst_RouteSetting::listEntry()
{
    const RouteEntry lists = entryFromLists({0, 0, 0, 1, 2}, {0, 1, 5});
    QCOMPARE(lists.routeNo, QStringLiteral("00012"));
    QCOMPARE(lists.section, 15);
    // A list with nothing selected adds no digit.
    const RouteEntry partial = entryFromLists({-1, 4, -1, -1, 2}, {-1, -1, -1});
    QCOMPARE(partial.routeNo, QStringLiteral("42"));
    QCOMPARE(partial.section, 0);
}

void tst_RouteSetting::sections_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("startSection"); // 0: refused with the section message
    QTest::newRow("000 starts at 1") << 10 << "000" << 1;
    QTest::newRow("N=10, 9") << 10 << "9" << 9;
    QTest::newRow("N=10, 10") << 10 << "10" << 0;
    QTest::newRow("N=1 refuses 1") << 1 << "1" << 0;
    QTest::newRow("N=301, 999 is 300") << 301 << "999" << 300;
    QTest::newRow("N=300, 999 refused") << 300 << "999" << 0;
}

void tst_RouteSetting::sections()
{
    QFETCH(int, count);
    QFETCH(QString, caption);
    QFETCH(int, startSection);
    QVERIFY(writeAll(file(QStringLiteral("7.hy3")), FareFileWriter().toBytes(route(count))));
    FakeHostLib fake;
    RouteState state;
    const bool set = setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("7"), caption));
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

void tst_RouteSetting::badFiles_data()
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
void tst_RouteSetting::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QVERIFY(writeAll(file(QStringLiteral("5.hy3")), FareFileWriter().toBytes(route(20))));
    const QString path = file(QStringLiteral("12.hy3"));
    if (bytes == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (bytes == "unreadable")
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
    else if (bytes != "missing")
        QVERIFY(writeAll(path, bytes));
    FakeHostLib fake;
    RouteState state;
    QVERIFY(setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("05"), QStringLiteral("4"))));
    state.CurStop = 9; // stepped on since
    const RouteState before = state;

    QVERIFY(!setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("00012"), QStringLiteral("1"))));
    QCOMPARE(fake.messages.size(), 1);
    const auto &shown = fake.messages[0];
    QVERIFY2(shown.text.contains(message), qPrintable(shown.text));
    QCOMPARE(shown.buttons, MsgButtons::Ok);
    QCOMPARE(shown.icon, MsgIcon::None);
    QCOMPARE(shown.title, QGuiApplication::applicationDisplayName());
    QVERIFY(state == before);
}

void tst_RouteSetting::shorterRouteLeavesNoTrace()
{
    QVERIFY(writeAll(file(QStringLiteral("1.hy3")), FareFileWriter().toBytes(route(40))));
    QVERIFY(writeAll(file(QStringLiteral("2.hy3")), FareFileWriter().toBytes(route(6))));
    FakeHostLib fake;
    RouteState state;
    QVERIFY(setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("1"), QStringLiteral("30"))));
    QVERIFY(setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("2"), QStringLiteral("2"))));
    QCOMPARE(state.StopCount, qint16(6));
    QCOMPARE(state.CurStop, qint16(1));
    for (int s = 7; s <= FareTable::Size; ++s)
        QVERIFY(state.FareTable.entry(s) == FareRecord());
}

void tst_RouteSetting::routeDate()
{
    const QDate day(2009, 12, 31);
    const QString fixed = QStringLiteral("2009/01/30");
    QCOMPARE(ticketDate(QDate(2009, 1, 5)), QStringLiteral("01-05-2009"));
    QCOMPARE(ticketTime(QTime(8, 5, 0)), QStringLiteral("08:05:00"));
    QCOMPARE(routeDateAtSetting(0, day, fixed), QStringLiteral("12-31-2009"));
    QCOMPARE(routeDateAtSetting(1, day, fixed), QStringLiteral("12-31-2009"));
    QCOMPARE(routeDateAtSetting(2, day, fixed), fixed);
}

LUMINA_TEST_MAIN(tst_RouteSetting)
#include "tst_routesetting.moc"
