#include "TestMain.h"

#include "FakeHostLib.h"
#include "options/frmOption.h"
#include "settings/OptionTransfer.h"
#include "settings/SettingsIo.h"
#include "app/mdlIniIo.h"
#include "base/Colors.h"

#include <QBuffer>
#include <QFile>
#include <QGroupBox>
#include <QSignalSpy>

using namespace lumina;
using lumina::test::FakeHostLib;

namespace {

SettingsFile everyField()
{
    QFile file(QStringLiteral(LUMINA_TEST_DATA "/settings/every_field.in4"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture");
    SettingsFile s;
    SettingsReader().read(&file, s);
    return s;
}

// The dialog as start-up leaves it before the settings are read.
void startUpDefaults(frmOption &dlg)
{
    dlg.Check1->setChecked(true);
    setBackColor(dlg.Command5[0], rgb(255, 255, 255));
    setBackColor(dlg.Command5[1], rgb(192, 255, 192));
    setBackColor(dlg.Command5[2], rgb(255, 192, 128));
}

SettingsFile optionsOf(const frmOption &dlg)
{
    SettingsFile s;
    GetOptionInfo(dlg, s);
    return s;
}

} // namespace

class tst_OptionTransfer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyFieldRoundTrip();
    void readingHasNoSideEffects();
    void restoringRunsTheClickHandling();
    void disabledControlsTakeTheirValues();
    void groupWithNothingChosen();
    void playingMethodBeforeMode();
    void optionButtonAnyNonZeroChooses();
    void comboIndexes_data();
    void comboIndexes();
    void pushButtonCheckBox();
    void backlightIsClickedAgain_data();
    void backlightIsClickedAgain();

private:
    FakeHostLib *m_host = nullptr;
    frmOption *m_dlg = nullptr;
};

void tst_OptionTransfer::init()
{
    m_host = new FakeHostLib;
    m_dlg = new frmOption;
    startUpDefaults(*m_dlg);
}

void tst_OptionTransfer::cleanup()
{
    delete m_dlg;
    delete m_host;
}

void tst_OptionTransfer::everyFieldRoundTrip()
{
    // A fresh dialog holds the values of a start without a file.
    const SettingsFile initial = initialRecords();
    QVERIFY(optionsOf(*m_dlg).panel == initial.panel);
    QVERIFY(optionsOf(*m_dlg).ticketPreview == initial.ticketPreview);
    const SettingsFile file = everyField();
    QVERIFY(!SetOptionInfo(*m_dlg, file).has_value());
    const SettingsFile back = optionsOf(*m_dlg);
    QCOMPARE(back.folders, file.folders);
    QCOMPARE(back.panel, file.panel);
    QCOMPARE(back.infoDigits, file.infoDigits);
    QCOMPARE(back.stopName, file.stopName);
    QCOMPARE(back.sounds, file.sounds);
    QCOMPARE(back.ticketPreview, file.ticketPreview);

    // And back to the values of a start without a file.
    QVERIFY(!SetOptionInfo(*m_dlg, initialRecords()).has_value());
    const SettingsFile again = optionsOf(*m_dlg);
    QCOMPARE(again.panel, initial.panel);
    QCOMPARE(again.sounds, initial.sounds);
    QCOMPARE(again.ticketPreview, initial.ticketPreview);
}

void tst_OptionTransfer::readingHasNoSideEffects()
{
    QSignalSpy toggled(m_dlg->Check1, &QCheckBox::toggled);
    QSignalSpy clicked(m_dlg->Option3[0], &QRadioButton::clicked);
    QSignalSpy index(m_dlg->Combo4[0], &QComboBox::currentIndexChanged);
    SettingsFile s = optionsOf(*m_dlg);
    QCOMPARE(toggled.size() + clicked.size() + index.size(), 0);
    // Writing back an unchanged check box runs nothing either.
    QSignalSpy check1Clicked(m_dlg->Check1, &QCheckBox::clicked);
    QVERIFY(!SetOptionInfo(*m_dlg, s).has_value());
    QCOMPARE(toggled.size() + check1Clicked.size(), 0);
}

void tst_OptionTransfer::restoringRunsTheClickHandling()
{
    // Before: the dependent controls follow the start values.
    QVERIFY(m_dlg->Frame3->isEnabled());
    QVERIFY(!m_dlg->Combo4[0]->isEnabled());
    QVERIFY(!m_dlg->Frame6[0]->isEnabled());
    QVERIFY(!m_dlg->Frame10->isEnabled());

    QSignalSpy check1(m_dlg->Check1, &QCheckBox::clicked);
    QVERIFY(!SetOptionInfo(*m_dlg, everyField()).has_value());
    // Check1 off: the ticket-number group follows.
    QCOMPARE(check1.size(), 1);
    QVERIFY(!m_dlg->Frame3->isEnabled());
    // Every information line on: its lists are usable.
    for (QComboBox *combo : m_dlg->Combo4)
        QVERIFY(combo->isEnabled());
    QVERIFY(m_dlg->Check3[4]->isEnabled());
    // Individual panels: the image groups show.
    for (QGroupBox *group : m_dlg->Frame6) {
        QVERIFY(group->isEnabled());
        QVERIFY(!group->isHidden());
    }
    // Ticket preview on: the plug-in group shows.
    QVERIFY(m_dlg->Frame10->isEnabled());
    QVERIFY(!m_dlg->Frame10->isHidden());
}

void tst_OptionTransfer::disabledControlsTakeTheirValues()
{
    // "0から数える" on while its line is off: the box is disabled and still
    // takes the value, like the date choice in its disabled group.
    SettingsFile s = optionsOf(*m_dlg);
    s.infoDigits.showStopOrder = 0;
    s.infoDigits.countFromZero = 1;
    s.ticketPreview.dateRenewed = 0;
    s.ticketPreview.dateKept = -1;
    QVERIFY(!SetOptionInfo(*m_dlg, s).has_value());
    QVERIFY(!m_dlg->Check3[4]->isEnabled());
    QVERIFY(m_dlg->Check3[4]->isChecked());
    QVERIFY(!m_dlg->Option4[1]->isEnabled());
    QVERIFY(m_dlg->Option4[1]->isChecked());
    QCOMPARE(optionsOf(*m_dlg).infoDigits.countFromZero, qint16(1));
}

void tst_OptionTransfer::groupWithNothingChosen()
{
    SettingsFile s = optionsOf(*m_dlg);
    s.sounds.preSynchronous = 0;
    s.sounds.preAsynchronous = 0;
    s.ticketPreview.dateRenewed = 0;
    QSignalSpy toggled(m_dlg->Option7[0], &QRadioButton::toggled);
    QVERIFY(!SetOptionInfo(*m_dlg, s).has_value());
    QVERIFY(!m_dlg->Option7[0]->isChecked());
    QVERIFY(!m_dlg->Option7[1]->isChecked());
    QVERIFY(!m_dlg->Option4[0]->isChecked());
    // Writing 0 runs nothing.
    QCOMPARE(toggled.size(), 0);
    const SettingsFile back = optionsOf(*m_dlg);
    QCOMPARE(back.sounds.preSynchronous, qint16(0));
    QCOMPARE(back.sounds.preAsynchronous, qint16(0));
    QCOMPARE(back.ticketPreview.dateRenewed, qint16(0));
    QCOMPARE(back.ticketPreview.dateKept, qint16(0));
    QCOMPARE(back.ticketPreview.dateFixed, qint16(0));

    // The group still works as a group afterwards.
    m_dlg->Option7[1]->click();
    QVERIFY(m_dlg->Option7[1]->isChecked());
    m_dlg->Option7[0]->click();
    QVERIFY(!m_dlg->Option7[1]->isChecked());
}

void tst_OptionTransfer::playingMethodBeforeMode()
{
    QStringList order;
    auto watch = [&order, this](QRadioButton *button, const QString &name) {
        connect(button, &QRadioButton::clicked, this, [&order, name] { order << name; });
    };
    watch(m_dlg->Option2[1], QStringLiteral("step mode"));
    watch(m_dlg->Option6[0], QStringLiteral("step method"));
    watch(m_dlg->Option2[3], QStringLiteral("pre mode"));
    watch(m_dlg->Option7[1], QStringLiteral("pre method"));
    QVERIFY(!SetOptionInfo(*m_dlg, everyField()).has_value());
    QCOMPARE(order, (QStringList{QStringLiteral("step method"), QStringLiteral("step mode"),
                                 QStringLiteral("pre method"), QStringLiteral("pre mode")}));
}

void tst_OptionTransfer::optionButtonAnyNonZeroChooses()
{
    SettingsFile s = optionsOf(*m_dlg);
    s.panel.panelsAutomatic = 0;
    s.panel.panelsIndividual = 1;
    s.sounds.stepAlways = 0;
    s.sounds.stepByColumn = -1;
    QVERIFY(!SetOptionInfo(*m_dlg, s).has_value());
    QVERIFY(m_dlg->Option2[1]->isChecked());
    QVERIFY(!m_dlg->Option2[0]->isChecked());
    QVERIFY(m_dlg->Option3[1]->isChecked());
    QCOMPARE(optionsOf(*m_dlg).panel.panelsIndividual, kChosen);
}

void tst_OptionTransfer::comboIndexes_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("bold"); // a check box: 0, 1 or 2 (greyed)
    QTest::addColumn<bool>("fails");
    QTest::newRow("first entries") << 0 << 0 << 0 << 0 << false;
    QTest::newRow("last entries") << 59 << 149 << 4 << 1 << false;
    QTest::newRow("none chosen") << -1 << -1 << -1 << 2 << false;
    QTest::newRow("cell 60") << 60 << 0 << 0 << 0 << true;
    QTest::newRow("column 150") << 0 << 150 << 0 << 0 << true;
    QTest::newRow("font 5") << 0 << 0 << 5 << 0 << true;
    QTest::newRow("-2") << -2 << 0 << 0 << 0 << true;
    QTest::newRow("check box 3") << 0 << 0 << 0 << 3 << true;
    QTest::newRow("check box -1") << 0 << 0 << 0 << -1 << true;
}

