#include "FakeHostLib.h"
#include "TestMain.h"

#include "route/FareFile.h"
#include "route/RouteSetting.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>

using namespace lumina;
using lumina::test::FakeHostLib;

namespace {

// Stop s: name "停留所s", ticket s, value t = 100 s + t.
std::vector<FareRecord> route(int count)
{
    std::vector<FareRecord> records(static_cast<size_t>(count));
    for (int s = 1; s <= count; ++s) {
        FareRecord &r = records[size_t(s - 1)];
        r.StopName = QStringLiteral("停留所%1").arg(s);
        r.TicketNo = qint16(s);
        for (int t = 1; t <= FareRecord::ValueCount; ++t)
            r.Values[size_t(t - 1)] = qint16(100 * s + t);
    }
    return records;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray routeBytes(int count)
{
    return FareFileWriter().toBytes(route(count));
}

QByteArray le16(int v)
{
    QByteArray b(2, Qt::Uninitialized);
    qToLittleEndian<qint16>(qint16(v), b.data());
    return b;
}

} // namespace

class tst_RouteSetting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void routeKey_data();
    void routeKey();
    void clampSection_data();
    void clampSection();
    void entries();
    void joinFolder_data();
    void joinFolder();
    void sections_data();
    void sections();
    void badFiles_data();
    void badFiles();
    void shorterRouteLeavesNoTrace();
    void routeDate();

private:
    QTemporaryDir m_dir;
};

void tst_RouteSetting::init()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).removeRecursively();
    QVERIFY(QDir().mkpath(m_dir.path()));
}

void tst_RouteSetting::routeKey_data()
{
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("key");
    QTest::newRow("leading zeros") << "00012" << "12";
    QTest::newRow("all zeros") << "00000" << "0";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("zero inside") << "10200" << "10200";
    QTest::newRow("longer than an int") << "12345678901234" << "12345678901234";
}

void tst_RouteSetting::routeKey()
{
    QFETCH(QString, entered);
    QFETCH(QString, key);
    QCOMPARE(lumina::routeKey(entered), key);
}

void tst_RouteSetting::clampSection_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("section");
    QTest::newRow("000") << "000" << 1;
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("003") << "003" << 3;
    QTest::newRow("301") << "301" << 300;
    QTest::newRow("999") << "999" << 300;
    QTest::newRow("huge") << "99999999999999" << 300;
}

void tst_RouteSetting::clampSection()
{
    QFETCH(QString, caption);
    QFETCH(int, section);
    QCOMPARE(int(lumina::clampSection(entryNumber(caption))), section);
}

void tst_RouteSetting::entries()
{
    const RouteEntry keypad = entryFromKeypad(QStringLiteral("00012"), QStringLiteral("003"));
    QCOMPARE(keypad.routeNo, QStringLiteral("00012"));
    QCOMPARE(keypad.section, 3);

    const RouteEntry lists = entryFromLists({0, 0, 0, 1, 2}, {0, 1, 5});
    QCOMPARE(lists.routeNo, QStringLiteral("00012"));
    QCOMPARE(lists.section, 15);

    // A list with nothing selected adds no digit.
    const RouteEntry partial = entryFromLists({-1, 4, -1, -1, 2}, {-1, -1, -1});
    QCOMPARE(partial.routeNo, QStringLiteral("42"));
    QCOMPARE(partial.section, 0);
}

void tst_RouteSetting::joinFolder_data()
{
    const QString sep = QDir::separator();
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    QTest::newRow("empty") << "" << "12.hy3";
    QTest::newRow("plain") << "data" << "data" + sep + "12.hy3";
    QTest::newRow("backslash") << "data\\" << "data" + sep + "12.hy3";
    QTest::newRow("slash") << "data/" << "data" + sep + "12.hy3";
    QTest::newRow("root") << "/" << sep + "12.hy3";
}

void tst_RouteSetting::joinFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(fareFilePath(folder, u"00012"), path);
}

