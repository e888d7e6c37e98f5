#include "FakeClock.h"
#include "FakeHostLib.h"
#include "FakeSoundPlayer.h"
#include "FakeSpeech.h"
#include "TestMain.h"

#include "base/CodePage.h"
#include "options/frmOption.h"
#include "options/frmVoice.h"
#include "panel/ControlPanel.h"
#include "route/FareFile.h"
#include "route/FareTable.h"
#include "app/Lumina.h"
#include "shell/frmCtl.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>

using namespace lumina;
using lumina::test::FakeHostLib;
using lumina::test::FakeSoundPlayer;
using lumina::test::FakeSpeech;

// The tape group of the control panel, driven through its buttons.
class tst_TapePanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();

    void frameFollowsSpeechAndTape_data();
    void frameFollowsSpeechAndTape();
    void failedRouteKeepsTheTape();
    void stepFlagsStepTheBoard();
    void adjustDialogKeepsTheChoice();

private:
    void startProgram();
    void writeRoute(const QString &key, int stops);
    void writeTape(const QString &key, const QString &text);
    void setRoute(const QString &route);
    int shownStop() const { return routeState().CurStop + 1; }

    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    std::unique_ptr<FakeSpeech> m_speech;
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeClock m_clock;
    std::unique_ptr<Lumina> m_program;
    frmCtl *m_panel = nullptr;
    frmOption *m_options = nullptr;
    ControlPanel *m_cp = nullptr;
};

void tst_TapePanel::init()
{
    m_host = std::make_unique<FakeHostLib>();
    m_sound = std::make_unique<FakeSoundPlayer>();
    m_speech = std::make_unique<FakeSpeech>();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    routeState() = RouteState();
}

void tst_TapePanel::startProgram()
{
    m_program = std::make_unique<Lumina>();
    m_program->seams().loadIni = [] {};
    m_program->seams().saveIni = [] {};
    m_program->startUp();
    m_panel = m_program->panel();
    m_options = m_program->options();
    m_cp = m_program->controlPanel();
    m_options->Text2[0]->setText(m_dir->path());
    m_options->Text2[1]->setText(m_dir->path());
}

void tst_TapePanel::cleanup()
{
    m_program.reset();
    m_dir.reset();
    m_speech.reset();
    m_sound.reset();
    m_host.reset();
    routeState() = RouteState();
    QFile::remove(QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
                      .filePath(QStringLiteral("voice.ini")));
}

