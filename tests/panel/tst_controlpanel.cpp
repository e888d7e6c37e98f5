#include "FakeClock.h"
#include "FakeHostLib.h"
#include "FakeSoundPlayer.h"
#include "TestMain.h"

#include "controls/ChimeiCtl_P.h"
#include "controls/M_Degit.h"
#include "controls/M_DegitEmNB.h"
#include "options/frmOption.h"
#include "panel/ControlPanel.h"
#include "route/FareFile.h"
#include "route/FareTable.h"
#include "base/Colors.h"
#include "shell/Form1.h"
#include "base/Geometry.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace lumina;
using lumina::test::FakeHostLib;
using lumina::test::FakeSoundPlayer;

namespace {

// Fare of ticket t at stop s of the test routes: tickets not yet issued have
// no fare.
qint16 fareAt(int stop, int ticket)
{
    return ticket <= stop ? qint16(170 + 10 * (stop - ticket)) : qint16(-1);
}

std::vector<FareRecord> makeRoute(int stops)
{
    std::vector<FareRecord> records;
    for (int s = 1; s <= stops; ++s) {
        FareRecord r;
        r.StopName = s == 7 ? QStringLiteral("星見台ニュータウン入口") : QStringLiteral("停留所%1").arg(s);
        r.TicketNo = qint16(s);
        for (int t = 1; t <= 60; ++t)
            r.Values[size_t(t - 1)] = fareAt(s, t);
        r.Values[60] = qint16(s % 4); // column 61 chooses the step sound
        records.push_back(r);
    }
    return records;
}

} // namespace

// The control panel driven through its own buttons, on a real board.
class tst_ControlPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keypadEntry();
    void keypadRouteAndSectionSetTheRoute();
    void badRouteKeepsPreviousRoute_data();
    void badRouteKeepsPreviousRoute();
    void digitListsSetTheRoute();
    void steppingStaysWithinTheRoute();
    void stepSoundByDataColumn();
    void lateNightDoubles();
    void displayClear();
    void slidersDriveTheStrip();
    void settingsButton();
    void versionBox();
    void setPropAppliesOptions();
    void backlightUserImage();

private:
    void key(int index) { m_panel->CommandButton1[size_t(index)]->click(); }
    void keyRoute(const QString &route, const QString &section);
    void writeRoute(const QString &name, const std::vector<FareRecord> &records);
    qint16 cell(int t) const { return qint16(m_board->Degit[size_t(t)]->Value().toInt()); }

    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Lumina> m_program;
    Form1 *m_board = nullptr;
    frmCtl *m_panel = nullptr;
    frmOption *m_options = nullptr;
    ControlPanel *m_cp = nullptr;
    QList<int> m_pauses;
    std::unique_ptr<FakeClock> m_clock;
    std::function<void()> m_duringPause;
};

void tst_ControlPanel::init()
{
    m_host = std::make_unique<FakeHostLib>();
    m_sound = std::make_unique<FakeSoundPlayer>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_program = std::make_unique<Lumina>();
    // No settings file in these tests.
    m_program->seams().loadIni = [] {};
    m_program->seams().saveIni = [] {};
    m_program->startUp();
    m_board = m_program->board();
    m_panel = m_program->panel();
    m_options = m_program->options();
    m_cp = m_program->controlPanel();
    QVERIFY(m_cp);
    m_pauses.clear();
    m_duringPause = nullptr;
    m_clock = std::make_unique<FakeClock>();
    m_clock->whilePaused = [this](int ms) {
        m_pauses << ms;
        if (m_duringPause)
            m_duringPause();
    };
    m_options->Text2[0]->setText(m_dir->path());
    writeRoute(QStringLiteral("12.hy3"), makeRoute(10));
    routeState() = RouteState();
}

void tst_ControlPanel::cleanup()
{
    m_program.reset();
    m_clock.reset();
    m_dir.reset();
    m_sound.reset();
    m_host.reset();
    routeState() = RouteState();
}