void tst_OptionTransfer::comboIndexes()
{
    QFETCH(int, cell);
    QFETCH(int, column);
    QFETCH(int, font);
    QFETCH(int, bold);
    QFETCH(bool, fails);
    SettingsFile s = optionsOf(*m_dlg);
    s.stopName.bold = qint16(bold);
    s.sounds.routeSetSound = QStringLiteral("after.wav"); // a field after them
    s.infoDigits.stopOrderCell = qint16(cell);
    s.infoDigits.dataColumn = qint16(column);
    s.stopName.font = qint16(font);
    bool plugInLoaded = false;
    OptionTransferHooks hooks;
    hooks.loadPlugIn = [&plugInLoaded](const QString &) { plugInLoaded = true; };
    const auto failure = SetOptionInfo(*m_dlg, s, hooks);
    QCOMPARE(failure.has_value(), fails);
    QCOMPARE(plugInLoaded, !fails);
    if (fails) {
        QCOMPARE(failure->code, 380);
        QCOMPARE(failure->description, QStringLiteral("プロパティの値が不正です。"));
        QVERIFY(m_dlg->txtSelectSound[0]->text().isEmpty());
        return;
    }
    QCOMPARE(m_dlg->txtSelectSound[0]->text(), QStringLiteral("after.wav"));
    QCOMPARE(optionsOf(*m_dlg).stopName.bold, qint16(bold));
    const SettingsFile back = optionsOf(*m_dlg);
    QCOMPARE(back.infoDigits.stopOrderCell, qint16(cell));
    QCOMPARE(back.infoDigits.dataColumn, qint16(column));
    QCOMPARE(back.stopName.font, qint16(font));
}

