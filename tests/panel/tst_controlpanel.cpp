#include "ProgramFixture.h"

#include "base/Colors.h"
#include "controls/ChimeiCtl_P.h"
#include "options/frmVoice.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>

using namespace lumina;
using lumina::test::fareAt;

// The control panel driven through its own buttons, on a real board: entry,
// stepping, backlight, ticket preview and tape. How the windows look in each
// state are the reference pictures of tst_pictures.
class tst_ControlPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void keypadEntry();
    void routeSetting_data();
    void routeSetting();
    void digitListsStartAtZeroAndSound();
    void steppingWithBoardOptions();
    void displayClear();
    void slidersMoveTheWayPressed_data();
    void slidersMoveTheWayPressed();
    void modalWindowsHoldThePanel();
    void setPropAppliesOptions();
    void backlight_data();
    void backlight();
    void doubleClickOnALabelKeepsThePanel();
    void ticketDrawing_data();
    void ticketDrawing();
    void frameFollowsSpeechAndTape_data();
    void frameFollowsSpeechAndTape();
    void failedRouteKeepsTheTape();
    void stepFlagsStepTheBoard();
    void adjustDialogKeepsTheChoice();

private:
    std::unique_ptr<test::Program> p;
};

void tst_ControlPanel::init()
{
    p = std::make_unique<test::Program>();
    QVERIFY(p->writeRoute(QStringLiteral("12"), 10));
    p->options->txtSelectSound[0]->setText(QStringLiteral("route.wav"));
    p->options->txtSelectSound[1]->setText(QStringLiteral("key.wav"));
}

void tst_ControlPanel::cleanup()
{
    p.reset();
    QFile::remove(QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                      .filePath(QStringLiteral("voice.ini")));
}

void tst_ControlPanel::keypadEntry()
{
    // Digits before "系統" go to the section; a fourth section digit and a sixth
    // route digit are refused, with the key sound all the same.
    for (int k : {1, 2, 10, 0, 0, 7, 1, 2, 3, 4, 11, 9, 9, 9, 9, 10})
        p->panel->CommandButton1[size_t(k)]->click();
    QCOMPARE(p->panel->Label2[2]->text(), QStringLiteral("999"));
    QCOMPARE(p->panel->Label2[0]->text(), QString()); // "系統" empties only the route
    QCOMPARE(p->sound.plays.size(), 16);
    QCOMPARE(p->sound.plays.last().path, QStringLiteral("key.wav"));
    QCOMPARE(p->sound.plays.last().slot, QStringLiteral("S1"));
    QVERIFY(!p->sound.plays.last().synchronous);
    for (int k : {0, 0, 7, 1, 2, 3})
        p->panel->CommandButton1[size_t(k)]->click();
    QCOMPARE(p->panel->Label2[0]->text(), QStringLiteral("00712"));
}

void tst_ControlPanel::routeSetting_data()
{
    QTest::addColumn<bool>("keypad");
    QTest::newRow("keypad") << true;
    QTest::newRow("digit lists") << false;
}

void tst_ControlPanel::routeSetting()
{
    QFETCH(bool, keypad);
    QVERIFY(!p->panel->Command2[1]->isEnabled());
    // The lamp test (its look is a reference picture) holds input back, not refused.
    QString stripText;
    p->clock.whilePaused = [&](int) {
        stripText = p->board->ChimeiCtl->Chimei();
        QVERIFY(p->panel->isEnabled());
    };
    if (keypad) {
        p->keyRoute(QStringLiteral("00012"), QStringLiteral("3"));
    } else {
        for (size_t i = 0; i < 8; ++i)
            (i < 5 ? p->panel->List2[i] : p->panel->List3[i - 5])->setCurrentRow(QList{0, 0, 0, 1, 2, 0, 0, 3}[i]);
        p->panel->Command1[0]->click();
    }
    QVERIFY(p->host.messages.isEmpty());
    QCOMPARE(p->clock.pauses, QList<int>{3000});
    QCOMPARE(stripText, QStringLiteral("系統選別中"));
    const RouteState &route = routeState();
    QCOMPARE(route.RouteNo, QStringLiteral("00012"));
    QCOMPARE(route.CurStop, qint16(2));
    QCOMPARE(route.RouteDate, QStringLiteral("12-07-2026"));
    QCOMPARE(p->cell(2), qint16(0)); // below the section: 0
    QCOMPARE(p->cell(3), fareAt(3, 3));
    QCOMPARE(p->board->ChimeiCtl->Chimei(), QStringLiteral("停留所3"));
    QVERIFY(p->panel->Command2[0]->isEnabled() && p->panel->Check1->isEnabled());
    QCOMPARE(p->sound.plays.last().path, QStringLiteral("route.wav"));
}