void tst_ControlPanel::writeRoute(const QString &name, const std::vector<FareRecord> &records)
{
    QFile file(QDir(m_dir->path()).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    FareFileWriter writer;
    QVERIFY2(writer.write(&file, records), qPrintable(writer.errorString()));
}

void tst_ControlPanel::keyRoute(const QString &route, const QString &section)
{
    key(10);
    for (QChar c : route)
        key(c.digitValue());
    key(11);
    for (QChar c : section)
        key(c.digitValue());
    m_panel->Command1[1]->click();
}

void tst_ControlPanel::keypadEntry()
{
    m_options->txtSelectSound[1]->setText(QStringLiteral("key.wav"));
    // Digits before "系統" go to the section; a fourth section digit and a sixth
    // route digit are refused, with the key sound all the same.
    for (int k : {1, 2, 10, 0, 0, 7, 1, 2, 3, 4})
        key(k);
    QCOMPARE(m_panel->Label2[0]->text(), QStringLiteral("00712"));
    QCOMPARE(m_panel->Label2[2]->text(), QStringLiteral("12"));
    for (int k : {11, 9, 9, 9, 9})
        key(k);
    QCOMPARE(m_panel->Label2[2]->text(), QStringLiteral("999"));
    QCOMPARE(m_sound->plays.size(), 15);
    QCOMPARE(m_sound->plays.last().path, QStringLiteral("key.wav"));
    QCOMPARE(m_sound->plays.last().slot, QStringLiteral("S1"));
    QVERIFY(!m_sound->plays.last().synchronous);
    // "系統" empties only the route display.
    key(10);
    QCOMPARE(m_panel->Label2[0]->text(), QString());
    QCOMPARE(m_panel->Label2[2]->text(), QStringLiteral("999"));
}

void tst_ControlPanel::keypadRouteAndSectionSetTheRoute()
{
    QVERIFY(!m_panel->Command2[1]->isEnabled());
    m_options->txtSelectSound[0]->setText(QStringLiteral("route.wav"));
    // The lamp test (its look is a reference picture) holds input back, not refused.
    QString stripText;
    m_duringPause = [&] {
        stripText = m_board->ChimeiCtl->Chimei();
        QVERIFY(m_panel->isEnabled());
    };
    keyRoute(QStringLiteral("00012"), QStringLiteral("3"));
    QVERIFY(m_host->messages.isEmpty());
    QCOMPARE(m_pauses, QList<int>{3000});
    QCOMPARE(stripText, QStringLiteral("系統選別中"));

    const RouteState &route = routeState();
    QCOMPARE(route.RouteNo, QStringLiteral("00012"));
    QCOMPARE(route.StartSection, qint16(3));
    QCOMPARE(route.StopCount, qint16(10));
    QCOMPARE(route.CurStop, qint16(2));
    // Cells below the section stay at 0; the rest show stop 3.
    QCOMPARE(cell(1), qint16(0));
    QCOMPARE(cell(2), qint16(0));
    QCOMPARE(cell(3), fareAt(3, 3));
    QCOMPARE(cell(60), qint16(-1));
    QCOMPARE(m_board->ChimeiCtl->Chimei(), QStringLiteral("停留所3"));
    QVERIFY(m_panel->Command2[0]->isEnabled());
    QVERIFY(m_panel->Check1->isEnabled());
    QCOMPARE(m_sound->plays.last().path, QStringLiteral("route.wav"));
    QCOMPARE(route.RouteDate, QStringLiteral("12-07-2026"));
}

void tst_ControlPanel::badRouteKeepsPreviousRoute_data()
{
    // The kinds of bad file are the route setting's own tests; here, that any of
    // them leaves the running route in force.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("count 0") << QByteArray("\0\0", 2)
                             << QStringLiteral("指定した系統はデータの数が0(未登録)の可能性があります...");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("指定した系統のデータがありません...");
}

void tst_ControlPanel::badRouteKeepsPreviousRoute()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);

    keyRoute(QStringLiteral("12"), QStringLiteral("2"));
    m_panel->Command2[1]->click();
    const RouteState before = routeState();
    QCOMPARE(before.CurStop, qint16(2));
    const qint16 shown = cell(2);

    const QString path = QDir(m_dir->path()).filePath(QStringLiteral("34.hy3"));
    if (!bytes.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    keyRoute(QStringLiteral("34"), QStringLiteral("1"));
    QCOMPARE(m_host->messages.size(), 1);
    QCOMPARE(m_host->messages[0].text, message);

    // Everything of the previous route is still in force.
    const RouteState &after = routeState();
    QCOMPARE(after.RouteNo, before.RouteNo);
    QCOMPARE(after.StopCount, before.StopCount);
    QCOMPARE(after.CurStop, before.CurStop);
    QCOMPARE(after.FareTable.entry(10).StopName, QStringLiteral("停留所10"));
    QCOMPARE(cell(2), shown);
    m_panel->Command2[1]->click();
    QCOMPARE(routeState().CurStop, qint16(3));
    QCOMPARE(cell(4), fareAt(4, 4));
}

