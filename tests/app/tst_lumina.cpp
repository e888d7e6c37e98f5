#include "FakeHostLib.h"
#include "FakeSoundPlayer.h"
#include "FakeSpeech.h"
#include "TestMain.h"

#include "app/Lumina.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using namespace lumina;
using namespace lumina::test;

// Start-up and quit of the whole program; only the settings file and the exit are stood in for.
class tst_Lumina : public QObject
{
    Q_OBJECT
private slots:
    void startUpAndQuit_data()
    {
        // The panel's second placement, after start-up, is for a panel nobody has placed.
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
        FakeSoundPlayer sound;
        FakeSpeech speech;
        Lumina program;
        const ControlPanelState placed{.left = 300 * 15, .top = 200 * 15};
        // The settings file is read last: the options applied, speech started, the board shaped but not shown.
        program.settings().panel.autoTicketNumbers = 0;
        bool loaded = false;
        program.seams().loadIni = [&] {
            loaded = true;
            QVERIFY(control<QLabel>(program.board(), "lblSeiriNum_1")->isHidden());
            QCOMPARE(speech.started.size(), 1);
            QVERIFY(program.panel()->isVisible() && !program.board()->isVisible());
            QVERIFY(!program.board()->mask().isEmpty()); // its corners rounded
            if (placedBy == u"settings")
                program.panel()->restoreState(placed);
        };
        // At the save, the quit has stilled the board, the keys and the sounds.
        QStringList atQuit;
        program.seams().saveIni = [&] {
            atQuit << program.board()->stopName() << QString::number(sound.stopAllCalls)
                   << QString::number(speech.isReady()) << QString::number(program.quitting());
        };
        bool keyRegionsGoneBeforeSounds = false;
        program.seams().stopAllSounds = [&, stopAll = program.seams().stopAllSounds] {
            keyRegionsGoneBeforeSounds = control(program.panel(), "CommandButton1_5")->mask().isEmpty();
            stopAll();
        };
        program.seams().exit = [&] { atQuit << QStringLiteral("exit"); };
        program.seams().initFareCells = [&, cells = program.seams().initFareCells] { cells(); program.board()->move(9, 9); };
        program.startUp();
        QVERIFY(loaded);
        if (placedBy == u"user")
            program.panel()->move(300, 200);
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
        board->setStopName(QStringLiteral("停留所"));
        QVERIFY(!board->close()); // the board cannot be closed by itself, nor asks
        fake.messageAnswers.push_back(yes ? MessageResult::Yes : MessageResult::No);
        QCOMPARE(byClosingThePanel ? panel->close() : program.requestQuit(), yes);
        QCOMPARE(program.quitting(), yes);
        QCOMPARE(fake.messages.size(), 1); // the question alone, since start-up
        const FakeHostLib::Message &question = fake.messages.first();
        QCOMPARE(question.text + u'|' + question.title, QStringLiteral("ルミナを終了しますか？|ルミナの終了確認"));
        QVERIFY(question.buttons == MessageButtons::YesNo && question.icon == MessageIcon::Question);
        if (yes) {
            QCOMPARE(atQuit, (QStringList{"", "1", "0", "1", "exit"}));
            QVERIFY(keyRegionsGoneBeforeSounds);
            QVERIFY(program.requestQuit()); // asked once
            QCOMPARE(fake.messages.size(), 1);
        } else {
            QVERIFY(atQuit.isEmpty());
            QCOMPARE(board->stopName(), QStringLiteral("停留所"));
            QVERIFY(speech.isReady() && sound.stopAllCalls == 0);
            QVERIFY(panel->isVisible() && board->isVisible());
            QVERIFY(!control(panel, "CommandButton1_0")->mask().isEmpty());
        }
    }
};

LUMINA_TEST_MAIN(tst_Lumina)
#include "tst_lumina.moc"
