#include "FakeClock.h"
#include "FakeHostLib.h"
#include "FakeSoundPlayer.h"
#include "TestMain.h"

#include "options/frmOption.h"
#include "panel/ControlPanel.h"
#include "route/FareFile.h"
#include "route/RouteSetting.h"
#include "shell/Form1.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <memory>

using namespace lumina;
using lumina::test::FakeHostLib;
using lumina::test::FakeSoundPlayer;

namespace {

QRect thumbRect(QScrollBar *bar)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                        bar);
}

} // namespace

// The panel's sliders, digit lists, entry frames, date and backlight pictures.
class tst_PanelRepairs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void slidersMoveTheWayPressed_data();
    void slidersMoveTheWayPressed();
    void digitListsStartAtZeroAndTakeKeys();
    void doubleClickOnALabelKeepsThePanel_data();
    void doubleClickOnALabelKeepsThePanel();
    void noDateModeUsesTheDateShown();
    void builtInPicturesWhereChosen_data();
    void builtInPicturesWhereChosen();

private:
    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeClock m_clock;
    std::unique_ptr<Lumina> m_program;
    frmCtl *m_panel = nullptr;
    frmOption *m_options = nullptr;
};

void tst_PanelRepairs::init()
{
    m_host = std::make_unique<FakeHostLib>();
    m_sound = std::make_unique<FakeSoundPlayer>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_program = std::make_unique<Lumina>();
    m_program->seams().loadIni = [] {};
    m_program->seams().saveIni = [] {};
    m_program->startUp();
    m_panel = m_program->panel();
    m_options = m_program->options();
    routeState() = RouteState();
}

void tst_PanelRepairs::cleanup()
{
    m_program.reset();
    m_dir.reset();
    m_sound.reset();
    m_host.reset();
    routeState() = RouteState();
}

void tst_PanelRepairs::slidersMoveTheWayPressed_data()
{
    // A move to the left raises the value. Leftward moves start at the
    // smallest value (the thumb at the right end), rightward ones halfway.
    QTest::addColumn<int>("bar");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("left");
    const std::pair<const char *, bool> actions[] = {
        {"left arrow", true}, {"right arrow", false}, {"track left", true},
        {"track right", false}, {"key left", true},   {"key right", false},
        {"wheel up", true},   {"wheel down", false},
    };
    for (int bar : {0, 1}) {
        for (const auto &[action, left] : actions)
            QTest::addRow("HScroll1(%d) %s", bar, action) << bar << QString::fromLatin1(action) << left;
    }
}