void tst_ControlPanel::digitListsSetTheRoute()
{
    m_options->txtSelectSound[0]->setText(QStringLiteral("route.wav"));
    m_options->txtSelectSound[1]->setText(QStringLiteral("key.wav"));
    m_panel->Frame1[0]->raise();
    // The operator's clicks play the key sound on a route digit, the route sound
    // on a section digit.
    auto clickItem = [](QListWidget *list, int row) {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
    };
    clickItem(m_panel->List2[4], 2);
    clickItem(m_panel->List3[2], 4);
    QCOMPARE(m_sound->plays.size(), 2);
    QCOMPARE(m_sound->plays[0].path, QStringLiteral("key.wav"));
    QCOMPARE(m_sound->plays[1].path, QStringLiteral("route.wav"));
    for (int i : {0, 1, 2})
        m_panel->List2[size_t(i)]->setCurrentRow(0);
    m_panel->List2[3]->setCurrentRow(1);
    m_panel->List3[0]->setCurrentRow(0);
    m_panel->List3[1]->setCurrentRow(0);
    m_panel->Command1[0]->click();
    QVERIFY(m_host->messages.isEmpty());
    QCOMPARE(routeState().RouteNo, QStringLiteral("00012"));
    QCOMPARE(routeState().CurStop, qint16(3));
    QCOMPARE(cell(4), fareAt(4, 4));
}

void tst_ControlPanel::steppingStaysWithinTheRoute()
{
    m_options->txtSelectSound[7]->setText(QStringLiteral("step.wav"));
    keyRoute(QStringLiteral("12"), QStringLiteral("3"));
    m_sound->plays.clear();

    m_panel->Command2[0]->click();
    m_panel->Command2[0]->click();
    QCOMPARE(routeState().CurStop, qint16(0));
    QCOMPARE(m_board->ChimeiCtl->Chimei(), QStringLiteral("停留所1"));
    // Below the starting section the cells before it are still not written.
    QCOMPARE(cell(3), qint16(-1));
    QCOMPARE(m_sound->plays.size(), 2);
    QCOMPARE(m_sound->plays[0].slot, QStringLiteral("S2"));
    m_panel->Command2[0]->click();
    QCOMPARE(routeState().CurStop, qint16(0));
    QCOMPARE(m_sound->plays.size(), 2);

    for (int i = 0; i < 9; ++i)
        m_panel->Command2[1]->click();
    QCOMPARE(routeState().CurStop, qint16(9));
    QCOMPARE(m_board->ChimeiCtl->Chimei(), QStringLiteral("停留所10"));
    QCOMPARE(m_sound->plays.size(), 11);
    m_board->ChimeiCtl->SetChimei(QStringLiteral("x"));
    m_panel->Command2[1]->click();
    QCOMPARE(routeState().CurStop, qint16(9));
    QCOMPARE(m_sound->plays.size(), 11);
    QCOMPARE(m_board->ChimeiCtl->Chimei(), QStringLiteral("x")); // no redraw
}

void tst_ControlPanel::stepSoundByDataColumn()
{
    setOptionValue(m_options->Option2[1], true);
    m_options->Combo1->setCurrentIndex(60); // column 61 holds s % 4 at stop s
    m_options->txtSelectSound[9]->setText(QStringLiteral("two.wav"));
    m_options->txtSelectSound[10]->setText(QStringLiteral("three.wav"));
    setOptionValue(m_options->Option6[0], true); // synchronous
    keyRoute(QStringLiteral("12"), QStringLiteral("1"));
    m_sound->plays.clear();
    for (int direction : {1, 1, 1, 0}) // stops 2, 3, 4 (value 0: none), back to 3
        m_panel->Command2[size_t(direction)]->click();
    QStringList played;
    for (const auto &play : m_sound->plays) {
        played << play.path;
        QVERIFY(play.synchronous);
    }
    QCOMPARE(played, (QStringList{"two.wav", "three.wav", "three.wav"}));
}

