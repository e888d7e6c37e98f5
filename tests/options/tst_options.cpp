#include "FakeHostLib.h"
#include "TestMain.h"

#include "controls/M_Degit.h"
#include "options/frmOption.h"
#include "base/Colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using namespace lumina;
using lumina::test::FakeHostLib;

// The options dialog's handlers. Its pages as the operator sees them are the
// reference pictures of tst_pictures.
class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pagesSwitchByTheirTabs();
    void switchesEnableTheirGroups_data();
    void switchesEnableTheirGroups();
    void numberLists();
    void fixedDate_data();
    void fixedDate();
    void colourChooser_data();
    void colourChooser();
    void fileAndFolderChoosers_data();
    void fileAndFolderChoosers();
    void openFolderAndForgetPlugin();
    void okCloseAndEscapeApplyAndHide();
    void optionValueCanClearAGroup();

private:
    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<frmOption> m_dlg;
};

void TestOptions::init()
{
    m_host = std::make_unique<FakeHostLib>();
    m_dlg = std::make_unique<frmOption>();
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
}

void TestOptions::cleanup()
{
    m_dlg.reset();
    m_host.reset();
}

void TestOptions::pagesSwitchByTheirTabs()
{
    frmOption &dlg = *m_dlg;
    QVERIFY(dlg.Option1[0]->isChecked());
    for (int page : {3, 0, 5, 4}) {
        click(dlg.Option1[size_t(page)]);
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(dlg.Frame1[size_t(k)]->isVisible(), k == page);
            QCOMPARE(dlg.Option1[size_t(k)]->isChecked(), k == page);
        }
    }
    // The sound page has two sub-pages.
    QVERIFY(dlg.Frame2[1]->isVisible());
    click(dlg.Option5[0]);
    QVERIFY(dlg.Frame2[0]->isVisible());
    QVERIFY(!dlg.Frame2[1]->isVisible());
    // Switching pages leaves the choices on the pages alone.
    for (QRadioButton *b : {dlg.Option3[0], dlg.Option3[7], dlg.Option3[3], dlg.Option3[4],
                            dlg.Option2[0], dlg.Option2[2], dlg.Option6[1], dlg.Option7[0],
                            dlg.Option4[0]})
        QVERIFY2(b->isChecked(), qPrintable(b->text()));
}

// Each switch enables (and for some shows) its group, and only that.
void TestOptions::switchesEnableTheirGroups_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("enabled");
    QTest::newRow("ticket numbers") << 1 << "Check1" << QStringList{"Frame3"};
    QTest::newRow("stop order") << 2 << "Check3:0" << QStringList{"Combo4:0", "Check3:4"};
    QTest::newRow("ticket number") << 2 << "Check3:1" << QStringList{"Combo4:1"};
    QTest::newRow("route number") << 2 << "Check3:2" << QStringList{"Combo4:2"};
    QTest::newRow("data column") << 2 << "Check3:3" << QStringList{"Combo4:3", "Combo4:4"};
    QTest::newRow("individual panels")
        << 1 << "Option3:1" << QStringList{"Frame6:0", "Frame6:1", "Frame6:2"};
    QTest::newRow("ticket preview") << 5 << "chkUseSeiriPrev" << QStringList{"Frame10"};
}