void tst_ControlPanel::digitListsStartAtZeroAndSound()
{
    for (size_t i = 0; i < 8; ++i) {
        const QListWidget *list = i < 5 ? p->panel->List2[i] : p->panel->List3[i - 5];
        QCOMPARE(list->currentItem() ? list->currentItem()->text() : QString(), QStringLiteral("0"));
    }
    // A route digit sounds the key, a section digit the route sound; by mouse or key.
    p->panel->Frame1[0]->raise();
    QListWidget *route = p->panel->List2[4];
    QTest::mouseClick(route->viewport(), Qt::LeftButton, {}, route->visualItemRect(route->item(2)).center());
    QTest::keyClick(p->panel->List3[2], Qt::Key_Down);
    QCOMPARE(route->currentRow(), 2);
    QCOMPARE(p->sound.plays.size(), 2);
    QCOMPARE(p->sound.plays[0].path, QStringLiteral("key.wav"));
    QCOMPARE(p->sound.plays[1].path, QStringLiteral("route.wav"));
    // A key that moves nothing sounds nothing.
    QTest::keyClick(route, Qt::Key_Home);
    QTest::keyClick(route, Qt::Key_Up);
    QCOMPARE(p->sound.plays.size(), 3);
}

void tst_ControlPanel::steppingWithBoardOptions()
{
    frmOption *o = p->options;
    setOptionValue(o->Option2[1], true);
    o->Combo1->setCurrentIndex(60); // column 61 holds s % 4 at stop s
    o->txtSelectSound[9]->setText(QStringLiteral("two.wav"));
    o->txtSelectSound[10]->setText(QStringLiteral("three.wav"));
    setOptionValue(o->Option6[0], true); // synchronous
    o->Check3[1]->setChecked(true);      // ticket number into cell 1
    o->Combo4[1]->setCurrentIndex(0);
    o->chkUseSeiriPrev->setChecked(true);
    // With no date mode chosen, the date shown on the options page.
    for (QRadioButton *mode : o->Option4)
        setOptionValue(mode, false);
    o->Label10->setText(QStringLiteral("2009/01/30"));
    p->panel->Check2->setChecked(true);
    p->keyRoute(QStringLiteral("12"), QStringLiteral("2"));
    p->sound.plays.clear();
    for (int direction : {0, 0, 1, 1, 1, 1, 0}) // stops 1, 1, 2, 3, 4, 5, 4
        p->panel->Command2[size_t(direction)]->click();
    QStringList played;
    for (const auto &play : p->sound.plays) {
        played << play.path;
        QVERIFY(play.synchronous && play.slot == u"S2");
    }
    QCOMPARE(played, (QStringList{"", "two.wav", "three.wav", ""}));
    QCOMPARE(p->board->ChimeiCtl->Chimei(), QStringLiteral("停留所4"));
    QCOMPARE(p->cell(2), qint16(2 * fareAt(4, 2)));
    QCOMPARE(p->cell(5), qint16(-1)); // no fare stays no fare
    QCOMPARE(p->cell(1), qint16(4));  // information numbers are never doubled
    QCOMPARE(routeState().RouteDate, QStringLiteral("2009/01/30"));
    QCOMPARE(p->host.drawCalls.value(6).date, QStringLiteral("2009/01/30"));
    p->panel->Check2->setChecked(false);
    for (int i = 0; i < 7; ++i)
        p->panel->Command2[1]->click();
    QCOMPARE(p->cell(2), fareAt(10, 2));
    // At the end: no sound, no redraw.
    const qsizetype sounds = p->sound.plays.size();
    p->board->ChimeiCtl->SetChimei(QStringLiteral("x"));
    p->panel->Command2[1]->click();
    QCOMPARE(p->sound.plays.size(), sounds);
    QCOMPARE(p->board->ChimeiCtl->Chimei(), QStringLiteral("x"));
}

