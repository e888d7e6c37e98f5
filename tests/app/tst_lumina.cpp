#include "FakeHostLib.h"
#include "TestMain.h"

#include "../settings/SettingsFixtures.h"
#include "app/Lumina.h"
#include "base/Colors.h"
#include "controls/ChimeiCtl_P.h"
#include "options/frmOption.h"
#include "shell/Form1.h"
#include "shell/frmCtl.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace lumina;
using namespace lumina::test;

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
    void everyFieldSurvivesARun();

private:
    // Replaces every seam with one that records its name.
    static void record(Lumina &program, QStringList &log)
    {
        using Seam = std::function<void()> Seams::*;
        const std::pair<Seam, const char *> seams[] = {
            {&Seams::initFareCells, "initFareCells"}, {&Seams::setProp, "setProp"}, {&Seams::initSpeech, "initSpeech"},
            {&Seams::loadIni, "loadIni"}, {&Seams::clearStopName, "clearStopName"}, {&Seams::stopAllSounds, "stopAllSounds"},
            {&Seams::releaseSpeech, "releaseSpeech"}, {&Seams::saveIni, "saveIni"}, {&Seams::exit, "exit"}};
        for (const auto &[seam, name] : seams)
            program.seams().*seam = [&log, name] { log << QLatin1String(name); };
    }
};

void tst_Lumina::startUp()
{
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    // The settings file is read last, when the panel is shown and the board
    // has its shape but is not shown yet.
    program.seams().loadIni = [&] {
        log << QStringLiteral("loadIni");
        QVERIFY(program.panel()->isVisible() && !program.board()->isVisible());
        QVERIFY(!program.board()->mask().isEmpty());
    };
    program.startUp();
    QCOMPARE(log, (QStringList{"initFareCells", "setProp", "initSpeech", "loadIni"}));
    QVERIFY(fake.messages.isEmpty());
    Form1 *board = program.board();
    frmCtl *panel = program.panel();
    QVERIFY(board->isVisible() && !program.options()->isVisible());

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(board->pos(), area.topLeft());
    QCOMPARE(panel->frameGeometry().bottomRight(), area.bottomRight());
    // The model number is the executable's own name, so a renamed copy shows it.
    QCOMPARE(board->windowTitle(), QStringLiteral("ルミナ - 型番:tst_lumina"));
    // Rounded board corners (the reference pictures show the faces).
    QVERIFY(!board->mask().contains(QPoint(0, 0)) && !board->mask().contains(QPoint(825, 366)));
    QVERIFY(board->mask().contains(QPoint(15, 0)) && board->mask().contains(QPoint(413, 183)));
    // The one board picture in all three slots (the reference pictures show
    // it and the option defaults).
    for (const QPixmap &picture : board->imgRes)
        QCOMPARE(picture.cacheKey(), board->picture().cacheKey());
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
    QVERIFY(!program.board()->close()); // the board cannot be closed by itself
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
        QCOMPARE(log, (QStringList{"clearStopName", "stopAllSounds", "releaseSpeech", "saveIni", "exit"}));
        QVERIFY(keyRegionsGoneBeforeSounds);
        QVERIFY(program.requestQuit()); // asked once
        QCOMPARE(fake.messages.size(), 1);
    } else {
        QVERIFY(log.isEmpty());
        QVERIFY(program.panel()->isVisible() && program.board()->isVisible());
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
    FakeHostLib fake;
    Lumina program;
    QStringList log;
    record(program, log);
    ControlPanelState state;
    state.left = 300 * 15;
    state.top = 200 * 15;
    if (bySettings)
        program.seams().loadIni = [&] { program.panel()->SetCtrlDataInfo(state); };
    program.startUp();
    if (!bySettings)
        program.panel()->move(300, 200);
    QTest::qWait(400);
    QCOMPARE(program.panel()->pos(), QPoint(300, 200));
}

void tst_Lumina::everyFieldSurvivesARun()
{
    // The real start-up reads the settings file into the windows, the quit
    // writes them back.
    const QByteArray original = fixture("every_field.in4");
    QVERIFY(writeFile(iniLocation().besideExecutable(), original));
    FakeHostLib fake;
    fake.messageAnswers.push_back(MsgResult::Yes);
    Lumina program;
    program.seams().exit = [] {};
    program.startUp();
    QCOMPARE(program.options()->Text2[0]->text(), QStringLiteral("C:\\運賃データ\\東部線"));
    QCOMPARE(program.board()->pos(), QPoint(100, 80));
    QVERIFY(program.requestQuit());
    QCOMPARE(fake.messages.size(), 1); // only the quit question
    QCOMPARE(readFile(iniLocation().besideExecutable()), original);
}

LUMINA_TEST_MAIN(tst_Lumina)
#include "tst_lumina.moc"