// The ticket preview gets the date the options choose.
void tst_ControlPanel::lateNightDoubles()
{
    m_options->Check3[1]->setChecked(true); // ticket number into cell 1
    m_options->Combo4[1]->setCurrentIndex(0);
    m_panel->Check2->setChecked(true);
    keyRoute(QStringLiteral("12"), QStringLiteral("5"));
    QCOMPARE(cell(2), qint16(0)); // below the section: not written
    QCOMPARE(cell(5), qint16(2 * fareAt(5, 5)));
    QCOMPARE(cell(6), qint16(-1)); // no fare stays no fare
    QCOMPARE(cell(1), qint16(5));  // information numbers are never doubled
    m_panel->Check2->setChecked(false);
    m_panel->Command2[1]->click();
    QCOMPARE(cell(5), fareAt(6, 5));
}

void tst_ControlPanel::displayClear()
{
    keyRoute(QStringLiteral("12"), QStringLiteral("4"));
    QVERIFY(m_board->Timer1->isActive());
    m_panel->Check1->click(); // the board's look is a reference picture
    QVERIFY(m_panel->Check1->isChecked());
    QVERIFY(!m_board->Timer1->isActive());
    QVERIFY(!m_panel->Frame1[1]->isEnabled());
    QVERIFY(!m_panel->Command2[1]->isEnabled());
    QVERIFY(!m_panel->Frame6->isEnabled());
    QVERIFY(m_panel->Command4->isEnabled());
    QVERIFY(m_panel->Option4[1]->isEnabled());

    m_panel->Check1->click();
    QVERIFY(!m_panel->Check1->isChecked());
    QCOMPARE(cell(4), fareAt(4, 4));
    QCOMPARE(m_board->ChimeiCtl->Chimei(), QStringLiteral("停留所4"));
    QVERIFY(m_board->Timer1->isActive());
    QVERIFY(m_panel->Frame1[1]->isEnabled());
    QVERIFY(m_panel->Frame6->isEnabled());
    QVERIFY(!m_panel->grpM_Tape->isEnabled()); // no speech here
}

void tst_ControlPanel::slidersDriveTheStrip()
{
    QScrollBar *speed = m_panel->HScroll1[0];
    QScrollBar *wait = m_panel->HScroll1[1];
    QCOMPARE(speed->value(), 1);
    QCOMPARE(wait->value(), 0);
    wait->setValue(3000);
    QCOMPARE(m_panel->Label1[1]->text(), QStringLiteral("3000"));
    QCOMPARE(m_board->ChimeiCtl->ScrollStartWait(), 3000);
    QCOMPARE(m_board->ChimeiCtl->Speed(), 1); // both copied on either change
    speed->setValue(2000);
    QCOMPARE(m_panel->Label1[0]->text(), QStringLiteral("2000"));
    QCOMPARE(m_board->ChimeiCtl->Speed(), 2000);
}

void tst_ControlPanel::settingsButton()
{
    keyRoute(QStringLiteral("12"), QStringLiteral("7"));
    bool disabledMeanwhile = false;
    m_cp->showOptions = [&] {
        disabledMeanwhile = !m_board->isEnabled() && !m_panel->isEnabled();
        m_board->ChimeiCtl->SetChimei(QStringLiteral("x"));
    };
    m_panel->Command4->click();
    QVERIFY(disabledMeanwhile);
    QVERIFY(m_board->isEnabled());
    QVERIFY(m_panel->isEnabled());
    QCOMPARE(m_board->ChimeiCtl->Chimei(), QStringLiteral("星見台ニュータウン入口"));
}

void tst_ControlPanel::versionBox()
{
    bool boardDisabled = false;
    m_host->whileModal = [&] { boardDisabled = !m_board->isEnabled(); };
    m_panel->Command8->click();
    QVERIFY(boardDisabled);
    QVERIFY(m_board->isEnabled());
    QCOMPARE(m_host->versionTexts.size(), 1);
    const QStringList lines = m_host->versionTexts[0].split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 6); // five lines, each ended by CR LF
    QCOMPARE(lines[0], QStringLiteral("型番：tst_controlpanel"));
    QCOMPARE(lines[1], QStringLiteral("バージョン：%1.%2.%3")
                           .arg(LUMINA_VERSION_MAJOR)
                           .arg(LUMINA_VERSION_MINOR)
                           .arg(LUMINA_VERSION_PATCH));
    QCOMPARE(lines[2], QString());
    QVERIFY(!lines[3].isEmpty());
    QVERIFY(lines[4].endsWith(QStringLiteral("2026")));
    QCOMPARE(lines[5], QString());
}