void tst_RouteSetting::sections_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("startSection"); // 0: refused with the section message
    QTest::newRow("000 starts at 1") << 10 << "000" << 1;
    QTest::newRow("empty starts at 1") << 10 << "" << 1;
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
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("7.hy3")), routeBytes(count)));
    FakeHostLib fake;
    RouteState state;
    const bool set =
        setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("7"), caption));
    QCOMPARE(set, startSection != 0);
    if (!set) {
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.messages[0].text, sectionTooLargeMessage());
        QVERIFY(state == RouteState());
        return;
    }
    QVERIFY(fake.messages.isEmpty());
    QCOMPARE(int(state.StartSection), startSection);
    QCOMPARE(int(state.CurStop), startSection - 1);
    QCOMPARE(state.StopCount, qint16(count));
    QCOMPARE(state.RouteNo, QStringLiteral("7"));
    QCOMPARE(state.FareTable.entry(startSection).StopName,
             QStringLiteral("停留所%1").arg(startSection));
    QCOMPARE(state.FareTable.entry(startSection).value(1), qint16(100 * startSection + 1));
    QVERIFY(count == FareTable::Size || state.FareTable.entry(count + 1) == FareRecord());
}

void tst_RouteSetting::badFiles_data()
{
    const QByteArray one = FareFileWriter().toBytes(route(1)).mid(2);
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("exact");
    QTest::newRow("count 0") << le16(0) << emptyRouteMessage() << true;
    QTest::newRow("empty file") << QByteArray() << emptyRouteMessage() << true;
    QTest::newRow("negative count") << le16(-2) + one << QStringLiteral("データの数が-2") << false;
    QTest::newRow("more than 301") << le16(400) + one << QStringLiteral("データの数は400")
                                   << false;
    QTest::newRow("truncated record")
        << le16(3) + one + one + one.left(200) << QStringLiteral("3番目のデータが欠けています")
        << false;
    QTest::newRow("name length past end")
        << le16(3) + one + le16(5000) + "AB" << QStringLiteral("2番目のデータが欠けています")
        << false;
    QTest::newRow("missing") << QByteArray("missing") << noRouteDataMessage() << true;
    QTest::newRow("folder") << QByteArray("folder") << QStringLiteral("フォルダー") << false;
    // Opening succeeds but reading fails: the first page of a process's memory is
    // never mapped. Works for root too, unlike a mode of 000.
    QTest::newRow("unreadable") << QByteArray("unreadable")
                                << QStringLiteral("読み込めませんでした") << false;
}

// Every bad file gives its message and leaves the route in force untouched.
void tst_RouteSetting::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(bool, exact);

    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("5.hy3")), routeBytes(20)));
    const QString path = m_dir.filePath(QStringLiteral("12.hy3"));
    if (bytes == "folder")
        QVERIFY(QDir().mkpath(path));
    else if (bytes == "unreadable")
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
    else if (bytes != "missing")
        QVERIFY(writeFile(path, bytes));
    FakeHostLib fake;
    RouteState state;
    QVERIFY(setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("05"), QStringLiteral("4"))));
    state.CurStop = 9; // stepped on since
    const RouteState before = state;

    QVERIFY(!setRoute(state, m_dir.path(), entryFromKeypad(QStringLiteral("00012"), QStringLiteral("1"))));
    QCOMPARE(fake.messages.size(), 1);
    const auto &shown = fake.messages[0];
    if (exact)
        QCOMPARE(shown.text, message);
    else
        QVERIFY2(shown.text.contains(message), qPrintable(shown.text));
    QCOMPARE(shown.buttons, MsgButtons::Ok);
    QCOMPARE(shown.icon, MsgIcon::None);
    QCOMPARE(shown.title, QGuiApplication::applicationDisplayName());
    QVERIFY(state == before);
}

void tst_RouteSetting::shorterRouteLeavesNoTrace()
{
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("1.hy3")), routeBytes(40)));
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("2.hy3")), routeBytes(6)));
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
    QCOMPARE(ticketDate(QDate(2009, 1, 5)), QStringLiteral("01-05-2009"));
    QCOMPARE(ticketTime(QTime(8, 5, 0)), QStringLiteral("08:05:00"));
    QCOMPARE(routeDateAtSetting(0, day, QStringLiteral("2009/01/30")), QStringLiteral("12-31-2009"));
    QCOMPARE(routeDateAtSetting(1, day, QStringLiteral("2009/01/30")), QStringLiteral("12-31-2009"));
    QCOMPARE(routeDateAtSetting(2, day, QStringLiteral("2009/01/30")), QStringLiteral("2009/01/30"));
}

LUMINA_TEST_MAIN(tst_RouteSetting)
#include "tst_routesetting.moc"