void TestOptions::switchesEnableTheirGroups()
{
    QFETCH(int, page);
    QFETCH(QString, control);
    QFETCH(QStringList, enabled);
    frmOption &dlg = *m_dlg;
    QHash<QString, QWidget *> named{{"Check1", dlg.Check1}, {"Frame3", dlg.Frame3},
                                    {"Frame10", dlg.Frame10}, {"Frame7", dlg.Frame7},
                                    {"chkUseSeiriPrev", dlg.chkUseSeiriPrev}};
    for (size_t i = 0; i < 5; ++i) {
        named.insert(QStringLiteral("Check3:%1").arg(i), dlg.Check3[i]);
        named.insert(QStringLiteral("Combo4:%1").arg(i), dlg.Combo4[i]);
    }
    for (size_t i = 0; i < 3; ++i)
        named.insert(QStringLiteral("Frame6:%1").arg(i), dlg.Frame6[i]);
    named.insert(QStringLiteral("Option3:1"), dlg.Option3[1]);
    const auto find = [&named](const QString &name) { return named.value(name); };
    const QStringList groups{"Frame3",   "Combo4:0", "Combo4:1", "Combo4:2", "Combo4:3", "Combo4:4",
                             "Check3:4", "Frame6:0", "Frame6:1", "Frame6:2", "Frame10"};
    const auto expect = [&](bool on) {
        for (const QString &g : groups) {
            const bool want = on && enabled.contains(g);
            QVERIFY2(find(g)->isEnabled() == want, qPrintable(g));
            if (g.startsWith(u"Frame6") || g == u"Frame10")
                QVERIFY2(find(g)->isVisible() == want, qPrintable(g));
        }
    };
    dlg.showPage(page);
    expect(false);
    QWidget *sw = find(control);
    click(sw);
    expect(true);
    // Off again: by a click, or by the choice beside it.
    click(control == u"Option3:1" ? dlg.Option3[0] : sw);
    expect(false);
    // A stored value written twice, or greyed, leaves the group in step.
    if (auto *box = qobject_cast<QCheckBox *>(sw)) {
        box->setChecked(true);
        box->setChecked(true);
        expect(true);
        box->setCheckState(Qt::PartiallyChecked);
        expect(true);
    }
}

void TestOptions::numberLists()
{
    frmOption &dlg = *m_dlg;
    for (QComboBox *c : {dlg.Combo4[0], dlg.Combo4[3], dlg.Combo4[4], dlg.Combo1}) {
        const int last = c == dlg.Combo4[0] || c == dlg.Combo4[3] ? 60 : 150;
        QCOMPARE(c->count(), last);
        QCOMPARE(c->itemText(0), QStringLiteral("1"));
        QCOMPARE(c->itemText(last - 1), QString::number(last));
        QCOMPARE(c->currentIndex(), 0);
    }
    QCOMPARE(dlg.Combo2->count(), 12);
    QCOMPARE(dlg.Combo3->count(), 5);
    QCOMPARE(dlg.Combo3->currentIndex(), -1);
}

void TestOptions::fixedDate_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    QTest::newRow("padded month") << 2009 << 1 << 30 << 1 << "2009/01/30";
    QTest::newRow("padded day") << 2010 << 12 << 5 << 1 << "2010/12/05";
    QTest::newRow("year as is") << 987 << 7 << 7 << 1 << "987/07/07";
    QTest::newRow("cancelled") << 2001 << 2 << 3 << 0 << "not a date";
}

void TestOptions::fixedDate()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, result);
    QFETCH(QString, text);
    // A new dialog starts at today.
    QCOMPARE(m_dlg->Label10->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    bool zeroFilled = false;
    m_host->dateDialog = [&](SystemTime &date) {
        zeroFilled = date.wYear == 0 && date.wMonth == 0 && date.wDay == 0 && date.wDayOfWeek == 0
                     && date.wHour == 0;
        date.wYear = qint16(year);
        date.wMonth = qint16(month);
        date.wDay = qint16(day);
        return result;
    };
    m_dlg->Label10->setText(QStringLiteral("not a date"));
    m_dlg->chkUseSeiriPrev->setChecked(true);
    // The date group is usable only with a plug-in that prints the date.
    m_dlg->chooseFixedDate();
    QCOMPARE(m_host->dateDialogCalls, 1);
    QVERIFY(zeroFilled);
    QCOMPARE(m_dlg->Label10->text(), text);
}

void TestOptions::colourChooser_data()
{
    QTest::addColumn<int>("array"); // 5, 8 or 9
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("result");
    for (int i = 0; i < 3; ++i) {
        QTest::addRow("Command5(%d)", i) << 5 << i << 1;
        QTest::addRow("Command8(%d)", i) << 8 << i << 1;
    }
    QTest::newRow("Command9(0)") << 9 << 0 << 1;
    QTest::newRow("Command9(1)") << 9 << 1 << 1;
    QTest::newRow("Command9(1) cancelled") << 9 << 1 << 0;
}