void tst_ControlPanel::displayClear()
{
    QVERIFY(p->writeTape(QStringLiteral("12"), QStringLiteral("a,0,0\n")));
    p->keyRoute(QStringLiteral("12"), QStringLiteral("4"));
    QVERIFY(p->panel->grpM_Tape->isEnabled());
    for (bool clear : {true, false}) {
        p->panel->Check1->click(); // the board's look is a reference picture
        QCOMPARE(p->board->Timer1->isActive(), !clear);
        for (QWidget *w : QList<QWidget *>{p->panel->Frame1[0], p->panel->Frame1[1], p->panel->Command2[0],
                                           p->panel->Command2[1], p->panel->Frame6, p->panel->grpM_Tape})
            QCOMPARE(w->isEnabled(), !clear);
        QVERIFY(p->panel->Command4->isEnabled() && p->panel->Option4[1]->isEnabled());
    }
    QCOMPARE(p->cell(4), fareAt(4, 4));
    QCOMPARE(p->board->ChimeiCtl->Chimei(), QStringLiteral("停留所4"));
}

void tst_ControlPanel::slidersMoveTheWayPressed_data()
{
    // A move to the left raises the value (the thumb's side is in the panel's
    // reference picture). Leftward moves start at the smallest value, rightward
    // ones halfway.
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("left");
    const std::pair<const char *, bool> actions[] = {
        {"left arrow", true}, {"right arrow", false}, {"key left", true}, {"key right", false}};
    for (int bar : {0, 1}) {
        for (const auto &[action, left] : actions)
            QTest::addRow("HScroll1(%d) %s", bar, action) << bar << QString::fromLatin1(action) << left;
    }
}

void tst_ControlPanel::slidersMoveTheWayPressed()
{
    QFETCH(int, bar);
    QFETCH(QString, action);
    QFETCH(bool, left);
    QScrollBar *s = p->panel->HScroll1[size_t(bar)];
    const int start = left ? s->minimum() : (s->minimum() + s->maximum()) / 2;
    s->setValue(start);
    if (action.startsWith(u"key"))
        QTest::keyClick(s, left ? Qt::Key_Left : Qt::Key_Right);
    else
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(left ? 2 : s->width() - 3, s->height() / 2));
    QVERIFY2(left ? s->value() > start : s->value() < start, qPrintable(QString::number(s->value())));
    // The strip takes both values on either change; the label shows this one.
    QCOMPARE(p->panel->Label1[size_t(bar)]->text(), QString::number(s->value()));
    QCOMPARE(p->board->ChimeiCtl->Speed(), p->panel->HScroll1[0]->value());
    QCOMPARE(p->board->ChimeiCtl->ScrollStartWait(), p->panel->HScroll1[1]->value());
}

