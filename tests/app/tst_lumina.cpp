#include "FakeHostLib.h"
#include "TestMain.h"

#include "options/frmOption.h"
#include "settings/IniError.h"
#include "settings/SettingsFile.h"
#include "base/Colors.h"
#include "shell/Form1.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
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
    void startUpPlacesAndNamesWindows();
    void startUpDefaults();
    void quitAnsweredNoChangesNothing();
    void quitAnsweredYesRunsShutdownInOrder();
    void closingThePanelAsks();
    void quitEndsEventLoopWithZero();
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

void tst_Lumina::startUpPlacesAndNamesWindows()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.startUp();

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(program.board()->pos(), area.topLeft());
    QCOMPARE(program.panel()->frameGeometry().bottomRight(), area.bottomRight());

    // The model number is the executable's own name, so a renamed copy shows
    // its new name.
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QCOMPARE(exe, QStringLiteral("tst_lumina"));
    QCOMPARE(program.board()->windowTitle(), QStringLiteral("ルミナ - 型番:tst_lumina"));
    QCOMPARE(program.panel()->windowTitle(), QStringLiteral("集中操作盤"));
    QCOMPARE(program.options()->windowTitle(), QStringLiteral("オプション"));

    // Board: 12390 × 5505 twips with rounded corners.
    QCOMPARE(program.board()->size(), QSize(826, 367));
    const QRegion mask = program.board()->mask();
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(825, 366)));
    QVERIFY(mask.contains(QPoint(15, 0)));
    QVERIFY(mask.contains(QPoint(413, 183)));
    QCOMPARE(program.panel()->size(), QSize(353, 173));

    // Every keypad key is clipped to its rounded region.
    for (QPushButton *key : program.panel()->CommandButton1) {
        QVERIFY(!key->mask().isEmpty());
        QCOMPARE(key->mask().boundingRect(), QRect(2, 2, 26, 23));
    }
}

void tst_Lumina::startUpDefaults()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.startUp();

    frmOption *options = program.options();
    QVERIFY(options->Check1->isChecked());
    QCOMPARE(backColor(options->Command5[0]), rgb(255, 255, 255));
    QCOMPARE(backColor(options->Command5[1]), rgb(192, 255, 192));
    QCOMPARE(backColor(options->Command5[2]), rgb(255, 192, 128));

    Form1 *board = program.board();
    QVERIFY(!board->imgRes[0].isNull());
    QCOMPARE(board->imgRes[0].size(), QSize(825, 366));
    QCOMPARE(board->imgRes[1].cacheKey(), board->imgRes[0].cacheKey());
    QCOMPARE(board->imgRes[2].cacheKey(), board->imgRes[0].cacheKey());
    QCOMPARE(board->picture().cacheKey(), board->imgRes[0].cacheKey());

    // Nothing is routed yet: stepping and display-clear are out of reach.
    frmCtl *panel = program.panel();
    QVERIFY(!panel->Command2[0]->isEnabled());
    QVERIFY(!panel->Command2[1]->isEnabled());
    QVERIFY(!panel->Check1->isEnabled());
    QVERIFY(board->Timer1->isActive());
    QCOMPARE(board->Timer1->interval(), 1000);
}

void tst_Lumina::quitAnsweredNoChangesNothing()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.startUp();
    log.clear();

    fake.messageAnswers.push_back(MsgResult::No);
    QVERIFY(!program.requestQuit());
    QVERIFY(log.isEmpty());
    QVERIFY(!program.quitting());
    QVERIFY(program.panel()->isVisible());
    QVERIFY(program.board()->isVisible());
    QVERIFY(!program.panel()->CommandButton1[0]->mask().isEmpty());

    QCOMPARE(fake.messages.size(), 1);
    const FakeHostLib::Message &m = fake.messages.first();
    QCOMPARE(m.text, QStringLiteral("ルミナを終了しますか？"));
    QCOMPARE(m.title, QStringLiteral("ルミナの終了確認"));
    QCOMPARE(m.buttons, MsgButtons::YesNo);
    QCOMPARE(m.icon, MsgIcon::Question);
}

void tst_Lumina::quitAnsweredYesRunsShutdownInOrder()
{
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
    fake.messageAnswers.push_back(MsgResult::Yes);
    QVERIFY(program.requestQuit());
    QVERIFY(program.quitting());
    QCOMPARE(log, (QStringList{QStringLiteral("clearStopName"), QStringLiteral("stopAllSounds"),
                               QStringLiteral("releaseSpeech"), QStringLiteral("saveIni"),
                               QStringLiteral("exit")}));
    QVERIFY(keyRegionsGoneBeforeSounds);
}

void tst_Lumina::closingThePanelAsks()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.startUp();
    log.clear();

    fake.messageAnswers.push_back(MsgResult::No);
    QVERIFY(!program.panel()->close());
    QVERIFY(program.panel()->isVisible());
    QCOMPARE(fake.messages.size(), 1);
    QVERIFY(log.isEmpty());

    // The board cannot be closed by itself.
    QVERIFY(!program.board()->close());
    QVERIFY(program.board()->isVisible());
    QCOMPARE(fake.messages.size(), 1);

    fake.messageAnswers.push_back(MsgResult::Yes);
    QVERIFY(program.panel()->close());
    QCOMPARE(log.last(), QStringLiteral("exit"));
}

void tst_Lumina::quitEndsEventLoopWithZero()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    program.seams().exit = program.defaultSeams().exit;
    program.startUp();

    fake.messageAnswers.push_back(MsgResult::Yes);
    QTimer::singleShot(0, program.panel(), [&] { program.panel()->close(); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(log.last(), QStringLiteral("saveIni"));
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
