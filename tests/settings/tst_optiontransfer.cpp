#include "TestMain.h"

#include "FakeHostLib.h"
#include "SettingsFixtures.h"
#include "app/mdlIniIo.h"
#include "options/frmOption.h"
#include "settings/OptionTransfer.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QSignalSpy>

using namespace lumina;
using namespace lumina::test;

class tst_OptionTransfer : public QObject
{
    Q_OBJECT

private slots:
    void controlValues_data();
    void controlValues();
    void labelTextIsPlain();
    void restoringClicksInDialogOrder();
    void backlightIsClickedAgain_data();
    void backlightIsClickedAgain();

private:
    FakeHostLib m_host;
    frmOption m_dlg;
};

void tst_OptionTransfer::controlValues_data()
{
    // A value written the way an operator's change would be; `read` is the
    // value read back, `clicks` how often the click handling ran.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("written");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<int>("read");
    QTest::addColumn<int>("clicks");
    QTest::newRow("check box on") << "check" << 0 << 1 << false << 1 << 1;
    QTest::newRow("check box unchanged") << "check" << 1 << 1 << false << 1 << 0;
    QTest::newRow("check box greyed") << "check" << 0 << 2 << false << 2 << 1;
    QTest::newRow("check box 3") << "check" << 0 << 3 << true << 0 << 0;
    // A push button that works as a check box (the panel's ">>") has no greyed state.
    QTest::newRow("push button greyed") << "push" << 0 << 2 << false << 1 << 1;
    QTest::newRow("push button on, greyed") << "push" << 1 << 2 << false << 1 << 0;
    // Any value but 0 chooses an option button; 0 lets it go silently, so a
    // group stored with nothing chosen comes back that way.
    QTest::newRow("option chosen by 1") << "option" << 0 << 1 << false << -1 << 1;
    QTest::newRow("option chosen again") << "option" << -1 << -1 << false << -1 << 1;
    QTest::newRow("option let go") << "option" << -1 << 0 << false << 0 << 0;
    QTest::newRow("list, last entry") << "combo" << 0 << 59 << false << 59 << 0;
    QTest::newRow("list, none") << "combo" << 3 << -1 << false << -1 << 0;
    QTest::newRow("list, past the end") << "combo" << 0 << 60 << true << 0 << 0;
}

void tst_OptionTransfer::controlValues()
{
    QFETCH(QString, kind);
    QFETCH(int, before);
    QFETCH(int, written);
    QFETCH(bool, fails);
    QFETCH(int, read);
    QFETCH(int, clicks);
    QCheckBox check;
    check.setTristate(true);
    const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    check.setCheckState(states[qBound(0, before, 2)]);
    QPushButton push;
    push.setCheckable(true);
    push.setChecked(before != 0);
    QRadioButton option, other;
    QButtonGroup group;
    group.addButton(&option);
    group.addButton(&other);
    (before ? option : other).setChecked(true);
    QComboBox combo;
    for (int i = 1; i <= 60; ++i)
        combo.addItem(QString::number(i));
    combo.setCurrentIndex(before);
    QAbstractButton *button = kind == u"option" ? &option : kind == u"push" ? &push : static_cast<QAbstractButton *>(&check);
    QSignalSpy clicked(button, &QAbstractButton::clicked);

    ControlTransfer t;
    if (kind == u"combo")
        t.setComboValue(&combo, qint16(written));
    else if (kind == u"option")
        t.setOptionValue(button, qint16(written));
    else
        t.setCheckValue(button, qint16(written));
    QCOMPARE(t.failed(), fails);
    QCOMPARE(clicked.size(), clicks);
    if (fails) {
        QCOMPARE(t.failure->code, 380);
        QCOMPARE(t.failure->description, QStringLiteral("プロパティの値が不正です。"));
        return;
    }
    QCOMPARE(int(kind == u"combo" ? t.comboValue(&combo) : kind == u"option" ? t.optionValue(button) : t.checkValue(button)), read);
    if (kind == u"option") {
        QVERIFY(!other.isChecked());
        // The group still works as a group afterwards.
        other.click();
        option.click();
        QVERIFY(!other.isChecked());
    }
}

void tst_OptionTransfer::labelTextIsPlain()
{
    // Shown as those very characters: no markup is taken from a file.
    QLabel label;
    ControlTransfer t;
    t.setTextValue(&label, QStringLiteral("<b>平成21年</b> 1/30"));
    QCOMPARE(label.textFormat(), Qt::PlainText);
    // After a failure nothing more is written, and the first failure stays.
    t.fail(53);
    t.fail(380);
    t.setTextValue(&label, QString());
    QCOMPARE(t.failure->code, 53);
    QCOMPARE(t.textValue(&label), QStringLiteral("<b>平成21年</b> 1/30"));
}

void tst_OptionTransfer::restoringClicksInDialogOrder()
{
    QStringList order;
    // The dialog outlives this test: the connections go with `receiver`.
    QObject receiver;
    const auto watch = [&order, &receiver](QAbstractButton *button, const QString &name) {
        connect(button, &QAbstractButton::clicked, &receiver, [&order, name] { order << name; });
    };
    watch(m_dlg.Option2[1], QStringLiteral("step mode"));
    watch(m_dlg.Option6[0], QStringLiteral("step method"));
    watch(m_dlg.Option2[3], QStringLiteral("pre mode"));
    watch(m_dlg.Option7[1], QStringLiteral("pre method"));
    watch(m_dlg.chkUseSeiriPrev, QStringLiteral("preview"));
    QVERIFY(!SetOptionInfo(m_dlg, initialRecords()).has_value());
    order.clear();
    QVERIFY(!m_dlg.Frame10->isEnabled());
    QVERIFY(!SetOptionInfo(m_dlg, parse(fixture("every_field.in4"))).has_value());
    // The playing method sits above the mode on the dialog and comes first.
    QCOMPARE(order, (QStringList{"step method", "step mode", "pre method", "pre mode", "preview"}));
    // The click handling enables what depends on the option.
    QVERIFY(m_dlg.Frame10->isEnabled() && !m_dlg.Frame10->isHidden());
    QVERIFY(m_dlg.Combo4[0]->isEnabled());
}

void tst_OptionTransfer::backlightIsClickedAgain_data()
{
    QTest::addColumn<int>("chosen"); // -1: none
    QTest::addColumn<int>("clicked");
    QTest::newRow("OFF") << 0 << 0;
    QTest::newRow("ON2") << 2 << 2;
    QTest::newRow("none") << -1 << 2;
}

void tst_OptionTransfer::backlightIsClickedAgain()
{
    QFETCH(int, chosen);
    QFETCH(int, clicked);
    QWidget panel;
    OptionTransferHooks hooks;
    QStringList seen;
    for (size_t i = 0; i < 3; ++i) {
        hooks.backlight[i] = new QRadioButton(&panel);
        hooks.backlight[i]->setChecked(int(i) == chosen);
        // The user panel paths are in when the backlight is clicked.
        connect(hooks.backlight[i], &QRadioButton::clicked, this,
                [&, i] { seen << QString::number(i) + m_dlg.txtSelectPanel[i]->text(); });
    }
    const SettingsFile s = parse(fixture("every_field.in4"));
    QVERIFY(!SetOptionInfo(m_dlg, s, hooks).has_value());
    QCOMPARE(seen, QStringList{QString::number(clicked) + s.panel.userPanelImages[size_t(clicked)]});
}

LUMINA_TEST_MAIN(tst_OptionTransfer)
#include "tst_optiontransfer.moc"