void tst_ControlPanel::modalWindowsHoldThePanel()
{
    p->keyRoute(QStringLiteral("12"), QStringLiteral("7"));
    bool disabledMeanwhile = false;
    p->cp->showOptions = [&] {
        disabledMeanwhile = !p->board->isEnabled() && !p->panel->isEnabled();
        p->board->ChimeiCtl->SetChimei(QStringLiteral("x"));
    };
    p->panel->Command4->click();
    QVERIFY(disabledMeanwhile);
    QVERIFY(p->board->isEnabled() && p->panel->isEnabled());
    // The stop name is drawn again in the fonts and colours chosen.
    QCOMPARE(p->board->ChimeiCtl->Chimei(), QStringLiteral("星見台ニュータウン入口"));

    p->host.whileModal = [&] { disabledMeanwhile = !p->board->isEnabled(); };
    p->panel->Command8->click();
    QVERIFY(disabledMeanwhile && p->board->isEnabled());
    QCOMPARE(p->host.versionTexts, QStringList{ControlPanel::versionText(2026)});
    QVERIFY(ControlPanel::versionText(987).endsWith(QStringLiteral(" 0987\r\n")));
}

// The colours and fonts on the board are the reference picture "board-options".
void tst_ControlPanel::setPropAppliesOptions()
{
    p->options->Check1->setChecked(false);
    p->options->Command4->click();
    for (int i = 1; i <= 60; ++i)
        QVERIFY(p->board->lblSeiriNum[size_t(i)]->isHidden());
    p->options->Check1->setChecked(true);
    // OK while ON2 is chosen shows the ON2 picture and ticket-number colour.
    p->panel->Option4[2]->click();
    p->board->imgRes[2] = QPixmap(10, 10);
    p->options->Command4->click();
    QVERIFY(!p->board->lblSeiriNum[60]->isHidden());
    QCOMPARE(p->board->picture().cacheKey(), p->board->imgRes[2].cacheKey());
    QCOMPARE(foreColor(p->board->lblSeiriNum[7]), backColor(p->options->Command5[2]));
}

void tst_ControlPanel::backlight_data()
{
    // Backlight state OFF, ON1 or ON2, the panel mode, whether the user panel is
    // chosen for that state, its file; what the board shows and the error shown.
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("individual");
    QTest::addColumn<bool>("user");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("error");
    QTest::newRow("automatic: built in") << 1 << false << true << "good" << "built-in" << 0;
    QTest::newRow("built in chosen") << 2 << true << false << "good" << "built-in" << 0;
    QTest::newRow("OFF user picture") << 0 << true << true << "good" << "user" << 0;
    QTest::newRow("ON1 user picture") << 1 << true << true << "good" << "user" << 0;
    QTest::newRow("ON2 user picture") << 2 << true << true << "good" << "user" << 0;
    QTest::newRow("not a picture") << 1 << true << true << "broken" << "previous" << 481;
    QTest::newRow("no such file") << 1 << true << true << "gone" << "previous" << 0;
    QTest::newRow("file not readable") << 2 << true << true << "locked" << "previous" << 75;
}

void tst_ControlPanel::backlight()
{
    QFETCH(int, state);
    QFETCH(bool, individual);
    QFETCH(bool, user);
    QFETCH(QString, file);
    QFETCH(QString, shown);
    QFETCH(int, error);
    QString path = p->path(file + QStringLiteral(".bmp"));
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    if (file == u"good" || file == u"locked")
        QVERIFY(picture.save(path));
    else if (file == u"broken")
        QVERIFY(p->writeFile(QStringLiteral("broken.bmp"), "not a picture"));
    if (file == u"locked") {
        QFile(path).setPermissions({});
        // Permissions do not stop the superuser; a write-only kernel file does.
        if (QFile(path).open(QIODevice::ReadOnly))
            path = QStringLiteral("/sys/bus/pci/rescan");
        if (!QFileInfo(path).isFile() || QFile(path).open(QIODevice::ReadOnly))
            QSKIP("no file here that this user may not read");
    }
    const size_t s = size_t(state);
    setOptionValue(p->options->Option3[individual ? frmOption::kPanelsIndividual : frmOption::kPanelsAutomatic], true);
    setOptionValue(p->options->Option3[user ? frmOption::kUserPanel[s] : frmOption::kBuiltInPanel[s]], true);
    p->options->txtSelectPanel[s]->setText(path);
    setBackColor(p->options->Command5[s], rgb(9, 8, 7));
    const QPixmap previous(5, 5);
    p->board->setPicture(previous);
    p->panel->Option4[s]->click();
    if (shown == u"user")
        QCOMPARE(p->board->picture().size(), QSize(20, 10));
    else
        QCOMPARE(p->board->picture().cacheKey(),
                 shown == u"built-in" ? p->board->imgRes[s].cacheKey() : previous.cacheKey());
    QCOMPARE(p->host.messages.size(), error ? 1 : 0);
    if (error)
        QVERIFY(p->host.messages[0].text.contains(QStringLiteral("エラーコード：%1　").arg(error)));
    // The ticket numbers take the state's colour whatever the picture did.
    QCOMPARE(foreColor(p->board->lblSeiriNum[1]), rgb(9, 8, 7));
    QCOMPARE(foreColor(p->board->lblSeiriNum[60]), rgb(9, 8, 7));
}

