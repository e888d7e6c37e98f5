#include "FakeHostLib.h"
#include "TestMain.h"

#include "app/Lumina.h"
#include "base/Colors.h"
#include "controls/ChimeiCtl_P.h"
#include "options/frmOption.h"
#include "shell/Form1.h"
#include "shell/frmCtl.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace lumina;
using namespace lumina::test;

namespace {

// The program with every seam replaced by one that records its name.
struct Recorded {
    FakeHostLib fake;
    Lumina program;
    QStringList log;

    Recorded()
    {
        using Seam = std::function<void()> Seams::*;
        const std::pair<Seam, const char *> seams[] = {
            {&Seams::initFareCells, "initFareCells"}, {&Seams::setProp, "setProp"}, {&Seams::initSpeech, "initSpeech"},
            {&Seams::loadIni, "loadIni"}, {&Seams::clearStopName, "clearStopName"}, {&Seams::stopAllSounds, "stopAllSounds"},
            {&Seams::releaseSpeech, "releaseSpeech"}, {&Seams::saveIni, "saveIni"}, {&Seams::exit, "exit"}};
        for (const auto &[seam, name] : seams)
            program.seams().*seam = [this, name] { log << QLatin1String(name); };
    }
};

} // namespace

// Start-up and quit sequences of the whole program, watched through the seams.
class tst_Lumina : public QObject
{
    Q_OBJECT

private slots:
    void startUp();
    void quit_data();
    void quit();
    void quitEndsEventLoopWithZeroAndBlankStrip();
    void secondPlacementKeepsAPlacedPanel_data();
    void secondPlacementKeepsAPlacedPanel();

};

void tst_Lumina::startUp()
{
    Recorded r;
    // The settings file is read last, when the panel is shown and the board
    // has its shape but is not shown yet.
    r.program.seams().loadIni = [&] {
        r.log << QStringLiteral("loadIni");
        QVERIFY(r.program.panel()->isVisible() && !r.program.board()->isVisible());
        QVERIFY(!r.program.board()->mask().isEmpty());
    };
    r.program.startUp();
    QCOMPARE(r.log, (QStringList{"initFareCells", "setProp", "initSpeech", "loadIni"}));
    QVERIFY(r.fake.messages.isEmpty());
    Form1 *board = r.program.board();
    frmCtl *panel = r.program.panel();
    QVERIFY(board->isVisible() && !r.program.options()->isVisible());

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(board->pos(), area.topLeft());
    QCOMPARE(panel->frameGeometry().bottomRight(), area.bottomRight());
    // The model number is the executable's own name, so a renamed copy shows it.
    QCOMPARE(board->windowTitle(), QStringLiteral("ルミナ - 型番:tst_lumina"));
    // Rounded board corners (the reference pictures show the faces).
    QVERIFY(!board->mask().contains(QPoint(0, 0)) && !board->mask().contains(QPoint(825, 366)));
    QVERIFY(board->mask().contains(QPoint(15, 0)) && board->mask().contains(QPoint(413, 183)));
    // Nothing is routed yet: stepping is out of reach.
    QVERIFY(!panel->Command2[0]->isEnabled() && !panel->Command2[1]->isEnabled());
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
    Recorded r;
    r.program.startUp();
    r.log.clear();
    bool keyRegionsGoneBeforeSounds = false;
    r.program.seams().stopAllSounds = [&] {
        r.log << QStringLiteral("stopAllSounds");
        keyRegionsGoneBeforeSounds = r.program.panel()->CommandButton1[5]->mask().isEmpty();
    };
    QVERIFY(!r.program.board()->close()); // the board cannot be closed by itself
    QVERIFY(r.fake.messages.isEmpty());

    r.fake.messageAnswers.push_back(yes ? MsgResult::Yes : MsgResult::No);
    QCOMPARE(byClosingThePanel ? r.program.panel()->close() : r.program.requestQuit(), yes);
    QCOMPARE(r.program.quitting(), yes);
    QCOMPARE(r.fake.messages.size(), 1);
    const FakeHostLib::Message &m = r.fake.messages.first();
    QCOMPARE(m.text, QStringLiteral("ルミナを終了しますか？"));
    QCOMPARE(m.buttons, MsgButtons::YesNo);
    if (yes) {
        QCOMPARE(r.log, (QStringList{"clearStopName", "stopAllSounds", "releaseSpeech", "saveIni", "exit"}));
        QVERIFY(keyRegionsGoneBeforeSounds);
        QVERIFY(r.program.requestQuit()); // asked once
        QCOMPARE(r.fake.messages.size(), 1);
    } else {
        QVERIFY(r.log.isEmpty());
        QVERIFY(r.program.panel()->isVisible() && r.program.board()->isVisible());
        QVERIFY(!r.program.panel()->CommandButton1[0]->mask().isEmpty());
    }
}

void tst_Lumina::quitEndsEventLoopWithZeroAndBlankStrip()
{
    Recorded r;
    r.program.seams().exit = r.program.defaultSeams().exit;
    r.program.seams().clearStopName = r.program.defaultSeams().clearStopName;
    r.program.startUp();
    ChimeiCtl_P *strip = r.program.board()->ChimeiCtl;
    strip->setScrollStartWait(0);
    strip->SetChimei(QStringLiteral("市役所前駅東口バス停留所"));
    QVERIFY(strip->isScrolling());

    r.fake.messageAnswers.push_back(MsgResult::Yes);
    QTimer::singleShot(0, r.program.panel(), [&] { r.program.panel()->close(); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(r.log.last(), QStringLiteral("saveIni"));
    QCOMPARE(strip->Chimei(), QString());
    QImage blank(strip->layer().size(), strip->layer().format());
    blank.fill(toQColor(strip->BackColor()));
    QCOMPARE(strip->layer(), blank);
}

void tst_Lumina::secondPlacementKeepsAPlacedPanel_data()
{
    // The panel's second placement, a moment after start-up, is for a panel
    // that neither the settings file nor the user has placed.
    QTest::addColumn<bool>("bySettings");
    QTest::newRow("placed by the settings") << true;
    QTest::newRow("moved by the user") << false;
}

void tst_Lumina::secondPlacementKeepsAPlacedPanel()
{
    QFETCH(bool, bySettings);
    Recorded r;
    ControlPanelState state;
    state.left = 300 * 15;
    state.top = 200 * 15;
    if (bySettings)
        r.program.seams().loadIni = [&] { r.program.panel()->SetCtrlDataInfo(state); };
    r.program.startUp();
    if (!bySettings)
        r.program.panel()->move(300, 200);
    QTest::qWait(400);
    QCOMPARE(r.program.panel()->pos(), QPoint(300, 200));
}

LUMINA_TEST_MAIN(tst_Lumina)
#include "tst_lumina.moc"
