#include "TestMain.h"

#include "../settings/SettingsFixtures.h"
#include "FakeHostLib.h"
#include "app/Lumina.h"
#include "app/SettingsStore.h"
#include "base/CodePage.h"
#include "controls/StopNameStrip.h"
#include "controls/DigitRow.h"
#include "controls/FareCell.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QDir>
#include <QScrollBar>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace lumina;
using namespace lumina::test;

// Loading the settings into the windows and saving them from there, also when either goes wrong.
class tst_SettingsStore : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(bin()));
        m_location = {m_dir->filePath(QStringLiteral("bin/ルミナ")), m_dir->filePath(QStringLiteral("config/Lumina")),
                      [](const QString &) { return true; }, {}, false};
        m_records = initialRecords();
        m_asLoaded = {};
        m_host = std::make_unique<FakeHostLib>();
        m_board = std::make_unique<BoardWindow>();
        m_panel = std::make_unique<PanelWindow>();
        m_board->move(0, 0);
        m_panel->move(400, 400);
        m_log.clear();
    }
    void cleanup()
    {
        m_panel.reset();
        m_board.reset();
        m_host.reset();
    }
    void firstSaveWithoutFile()
    {
        QVERIFY(writeFile(beside(), QByteArray(5000, 'x'))); // a longer file is replaced whole
        QVERIFY(saveIni(targets(), m_location, m_records));
        QCOMPARE(readFile(beside()).size(), kSettingsFileBaseSize + 10);
        // The windows' own values are the values of a start without a file.
        const SettingsFile saved = parse(readFile(beside()));
        SettingsFile expected = initialRecords();
        expected.controlPanel = saved.controlPanel;
        expected.board = saved.board;
        QVERIFY(saved == expected);
    }
    void everyFieldLoadsInOrderAndSavesBackIdentical()
    {
        m_board->setAllCells(1230);
        const QByteArray original = fixture("every_field.in4");
        QVERIFY(writeFile(beside(), original));
        for (const char *name : {"Check4", "Check2"})
            connect(control(m_panel.get(), name), &QAbstractButton::clicked, this, [&, name](bool on) { m_log << QStringLiteral("%1 %2").arg(name).arg(on); });
        QVERIFY(loadIni(targets(), m_location, m_records));
        QVERIFY(m_host->messages.isEmpty());
        QCOMPARE(m_log, (QStringList{"Check4 1", "Check2 1", "SetProp"}));
        QVERIFY(m_records == parse(original));
        // The double-click replay sent the keypad frame back: the digit lists show.
        QVERIFY(m_panel->children().indexOf(control<QWidget>(m_panel.get(), "Frame1_1")) < m_panel->children().indexOf(control<QWidget>(m_panel.get(), "Frame1_0")));
        QCOMPARE(m_panel->pos(), QPoint(200, 300));
        QCOMPARE(m_board->pos(), QPoint(100, 80));
        // The cells take their digit settings and colours, emptied; the clock the colours only.
        const SettingsFile expected = parse(original);
        const auto *strip = control<StopNameStrip>(m_board.get(), "ChimeiCtl");
        QCOMPARE((QList{strip->backColour(), strip->textColour()}), (QList{expected.stopName.backColour, expected.stopName.textColour}));
        const InfoDigitSettings &info = expected.infoDigits;
        for (const auto *digit : {control<SegmentDisplay>(m_board.get(), "Degit_60"), control<SegmentDisplay>(m_board.get(), "TimeDegit_1")})
            QCOMPARE((QList{digit->backColour(), digit->unlitColour(), digit->litColour()}), (QList{info.backColour, info.unlitColour, info.litColour}));
        QCOMPARE(control<SegmentDisplay>(m_board.get(), "TimeDegit_1")->shift(), qint16(0));
        for (int i = 1; i <= 60; ++i)
            QCOMPARE(control<FareCell>(m_board.get(), "Degit_%1", i)->value().toString(), QStringLiteral(" "));
        QVERIFY(saveIni(targets(), m_location, m_records));
        QCOMPARE(readFile(beside()), original);
        for (int i = 1; i <= 60; ++i) {
            auto *cell = control<FareCell>(m_board.get(), "Degit_%1", i);
            cell->setZeroMode(3);
            cell->setShift(1);
            cell->setFillZero(2);
        }
        QVERIFY(saveIni(targets(), m_location, m_records));
        for (const CellDigitSetting &cell : parse(readFile(beside())).cells)
            QCOMPARE((QList{cell.zeroMode, cell.shift, cell.fillZero}), (QList<qint16>{3, 1, 2}));
        control<QScrollBar>(m_panel.get(), "HScroll1_0")->setValue(7); // moved since the load: saved, and the model follows
        m_board->move(120, 90);
        QVERIFY(saveIni(targets(), m_location, m_records));
        const SettingsFile saved = parse(readFile(beside()));
        QCOMPARE((QList{saved.controlPanel.scrollSpeed, m_records.controlPanel.scrollSpeed, saved.board.left}), (QList{7, 7, 1800}));
        m_records.folders.fareDataFolder = QStringLiteral("/home/andré"); // no é in the code page: stored as loaded, said once
        m_records.sounds.preSound = QStringLiteral("駅〜前.wav");
        QVERIFY(saveIni(targets(), m_location, m_records));
        QVERIFY(parse(readFile(beside())) == saved && m_host->messages.size() == 1);
        QVERIFY(m_host->messages[0].text.contains(u"「é」") && m_host->messages[0].text.contains(u"「〜」"));
    }
    void loadFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "dir": a folder in its place; "none": no file
        QTest::addColumn<QString>("message"); // the start of it; empty: none
        QTest::addColumn<bool>("applied");
        SettingsFile bad = parse(fixture("every_field.in4"));
        // Windows placed out of every screen's sight stay put; the rest of the panel state is restored.
        bad.board = {-2147483647 - 1, 2147483647};
        bad.controlPanel.left = 15 * 100000;
        QTest::newRow("out of sight") << SettingsWriter::toBytes(bad) << "" << true;
        bad.controlPanel.preview = 5; // a check box has no such value
        QTest::newRow("panel check box 5") << SettingsWriter::toBytes(bad) << "エラー Code:380\r\n" << false;
        QTest::newRow("list index 60") << fixture("bad_combo.in4") << "エラー Code:380\r\n内容:プロパティの値が不正です。\r\n" << false;
        QTest::newRow("no file: a first start") << QByteArray("none") << "" << false;
        QTest::newRow("empty file") << QByteArray("") << "" << false;
        QTest::newRow("folder in its place") << QByteArray("dir") << "エラー Code:" << false;
        QTest::newRow("a file that fails to read") << QByteArray("eio") << "エラー Code:" << false;
    }
    void loadFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(bool, applied);
        if (bytes == "eio" && !QFile::link(QStringLiteral("/proc/self/mem"), beside())) // opens, and fails at the first read
            QSKIP("no /proc/self/mem to read from");
        QVERIFY(bytes == "none" || bytes == "eio" || (bytes == "dir" ? QDir().mkpath(beside()) : writeFile(beside(), bytes)));
        QCOMPARE(loadIni(targets(), m_location, m_records), message.isEmpty());
        QCOMPARE(m_host->messages.size(), message.isEmpty() ? 0 : 1);
        const QString text = m_host->messages.value(0).text;
        QVERIFY(message.isEmpty() || (text.startsWith(message) && text.contains(QStringLiteral("\r\nモジュール:mdlIniIo.LoadIni()"))));
        // A file refused part-way is kept aside as it was, and the message says where.
        const QString kept = bin() + QStringLiteral("/ルミナ.damaged.in4");
        QCOMPARE(readFile(kept), message.startsWith(u"エラー Code:380") ? bytes : QByteArray());
        QCOMPARE(text.contains(QStringLiteral("元のファイルは「%1」として残しました。").arg(kept)), QFileInfo::exists(kept));
        // Nothing after a failing field: neither the panel nor the board nor the options on the board.
        QCOMPARE(m_log.contains("SetProp"), applied);
        // What a later save compares with is the file as read; a file that could not be read is no such thing.
        QCOMPARE(m_asLoaded == SettingsFile(), bytes == "dir" || bytes == "none" || bytes == "eio");
        if (applied)
            QCOMPARE(control<QScrollBar>(m_panel.get(), "HScroll1_1")->value(), 2500);
        QCOMPARE(m_panel->pos(), QPoint(400, 400));
        QCOMPARE(m_board->pos(), QPoint(0, 0));
    }
    void damagedFileIsReportedAndKept_data() { fixtureTable("app/damaged-settings.txt", 5); }
    void damagedFileIsReportedAndKept()
    {
        QFETCH(QStringList, row);
        const QByteArray bytes = row[0] == u"noise" ? QByteArray(300, '\xa5') : fixture(qPrintable(row[0]));
        const QString kept = m_dir->filePath(row[2]);
        const QString used = QString(row[3]).replace(QStringLiteral("%1"), QString::number(settingsFieldCount()));
        for (int n = 1; n <= row[1].toInt(); ++n)
            QVERIFY(writeFile(bin() + QStringLiteral("/ルミナ.damaged%1.in4").arg(n > 1 ? QString::number(-n) : QString()), {}));
        QVERIFY(writeFile(beside(), bytes));
        m_records.sounds.preSound = QStringLiteral("今の音.wav");
        QVERIFY(loadIni(targets(), m_location, m_records));
        QCOMPARE(m_host->messages.size(), 1);
        const QString text = m_host->messages[0].text;
        QVERIFY2(text.contains(beside()) && text.contains(kept) && text.contains(used), qPrintable(text));
        QCOMPARE(readFile(kept), bytes);
        // Fields after the end keep what the windows had, not zeros; those before it are applied.
        QCOMPARE(m_records.sounds.preSound, QStringLiteral("今の音.wav"));
        QCOMPARE(m_records.folders.announcementDataFolder, QString(bytes.size() == 200 ? "D:\\放送用データ\\ルミナ放送" : ""));
        QCOMPARE(m_log.last(), QStringLiteral("SetProp"));
        QVERIFY(saveIni(targets(), m_location, m_records));
        QCOMPARE(readFile(beside()), SettingsWriter::toBytes(m_records));
        QCOMPARE(m_host->messages.size(), 1);
    }
    void saveFailuresKeepTheOldFile_data() { fixtureTable("app/save-failures.txt", 5); }
    void saveFailuresKeepTheOldFile()
    {
        QFETCH(QStringList, row);
        const QByteArray old = row[0] == u"none" ? QByteArray()
                               : row[0] == u"dir" ? QByteArray("dir") : fixture(qPrintable(row[0]));
        const int limit = row[2].toInt();
        const QString message = QString(row[3]).replace(QStringLiteral("\\r\\n"), QStringLiteral("\r\n"));
        if (old.isEmpty()) // the user's folder would have to be made below a plain file
            QVERIFY(writeFile(m_dir->filePath(QStringLiteral("config")), "x"));
        QVERIFY(old.isEmpty() || (old == "dir" ? QDir().mkpath(beside()) : writeFile(beside(), old)));
        if (row[1] == u"yes")
            m_location.writable = [folder = bin()](const QString &path) { return path != folder; };
        m_records.folders.fareDataFolder = QString(2000, QLatin1Char('f'));
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        struct stat oldFile{}, newFile{}; // a file replaced is a new one; one written in place is not
        ::stat(qPrintable(beside()), &oldFile);
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{rlim_t(limit), before.rlim_max};
        if (limit > 0)
            setrlimit(RLIMIT_FSIZE, &small);
        const bool saved = saveIni(targets(), m_location, m_records);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, handler);
        QCOMPARE(saved, message.isEmpty());
        QCOMPARE(m_host->messages.size(), saved ? 0 : 1);
        if (saved) {
            QCOMPARE(readFile(beside()), SettingsWriter::toBytes(m_records)); // the model follows the save
            QVERIFY(::stat(qPrintable(beside()), &newFile) == 0 && (newFile.st_ino == oldFile.st_ino) == (row[1] == u"yes"));
        } else {
            QVERIFY2(m_host->messages[0].text.startsWith(message), qPrintable(m_host->messages[0].text));
            QVERIFY(!m_host->messages[0].text.contains(QStringLiteral("モジュール")));
            QCOMPARE(m_records.folders.fareDataFolder, QString(2000, QLatin1Char('f')));
            if (old != "dir")
                QCOMPARE(readFile(beside()), old);
        }
        const QStringList besideFile = QFileInfo(beside()).isFile() ? QStringList{"ルミナ.in4"} : QStringList();
        QCOMPARE(QDir(bin()).entryList(QDir::Files), besideFile);
        QCOMPARE(QDir(m_location.userConfigFolder).entryList(QDir::Files), QStringList());
    }
    void missingCodePageIsToldAndNothingSaved()
    {
        cp932::useConverter("no-such-converter", false);
        {
            Lumina program;
            program.seams().loadIni = [] {};
            program.startUp();
            QCOMPARE(m_host->messages.size(), 1);
            QVERIFY(m_host->messages[0].text.contains(QStringLiteral("windows-31j")));
        }
        const QByteArray old = fixture("every_field.in4");
        QVERIFY(writeFile(beside(), old));
        const bool saved = saveIni(targets(), m_location, m_records);
        cp932::useConverter(nullptr);
        QVERIFY(!saved);
        QCOMPARE(readFile(beside()), old);
        QCOMPARE(m_host->messages.size(), 1); // said once, at start-up
    }
private:
    IniTargets targets() { return {m_board.get(), m_panel.get(), [this] { m_log << "SetProp"; }, &m_asLoaded}; }
    QString beside() const { return m_location.besideExecutable(); }
    QString bin() const { return m_dir->filePath(QStringLiteral("bin")); }
    std::unique_ptr<QTemporaryDir> m_dir;
    IniLocation m_location;
    SettingsFile m_records;
    SettingsFile m_asLoaded;
    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<BoardWindow> m_board;
    std::unique_ptr<PanelWindow> m_panel;
    QStringList m_log;
};

LUMINA_TEST_MAIN(tst_SettingsStore)
#include "tst_settingsstore.moc"