void tst_ControlPanel::doubleClickOnALabelKeepsThePanel()
{
    for (QLabel *label : {p->panel->Label5, p->panel->Label6, p->panel->Label7, p->panel->Label2[0]}) {
        const qint16 frame = label == p->panel->Label2[0] ? 1 : 0;
        QWidget *entry = p->panel->Frame1[size_t(frame)];
        QCOMPARE(label->parentWidget(), entry);
        entry->raise();
        p->panel->entryPanelIndex = qint16(1 - frame);
        QTest::mouseDClick(label, Qt::LeftButton, {}, label->rect().center());
        QCOMPARE(p->panel->entryPanelIndex, qint16(1 - frame));
        // The frame's own surface still switches.
        QTest::mouseDClick(entry, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(p->panel->entryPanelIndex, frame);
    }
}

void tst_ControlPanel::ticketDrawing_data()
{
    QTest::addColumn<QString>("plugin"); // "" for the preview switched off
    QTest::addColumn<int>("dateMode");
    QTest::addColumn<int>("company");
    QTest::addColumn<QString>("date");
    QTest::newRow("today, no companies") << "plain.4SP" << 0 << -1 << "12-07-2026";
    QTest::newRow("route's date") << "barcode.4SP" << 1 << 2 << "12-07-2026";
    QTest::newRow("fixed date") << "barcode.4SP" << 2 << 0 << "2027/01/02";
    QTest::newRow("switched off") << "" << 0 << -1 << "";
}

void tst_ControlPanel::ticketDrawing()
{
    QFETCH(QString, plugin);
    QFETCH(int, dateMode);
    QFETCH(int, company);
    QFETCH(QString, date);
    const QString path = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/") + plugin;
    // Opened by the stored panel state as by its switch.
    ControlPanelState state;
    p->panel->GetCtrlDataInfo(state);
    state.preview = 1;
    QVERIFY(!p->panel->SetCtrlDataInfo(state));
    QCOMPARE(p->panel->outerWidth(), frmCtl::kOpenWidth);
    p->options->chkUseSeiriPrev->setChecked(true);
    p->host.fileAnswers.push_back(path);
    p->options->Command1_Click();
    p->options->chkUseSeiriPrev->setChecked(!plugin.isEmpty());
    p->options->Option4[size_t(dateMode)]->setChecked(true);
    p->options->Label10->setText(QStringLiteral("2027/01/02"));
    p->keyRoute(QStringLiteral("12"), QStringLiteral("7"));
    p->panel->Combo1->setCurrentIndex(company);
    p->host.drawCalls.clear();
    p->panel->Command2[1]->click();
    QCOMPARE(p->host.drawCalls.size(), plugin.isEmpty() ? 0 : 1);
    if (plugin.isEmpty()) {
        QVERIFY(p->panel->picSeirikenPrev->image().allGray());
        return;
    }
    const test::FakeHostLib::DrawCall &call = p->host.drawCalls[0];
    QCOMPARE(call.path, path);
    QCOMPARE(call.stopName, QStringLiteral("停留所8"));
    QCOMPARE(call.date, date);
    QCOMPARE(call.time, QStringLiteral("08:05:00"));
    QCOMPARE(call.routeNo, 12);
    QCOMPARE(call.ticketNo, qint16(8));
    QCOMPARE(call.position, qint16(8));
    QCOMPARE(call.corpIndex, company);
    // A right click offers the copy, which puts the ticket on the clipboard alone.
    QTest::mousePress(p->panel->picSeirikenPrev, Qt::RightButton, {}, QPoint(10, 10));
    QVERIFY(p->panel->MnuHide->isVisible());
    p->panel->MnuHide->hide();
    QGuiApplication::clipboard()->setText(QStringLiteral("older"));
    p->panel->MnuHideCopy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             p->panel->picSeirikenPrev->image());
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
}

