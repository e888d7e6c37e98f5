// A trip played on the real panel in fake time, and from the board's menu.
#include "FailingDevice.h"
#include "ProgramFixture.h"

#include "panel/TripPlayer.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

using namespace lumina;

class tst_TripPlayer : public QObject
{
    Q_OBJECT
private slots:
    // Each step at its time; the "next" due inside the lamp test is pressed when it ends (stepping is off
    // during it, so a press inside would be lost); a click of the user's own in between counts.
    void playsInFakeTime()
    {
        test::Program p;
        QVERIFY(p.writeRoute(QStringLiteral("12"), 10) && p.writeTape(QStringLiteral("12"), QStringLiteral("一,0,0\n二,0,0\n")));
        const QByteArray text("0:00 route 12 1\n0:02 next\n0:20 next\n0:30 night on\n0:40 back\n0:42 tape next\n"
                        "0:44 tape next\n0:46 tape back\n0:48 tape stop\n0:50 backlight on2\n0:55 clear on\n0:57 backlight off\n1:00 end\n");
        test::ReadBuffer device(text);
        Trip trip;
        QVERIFY(TripReader().read(&device, trip));
        TripPlayer &player = *p.program->tripPlayer();
        int stopInWait = -1;
        p.clock.whilePaused = [&](int ms) {
            p.clock.at = p.clock.at.addMSecs(ms);
            player.playDue();
            stopInWait = routeState().currentStop;
        };
        const auto after = [&](int ms) {
            p.clock.at = p.clock.at.addMSecs(ms);
            QCOMPARE(player.msToNextStep(), 0);
            player.playDue();
        };
        p.panel->sendEntryPanelBack(1); // the digit lists in front: the keypad must come forward
        QVERIFY(!p.board->findChild<QAction *>("actStopTrip")->isEnabled()); // nothing to stop yet
        player.play(trip); // the step due at once comes from the event loop
        QTRY_COMPARE(routeState().routeNumber + p.board->stopName(), QStringLiteral("12停留所1"));
        QCOMPARE(stopInWait, 0);
        QTRY_COMPARE(routeState().currentStop, qint16(1));
        QCOMPARE(player.msToNextStep(), 17000);
        // A step due while a dialog holds the panel waits for it to close, and a key on the board steps nothing.
        QDialog modal(p.panel);
        modal.open();
        after(17000);
        QTest::keyClick(p.board, Qt::Key_Right);
        QCOMPARE(routeState().currentStop, qint16(1));
        modal.close();
        QTRY_COMPARE(routeState().currentStop, qint16(2));
        p.find("Command2_1")->click();
        after(10000);
        QVERIFY(p.panel->lateNight());
        after(10000);
        QCOMPARE(routeState().currentStop, qint16(2));
        for (const int position : {1, 2, 1, 1}) { // the tape's keys: next, next, back, stop
            after(2000);
            QCOMPARE(p.cp->tape().position(), position);
        }
        after(2000);
        after(5000);
        QCOMPARE(p.panel->backlight() * 10 + p.panel->displayCleared(), 21);
        after(2000);
        QCOMPARE(p.panel->backlight(), 0);
        QVERIFY(player.playing() && p.board->findChild<QAction *>("actStopTrip")->isEnabled());
        after(3000);
        QVERIFY(!player.playing() && !p.board->findChild<QAction *>("actStopTrip")->isEnabled());
    }
    // The board's menu opens on a right click; "運行を再生..." plays the file chosen, or tells why not; "運行を停止" stops it.
    void fromTheMenu()
    {
        test::Program p;
        QVERIFY(p.writeFile("good.trip", "0:00 next\n9:00 end\n") && p.writeFile("bad.trip", "0:00 next\n0:05 sideways\n"));
        p.host.fileAnswers = {p.path("bad.trip"), p.path("good.trip")};
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), p.board->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(p.board, &click);
        QVERIFY(p.board->contextMenu()->isVisible());
        p.board->contextMenu()->hide();
        p.board->findChild<QAction *>("actPlayTrip")->trigger();
        QVERIFY(p.host.messages.value(0).text.endsWith(QStringLiteral("\r\n2行目: 「sideways」という動作はありません。")));
        QVERIFY(!p.program->tripPlayer()->playing());
        p.board->findChild<QAction *>("actPlayTrip")->trigger();
        QCOMPARE(p.host.fileFilters.value(1), QStringLiteral("運行ファイル(*.trip)%1*.trip%1すべてのファイル(*.*)%1*.*%1%1").arg(QChar(0)));
        QVERIFY(p.program->tripPlayer()->playing());
        p.board->findChild<QAction *>("actStopTrip")->trigger();
        QVERIFY(!p.program->tripPlayer()->playing());
        p.program->playTrip(p.path("good.trip")); // and a quit stops it
        p.program->seams().exit = [] {};
        p.host.messageAnswers.push_back(MessageResult::Yes);
        QVERIFY(p.program->tripPlayer()->playing() && p.program->requestQuit() && !p.program->tripPlayer()->playing());
    }
};

LUMINA_TEST_MAIN(tst_TripPlayer)
#include "tst_tripplayer.moc"