void tst_ControlPanel::setPropAppliesOptions()
{
    m_options->Check1->setChecked(false);
    m_options->Command4->click();
    for (int i = 1; i <= 60; ++i)
        QVERIFY(m_board->lblSeiriNum[size_t(i)]->isHidden());
    m_options->Check1->setChecked(true);
    m_options->Command4->click();
    QVERIFY(!m_board->lblSeiriNum[60]->isHidden());

    setBackColor(m_options->Command8[2], rgb(255, 0, 0));
    m_options->Check4->setChecked(true);
    m_options->Combo3->setCurrentIndex(1);
    m_options->Command4->click();
    QCOMPARE(m_board->Degit[1]->DegitForeColor(), rgb(255, 0, 0));
    QCOMPARE(m_board->Degit[60]->DegitForeColor(), rgb(255, 0, 0));
    QCOMPARE(m_board->TimeDegit[1]->DegitForeColor(), rgb(255, 0, 0));
    QVERIFY(m_board->ChimeiCtl->FontBold());
    QCOMPARE(m_board->ChimeiCtl->FontMode(), 1);
    m_options->Check4->setChecked(false);
    m_options->Command4->click();
    QVERIFY(!m_board->ChimeiCtl->FontBold());

    // OK while ON2 is chosen shows the ON2 picture and ticket-number colour.
    m_panel->Option4[2]->click();
    m_board->imgRes[2] = QPixmap(10, 10);
    m_options->Command4->click();
    QCOMPARE(m_board->picture().cacheKey(), m_board->imgRes[2].cacheKey());
    QCOMPARE(foreColor(m_board->lblSeiriNum[7]), backColor(m_options->Command5[2]));
}

void tst_ControlPanel::backlightUserImage()
{
    const QString image = QDir(m_dir->path()).filePath(QStringLiteral("on1.png"));
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(image));
    const QString broken = QDir(m_dir->path()).filePath(QStringLiteral("on2.bmp"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    setOptionValue(m_options->Option3[1], true);
    setOptionValue(m_options->Option3[2], true); // ON1 user
    setOptionValue(m_options->Option3[5], true); // ON2 user
    m_options->txtSelectPanel[1]->setText(image);
    m_options->txtSelectPanel[2]->setText(broken);

    m_panel->Option4[1]->click();
    QCOMPARE(m_board->picture().size(), QSize(20, 10));
    QCOMPARE(foreColor(m_board->lblSeiriNum[1]), backColor(m_options->Command5[1]));
    m_panel->Option4[0]->click();
    QCOMPARE(m_board->picture().cacheKey(), m_board->imgRes[0].cacheKey());

    // An invalid picture: the message, the old picture, the new colour.
    m_panel->Option4[2]->click();
    QCOMPARE(m_host->messages.size(), 1);
    QVERIFY(m_host->messages[0].text.startsWith(QStringLiteral("エラーです。\r\n\r\nエラーコード：481")));
    QCOMPARE(m_host->messages[0].title, QStringLiteral("エラー"));
    QCOMPARE(m_host->messages[0].icon, MsgIcon::Critical);
    QCOMPARE(m_board->picture().cacheKey(), m_board->imgRes[0].cacheKey());
    QCOMPARE(foreColor(m_board->lblSeiriNum[1]), backColor(m_options->Command5[2]));

    // A path that names no file: silently nothing but the colour.
    m_options->txtSelectPanel[1]->setText(image + QStringLiteral(".gone"));
    m_panel->Option4[1]->click();
    QCOMPARE(m_host->messages.size(), 1);
    QCOMPARE(m_board->picture().cacheKey(), m_board->imgRes[0].cacheKey());
}

LUMINA_TEST_MAIN(tst_ControlPanel)
#include "tst_controlpanel.moc"
