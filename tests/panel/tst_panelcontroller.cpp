#include "ProgramFixture.h"

#include "base/Colors.h"
#include "controls/DigitRow.h"
#include "controls/StopNameStrip.h"
#include "options/VoiceDialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
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

// Whether the bar took a wheel turned up or down.
static bool turnWheel(QScrollBar *bar, bool up)
{
    const QPointF at(bar->width() / 2, bar->height() / 2);
    QWheelEvent wheel(at, bar->mapToGlobal(at), {}, QPoint(0, up ? 120 : -120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    return wheel.isAccepted();
}

// The control panel driven through its own buttons on a real board; its looks are tst_pictures' references.
class tst_PanelController : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        p = std::make_unique<test::Program>();
        QVERIFY(p->writeRoute(QStringLiteral("12"), 10));
        p->options->sounds.routeSetSound = QStringLiteral("route.wav");
        p->options->sounds.resetSound = QStringLiteral("key.wav");
    }
    void cleanup()
    {
        p.reset();
        QFile::remove(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/voice.ini");
    }
    void routeSetting_data()
    {
        QTest::addColumn<bool>("keypad");
        QTest::newRow("keypad") << true;
        QTest::newRow("digit lists") << false;
    }
    void routeSetting()
    {
        QFETCH(bool, keypad);
        QVERIFY(!p->find("Command2_1")->isEnabled());
        // The lamp test holds input back, not refused.
        QString stripText;
        p->clock.whilePaused = [&](int) {
            stripText = p->board->stopName();
            QVERIFY(p->panel->isEnabled());
        };
        const auto shown = [this] { return p->panel->keypadRoute() + u'-' + p->panel->keypadSection(); };
        if (keypad) {
            // A sixth route digit and a fourth section digit are refused, with the key sound all the same.
            p->press("9R");
            QCOMPARE(shown(), QStringLiteral("-9"));
            p->press("000123S0039");
            QCOMPARE(shown(), QStringLiteral("00012-003"));
            QCOMPARE(p->sound.plays.size(), 13);
            QCOMPARE(p->sound.plays.last().path + p->sound.plays.last().slot, QStringLiteral("key.wavS1"));
            QVERIFY(!p->sound.plays.last().synchronous);
            p->press("=");
        } else {
            // A route digit sounds the key, a section digit the route sound; a key that moves nothing, nothing.
            p->find<QListWidget>("List2_3")->setCurrentRow(1);
            p->sound.plays.clear();
            p->panel->sendEntryPanelBack(1);
            auto *route = p->find<QListWidget>("List2_4");
            QTest::mouseClick(route->viewport(), Qt::LeftButton, {}, route->visualItemRect(route->item(2)).center());
            for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down})
                QTest::keyClick(p->find<QListWidget>("List3_2"), key);
            QCOMPARE(p->played(), (QStringList{"key.wav", "route.wav", "route.wav", "route.wav"}));
            p->find("Command1_0")->click();
        }
        QVERIFY(p->host.messages.isEmpty());
        QCOMPARE(p->clock.pauses, QList<int>{3000});
        QCOMPARE(stripText, QStringLiteral("系統選別中"));
        const RouteState &route = routeState();
        QCOMPARE(route.routeNumber + u' ' + QString::number(route.currentStop) + u' ' + route.ticketDate, QStringLiteral("00012 2 12-07-2026"));
        QCOMPARE(p->cell(2), qint16(0));
        QCOMPARE(p->cell(3), fareAt(3, 3));
        QCOMPARE(p->board->stopName(), QStringLiteral("停留所3"));
        QVERIFY(p->find("Command2_0")->isEnabled() && p->find("Check1")->isEnabled());
        QCOMPARE(p->sound.plays.last().path, QStringLiteral("route.wav"));
    }
    void steppingWithBoardOptions()
    {
        SettingsFile &o = *p->options;
        o.sounds.stepAlways = kNotChosen;
        o.sounds.stepByColumn = kChosen;
        o.sounds.stepColumn = 60; // column 61 holds s % 4 at stop s
        o.sounds.stepSoundByValue[1] = QStringLiteral("two.wav");
        o.sounds.stepSoundByValue[2] = QStringLiteral("three.wav");
        o.sounds.stepSynchronous = kChosen;
        o.sounds.stepAsynchronous = kNotChosen;
        o.infoDigits.showTicketNumber = 1; // ticket number into cell 1
        o.infoDigits.ticketNumberCell = 0;
        o.infoDigits.showStopOrder = 1; // the stop's place, counted from 0, into cell 60
        o.infoDigits.stopOrderCell = 59;
        o.infoDigits.countFromZero = 1;
        o.ticketPreview.usePreview = 1;
        o.ticketPreview.dateRenewed = kNotChosen;
        o.ticketPreview.fixedDate = QStringLiteral("2009/01/30");
        p->find("Check2")->setChecked(true);
        p->keyRoute(QStringLiteral("12"), QStringLiteral("2"));
        p->sound.plays.clear();
        for (int direction : {0, 0, 1, 1, 1, 1, 0}) // stops 1, 1, 2, 3, 4, 5, 4
            p->find("Command2_%1", direction)->click();
        for (const auto &play : p->sound.plays)
            QVERIFY(play.synchronous && play.slot == u"S2");
        QCOMPARE(p->played(), (QStringList{"", "two.wav", "three.wav", ""}));
        // No fare stays no fare; information numbers are never doubled.
        QCOMPARE((QList<qint16>{p->cell(2), p->cell(5), p->cell(1), p->cell(60)}), (QList<qint16>{qint16(2 * fareAt(4, 2)), -1, 4, 3}));
        QCOMPARE(routeState().ticketDate, QStringLiteral("2009/01/30"));
        QCOMPARE(p->host.drawCalls.value(6).date, QStringLiteral("2009/01/30"));
        p->find("Check2")->setChecked(false);
        for (int i = 0; i < 7; ++i)
            p->find("Command2_1")->click();
        QCOMPARE(p->cell(2), fareAt(10, 2));
        const qsizetype sounds = p->sound.plays.size();
        p->board->setStopName(QStringLiteral("x"));
        p->find("Command2_1")->click();
        QCOMPARE(p->sound.plays.size(), sounds);
        QCOMPARE(p->board->stopName(), QStringLiteral("x"));
    }
    void slidersMoveTheWayPressed_data() { test::fixtureTable("panel/sliders.txt", 4); }
    void slidersMoveTheWayPressed()
    {
        QFETCH(QStringList, row);
        const bool left = row[2] == u"yes";
        const auto strip = [this] {
            const auto *strip = test::control<StopNameStrip>(p->board, "ChimeiCtl");
            return QPoint(strip->speed(), strip->scrollStartWait());
        };
        const auto bars = [this] {
            return QPoint(p->find<QScrollBar>("HScroll1_0")->value(), p->find<QScrollBar>("HScroll1_1")->value());
        };
        QCOMPARE(strip(), bars()); // from the start, whatever the restore left unmoved
        auto *s = p->find<QScrollBar>("HScroll1_" + row[0]);
        const int start = left ? s->minimum() : (s->minimum() + s->maximum()) / 2;
        s->setValue(start);
        if (row[1] == u"wheel")
            QVERIFY(turnWheel(s, left));
        else if (row[1] == u"arrow")
            QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(left ? 2 : s->width() - 3, s->height() / 2));
        else // an arrow key, or Home and End
            QTest::keyClick(s, row[1] == u"key" ? (left ? Qt::Key_Left : Qt::Key_Right) : (left ? Qt::Key_End : Qt::Key_Home));
        QVERIFY2(left ? s->value() > start : s->value() < start, qPrintable(QString::number(s->value())));
        QCOMPARE(p->find<QLabel>("Label1_" + row[0])->text(), QString::number(s->value()));
        QCOMPARE(strip(), bars());
        // At its end a bar leaves the wheel to the panel's scroll area.
        s->setValue(left ? s->maximum() : s->minimum());
        QVERIFY(row[1] != u"wheel" || !turnWheel(s, left));
    }
    void backlight_data() { test::fixtureTable("panel/backlight.txt", 8); }
    void backlight()
    {
        QFETCH(QStringList, row);
        const size_t s = row[0].toUInt();
        const QString &file = row[3], &shown = row[4];
        const int error = row[5].toInt();
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
        PanelSettings &panel = p->options->panel;
        const bool individual = row[1] == u"yes", user = row[2] == u"yes";
        panel.panelsIndividual = individual ? kChosen : kNotChosen;
        panel.panelsAutomatic = individual ? kNotChosen : kChosen;
        qint16 *userChosen[3] = {&panel.offUserPanel, &panel.on1UserPanel, &panel.on2UserPanel};
        qint16 *builtInChosen[3] = {&panel.offBuiltIn, &panel.on1BuiltIn, &panel.on2BuiltIn};
        *userChosen[s] = user ? kChosen : kNotChosen;
        *builtInChosen[s] = user ? kNotChosen : kChosen;
        panel.userPanelImages[s] = path;
        panel.ticketNumberColours[s] = rgb(9, 8, 7);
        const QPixmap previous(5, 5);
        const bool byOptions = row[6] == u"options OK"; // shows the state chosen on the panel again
        if (byOptions) {
            p->find("Option4_" + row[0])->click();
            p->options->panel.autoTicketNumbers = 0; // the ticket numbers switched off
        }
        p->board->setPicture(previous);
        p->cp->runOptionsDialog = [](OptionsDialog &dialog) { dialog.accept(); };
        p->find(byOptions ? QStringLiteral("Command4") : "Option4_" + row[0])->click();
        QCOMPARE(test::control<QLabel>(p->board, "lblSeiriNum_60")->isHidden(), byOptions);
        if (shown == u"user")
            QCOMPARE(p->board->picture().size(), QSize(20, 10));
        else
            QCOMPARE(p->board->picture().cacheKey(), (shown == u"built-in" ? p->board->builtInPanel(s) : previous).cacheKey());
        QCOMPARE(p->host.messages.size(), error ? 1 : 0);
        QVERIFY(!error || p->host.messages[0].text.contains(QStringLiteral("エラーコード：%1　").arg(error)));
        for (const char *label : {"lblSeiriNum_1", "lblSeiriNum_60"})
            QCOMPARE(foreColor(test::control<QLabel>(p->board, label)), rgb(9, 8, 7));
    }
    // OK in the options shows the stop's name again in the new look, at the first stop as at any.
    void optionsShowTheStopAgain()
    {
        p->keyRoute(QStringLiteral("12"), QStringLiteral("1"));
        p->board->setStopName(QString());
        p->cp->runOptionsDialog = [](OptionsDialog &dialog) { dialog.accept(); };
        p->find("Command4")->click();
        QCOMPARE(p->board->stopName(), QStringLiteral("停留所1"));
    }
    void doubleClickOnALabelKeepsThePanel()
    {
        for (const auto &[name, frame] : {std::pair{"Label5", 0}, {"Label6", 0}, {"Label7", 0}, {"Label2_0", 1}}) {
            auto *label = p->find<QLabel>(name);
            auto *entry = p->find<QWidget>("Frame1_%1", frame);
            QCOMPARE(label->parentWidget(), entry);
            p->panel->sendEntryPanelBack(1 - frame);
            QTest::mouseDClick(label, Qt::LeftButton, {}, label->rect().center());
            QCOMPARE(p->panel->keypadSeen(), frame == 1);
            QTest::mouseDClick(entry, Qt::LeftButton, {}, QPoint(3, 3));
            QCOMPARE(p->panel->keypadSeen(), frame == 0);
        }
    }
    void ticketDrawing_data() { test::fixtureTable("panel/ticket-drawing.txt", 5); }
    void ticketDrawing()
    {
        QFETCH(QStringList, row);
        const QString &plugin = row[0], &date = row[3];
        const int company = row[2].toInt();
        QString path = QStringLiteral(LUMINA_TEST_DATA "/../../samples/plugins/") + plugin;
        p->cp->runOptionsDialog = [&](OptionsDialog &dialog) {
            QVERIFY(!p->board->isEnabled() && !p->panel->isEnabled());
            test::control<QCheckBox>(&dialog, "chkUseSeiriPrev")->setChecked(true);
            p->host.fileAnswers.push_back(path);
            test::control(&dialog, "Command1")->click();
            test::control<QCheckBox>(&dialog, "chkUseSeiriPrev")->setChecked(!plugin.isEmpty());
            test::control<QRadioButton>(&dialog, "Option4_" + row[1])->setChecked(true);
            test::control<QLabel>(&dialog, "Label10")->setText(QStringLiteral("2027/01/02"));
            dialog.accept();
        };
        p->find("Command4")->click();
        QVERIFY(p->board->isEnabled() && p->panel->isEnabled());
        bool stilled = false; // the board takes no keys while a box is up
        p->host.whileModal = [&] { stilled = !p->board->isEnabled(); };
        p->find("Command8")->click();
        QVERIFY(stilled && p->board->isEnabled());
        p->find("Check4")->click(); // ">>": the preview in sight, painted when the route is set
        p->keyRoute(QStringLiteral("12"), QStringLiteral("7"));
        QCOMPARE(p->panel->companyIndex(), -1); // none chosen until the user picks one, the empty first entry
        p->find<QComboBox>("Combo1")->setCurrentIndex(company + 1);
        // Longer than the barcode plug-in prints: the board shows it cut as the ticket does.
        const QString name = QStringLiteral("星見台ニュータウン入口北側");
        routeState().fares.entry(8).stopName = name;
        p->host.drawCalls.clear();
        p->find("Command2_1")->click();
        QCOMPARE(p->board->stopName(), plugin == u"barcode.4SP" ? name.left(12) : name);
        QCOMPARE(p->host.drawCalls.size(), plugin.isEmpty() ? 0 : 1);
        if (plugin.isEmpty()) {
            QVERIFY(p->panel->ticketImage().allGray());
            return;
        }
        const test::FakeHostLib::DrawCall &call = p->host.drawCalls[0];
        QCOMPARE((QStringList{call.path, call.stopName, call.date, call.time}), (QStringList{path, name, date, "08:05:00"}));
        QCOMPARE((QList<int>{call.routeNumber, call.ticketNumber, call.position, call.company}), (QList<int>{12, 8, 8, company}));
        const QImage &ticket = p->panel->ticketImage(); // on screen at once, not at the next repaint
        const QRect shown(p->find<QWidget>("picSeirikenPrev")->mapTo(p->panel, QPoint()), ticket.size());
        QCOMPARE(p->panel->screen()->grabWindow(p->panel->winId(), shown.x(), shown.y(), shown.width(), shown.height()).toImage().convertToFormat(ticket.format()), ticket);
        QTest::mousePress(p->find<QWidget>("picSeirikenPrev"), Qt::RightButton, {}, QPoint(10, 10));
        QVERIFY(p->find<QMenu>("MnuHide")->isVisible());
        p->find<QMenu>("MnuHide")->hide();
        QGuiApplication::clipboard()->setText(QStringLiteral("older"));
        p->find<QAction>("MnuHideCopy")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), p->panel->ticketImage());
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        path.replace(plugin, QStringLiteral("plain.4SP")); // its companies go with it: plain has none
        p->find("Command4")->click();
        QCOMPARE(p->find<QComboBox>("Combo1")->count(), 0);
    }
    void frameFollowsSpeechAndTape_data() { test::fixtureTable("panel/tape-frame.txt", 7); }
    void frameFollowsSpeechAndTape()
    {
        QFETCH(QStringList, row);
        p.reset(); // one set of fakes at a time
        p = std::make_unique<test::Program>(false);
        p->speech.readyOnStart = false;
        p->start();
        const auto tape = [this] { return p->find<QGroupBox>("grpM_Tape"); };
        QVERIFY(tape()->title() == QStringLiteral("音合使用不可") && !tape()->isEnabled());
        QVERIFY(p->writeRoute(QStringLiteral("12"), 5));
        if (row[2] != u"none")
            QVERIFY(p->writeTape(QStringLiteral("12"), row[2] == u"good" ? "a,0,0\r\n" : "a,0,0,0\r\n"));
        p->keyRoute(QStringLiteral("012"), QString());
        QVERIFY(!p->find("cmdTapeSet")->isEnabled());
        if (row[1] == u"yes")
            p->speech.setReady(true);
        QCOMPARE(tape()->title(), row[3]);
        for (const char *name : {"cmdTapeNext", "cmdTapeBack", "cmdTapeStop"})
            QCOMPARE(p->find(name)->isEnabled(), row[4] == u"yes");
        QCOMPARE(p->find("cmdTapeSet")->isEnabled(), row[5] == u"yes");
        QVERIFY(!p->speech.started.isEmpty());
    }
    // A failed route and a display clear leave the running route and its announcements in force.
    void failedRouteAndClearKeepTheRoute()
    {
        QVERIFY(p->writeTape(QStringLiteral("12"), QStringLiteral("一,1,0\n二,0,0\n三,0,0\n")));
        p->keyRoute(QStringLiteral("12"), QStringLiteral("2"));
        p->find("cmdTapeNext")->click(); // entry 1 steps the board on to stop 3
        QVERIFY(p->writeTape(QStringLiteral("34"), QStringLiteral("x,0,0\n")));
        p->keyRoute(QStringLiteral("34"), QString()); // announcements but no fare file
        QCOMPARE(QPoint(p->cp->tape().count(), p->cp->tape().position()), QPoint(3, 1));
        QVERIFY(p->find<QGroupBox>("grpM_Tape")->isEnabled());
        QCOMPARE(p->host.messages.size(), 1);
        QCOMPARE(routeState().routeNumber + u'-' + QString::number(routeState().currentStop), QStringLiteral("12-2"));
        QCOMPARE(p->cell(2), fareAt(3, 2));
        for (bool clear : {true, false}) {
            p->find("Check1")->click();
            QCOMPARE(test::control<QTimer>(p->board, "Timer1")->isActive(), !clear);
            for (const char *name : {"Frame1_0", "Frame1_1", "Command2_0", "Command2_1", "Frame6", "grpM_Tape"})
                QCOMPARE(p->find<QWidget>(name)->isEnabled(), !clear);
            QVERIFY(p->find("Command4")->isEnabled() && p->find("Option4_1")->isEnabled());
            if (!clear)
                continue;
            p->clock.at = p->clock.at.addSecs(3600); // the clock comes back on the hour it is, not the one it left
            // Nothing redrawn while cleared lights the board: the options' OK, digit dialogs with a zero shown as 0.
            p->cp->runOptionsDialog = [](OptionsDialog &dialog) { dialog.accept(); };
            p->find("Command4")->click();
            for (int answer : {1, 0}) {
                p->host.digitAnswer = [answer](qint16 &zeroMode, qint16 &, qint16 &) {
                    zeroMode = 3;
                    return answer;
                };
                QTest::mouseDClick(test::control<FareCell>(p->board, "Degit_%1", 7), Qt::LeftButton);
            }
            QString lit = p->board->stopName();
            for (int i = 1; i <= kCellCount; ++i)
                lit += test::control<FareCell>(p->board, "Degit_%1", i)->litText().trimmed();
            QCOMPARE(lit + test::control<DigitRow>(p->board, "TimeDegit_%1", 0)->litText(), QString());
        }
        QCOMPARE(test::control<DigitRow>(p->board, "TimeDegit_%1", 0)->litText() + test::control<DigitRow>(p->board, "TimeDegit_%1", 1)->litText(), "905");
        QCOMPARE(p->cell(2), fareAt(3, 2));
        p->find("cmdTapeNext")->click();
        QCOMPARE(p->speech.spoken(), (QStringList{"一", "二"}));
    }
    void stepFlagsStepTheBoard()
    {
        p->options->sounds.preAlways = kChosen; // "always": forward only
        p->options->sounds.preByFlag = kNotChosen;
        p->options->sounds.preSound = QStringLiteral("pre.wav");
        p->options->sounds.preSoundByFlag[0] = QStringLiteral("flag1.wav");
        p->options->sounds.preSynchronous = kNotChosen;
        QVERIFY(p->writeTape(QStringLiteral("12"), QStringLiteral("一,0,1\r\n二,1,0\r\n三,1,1")));
        p->keyRoute(QStringLiteral("12"), QString());
        p->sound.plays.clear();
        const int stops[] = {1, 2, 3, 4, 3, 3, 3};
        for (int i = 0; i < 7; ++i) {
            p->find(i < 4 ? "cmdTapeNext" : "cmdTapeBack")->click();
            QCOMPARE(routeState().currentStop + 1, stops[i]);
        }
        QCOMPARE(p->speech.spoken(), (QStringList{"一", "二", "三", "二", "一"}));
        // Back, entry 1's own flag chooses; a step plays the (unset) step sound.
        QCOMPARE(p->played(), (QStringList{"pre.wav", "pre.wav", "", "pre.wav", "", "", "", "flag1.wav"}));
        QCOMPARE(p->sound.plays.last().slot + QString::number(p->sound.plays.last().synchronous), QStringLiteral("S20"));
        QVERIFY(!p->sound.plays.first().synchronous);
        p->find("cmdTapeStop")->click();
        QCOMPARE(p->speech.log.last(), QStringLiteral("stop"));
        QCOMPARE(p->sound.stopped.last() + QString::number(p->sound.stopAllCalls), voiceSlot() + u'0');
        p->options->sounds.preSynchronous = kChosen;
        p->sound.plays.clear();
        p->find("cmdTapeNext")->click();
        QCOMPARE(p->played().first() + QString::number(p->sound.plays.first().synchronous), QStringLiteral("pre.wav1"));
    }
    void adjustDialogKeepsTheChoice()
    {
        VoiceSettings saved;
        saved.engine = QStringLiteral("fake");
        saved.save();
        p->program.reset();
        p->start();
        QVERIFY(p->writeTape(QStringLiteral("12"), QStringLiteral("a,0,0\n")));
        p->keyRoute(QStringLiteral("12"), QString());
        p->find("cmdTapeSet")->click();
        auto *dialog = p->panel->findChild<VoiceDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->findChild<QComboBox *>(QStringLiteral("cboEngine"))->currentText(), QStringLiteral("fake"));
        dialog->findChild<QSlider *>(QStringLiteral("sldRate"))->setValue(5);
        // The sample cuts short what is being said.
        const qsizetype said = p->speech.log.size();
        dialog->findChild<QPushButton *>(QStringLiteral("cmdSample"))->click();
        QCOMPARE(p->speech.log.mid(said), (QStringList{"stop", "speak:" + VoiceDialog::sampleSentence()}));
        QCOMPARE(p->speech.started.last().rate, 0.5);
        dialog->accept();
        QTRY_VERIFY(!p->panel->findChild<VoiceDialog *>());
        // Cancel goes back to the choice in force when the dialog opened.
        p->find("cmdTapeSet")->click();
        QVERIFY(dialog = p->panel->findChild<VoiceDialog *>());
        // A slider takes effect when it is let go.
        auto *pitch = dialog->findChild<QSlider *>(QStringLiteral("sldPitch"));
        pitch->setSliderDown(true);
        pitch->setValue(-10);
        pitch->setSliderDown(false);
        QCOMPARE(p->speech.started.last().pitch, -1.0);
        dialog->reject();
        QCOMPARE(QPointF(p->speech.started.last().rate, p->speech.started.last().pitch), QPointF(0.5, 0.0));
        p->program.reset(); // the next start-up uses the choice kept
        p->start();
        QCOMPARE(QPointF(p->speech.started.last().rate, p->speech.started.last().pitch), QPointF(0.5, 0.0));
    }
private:
    std::unique_ptr<test::Program> p;
};

LUMINA_TEST_MAIN(tst_PanelController)
#include "tst_panelcontroller.moc"