void tst_TapePanel::writeRoute(const QString &key, int stops)
{
    std::vector<FareRecord> records;
    for (int s = 1; s <= stops; ++s) {
        FareRecord r;
        r.StopName = QStringLiteral("停留所%1").arg(s);
        r.TicketNo = qint16(s);
        records.push_back(r);
    }
    QFile file(QDir(m_dir->path()).filePath(key + QStringLiteral(".hy3")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(FareFileWriter().write(&file, records));
}

void tst_TapePanel::writeTape(const QString &key, const QString &text)
{
    QFile file(QDir(m_dir->path()).filePath(key + QStringLiteral("tp.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(cp932::encode(text));
}

void tst_TapePanel::setRoute(const QString &route)
{
    m_panel->CommandButton1[10]->click();
    for (QChar c : route)
        m_panel->CommandButton1[size_t(c.digitValue())]->click();
    m_panel->CommandButton1[11]->click();
    m_panel->Command1[1]->click();
}

void tst_TapePanel::frameFollowsSpeechAndTape_data()
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

void tst_TapePanel::frameFollowsSpeechAndTape()
{
    QFETCH(QString, os);
    QFETCH(bool, engineReady);
    QFETCH(QString, tape);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);

    m_host->osName = os;
    m_speech->readyOnStart = false;
    startProgram();
    QCOMPARE(m_panel->grpM_Tape->title(), QStringLiteral("音合使用不可"));
    QVERIFY(!m_panel->grpM_Tape->isEnabled());

    writeRoute(QStringLiteral("12"), 5);
    if (!tape.isEmpty())
        writeTape(QStringLiteral("12"), tape);
    setRoute(QStringLiteral("012"));
    QVERIFY(!m_panel->grpM_Tape->isEnabled());
    // The engine comes up after start-up, in its own time.
    if (engineReady)
        m_speech->setReady(true);
    QCOMPARE(m_panel->grpM_Tape->title(), caption);
    QCOMPARE(m_panel->grpM_Tape->isEnabled(), enabled);
    QCOMPARE(m_speech->started.isEmpty(), os == QStringLiteral("Windows Vista"));

    // "表示消去" takes the tape away with the board, and gives it back.
    m_panel->Check1->click();
    QVERIFY(!m_panel->grpM_Tape->isEnabled());
    m_panel->Check1->click();
    QCOMPARE(m_panel->grpM_Tape->isEnabled(), enabled);
}

void tst_TapePanel::failedRouteKeepsTheTape()
{
    startProgram();
    writeRoute(QStringLiteral("12"), 5);
    writeTape(QStringLiteral("12"), QStringLiteral("一,0,0\n二,0,0\n三,0,0\n"));
    setRoute(QStringLiteral("12"));
    m_panel->cmdTapeNext->click();

    // Route 34 has announcements but no fare file; route 56 has a fare file
    // too short for the section.
    writeTape(QStringLiteral("34"), QStringLiteral("x,0,0\n"));
    writeRoute(QStringLiteral("56"), 1);
    writeTape(QStringLiteral("56"), QStringLiteral("y,0,0\n"));
    m_host->messageAnswers.clear();
    for (const QString &route : {QStringLiteral("34"), QStringLiteral("56")}) {
        setRoute(route);
        QCOMPARE(m_cp->tape().TapeCount(), 3);
        QCOMPARE(m_cp->tape().TapePosition(), 1);
        QVERIFY(m_panel->grpM_Tape->isEnabled());
    }
    QCOMPARE(m_host->messages.size(), 2);
    m_panel->cmdTapeNext->click();
    QCOMPARE(m_speech->spoken(), (QStringList{"一", "二"}));
}

void tst_TapePanel::stepFlagsStepTheBoard()
{
    startProgram();
    m_options->Option2[2]->setChecked(true); // "always": forward only
    m_options->txtSelectSound[3]->setText(QStringLiteral("pre.wav"));
    m_options->txtSelectSound[4]->setText(QStringLiteral("flag1.wav"));
    writeRoute(QStringLiteral("12"), 10);
    writeTape(QStringLiteral("12"), QStringLiteral("一,0,1\r\n二,1,0\r\n三,1,1"));
    setRoute(QStringLiteral("12"));
    QCOMPARE(shownStop(), 1);

    // Stop shown after each button, the last at either end of the tape.
    const struct {
        QPushButton *button;
        int stop;
    } presses[] = {
        {m_panel->cmdTapeNext, 1}, {m_panel->cmdTapeNext, 2}, {m_panel->cmdTapeNext, 3},
        {m_panel->cmdTapeNext, 4}, {m_panel->cmdTapeBack, 3}, {m_panel->cmdTapeBack, 3},
        {m_panel->cmdTapeBack, 3},
    };
    for (const auto &press : presses) {
        press.button->click();
        QCOMPARE(shownStop(), press.stop);
    }
    QCOMPARE(m_speech->spoken(), (QStringList{"一", "二", "三", "二", "一"}));
    // "always" is for going forward; back, entry 1's own flag chooses.
    QCOMPARE(m_sound->plays.last().path, QStringLiteral("flag1.wav"));
    QCOMPARE(m_sound->plays.last().slot, QStringLiteral("S2"));

    m_panel->cmdTapeStop->click();
    QCOMPARE(m_speech->log.last(), QStringLiteral("stop"));
}

void tst_TapePanel::adjustDialogKeepsTheChoice()
{
    startProgram();
    writeRoute(QStringLiteral("12"), 5);
    writeTape(QStringLiteral("12"), QStringLiteral("a,0,0\n"));
    setRoute(QStringLiteral("12"));
    const int startsBefore = int(m_speech->started.size());
    m_panel->cmdTapeSet->click();
    auto *dialog = m_panel->findChild<frmVoice *>();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("音声の調節"));
    QVERIFY(dialog->isVisible());

    dialog->sldRate->setValue(5);
    dialog->speakSample();
    QCOMPARE(m_speech->spoken().last(), frmVoice::sampleSentence());
    QCOMPARE(m_speech->started.last().rate, 0.5);
    dialog->accept();
    QCOMPARE(VoiceSettings::load().rate, 0.5);
    QTRY_VERIFY(!m_panel->findChild<frmVoice *>());

    // Cancel goes back to the choice in force when the dialog opened.
    m_panel->cmdTapeSet->click();
    dialog = m_panel->findChild<frmVoice *>();
    QVERIFY(dialog);
    dialog->sldPitch->setValue(-10);
    dialog->speakSample();
    QCOMPARE(m_speech->started.last().pitch, -1.0);
    dialog->reject();
    QCOMPARE(m_speech->started.last().pitch, 0.0);
    QCOMPARE(m_speech->started.last().rate, 0.5);
    QCOMPARE(VoiceSettings::load().pitch, 0.0);
    QVERIFY(m_speech->started.size() > startsBefore);

    // The next start-up uses the saved choice.
    m_program.reset();
    startProgram();
    QCOMPARE(m_speech->started.last().rate, 0.5);
}

LUMINA_TEST_MAIN(tst_TapePanel)
#include "tst_tapepanel.moc"
