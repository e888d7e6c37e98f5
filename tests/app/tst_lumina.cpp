#include "FakeHostLib.h"
#include "TestMain.h"

#include "controls/ChimeiCtl_P.h"
#include "options/frmOption.h"
#include "settings/IniError.h"
#include "settings/SettingsFile.h"
#include "base/Colors.h"
#include "shell/Form1.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace lumina;
using lumina::test::FakeHostLib;

// Start-up and quit sequences of the whole program, watched through the seams.
class tst_Lumina : public QObject
{
    Q_OBJECT

private slots:
    void startUpOrder();
    void startUpPlacesNamesAndPresetsWindows();
    void quit_data();
    void quit();
    void quitEndsEventLoopWithZeroAndBlankStrip();
    void restoredPanelIsNotPlacedAgain();

private:
    // Replaces every seam with one that records its name.
    static void record(Lumina &program, QStringList &log);
};

void tst_Lumina::record(Lumina &program, QStringList &log)
{
    Seams &s = program.seams();
    s.initFareCells = [&log] { log << QStringLiteral("initFareCells"); };
    s.setProp = [&log] { log << QStringLiteral("setProp"); };
    s.initSpeech = [&log] { log << QStringLiteral("initSpeech"); };
    s.loadIni = [&log] { log << QStringLiteral("loadIni"); };
    s.clearStopName = [&log] { log << QStringLiteral("clearStopName"); };
    s.stopAllSounds = [&log] { log << QStringLiteral("stopAllSounds"); };
    s.releaseSpeech = [&log] { log << QStringLiteral("releaseSpeech"); };
    s.saveIni = [&log] { log << QStringLiteral("saveIni"); };
    s.exit = [&log] { log << QStringLiteral("exit"); };
}

void tst_Lumina::startUpOrder()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    // The settings file is read last, when the panel already exists and the
    // board has its shape.
    program.seams().loadIni = [&] {
        log << QStringLiteral("loadIni");
        QVERIFY(program.panel());
        QVERIFY(program.panel()->isVisible());
        QVERIFY(!program.board()->mask().isEmpty());
        QVERIFY(!program.board()->isVisible());
    };
    program.startUp();
    QCOMPARE(log, (QStringList{QStringLiteral("initFareCells"), QStringLiteral("setProp"),
                               QStringLiteral("initSpeech"), QStringLiteral("loadIni")}));
    QVERIFY(program.board()->isVisible());
    QVERIFY(!program.options()->isVisible());
    QVERIFY(fake.messages.isEmpty());
}

void tst_Lumina::startUpPlacesNamesAndPresetsWindows()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.startUp();
    Form1 *board = program.board();
    frmCtl *panel = program.panel();
    frmOption *options = program.options();

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(board->pos(), area.topLeft());
    QCOMPARE(panel->frameGeometry().bottomRight(), area.bottomRight());
    // The model number is the executable's own name, so a renamed copy shows it.
    QCOMPARE(board->windowTitle(), QStringLiteral("ルミナ - 型番:tst_lumina"));
    QCOMPARE(panel->windowTitle(), QStringLiteral("集中操作盤"));
    // Rounded board corners and keypad keys (the reference pictures show the faces).
    const QRegion mask = board->mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(825, 366)));
    QVERIFY(mask.contains(QPoint(15, 0)));
    QVERIFY(mask.contains(QPoint(413, 183)));
    for (QPushButton *key : panel->CommandButton1)
        QCOMPARE(key->mask().boundingRect(), QRect(2, 2, 26, 23));

    QVERIFY(options->Check1->isChecked());
    QCOMPARE(backColor(options->Command5[0]), rgb(255, 255, 255));
    QCOMPARE(backColor(options->Command5[1]), rgb(192, 255, 192));
    QCOMPARE(backColor(options->Command5[2]), rgb(255, 192, 128));
    QCOMPARE(board->imgRes[0].size(), QSize(825, 366));
    QCOMPARE(board->imgRes[1].cacheKey(), board->imgRes[0].cacheKey());
    QCOMPARE(board->imgRes[2].cacheKey(), board->imgRes[0].cacheKey());
    QCOMPARE(board->picture().cacheKey(), board->imgRes[0].cacheKey());
    // Nothing is routed yet: stepping and display-clear are out of reach.
    QVERIFY(!panel->Command2[0]->isEnabled());
    QVERIFY(!panel->Command2[1]->isEnabled());
    QVERIFY(!panel->Check1->isEnabled());
    QVERIFY(!panel->grpM_Tape->isEnabled()); // no announcements before a route
}