void TestOptions::colourChooser()
{
    QFETCH(int, array);
    QFETCH(int, index);
    QFETCH(int, result);
    frmOption &dlg = *m_dlg;
    QSignalSpy apply(&dlg, &frmOption::applyRequested);
    dlg.Check1->setChecked(true); // the ticket-number colours are usable only then
    QPushButton *b = array == 5   ? dlg.Command5[size_t(index)]
                     : array == 8 ? dlg.Command8[size_t(index)]
                                  : dlg.Command9[size_t(index)];
    setBackColor(b, rgb(10, 20, 30));
    for (size_t i = 0; i < dlg.CustomColors.size(); ++i)
        dlg.CustomColors[i] = OleColor(i * 0x010101);
    OleColor offered = 0;
    CustomColors customOffered{};
    m_host->colorDialog = [&](OleColor &color, CustomColors &custom) {
        offered = color;
        customOffered = custom;
        color = rgb(200, 100, 50);
        custom[16] = rgb(1, 2, 3);
        return result;
    };
    click(b);
    QCOMPARE(m_host->colorDialogCalls, 1);
    QCOMPARE(offered, rgb(10, 20, 30));
    QCOMPARE(customOffered[5], OleColor(5 * 0x010101));
    const OleColor now = result ? rgb(200, 100, 50) : rgb(10, 20, 30);
    QCOMPARE(backColor(b), now);
    // The operator sees the colour on the button's face.
    const QImage face = b->grab().toImage();
    const QColor seen = face.pixelColor(face.rect().center());
    QVERIFY2(qAbs(seen.red() - qRed(toQColor(now).rgb())) < 16, qPrintable(seen.name()));
    // The custom colours stay with the dialog for the next chooser and the file.
    if (result) {
        QCOMPARE(dlg.CustomColors[16], rgb(1, 2, 3));
        click(b);
        QCOMPARE(customOffered[16], rgb(1, 2, 3));
    }
    // The preview digit follows the digit colours at once; the board only on "OK".
    QCOMPARE(dlg.M_Degit1->BackColor(), backColor(dlg.Command8[0]));
    QCOMPARE(dlg.M_Degit1->BaseForeColor(), backColor(dlg.Command8[1]));
    QCOMPARE(dlg.M_Degit1->DegitForeColor(), backColor(dlg.Command8[2]));
    QCOMPARE(apply.count(), 0);
}

void TestOptions::fileAndFolderChoosers_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("filter");
    const QStringList sounds{"Waveサウンド(*.wav)", "*.wav", "MP3サウンド(*.mp3)", "*.mp3",
                             "MIDIシーケンス(*.mid)", "*.mid"};
    const QStringList images{"ビットマップ(*.bmp)", "*.bmp", "GIF画像(*.gif)", "*.gif",
                             "JPEG画像(*.jpg)", "*.jpg"};
    QTest::newRow("fare data") << "Command3:0" << "Text2:0" << "/data/運賃" << "" << QStringList{};
    QTest::newRow("announcements") << "Command3:1" << "Text2:1" << "/data/放送" << "" << QStringList{};
    QTest::newRow("fare data cancelled") << "Command3:0" << "Text2:0" << "" << "" << QStringList{};
    for (int i : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10})
        QTest::addRow("sound %d", i) << QStringLiteral("cmdSelectSound:%1").arg(i)
                                     << QStringLiteral("txtSelectSound:%1").arg(i) << "/snd/新.mp3"
                                     << "サウンドの選択" << sounds;
    QTest::newRow("sound cancelled") << "cmdSelectSound:4" << "txtSelectSound:4" << ""
                                     << "サウンドの選択" << sounds;
    QTest::newRow("panel image") << "Command6:1" << "txtSelectPanel:1" << "/img/on1.gif"
                                 << "パネル画像の選択" << images;
    QTest::newRow("panel image cancelled") << "Command6:2" << "txtSelectPanel:2" << ""
                                           << "パネル画像の選択" << images;
}