void tst_ControlPanel::frameFollowsSpeechAndTape_data()
{
    QTest::addColumn<QString>("os");
    QTest::addColumn<bool>("engineReady");
    QTest::addColumn<QString>("tape"); // "" for no file
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    const QString good = QStringLiteral("a,0,0\r\n");
    QTest::newRow("engine ready, tape loaded") << "Linux" << true << good << "音合使用可" << true;
    QTest::newRow("no tape file") << "Linux" << true << "" << "音合使用可" << false;
    QTest::newRow("tape with a bad line") << "Linux" << true << "a,0,0,0\r\n" << "音合使用可" << false;
    QTest::newRow("no engine") << "Linux" << false << good << "音合使用不可" << false;
    QTest::newRow("Windows Vista") << "Windows Vista" << true << good << "音合使用不可" << false;
}

void tst_ControlPanel::frameFollowsSpeechAndTape()
{
    QFETCH(QString, os);
    QFETCH(bool, engineReady);
    QFETCH(QString, tape);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    p.reset(); // one set of fakes at a time
    p = std::make_unique<test::Program>(false);
    p->host.osName = os;
    p->speech.readyOnStart = false;
    p->start();
    QCOMPARE(p->panel->grpM_Tape->title(), QStringLiteral("音合使用不可"));
    QVERIFY(!p->panel->grpM_Tape->isEnabled());
    QVERIFY(p->writeRoute(QStringLiteral("12"), 5));
    if (!tape.isEmpty())
        QVERIFY(p->writeTape(QStringLiteral("12"), tape));
    p->keyRoute(QStringLiteral("012"), QString());
    QVERIFY(!p->panel->grpM_Tape->isEnabled());
    // The engine comes up after start-up, in its own time.
    if (engineReady)
        p->speech.setReady(true);
    QCOMPARE(p->panel->grpM_Tape->title(), caption);
    QCOMPARE(p->panel->grpM_Tape->isEnabled(), enabled);
    QCOMPARE(p->speech.started.isEmpty(), os == QStringLiteral("Windows Vista"));
}

// The kinds of bad file are the route setting's own tests; here, that a failed
// one leaves the running route and its announcements in force.
void tst_ControlPanel::failedRouteKeepsTheTape()
{
    QVERIFY(p->writeTape(QStringLiteral("12"), QStringLiteral("一,0,0\n二,0,0\n三,0,0\n")));
    p->keyRoute(QStringLiteral("12"), QStringLiteral("2"));
    p->panel->cmdTapeNext->click();

    // Route 34 has announcements but no fare file; route 56 has a fare file
    // too short for the section.
    QVERIFY(p->writeTape(QStringLiteral("34"), QStringLiteral("x,0,0\n")));
    QVERIFY(p->writeRoute(QStringLiteral("56"), 1));
    QVERIFY(p->writeTape(QStringLiteral("56"), QStringLiteral("y,0,0\n")));
    for (const QString &route : {QStringLiteral("34"), QStringLiteral("56")}) {
        p->keyRoute(route, QString());
        QCOMPARE(p->cp->tape().TapeCount(), 3);
        QCOMPARE(p->cp->tape().TapePosition(), 1);
        QVERIFY(p->panel->grpM_Tape->isEnabled());
    }
    QCOMPARE(p->host.messages.size(), 2);
    QCOMPARE(routeState().RouteNo, QStringLiteral("12"));
    QCOMPARE(routeState().CurStop, qint16(1));
    QCOMPARE(p->cell(2), fareAt(2, 2));
    p->panel->cmdTapeNext->click();
    QCOMPARE(p->speech.spoken(), (QStringList{"一", "二"}));
}