void tst_PanelRepairs::slidersMoveTheWayPressed()
{
    QFETCH(int, bar);
    QFETCH(QString, action);
    QFETCH(bool, left);
    QScrollBar *s = m_panel->HScroll1[size_t(bar)];
    const int start = left ? s->minimum() : (s->minimum() + s->maximum()) / 2;
    s->setValue(start);
    const QRect thumb = thumbRect(s);
    const int middle = s->height() / 2;
    if (action == u"left arrow")
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(2, middle));
    else if (action == u"right arrow")
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() - 3, middle));
    else if (action == u"track left")
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(thumb.left() - 3, middle));
    else if (action == u"track right")
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(thumb.right() + 3, middle));
    else if (action.startsWith(u"key"))
        QTest::keyClick(s, left ? Qt::Key_Left : Qt::Key_Right);
    else {
        const QPoint at(s->width() / 2, middle);
        QWheelEvent wheel(at, s->mapToGlobal(at), QPoint(), QPoint(0, left ? 120 : -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(s, &wheel);
    }
    QVERIFY2(left ? s->value() > start : s->value() < start,
             qPrintable(QStringLiteral("%1 -> %2").arg(start).arg(s->value())));
    // And a larger value draws the thumb further left.
    s->setValue(s->maximum());
    const int leftmost = thumbRect(s).left();
    s->setValue(s->minimum());
    QVERIFY(leftmost < thumbRect(s).left());
}

void tst_PanelRepairs::digitListsStartAtZeroAndTakeKeys()
{
    for (QListWidget *list : m_panel->List2)
        QCOMPARE(list->currentItem() ? list->currentItem()->text() : QString(), QStringLiteral("0"));
    for (QListWidget *list : m_panel->List3)
        QCOMPARE(list->currentItem() ? list->currentItem()->text() : QString(), QStringLiteral("0"));

    m_options->txtSelectSound[0]->setText(QStringLiteral("route.wav"));
    m_options->txtSelectSound[1]->setText(QStringLiteral("key.wav"));
    m_panel->Frame1[0]->raise();
    QTest::keyClick(m_panel->List2[4], Qt::Key_Down);
    QTest::keyClick(m_panel->List3[2], Qt::Key_Down);
    QTest::keyClick(m_panel->List3[2], Qt::Key_Down);
    QCOMPARE(m_panel->List2[4]->currentRow(), 1);
    QCOMPARE(m_panel->List3[2]->currentRow(), 2);
    QCOMPARE(m_sound->plays.size(), 3);
    QCOMPARE(m_sound->plays[0].path, QStringLiteral("key.wav"));
    QCOMPARE(m_sound->plays[2].path, QStringLiteral("route.wav"));
    QCOMPARE(m_sound->plays[2].slot, QStringLiteral("S1"));
    // A key that moves nothing sounds nothing.
    QTest::keyClick(m_panel->List2[4], Qt::Key_Home);
    QTest::keyClick(m_panel->List2[4], Qt::Key_Up);
    QCOMPARE(m_sound->plays.size(), 4);
}

void tst_PanelRepairs::doubleClickOnALabelKeepsThePanel_data()
{
    QTest::addColumn<int>("frame");
    QTest::addColumn<QString>("label");
    QTest::newRow("系統設定") << 0 << QStringLiteral("Label5");
    QTest::newRow("系　統") << 0 << QStringLiteral("Label6");
    QTest::newRow("区間") << 0 << QStringLiteral("Label7");
    QTest::newRow("keypad route display") << 1 << QStringLiteral("Label2_0");
}

void tst_PanelRepairs::doubleClickOnALabelKeepsThePanel()
{
    QFETCH(int, frame);
    QFETCH(QString, label);
    QLabel *target = label == u"Label5" ? m_panel->Label5
        : label == u"Label6"            ? m_panel->Label6
        : label == u"Label7"            ? m_panel->Label7
                                        : m_panel->Label2[0];
    QCOMPARE(target->parentWidget(), static_cast<QWidget *>(m_panel->Frame1[size_t(frame)]));
    m_panel->Frame1[size_t(frame)]->raise();
    m_panel->entryPanelIndex = qint16(1 - frame);
    QTest::mouseDClick(target, Qt::LeftButton, {}, target->rect().center());
    QCOMPARE(m_panel->entryPanelIndex, qint16(1 - frame));
    // The frame's own surface still switches.
    QTest::mouseDClick(m_panel->Frame1[size_t(frame)], Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(m_panel->entryPanelIndex, qint16(frame));
}

void tst_PanelRepairs::noDateModeUsesTheDateShown()
{
    FareRecord stop;
    stop.StopName = QStringLiteral("中央駅前");
    stop.TicketNo = 1;
    QFile file(QDir(m_dir->path()).filePath(QStringLiteral("12.hy3")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(FareFileWriter().write(&file, {stop, stop}));
    file.close();
    m_options->Text2[0]->setText(m_dir->path());
    m_options->chkUseSeiriPrev->setChecked(true);
    for (QRadioButton *mode : m_options->Option4)
        setOptionValue(mode, false);
    m_options->Label10->setText(QStringLiteral("2009/01/30"));

    m_panel->CommandButton1[10]->click();
    m_panel->CommandButton1[1]->click();
    m_panel->CommandButton1[2]->click();
    m_panel->CommandButton1[11]->click();
    m_panel->CommandButton1[1]->click();
    m_panel->Command1[1]->click();
    QVERIFY(m_host->messages.isEmpty());
    m_panel->Command2[1]->click();
    QCOMPARE(routeState().RouteDate, QStringLiteral("2009/01/30"));
    QStringList dates;
    for (const auto &call : m_host->drawCalls)
        dates << call.date;
    QCOMPARE(dates, (QStringList{QStringLiteral("2009/01/30"), QStringLiteral("2009/01/30")}));
}

void tst_PanelRepairs::builtInPicturesWhereChosen_data()
{
    // Per backlight state OFF, ON1, ON2: whether the user picture shows.
    QTest::addColumn<bool>("individual");
    QTest::addColumn<QList<bool>>("userChosen");
    QTest::addColumn<QList<bool>>("userShown");
    QTest::newRow("automatic, user buttons and paths filled")
        << false << QList<bool>{true, true, true} << QList<bool>{false, false, false};
    QTest::newRow("user panel for ON1 only")
        << true << QList<bool>{false, true, false} << QList<bool>{false, true, false};
}

void tst_PanelRepairs::builtInPicturesWhereChosen()
{
    QFETCH(bool, individual);
    QFETCH(QList<bool>, userChosen);
    QFETCH(QList<bool>, userShown);
    const QString image = QDir(m_dir->path()).filePath(QStringLiteral("user.png"));
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(image));

    setOptionValue(m_options->Option3[individual ? 1 : 0], true);
    constexpr int userButton[3] = {6, 2, 5};
    constexpr int builtInButton[3] = {7, 3, 4};
    Form1 *board = m_program->board();
    for (int state = 0; state < 3; ++state) {
        m_options->txtSelectPanel[size_t(state)]->setText(image);
        const int button = userChosen[state] ? userButton[state] : builtInButton[state];
        setOptionValue(m_options->Option3[size_t(button)], true);
    }
    for (int state = 0; state < 3; ++state) {
        // Something else on the board first, so that every state must draw.
        board->setPicture(QPixmap(5, 5));
        m_panel->Option4[size_t(state)]->click();
        if (userShown[state])
            QCOMPARE(board->picture().size(), QSize(20, 10));
        else
            QCOMPARE(board->picture().cacheKey(), board->imgRes[size_t(state)].cacheKey());
    }
    QVERIFY(m_host->messages.isEmpty());
}

LUMINA_TEST_MAIN(tst_PanelRepairs)
#include "tst_panelrepairs.moc"