void TestOptions::fileAndFolderChoosers()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, answer);
    QFETCH(QString, title);
    QFETCH(QStringList, filter);
    frmOption &dlg = *m_dlg;
    dlg.Option3[1]->setChecked(true);
    QList<QLineEdit *> fields{dlg.Text2[0], dlg.Text2[1], dlg.txtSelectPanel[0],
                              dlg.txtSelectPanel[1], dlg.txtSelectPanel[2]};
    for (QLineEdit *t : dlg.txtSelectSound)
        if (t)
            fields << t;
    for (QLineEdit *t : fields)
        t->setText(QStringLiteral("before"));
    const QStringList b = button.split(u':'), f = field.split(u':');
    const size_t bi = b[1].toUInt(), fi = f[1].toUInt();
    QPushButton *press = b[0] == u"Command3" ? dlg.Command3[bi]
                         : b[0] == u"Command6" ? dlg.Command6[bi]
                                               : dlg.cmdSelectSound[bi];
    QLineEdit *target = f[0] == u"Text2" ? dlg.Text2[fi]
                        : f[0] == u"txtSelectPanel" ? dlg.txtSelectPanel[fi]
                                                    : dlg.txtSelectSound[fi];
    if (title.isEmpty())
        m_host->folderAnswers.push_back(answer);
    else
        m_host->fileAnswers.push_back(answer);
    press->click();
    for (QLineEdit *t : fields)
        QCOMPARE(t->text(), t == target && !answer.isEmpty() ? answer : QStringLiteral("before"));
    if (title.isEmpty()) {
        QCOMPARE(m_host->folderPrompts, QList<QString>{QStringLiteral("フォルダーを選択してください")});
    } else {
        QCOMPARE(m_host->fileTitles, QList<QString>{title});
        QCOMPARE(m_host->fileFilters[0], filter.join(QChar(u'\0')) + QChar(u'\0') + QChar(u'\0'));
    }
}

void TestOptions::openFolderAndForgetPlugin()
{
    frmOption &dlg = *m_dlg;
    dlg.Text2[0]->setText(QStringLiteral("/fares"));
    dlg.Text2[1]->setText(QStringLiteral("/tapes"));
    click(dlg.Command10[1]);
    click(dlg.Command10[0]);
    QCOMPARE(m_host->openedFolders, (QList<QString>{"/tapes", "/fares"}));
    QVERIFY(m_host->messages.isEmpty());

    // The plug-in chooser opens only while the preview is in use.
    dlg.Command1->click();
    QVERIFY(m_host->fileTitles.isEmpty());
    dlg.chkUseSeiriPrev->setChecked(true);
    dlg.Command1->click();
    QCOMPARE(m_host->fileTitles, QStringList{QStringLiteral("プラグインの選択")});

    // "×" forgets the plug-in and what it said, nothing else.
    dlg.txtSeiriPlgDir->setText(QStringLiteral("/plugins/bus.4SP"));
    dlg.List1->addItems({QStringLiteral("日付の印字 ---> 可能")});
    dlg.txtPlginComment->setPlainText(QStringLiteral("特記事項"));
    dlg.Combo1->setCurrentIndex(7);
    dlg.showPage(5);
    click(dlg.Command11);
    QVERIFY(dlg.txtSeiriPlgDir->text().isEmpty());
    QCOMPARE(dlg.List1->count(), 0);
    QVERIFY(dlg.txtPlginComment->toPlainText().isEmpty());
    QCOMPARE(dlg.Combo1->currentIndex(), 7);
    QVERIFY(dlg.chkUseSeiriPrev->isChecked());
}

void TestOptions::okCloseAndEscapeApplyAndHide()
{
    frmOption &dlg = *m_dlg;
    dlg.Text2[0]->setText(QStringLiteral("/kept"));
    int applied = 0;
    bool visibleWhileApplying = false;
    connect(&dlg, &frmOption::applyRequested, this, [&] {
        ++applied;
        visibleWhileApplying = dlg.isVisible();
    });
    click(dlg.Command4);
    QCOMPARE(applied, 1);
    QVERIFY(visibleWhileApplying);
    QVERIFY(!dlg.isVisible());
    dlg.show();
    QVERIFY(dlg.close());
    QCOMPARE(applied, 2);
    QVERIFY(!dlg.isVisible());
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(applied, 3);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.Text2[0]->text(), QStringLiteral("/kept"));
}

void TestOptions::optionValueCanClearAGroup()
{
    frmOption &dlg = *m_dlg;
    setOptionValue(dlg.Option2[0], false);
    QVERIFY(!dlg.Option2[0]->isChecked());
    QVERIFY(!dlg.Option2[1]->isChecked());
    QVERIFY(dlg.Option2[0]->autoExclusive());
    setOptionValue(dlg.Option2[1], true);
    QVERIFY(dlg.Option2[1]->isChecked());
    setOptionValue(dlg.Option2[0], true);
    QVERIFY(!dlg.Option2[1]->isChecked());
    // Clearing the panel mode runs no panel handling.
    setOptionValue(dlg.Option3[0], false);
    QVERIFY(dlg.Frame6[0]->isHidden());
}

LUMINA_TEST_MAIN(TestOptions)
#include "tst_options.moc"