void tst_OptionTransfer::pushButtonCheckBox()
{
    // A check box with push-button look (the panel's ">>") has no greyed state.
    QPushButton button;
    button.setCheckable(true);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    ControlTransfer t;
    t.setCheckValue(&button, 2);
    QVERIFY(button.isChecked());
    QCOMPARE(ControlTransfer::checkValue(&button), qint16(1));
    t.setCheckValue(&button, 2);
    t.setCheckValue(&button, 1);
    QCOMPARE(clicked.size(), 1);
    t.setCheckValue(&button, 0);
    QVERIFY(!button.isChecked());
    QCOMPARE(clicked.size(), 2);
    QVERIFY(!t.failed());
    t.setCheckValue(&button, 7);
    QVERIFY(t.failed());
    QCOMPARE(t.failure->code, 380);
}

void tst_OptionTransfer::backlightIsClickedAgain_data()
{
    QTest::addColumn<int>("chosen"); // -1: none
    QTest::addColumn<int>("clicked");
    QTest::newRow("OFF") << 0 << 0;
    QTest::newRow("ON1") << 1 << 1;
    QTest::newRow("ON2") << 2 << 2;
    QTest::newRow("none") << -1 << 2;
}

void tst_OptionTransfer::backlightIsClickedAgain()
{
    QFETCH(int, chosen);
    QFETCH(int, clicked);
    QWidget panel;
    OptionTransferHooks hooks;
    std::array<QRadioButton *, 3> buttons{};
    for (size_t i = 0; i < 3; ++i) {
        buttons[i] = new QRadioButton(&panel);
        hooks.backlight[i] = buttons[i];
    }
    if (chosen >= 0)
        buttons[size_t(chosen)]->setChecked(true);
    QStringList seen;
    for (size_t i = 0; i < 3; ++i)
        connect(buttons[i], &QRadioButton::clicked, this, [&, i] {
            // The user panel paths are in when the backlight is clicked.
            seen << QStringLiteral("%1 %2").arg(i).arg(m_dlg->txtSelectPanel[i]->text());
        });
    SettingsFile s = everyField();
    QVERIFY(!SetOptionInfo(*m_dlg, s, hooks).has_value());
    QCOMPARE(seen, QStringList{QStringLiteral("%1 %2").arg(clicked).arg(
                       s.panel.userPanelImages[size_t(clicked)])});
}

LUMINA_TEST_MAIN(tst_OptionTransfer)
#include "tst_optiontransfer.moc"
