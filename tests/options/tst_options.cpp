#include "FakeHostLib.h"
#include "FakeSpeech.h"
#include "TestMain.h"

#include "base/Colors.h"
#include "controls/DigitRow.h"
#include "hostlib/TicketPlugin.h"
#include "options/OptionsDialog.h"
#include "options/VoiceDialog.h"

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

namespace {

const QString kSamples = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/");
const QString kData = QStringLiteral(LUMINA_TEST_DATA "/options/");

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

} // namespace

// The options dialog's handlers, with the panel's company list and ticket
// picture beside it. Its pages as the operator sees them are the reference
// pictures of tst_pictures.
class tst_Options : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_host = std::make_unique<test::FakeHostLib>();
        m_dlg = std::make_unique<OptionsDialog>();
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
    }
    void cleanup()
    {
        m_dlg.reset();
        m_host.reset();
    }

    // Each switch enables (and for some shows) its group, and only that; the
    // pages with every switch on are reference pictures.
    void switchesEnableTheirGroups()
    {
        OptionsDialog &dlg = *m_dlg;
        // The preview's groups are not even shown before it is switched on.
        dlg.showPage(5);
        QVERIFY(dlg.Frame10->isHidden() && dlg.Frame7->isHidden());
        const QList<std::pair<QAbstractButton *, QWidget *>> pairs{
            {dlg.Check1, dlg.Frame3},          {dlg.Check3[0], dlg.Combo4[0]}, {dlg.Check3[0], dlg.Check3[4]},
            {dlg.Check3[1], dlg.Combo4[1]},    {dlg.Check3[2], dlg.Combo4[2]}, {dlg.Check3[3], dlg.Combo4[4]},
            {dlg.Option3[1], dlg.Frame6[2]},   {dlg.chkUseSeiriPrev, dlg.Frame10}};
        for (const auto &[control, group] : pairs) {
            dlg.showPage(control == dlg.Check1 || control == dlg.Option3[1] ? 1 : control == dlg.chkUseSeiriPrev ? 5 : 2);
            QVERIFY(!group->isEnabled());
            control->click();
            QVERIFY(group->isEnabled() && group->isVisible());
            QVERIFY(!dlg.Combo4[3]->isEnabled() || control == dlg.Check3[3]);
            // Off again: by a click, or by the choice beside it.
            (control == dlg.Option3[1] ? dlg.Option3[0] : control)->click();
            QVERIFY(!group->isEnabled());
            // A stored value written twice, or greyed, leaves the group in step.
            if (auto *box = qobject_cast<QCheckBox *>(control)) {
                box->setChecked(true);
                box->setChecked(true);
                box->setCheckState(Qt::PartiallyChecked);
                QVERIFY(group->isEnabled());
                box->setTristate(false);
                box->setChecked(false);
            }
        }
    }

    // The choices each page starts with are in the pages' reference pictures.
    void optionGroups()
    {
        OptionsDialog &dlg = *m_dlg;
        // A stored setting can leave a group with no choice; choosing again is exclusive.
        setOptionValue(dlg.Option2[0], false);
        QVERIFY(!dlg.Option2[0]->isChecked() && !dlg.Option2[1]->isChecked());
        setOptionValue(dlg.Option2[1], true);
        setOptionValue(dlg.Option2[0], true);
        QVERIFY(!dlg.Option2[1]->isChecked());
        // Clearing the panel mode runs no panel handling.
        setOptionValue(dlg.Option3[0], false);
        QVERIFY(dlg.Frame6[0]->isHidden());
        // A plain option button asks for the room a radio button needs.
        QCOMPARE(dlg.Option2[0]->sizeHint(), QRadioButton(dlg.Option2[0]->text()).sizeHint());
    }

    void fixedDate()
    {
        // A new dialog starts at today; the chooser starts from nothing.
        QCOMPARE(m_dlg->Label10->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
        int result = 1;
        bool zeroFilled = false;
        m_host->dateDialog = [&](SystemTime &date) {
            zeroFilled = date.year == 0 && date.month == 0 && date.day == 0 && date.hour == 0;
            date.year = 987;
            date.month = 1;
            date.day = 5;
            return result;
        };
        m_dlg->chooseFixedDate();
        QVERIFY(zeroFilled);
        QCOMPARE(m_dlg->Label10->text(), QStringLiteral("0987/01/05")); // as a settings file holds it
        result = 0;
        m_dlg->chooseFixedDate();
        QCOMPARE(m_host->dateDialogCalls, 2);
        QCOMPARE(m_dlg->Label10->text(), QStringLiteral("0987/01/05"));
    }

    void colourChooser_data() { test::addRows(QStringLiteral("options/colours.tsv"), {"array", "index", "result"}); }
    void colourChooser()
    {
        QFETCH(QString, array);
        QFETCH(QString, index);
        QFETCH(QString, result);
        OptionsDialog &dlg = *m_dlg;
        const bool taken = result == u'1';
        QSignalSpy apply(&dlg, &OptionsDialog::applyRequested);
        SettingsFile settings = dlg.settings();
        settings.customColours[5] = rgb(5, 5, 5);
        dlg.setSettings(settings);
        dlg.Check1->setChecked(true); // the ticket-number colours are usable only then
        const size_t i = index.toUInt();
        QPushButton *b = array == u'5' ? dlg.Command5[i] : array == u'8' ? dlg.Command8[i] : dlg.Command9[i];
        setBackColor(b, rgb(10, 20, 30));
        OleColor offered = 0;
        CustomColors customOffered{};
        m_host->colorDialog = [&](OleColor &color, CustomColors &custom) {
            offered = color;
            customOffered = custom;
            if (taken) {
                color = rgb(200, 100, 50);
                custom[16] = rgb(1, 2, 3);
            }
            return int(taken);
        };
        click(b);
        QCOMPARE(offered, rgb(10, 20, 30));
        QCOMPARE(customOffered[5], rgb(5, 5, 5));
        QCOMPARE(backColor(b), taken ? rgb(200, 100, 50) : rgb(10, 20, 30));
        // The preview digit follows the digit colours at once; the board only on "OK".
        QCOMPARE(dlg.M_Digit1->backColour(), backColor(dlg.Command8[0]));
        QCOMPARE(dlg.M_Digit1->unlitColour(), backColor(dlg.Command8[1]));
        QCOMPARE(dlg.M_Digit1->litColour(), backColor(dlg.Command8[2]));
        QCOMPARE(apply.count(), 0);
        // The custom colours stay with the dialog for the next chooser and the file;
        // the chooser says whether a colour was taken.
        QCOMPARE(dlg.settings().customColours[16], taken ? rgb(1, 2, 3) : OleColor(0));
        QCOMPARE(dlg.GetBtnColor(b), taken);
        QCOMPARE(customOffered[16], dlg.settings().customColours[16]);
        // The colour shown is the colour handed back.
        const SettingsFile chosen = dlg.settings();
        const InfoDigitSettings &d = chosen.infoDigits;
        const OleColor handedBack = array == u'5' ? chosen.panel.ticketNumberColours[i]
            : array == u'8' ? std::array{d.backColour, d.unlitColour, d.litColour}[i]
                            : std::array{chosen.stopName.backColour, chosen.stopName.textColour}[i];
        QCOMPARE(handedBack, backColor(b));
    }

    void fileAndFolderChoosers_data()
    {
        test::addRows(QStringLiteral("options/choosers.tsv"), {"kind", "index", "answer"});
    }
    void fileAndFolderChoosers()
    {
        QFETCH(QString, kind);
        QFETCH(QString, index);
        QFETCH(QString, answer);
        OptionsDialog &dlg = *m_dlg;
        dlg.Option3[1]->setChecked(true);
        // Every field of the dialog, so that a chooser filling the wrong one shows.
        const QList<QLineEdit *> fields = dlg.findChildren<QLineEdit *>();
        for (QLineEdit *t : fields)
            t->setText(QStringLiteral("before"));
        const size_t i = index.toUInt();
        const bool folder = kind == u"folder", sound = kind == u"sound";
        QPushButton *press = folder ? dlg.Command3[i] : sound ? dlg.cmdSelectSound[i] : dlg.Command6[i];
        QLineEdit *target = folder ? dlg.Text2[i] : sound ? dlg.txtSelectSound[i] : dlg.txtSelectPanel[i];
        (folder ? m_host->folderAnswers : m_host->fileAnswers).push_back(answer);
        press->click();
        for (QLineEdit *t : fields)
            QCOMPARE(t->text(), t == target && !answer.isEmpty() ? answer : QStringLiteral("before"));
        if (folder) {
            // The folder beside it opens in the file manager.
            dlg.Command10[i]->click();
            QCOMPARE(m_host->openedFolders, QList<QString>{dlg.Text2[i]->text()});
            return;
        }
        // Each chooser offers its own kind of file.
        QVERIFY(m_host->fileFilters[0].contains(sound ? QStringLiteral("*.mp3") : QStringLiteral("*.gif")));
    }

    void okCloseAndEscapeApplyAndHide()
    {
        OptionsDialog &dlg = *m_dlg;
        dlg.Text2[0]->setText(QStringLiteral("/kept"));
        int applied = 0;
        bool visibleWhileApplying = false;
        connect(&dlg, &OptionsDialog::applyRequested, this, [&] {
            ++applied;
            visibleWhileApplying = dlg.isVisible();
        });
        click(dlg.Command4);
        QVERIFY(visibleWhileApplying && !dlg.isVisible());
        dlg.show();
        QVERIFY(dlg.close() && !dlg.isVisible());
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(applied, 3);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.Text2[0]->text(), QStringLiteral("/kept"));
    }

    void propertyLines_data() { test::addRows(QStringLiteral("options/plugin-lines.tsv"), {"record", "lines"}); }
    void propertyLines()
    {
        QFETCH(QString, record);
        QFETCH(QString, lines);
        PlugInInfo info;
        auto *field = reinterpret_cast<qint32 *>(&info);
        for (const QString &value : record.split(u' '))
            *field++ = value.toInt();
        QCOMPARE(plugInInfoLines(info), lines.split(u'|'));
    }

    void pluginChooser_data()
    {
        test::addRows(QStringLiteral("options/plugin-choices.tsv"), {"answer", "taken", "message"});
    }
    void pluginChooser()
    {
        QFETCH(QString, answer);
        QFETCH(QString, taken);
        QFETCH(QString, message);
        const bool accepted = taken == u'1';
        if (!answer.isEmpty() && !answer.startsWith(u'/'))
            answer.prepend(QStringLiteral(LUMINA_TEST_DATA "/"));
        // The chooser opens only while the preview is in use.
        m_dlg->Command1->click();
        QVERIFY(m_host->fileTitles.isEmpty());
        m_dlg->chkUseSeiriPrev->setChecked(true);
        // A plug-in chosen before.
        QVERIFY(m_dlg->showPlugIn(kSamples + QStringLiteral("plain.4SP")));
        m_dlg->txtSeiriPlgDir->setText(QStringLiteral("/before/plain.4SP"));
        const int lines = m_dlg->List1->count();
        const QString remarks = m_dlg->txtPlginComment->toPlainText();

        m_host->fileAnswers.push_back(answer);
        m_dlg->Command1->click();
        QCOMPARE(m_host->fileTitles.size(), 1);
        QCOMPARE(m_host->messages.size(), message.toInt());
        QCOMPARE(m_dlg->txtSeiriPlgDir->text(), accepted ? answer : QStringLiteral("/before/plain.4SP"));
        QCOMPARE(m_dlg->List1->count(), accepted ? 10 : lines);
        QCOMPARE(m_dlg->txtPlginComment->toPlainText().startsWith(QStringLiteral("バーコード付き整理券")), accepted);
        QVERIFY(accepted || m_dlg->txtPlginComment->toPlainText() == remarks);
        QCOMPARE(m_dlg->settings().ticketPreview.plugIn, m_dlg->txtSeiriPlgDir->text());
    }

    void forgetAndDateGroupFollowThePlugin()
    {
        m_dlg->showPage(5);
        m_dlg->chkUseSeiriPrev->setChecked(true);
        QVERIFY(!m_dlg->Frame7->isEnabled() && m_dlg->Frame7->isVisible()); // no plug-in yet
        m_dlg->showPlugIn(kSamples + QStringLiteral("plain.4SP"));
        QVERIFY(m_dlg->Frame7->isEnabled());
        m_dlg->showPlugIn(kData + QStringLiteral("nodate.4SP"));
        QVERIFY(!m_dlg->Frame7->isEnabled());
        m_host->fileAnswers.push_back(kSamples + QStringLiteral("barcode.4SP"));
        m_dlg->Command1_Click();
        m_dlg->chkUseSeiriPrev->setChecked(false);
        QVERIFY(!m_dlg->Frame7->isVisible() && !m_dlg->Frame7->isEnabled());
        m_dlg->chkUseSeiriPrev->setChecked(true);
        QVERIFY(m_dlg->Frame7->isEnabled());

        // "×" forgets the plug-in and what it said; the column chosen and the
        // switch stay.
        m_dlg->Combo1->setCurrentIndex(7);
        click(m_dlg->Command11);
        QVERIFY(m_dlg->txtSeiriPlgDir->text().isEmpty());
        QCOMPARE(m_dlg->List1->count(), 0);
        QVERIFY(m_dlg->txtPlginComment->toPlainText().isEmpty());
        QVERIFY(!m_dlg->Frame7->isEnabled());
        QCOMPARE(m_dlg->Combo1->currentIndex(), 7);
        QVERIFY(m_dlg->chkUseSeiriPrev->isChecked());
    }

    // The lists show the engine, language and voice in force, none when not
    // offered; the choice comes back from the file each time it is saved; closing
    // silences the sample, whose cutting short speech is tst_panelcontroller's.
    void voiceChoice()
    {
        test::FakeSpeech speech;
        speech.offeredEngines = {"fake", "other", "third"};
        speech.offeredLanguages = {QLocale(u"ja_JP"), QLocale(u"en_US")};
        speech.offeredVoices = {{"Kyoko", {}}, {"Otoya", {}}, {"Alex", {}}};
        VoiceDialog voice;
        for (const QString running : {"fake/ja_JP/Kyoko", "third/en_US/Alex", "gone/fr_FR/Thomas"}) {
            const QStringList names = running.split(u'/');
            const VoiceSettings inForce{names[0], names[1], names[2], 0.5, -0.25, 0.75};
            speech.start(inForce);
            emit speech.voicesChanged();
            const VoiceSettings got = voice.current();
            QCOMPARE(QStringList({got.engine, got.language, got.voice}).join(u'/'),
                     names[0] == u"gone" ? QStringLiteral("//") : running);
            inForce.save();
            QVERIFY(VoiceSettings::load() == inForce);
        }
        voice.speakSample();
        voice.reject();
        QCOMPARE(speech.log.last(), QStringLiteral("stop"));
    }

private:
    std::unique_ptr<test::FakeHostLib> m_host;
    std::unique_ptr<OptionsDialog> m_dlg;
};

LUMINA_TEST_MAIN(tst_Options)
#include "tst_options.moc"