void tst_Lumina::quit_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("byClosingThePanel");
    QTest::newRow("no") << false << false;
    QTest::newRow("yes") << true << false;
    QTest::newRow("panel closed, no") << false << true;
    QTest::newRow("panel closed, yes") << true << true;
}

void tst_Lumina::quit()
{
    QFETCH(bool, yes);
    QFETCH(bool, byClosingThePanel);
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.startUp();
    log.clear();
    bool keyRegionsGoneBeforeSounds = false;
    program.seams().stopAllSounds = [&] {
        log << QStringLiteral("stopAllSounds");
        keyRegionsGoneBeforeSounds = program.panel()->CommandButton1[5]->mask().isEmpty();
    };
    // The board cannot be closed by itself.
    QVERIFY(!program.board()->close());
    QVERIFY(fake.messages.isEmpty());

    fake.messageAnswers.push_back(yes ? MsgResult::Yes : MsgResult::No);
    QCOMPARE(byClosingThePanel ? program.panel()->close() : program.requestQuit(), yes);
    QCOMPARE(program.quitting(), yes);
    QCOMPARE(fake.messages.size(), 1);
    const FakeHostLib::Message &m = fake.messages.first();
    QCOMPARE(m.text, QStringLiteral("ルミナを終了しますか？"));
    QCOMPARE(m.title, QStringLiteral("ルミナの終了確認"));
    QCOMPARE(m.buttons, MsgButtons::YesNo);
    QCOMPARE(m.icon, MsgIcon::Question);
    if (yes) {
        QCOMPARE(log, (QStringList{"clearStopName", "stopAllSounds", "releaseSpeech", "saveIni",
                                   "exit"}));
        QVERIFY(keyRegionsGoneBeforeSounds);
    } else {
        QVERIFY(log.isEmpty());
        QVERIFY(program.panel()->isVisible());
        QVERIFY(program.board()->isVisible());
        QVERIFY(!program.panel()->CommandButton1[0]->mask().isEmpty());
    }
}

void tst_Lumina::quitEndsEventLoopWithZeroAndBlankStrip()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.seams().exit = program.defaultSeams().exit;
    program.seams().clearStopName = program.defaultSeams().clearStopName;
    program.startUp();
    ChimeiCtl_P *strip = program.board()->ChimeiCtl;
    strip->setScrollStartWait(0);
    strip->SetChimei(QStringLiteral("市役所前駅東口バス停留所"));
    QVERIFY(strip->isScrolling());

    fake.messageAnswers.push_back(MsgResult::Yes);
    QTimer::singleShot(0, program.panel(), [&] { program.panel()->close(); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(log.last(), QStringLiteral("saveIni"));
    QCOMPARE(strip->Chimei(), QString());
    const QImage &layer = strip->layer();
    const QRgb back = toQColor(strip->BackColor()).rgb();
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            QCOMPARE(layer.pixel(x, y), back);
}

void tst_Lumina::restoredPanelIsNotPlacedAgain()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    ControlPanelState state;
    state.left = 300 * 15;
    state.top = 200 * 15;
    program.seams().loadIni = [&] { program.panel()->SetCtrlDataInfo(state); };
    program.startUp();
    QCOMPARE(program.panel()->pos(), QPoint(300, 200));
    // The panel's second placement (a moment after start-up) is for a panel
    // that no settings file placed.
    QTest::qWait(500);
    QCOMPARE(program.panel()->pos(), QPoint(300, 200));
    ControlPanelState saved;
    program.panel()->GetCtrlDataInfo(saved);
    QCOMPARE(saved.left, state.left);
    QCOMPARE(saved.top, state.top);
}

LUMINA_TEST_MAIN(tst_Lumina)
#include "tst_lumina.moc"
