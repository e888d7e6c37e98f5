#include "FakeHostLib.h"
#include "TestMain.h"

#include "app/Lumina.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

using namespace lumina;
using namespace lumina::test;

// Start-up and quit sequences of the whole program, watched through the seams.
class tst_Lumina : public QObject
{
    Q_OBJECT

private slots:
    void startUpAndQuit_data()
    {
        // The panel's second placement, a moment after start-up, is for a panel
        // that neither the settings file nor the user has placed.
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("byClosingThePanel");
        QTest::addColumn<QString>("placedBy");
        QTest::newRow("no, placed by the settings") << false << false << "settings";
        QTest::newRow("yes") << true << false << "";
        QTest::newRow("panel moved by the user, closed, no") << false << true << "user";
        QTest::newRow("panel closed, yes") << true << true << "";
    }

    void startUpAndQuit()
    {
        QFETCH(bool, yes);
        QFETCH(bool, byClosingThePanel);
        QFETCH(QString, placedBy);
        FakeHostLib fake;
        Lumina program;
        QStringList log;
        // Every seam replaced by one that records its name.
        using Seam = std::function<void()> Seams::*;
        const std::pair<Seam, const char *> seams[] = {
            {&Seams::initFareCells, "initFareCells"}, {&Seams::setProp, "setProp"}, {&Seams::initSpeech, "initSpeech"},
            {&Seams::loadIni, "loadIni"}, {&Seams::clearStopName, "clearStopName"}, {&Seams::stopAllSounds, "stopAllSounds"},
            {&Seams::releaseSpeech, "releaseSpeech"}, {&Seams::saveIni, "saveIni"}, {&Seams::exit, "exit"}};
        for (const auto &[seam, name] : seams)
            program.seams().*seam = [&log, name] { log << QLatin1String(name); };
        ControlPanelState placed;
        placed.left = 300 * 15;
        placed.top = 200 * 15;
        // The settings file is read last, when the panel is shown and the board
        // has its shape but is not shown yet.
        program.seams().loadIni = [&] {
            log << QStringLiteral("loadIni");
            QVERIFY(program.panel()->isVisible() && !program.board()->isVisible());
            QVERIFY(!program.board()->mask().isEmpty());
            if (placedBy == u"settings")
                program.panel()->restoreState(placed);
        };
        program.startUp();
        if (placedBy == u"user")
            program.panel()->move(300, 200);
        QCOMPARE(log, (QStringList{"initFareCells", "setProp", "initSpeech", "loadIni"}));
        BoardWindow *board = program.board();
        PanelWindow *panel = program.panel();
        QVERIFY(board->isVisible() && panel->isVisible());

        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(board->pos(), area.topLeft());
        if (placedBy.isEmpty()) {
            QCOMPARE(panel->frameGeometry().bottomRight(), area.bottomRight());
        } else {
            // Once the frame is known, the panel stays where it was put.
            QTRY_VERIFY(!program.panelSettling());
            QCOMPARE(panel->pos(), QPoint(300, 200));
        }
        // The model number is the executable's own name, so a renamed copy shows it.
        QCOMPARE(board->windowTitle(), QStringLiteral("ルミナ - 型番:tst_lumina"));
        // Rounded board corners (the reference pictures show the faces).
        QVERIFY(!board->mask().contains(QPoint(0, 0)) && !board->mask().contains(QPoint(825, 366)));
        QVERIFY(board->mask().contains(QPoint(15, 0)) && board->mask().contains(QPoint(413, 183)));
        // Nothing is routed yet: stepping is out of reach.
        QVERIFY(!test::control(panel, "Command2_0")->isEnabled() && !test::control(panel, "Command2_1")->isEnabled());

        log.clear();
        bool keyRegionsGoneBeforeSounds = false;
        program.seams().stopAllSounds = [&] {
            log << QStringLiteral("stopAllSounds");
            keyRegionsGoneBeforeSounds = test::control(panel, "CommandButton1_5")->mask().isEmpty();
        };
        QVERIFY(!board->close()); // the board cannot be closed by itself, nor asks

        fake.messageAnswers.push_back(yes ? MessageResult::Yes : MessageResult::No);
        QCOMPARE(byClosingThePanel ? panel->close() : program.requestQuit(), yes);
        QCOMPARE(program.quitting(), yes);
        QCOMPARE(fake.messages.size(), 1); // the question alone, since start-up
        const FakeHostLib::Message &m = fake.messages.first();
        QCOMPARE(m.text, QStringLiteral("ルミナを終了しますか？"));
        QCOMPARE(m.buttons, MessageButtons::YesNo);
        if (yes) {
            QCOMPARE(log, (QStringList{"clearStopName", "stopAllSounds", "releaseSpeech", "saveIni", "exit"}));
            QVERIFY(keyRegionsGoneBeforeSounds);
            QVERIFY(program.requestQuit()); // asked once
            QCOMPARE(fake.messages.size(), 1);
        } else {
            QVERIFY(log.isEmpty());
            QVERIFY(panel->isVisible() && board->isVisible());
            QVERIFY(!test::control(panel, "CommandButton1_0")->mask().isEmpty());
        }
    }
};

LUMINA_TEST_MAIN(tst_Lumina)
#include "tst_lumina.moc"
