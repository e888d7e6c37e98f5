#include "../panel/ProgramFixture.h"
#include "../settings/SettingsFixtures.h"
#include "settings/SettingsIo.h"

#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QKeySequence>
#include <QProcess>

using namespace lumina;
using namespace lumina::test;

namespace {
// The program with its settings file, finding route 12 in `folder`.
struct Run : Program {
    explicit Run(const QString &folder) : Program(false)
    {
        start(true);
        board->stopClock(); // pictures show the clock before its first tick
        options->folders = {folder, folder};
    }
    QStringList trace() const
    {
        QStringList log = speech.log;
        for (const auto &play : sound.plays)
            log << play.slot + QString::number(play.synchronous);
        for (const auto &message : host.messages)
            log << message.text;
        return log << panel->keypadRoute() + u'-' + panel->keypadSection()
                   << QString::number(routeState().currentStop) << QString::number(clock.pauses.size())
                   << control<FareCell>(board, "Degit_1")->value().toString()
                   << QString::number(panel->findChildren<QDialog *>().size());
    }
};
} // namespace

// Keys press the panel's buttons; lumina-fare render draws the board as the window shows it.
class tst_KeysRender : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Route 12: five stops, the third named longer than the strip; a tape whose first two entries step.
        std::vector<FareRecord> stops(5);
        for (size_t s = 0; s < stops.size(); ++s) {
            stops[s].stopName = s == 2 ? QStringLiteral("中央図書館前北口") : QStringLiteral("駅%1").arg(s);
            stops[s].ticketNumber = qint16(s + 1);
            for (size_t t = 0; t < 60; ++t)
                stops[s].values[t] = t > s + 3 ? qint16(-1) : qint16(150 + 30 * s + 10 * t);
        }
        QVERIFY(writeFile(m_dir.filePath("12.hy3"), FareFileWriter().toBytes(stops)));
        QVERIFY(writeFile(m_dir.filePath("12tp.csv"), cp932::encode(u"一,1,0\r\n二,1,0\r\n三,0,0\r\n")));
        QVERIFY(writeFile(m_dir.filePath("bad.in4"), "garbage"));
        SettingsFile previewFive = initialRecords(); // a check box of the panel has no such value
        previewFive.controlPanel.preview = 5;
        QVERIFY(writeFile(m_dir.filePath("preview5.in4"), SettingsWriter::toBytes(previewFive)));
    }
    void keysDoWhatClicksDo_data() { fixtureTable("app/keys-and-clicks.txt", 4); }
    void keysDoWhatClicksDo()
    {
        QFETCH(QStringList, row);
        QStringList byKeys;
        {
            Run run(m_dir.path());
            QWidget *target = row[0] == u"board" ? run.board : run.find<QWidget>("HScroll1_0");
            for (QString text : row[1].split(u' ')) {
                const bool held = text.startsWith(u"held:"); // the key's repeats while held down
                const QKeyCombination key = QKeySequence::fromString(text.remove(QStringLiteral("held:")), QKeySequence::PortableText)[0];
                QVERIFY2(text == u"lists" || key.toCombined() != 0, qPrintable(text));
                QKeyEvent repeat(QEvent::KeyPress, key.key(), key.keyboardModifiers(), QString(), true);
                if (text == u"lists")
                    run.panel->sendEntryPanelBack(1);
                else if (held)
                    QApplication::sendEvent(target, &repeat);
                else if (target == run.board) // through the window, as the system hands keys over
                    QTest::keyClick(run.board->windowHandle(), key.key(), key.keyboardModifiers());
                else
                    QTest::keyClick(target, key.key(), key.keyboardModifiers());
            }
            byKeys = run.trace();
        }
        Run run(m_dir.path());
        for (const QString &name : row[2].split(u' ')) {
            if (name == u"lists") {
                run.panel->sendEntryPanelBack(1);
                continue;
            }
            auto *button = run.find(name.startsWith(u'k') ? "CommandButton1_" + name.mid(1) : name);
            QVERIFY2(button->toolTip().startsWith(QStringLiteral("キー：")), qPrintable(name));
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        }
        QCOMPARE(byKeys, run.trace());
    }
    void pictureIsTheWindow_data() { fixtureTable("app/render-like-window.txt", 5); }
    void pictureIsTheWindow()
    {
        LUMINA_REQUIRE_FONTS();
        QFETCH(QStringList, row);
        const int stop = row[0].toInt(), section = row[1].toInt(), scale = row[2].toInt();
        const bool own = row[3] == u"yes";
        const QString settings = iniLocation().pathForSave();
        QFile::remove(settings);
        if (own) {
            // Colours, ticket numbering and an information number, saved by the program.
            Run first(m_dir.path());
            SettingsFile &options = *first.options;
            options.infoDigits.litColour = rgb(80, 255, 80);
            options.panel.ticketNumberStyle = 5;
            options.infoDigits.showTicketNumber = 1;
            options.infoDigits.ticketNumberCell = 9;
            control<FareCell>(first.board, "Degit_1")->setShift(1); // ticket 1's fare one digit to the left
            SaveIni();
        }
        Run run(m_dir.path());
        BoardWindow *board = run.board;
        board->setBoardScale(scale);
        // A long name is pictured in the window's frame where it has risen to the top.
        qint64 now = 0;
        board->setStripClock([&now] { return now; });
        run.find("Check2")->setChecked(own);
        run.keyRoute(QStringLiteral("12"), QString::number(section));
        for (int n = section; n != stop; n += stop > section ? 1 : -1)
            run.find(stop > section ? "Command2_1" : "Command2_0")->click();
        for (; board->stopNameRising(); now += 100)
            board->advanceStopName();
        const QImage window = board->boardPicture().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(qAlpha(window.pixel(0, 0)) + qAlpha(window.pixel(window.rect().center())), 255); // clear outside the outline
        if (scale > 1) // captions are drawn anew when scaled
            LUMINA_COMPARE_REFERENCE(window, QStringLiteral("board-x%1").arg(scale));
        QStringList args{"DIR/12.hy3", "--stop", row[0], "--section", row[1], "--scale", row[2], "-o", "DIR/board.png"};
        if (own)
            args << "--night" << "--settings" << settings;
        QCOMPARE(render(args), 0);
        QCOMPARE(QImage(m_dir.filePath("board.png")).convertToFormat(QImage::Format_ARGB32), window);
        QCOMPARE(render({"DIR/12.hy3", "--all", "DIR/all", "--section", row[1]}), 0);
        QCOMPARE(QDir(m_dir.filePath("all")).entryList(QDir::Files, QDir::Name),
                 (QStringList{"stop-001.png", "stop-002.png", "stop-003.png", "stop-004.png", "stop-005.png"}));
        run.options->folders.fareDataFolder = QStringLiteral("/home/andré"); // not in the code page: kept as loaded
        SaveIni();
        QCOMPARE(parse(readFile(settings)).folders.fareDataFolder, own ? m_dir.path() : QString());
    }
    void refused_data() { fixtureTable("app/render-refused.txt", 4); }
    void refused()
    {
        QFETCH(QStringList, row);
        const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
        QString errors;
        QCOMPARE(render(row[0].split(u' '), &errors), row[1].toInt());
        QVERIFY2(errors.contains(row[2].replace("DIR", m_dir.path())), qPrintable(errors));
        QCOMPARE(errors.count(u"lumina-fare render"), 1);
        // Nothing is written: no picture, nor a copy of a damaged settings file.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), files);
    }
private:
    int render(QStringList args, QString *errors = nullptr)
    {
        QProcess tool;
        args.replaceInStrings("DATA", LUMINA_TEST_DATA).replaceInStrings("DIR", m_dir.path());
        tool.start(QCoreApplication::applicationDirPath() + "/lumina-fare", QStringList{"render"} + args);
        tool.waitForFinished(60000);
        if (errors)
            *errors = QString::fromUtf8(tool.readAllStandardError());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }
    QTemporaryDir m_dir;
};

LUMINA_TEST_MAIN(tst_KeysRender)
#include "tst_keysrender.moc"