void tst_ControlPanel::stepFlagsStepTheBoard()
{
    p->options->Option2[2]->setChecked(true); // "always": forward only
    p->options->txtSelectSound[3]->setText(QStringLiteral("pre.wav"));
    p->options->txtSelectSound[4]->setText(QStringLiteral("flag1.wav"));
    QVERIFY(p->writeTape(QStringLiteral("12"), QStringLiteral("一,0,1\r\n二,1,0\r\n三,1,1")));
    p->keyRoute(QStringLiteral("12"), QString());
    // Stop shown after each button ("送り" 4 times, "戻し" 3), the last at either end of the tape.
    const int stops[] = {1, 2, 3, 4, 3, 3, 3};
    for (int i = 0; i < 7; ++i) {
        (i < 4 ? p->panel->cmdTapeNext : p->panel->cmdTapeBack)->click();
        QCOMPARE(routeState().CurStop + 1, stops[i]);
    }
    QCOMPARE(p->speech.spoken(), (QStringList{"一", "二", "三", "二", "一"}));
    // "always" is for going forward; back, entry 1's own flag chooses.
    QCOMPARE(p->sound.plays.last().path, QStringLiteral("flag1.wav"));
    QCOMPARE(p->sound.plays.last().slot, QStringLiteral("S2"));
    p->panel->cmdTapeStop->click();
    QCOMPARE(p->speech.log.last(), QStringLiteral("stop"));
}

void tst_ControlPanel::adjustDialogKeepsTheChoice()
{
    VoiceSettings saved;
    saved.engine = QStringLiteral("fake");
    saved.save();
    p->program.reset();
    p->start();
    QVERIFY(p->writeTape(QStringLiteral("12"), QStringLiteral("a,0,0\n")));
    p->keyRoute(QStringLiteral("12"), QString());
    p->panel->cmdTapeSet->click();
    auto *dialog = p->panel->findChild<frmVoice *>();
    QVERIFY(dialog && dialog->isVisible());
    // The engines to choose from, the one in use chosen.
    QCOMPARE(dialog->cboEngine->count(), 1);
    QCOMPARE(dialog->cboEngine->currentText(), QStringLiteral("fake"));
    dialog->sldRate->setValue(5);
    dialog->speakSample();
    QCOMPARE(p->speech.spoken().last(), frmVoice::sampleSentence());
    QCOMPARE(p->speech.started.last().rate, 0.5);
    QCOMPARE(p->speech.started.last().engine, QStringLiteral("fake"));
    dialog->accept();
    QCOMPARE(VoiceSettings::load().rate, 0.5);
    QTRY_VERIFY(!p->panel->findChild<frmVoice *>());

    // Cancel goes back to the choice in force when the dialog opened.
    p->panel->cmdTapeSet->click();
    dialog = p->panel->findChild<frmVoice *>();
    QVERIFY(dialog);
    dialog->sldPitch->setValue(-10);
    dialog->speakSample();
    QCOMPARE(p->speech.started.last().pitch, -1.0);
    dialog->reject();
    QCOMPARE(p->speech.started.last().pitch, 0.0);
    QCOMPARE(p->speech.started.last().rate, 0.5);
    QCOMPARE(VoiceSettings::load().pitch, 0.0);

    // The next start-up uses the saved choice.
    p->program.reset();
    p->start();
    QCOMPARE(p->speech.started.last().rate, 0.5);
}

LUMINA_TEST_MAIN(tst_ControlPanel)
#include "tst_controlpanel.moc"
