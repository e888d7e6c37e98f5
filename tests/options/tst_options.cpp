#include "FakeHostLib.h"
#include "FakeSpeech.h"
#include "TestMain.h"

#include "base/Colors.h"
#include "controls/DigitRow.h"
#include "hostlib/TicketPlugin.h"
#include "base/CodePage.h"
#include "options/OptionButton.h"
#include "options/OptionsDialog.h"
#include "options/VoiceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>

using namespace lumina;

const QString kSamples = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/");
const QString kData = QStringLiteral(LUMINA_TEST_DATA "/options/");

// The options dialog's handlers; its pages as the operator sees them are tst_pictures' reference pictures.
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
    void switchesAndOptionGroups()
    {
        QVERIFY(control<QWidget>("Frame10")->isHidden() && control<QWidget>("Frame7")->isHidden() && control("Option3_0")->isChecked());
        // A new dialog opens at the folders, and the sound page at the step sounds, their tabs chosen.
        QVERIFY(control("Option1_0")->isChecked() && control<QWidget>("Frame1_0")->isVisible() && control<QWidget>("Frame1_1")->isHidden());
        QVERIFY(control("Option5_1")->isChecked() && control<QWidget>("Frame2_0")->isHidden() && !control<QWidget>("Frame2_1")->isHidden());
        static const char *const pairs[][2] = {
            {"Check1", "Frame3"},     {"Check3_0", "Combo4_0"}, {"Check3_0", "Check3_4"}, {"Check3_1", "Combo4_1"},
            {"Check3_2", "Combo4_2"}, {"Check3_3", "Combo4_4"}, {"Option3_1", "Frame6_2"}, {"chkUseSeiriPrev", "Frame10"}};
        for (const auto &[name, groupName] : pairs) {
            QAbstractButton *toggle = control(name);
            QWidget *group = control<QWidget>(groupName);
            QVERIFY(!group->isEnabled());
            toggle->click();
            QVERIFY(group->isEnabled() && !group->isHidden());
            QVERIFY(!control<QWidget>("Combo4_3")->isEnabled() || toggle->objectName() == u"Check3_3");
            (toggle->objectName() == u"Option3_1" ? control("Option3_0") : toggle)->click();
            QVERIFY(!group->isEnabled());
            // A stored value written twice, or greyed, leaves the group in step.
            if (auto *box = qobject_cast<QCheckBox *>(toggle)) {
                box->setChecked(true);
                box->setChecked(true);
                box->setCheckState(Qt::PartiallyChecked);
                QVERIFY(group->isEnabled());
                box->setTristate(false);
                box->setChecked(false);
            }
        }
        auto *always = control<QRadioButton>("Option2_0"), *byColumn = control<QRadioButton>("Option2_1");
        // A stored setting can leave a group with no choice; choosing again is exclusive.
        setOptionValue(always, false);
        QVERIFY(!always->isChecked() && !byColumn->isChecked());
        setOptionValue(byColumn, true);
        setOptionValue(always, true);
        QVERIFY(!byColumn->isChecked());
        setOptionValue(control<QRadioButton>("Option3_0"), false);
        QVERIFY(control<QWidget>("Frame6_0")->isHidden());
        // The whole face of a wrapped choice answers a click, its last line too.
        QTest::mouseClick(byColumn, Qt::LeftButton, {}, QPoint(byColumn->width() - 2, byColumn->height() - 2));
        QVERIFY(byColumn->isChecked());
        // A plain option button asks for the room a radio button needs.
        QCOMPARE(always->sizeHint(), QRadioButton(always->text()).sizeHint());
        control("Option1_3")->click(); // the page in front alone takes the keyboard
        QVERIFY(control<QWidget>("Frame1_0")->isHidden() && control<QWidget>("Frame1_3")->isVisible());
        // Once the keyboard has moved the focus, a page's tab, a plain choice and a colour button show where it is.
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg.get()));
        QTest::keyClick(m_dlg.get(), Qt::Key_Tab);
        for (const auto &[page, name] : {std::pair{"Option1_1", "Option3_0"}, {"Option1_2", "Command8_0"}, {"Option1_0", "Option1_0"}}) {
            control(page)->click();
            QWidget *button = control<QWidget>(name);
            // Inside the edge a style marks a focused button on, and beside a choice's round mark: the frame alone.
            const QRect inside = qstrcmp(name, "Option3_0") ? button->rect().adjusted(2, 2, -2, -2) : control<OptionButton>(name)->textRect();
            button->clearFocus();
            const QImage plain = button->grab(inside).toImage();
            button->setFocus(Qt::TabFocusReason);
            QVERIFY2(button->hasFocus() && button->grab(inside).toImage() != plain, name);
        }
    }
    void colourChooser_data() { test::addRows(QStringLiteral("options/colours.tsv"), {"array", "index", "result"}); }
    void colourChooser()
    {
        QFETCH(QString, array);
        QFETCH(QString, index);
        QFETCH(QString, result);
        const bool taken = result == u'1';
        QSignalSpy apply(m_dlg.get(), &OptionsDialog::applyRequested);
        SettingsFile settings = m_dlg->settings();
        settings.customColours[5] = rgb(5, 5, 5);
        m_dlg->setSettings(settings);
        control<QCheckBox>("Check1")->setChecked(true); // the ticket-number colours are usable only then
        const size_t i = index.toUInt();
        auto *b = control<QPushButton>(QStringLiteral("Command%1_%2").arg(array, index));
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
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(offered, rgb(10, 20, 30));
        QCOMPARE(customOffered[5], rgb(5, 5, 5));
        QCOMPARE(backColor(b), taken ? rgb(200, 100, 50) : rgb(10, 20, 30));
        QCOMPARE(apply.count(), 0); // the board follows only on "OK"
        QCOMPARE(m_dlg->settings().customColours[16], taken ? rgb(1, 2, 3) : OleColor(0));
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(customOffered[16], m_dlg->settings().customColours[16]);
        // The colour shown is the colour handed back; the preview digit follows at once.
        const SettingsFile chosen = m_dlg->settings();
        const InfoDigitSettings &d = chosen.infoDigits;
        const std::array digitColours{d.backColour, d.unlitColour, d.litColour};
        const OleColor handedBack = array == u'5' ? chosen.panel.ticketNumberColours[i]
            : array == u'8' ? digitColours[i] : std::array{chosen.stopName.backColour, chosen.stopName.textColour}[i];
        QCOMPARE(handedBack, backColor(b));
        const auto *preview = control<DigitRow>("M_Degit1");
        QVERIFY((std::array{preview->backColour(), preview->unlitColour(), preview->litColour()} == digitColours));
    }
    void fileAndFolderChoosers_data() { test::addRows(QStringLiteral("options/choosers.tsv"), {"kind", "index", "answer"}); }
    void fileAndFolderChoosers()
    {
        QFETCH(QString, kind);
        QFETCH(QString, index);
        QFETCH(QString, answer);
        control<QRadioButton>("Option3_1")->setChecked(true);
        // Every field of the dialog, so that a chooser filling the wrong one shows.
        const QList<QLineEdit *> fields = m_dlg->findChildren<QLineEdit *>();
        for (QLineEdit *t : fields)
            t->setText(QStringLiteral("before"));
        const bool folder = kind == u"folder", sound = kind == u"sound";
        auto *target = control<QLineEdit>((folder ? "Text2_" : sound ? "txtSelectSound_" : "txtSelectPanel_") + index);
        (folder ? m_host->folderAnswers : m_host->fileAnswers).push_back(answer);
        control<QPushButton>((folder ? "Command3_" : sound ? "cmdSelectSound_" : "Command6_") + index)->click();
        const bool refused = !cp932::canEncode(answer); // the settings file could not hold it
        for (QLineEdit *t : fields)
            QCOMPARE(t->text(), t == target && !answer.isEmpty() && !refused ? answer : QStringLiteral("before"));
        QCOMPARE(m_host->messages.size(), int(refused));
        if (folder) {
            control<QPushButton>("Command10_" + index)->click();
            QCOMPARE(m_host->openedFolders, QList<QString>{target->text()});
            return;
        }
        QVERIFY(m_host->fileFilters[0].contains(sound ? QStringLiteral("*.mp3") : QStringLiteral("*.gif")));
    }
    void okCloseAndEscapeApplyAndHide()
    {
        control<QLineEdit>("Text2_0")->setText(QStringLiteral("/kept"));
        int applied = 0;
        bool visibleWhileApplying = false;
        connect(m_dlg.get(), &OptionsDialog::applyRequested, this, [&] {
            ++applied;
            visibleWhileApplying = m_dlg->isVisible();
        });
        QTest::mouseClick(control<QWidget>("Command4"), Qt::LeftButton);
        QVERIFY(visibleWhileApplying && !m_dlg->isVisible());
        m_dlg->show();
        QVERIFY(m_dlg->close() && !m_dlg->isVisible());
        m_dlg->show();
        QTest::keyClick(control("Command3_0"), Qt::Key_Return); // Enter means "OK" whichever button has focus
        QVERIFY(!m_dlg->isVisible());
        m_dlg->show();
        QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
        QCOMPARE(applied, 4);
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(control<QLineEdit>("Text2_0")->text(), QStringLiteral("/kept"));
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
    void pluginChooser_data() { test::addRows(QStringLiteral("options/plugin-choices.tsv"), {"answer", "taken", "message"}); }
    void pluginChooser()
    {
        QFETCH(QString, answer);
        QFETCH(QString, taken);
        QFETCH(QString, message);
        const bool accepted = taken == u'1';
        if (!answer.isEmpty() && !answer.startsWith(u'/'))
            answer.prepend(QStringLiteral(LUMINA_TEST_DATA "/"));
        control<QPushButton>("Command1")->click();
        QVERIFY(m_host->fileTitles.isEmpty());
        const QString before = kSamples + QStringLiteral("plain.4SP");
        choosePlugIn(before);
        auto *remarks = control<QPlainTextEdit>("txtPlginComment");
        const QString remarked = remarks->toPlainText();
        choosePlugIn(answer);
        QCOMPARE(m_host->fileTitles.size(), 2);
        QCOMPARE(m_host->messages.size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() || m_host->messages[0].text.contains(message));
        QCOMPARE(control<QListWidget>("List1")->count(), accepted ? 10 : 6);
        QCOMPARE(remarks->toPlainText().startsWith(QStringLiteral("バーコード付き整理券")), accepted);
        QVERIFY(accepted || remarks->toPlainText() == remarked);
        QVERIFY(remarks->isReadOnly()); // the plug-in's words, not the user's
        QCOMPARE(m_dlg->settings().ticketPreview.plugIn, accepted ? answer : before); // as the field shows it
    }
    void pluginAndDate()
    {
        auto *shown = control<QLabel>("Label10");
        QCOMPARE(shown->text(), QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
        auto *usePreview = control<QCheckBox>("chkUseSeiriPrev");
        QWidget *dateGroup = control<QWidget>("Frame7");
        usePreview->setChecked(true);
        QVERIFY(!dateGroup->isEnabled() && !dateGroup->isHidden()); // no plug-in yet
        choosePlugIn(kSamples + QStringLiteral("plain.4SP"));
        QVERIFY(dateGroup->isEnabled());
        choosePlugIn(kData + QStringLiteral("nodate.4SP"));
        QVERIFY(!dateGroup->isEnabled());
        choosePlugIn(kSamples + QStringLiteral("barcode.4SP"));
        usePreview->setChecked(false);
        QVERIFY(dateGroup->isHidden() && !dateGroup->isEnabled());
        usePreview->setChecked(true);
        QVERIFY(dateGroup->isEnabled());
        // "×" forgets the plug-in and what it said; the column chosen and the switch stay.
        control<QComboBox>("Combo1")->setCurrentIndex(7);
        QCOMPARE(control("Command11")->toolTip(), QStringLiteral("プラグインの指定を解除します"));
        QTest::mouseClick(control<QWidget>("Command11"), Qt::LeftButton);
        QVERIFY(control<QLineEdit>("txtSeiriPlgDir")->text().isEmpty());
        QCOMPARE(control<QListWidget>("List1")->count(), 0);
        QVERIFY(control<QPlainTextEdit>("txtPlginComment")->toPlainText().isEmpty());
        QVERIFY(!dateGroup->isEnabled());
        QCOMPARE(control<QComboBox>("Combo1")->currentIndex(), 7);
        QVERIFY(usePreview->isChecked());
        // Settings shown later without a plug-in leave nothing of an earlier one.
        choosePlugIn(kSamples + QStringLiteral("barcode.4SP"));
        m_dlg->setSettings(SettingsFile());
        QCOMPARE(control<QListWidget>("List1")->count(), 0);
        choosePlugIn(kSamples + QStringLiteral("plain.4SP")); // one that prints the date
        int result = 1;
        bool zeroFilled = false;
        m_host->dateDialog = [&](SystemTime &date) {
            zeroFilled = date.year == 0 && date.month == 0 && date.day == 0 && date.hour == 0;
            date = {987, 1, 0, 5};
            return result;
        };
        control<QPushButton>("Command7")->click();
        QVERIFY(zeroFilled);
        QCOMPARE(shown->text(), QStringLiteral("0987/01/05")); // as a settings file holds it
        result = 0;
        control<QPushButton>("Command7")->click();
        QCOMPARE(m_host->dateDialogCalls, 2);
        QCOMPARE(shown->text(), QStringLiteral("0987/01/05"));
    }
    // Closing silences the sample; its cutting speech short is tst_panelcontroller's.
    void voiceChoice()
    {
        test::FakeSpeech speech;
        speech.offeredEngines = {"fake", "other", "third"};
        speech.offeredLanguages = {QLocale(u"ja_JP"), QLocale(u"en_US")};
        speech.offeredVoices = {{"Kyoko", {}}, {"Otoya", {}}, {"Alex", {}}};
        speech.start({"fake", "ja_JP", "Kyoko", 0.5, -0.3, 0.7}); // the sliders start from these
        VoiceDialog voice;
        const auto list = [&](const char *name) { return voice.findChild<QComboBox *>(QLatin1StringView(name)); };
        auto *rate = voice.findChild<QSlider *>(QStringLiteral("sldRate"));
        auto *state = voice.findChild<QLabel *>(QStringLiteral("lblState"));
        for (const QString running : {"third/en_US/Alex", "gone/fr_FR/Thomas", "fake/ja_JP/Kyoko"}) {
            const QStringList names = running.split(u'/');
            const VoiceSettings inForce{names[0], names[1], names[2], 0.5, -0.25, 0.75};
            speech.start(inForce);
            emit speech.voicesChanged(); // filling the lists starts nothing
            QCOMPARE(speech.started.constLast(), inForce);
            const VoiceSettings got = voice.current();
            const QString expected = names[0] == u"gone" ? QStringLiteral("//") : running;
        QCOMPARE(QStringList({got.engine, got.language, got.voice}).join(u'/'), expected);
            inForce.save();
            QVERIFY(VoiceSettings::load() == inForce);
        }
        QCOMPARE(list("cboLanguage")->currentText(), QStringLiteral("日本語 (ja_JP)"));
        QCOMPARE(list("cboLanguage")->count() + list("cboVoice")->count(), 2 + 3); // filled anew each time
        // Another language has its own voices, another engine its own languages: defaults until told.
        list("cboLanguage")->setCurrentIndex(1);
        QCOMPARE(speech.started.constLast(), (VoiceSettings{"fake", "en_US", {}, 0.5, -0.3, 0.7}));
        list("cboEngine")->setCurrentIndex(1);
        QCOMPARE(speech.started.constLast(), (VoiceSettings{"other", {}, {}, 0.5, -0.3, 0.7}));
        QVERIFY(state->text().isEmpty());
        speech.setReady(false);
        QVERIFY(state->text().startsWith(QStringLiteral("音声合成を使えません")));
        // OK takes a slider still held down, as a slider let go would be.
        rate->setSliderDown(true);
        rate->setValue(10);
        auto *buttons = voice.findChild<QDialogButtonBox *>();
        buttons->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(speech.started.constLast().rate, 1.0);
        QCOMPARE(VoiceSettings::load().rate, 1.0);
        QCOMPARE(voice.result(), QDialog::Accepted);
        voice.show();
        QVERIFY(voice.findChild<QSlider *>(QStringLiteral("sldVolume"))->isVisible());
        voice.speakSample();
        buttons->button(QDialogButtonBox::Cancel)->click();
        QVERIFY(speech.log.last() == u"stop" && !voice.isVisible());
        QCOMPARE(voice.result(), QDialog::Rejected);
    }
private:
    template<class T = QAbstractButton>
    T *control(const QString &name) { return test::control<T>(m_dlg.get(), name); }
    void choosePlugIn(const QString &path)
    {
        control<QCheckBox>("chkUseSeiriPrev")->setChecked(true);
        m_host->fileAnswers.push_back(path);
        control<QPushButton>("Command1")->click();
    }

    std::unique_ptr<test::FakeHostLib> m_host;
    std::unique_ptr<OptionsDialog> m_dlg;
};

LUMINA_TEST_MAIN(tst_Options)
#include "tst_options.moc"
