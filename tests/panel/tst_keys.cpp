#include "FakeClock.h"
#include "FakeHostLib.h"
#include "FakeSoundPlayer.h"
#include "FakeSpeech.h"
#include "TestMain.h"

#include "app/Lumina.h"
#include "base/CodePage.h"
#include "controls/M_DegitEmNB.h"
#include "options/frmOption.h"
#include "route/FareFile.h"
#include "shell/Form1.h"
#include "shell/frmCtl.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <memory>

using namespace lumina;
using namespace lumina::test;
using Keys = QList<QKeyCombination>;

// The keyboard presses the panel's buttons, from the board or the panel.
class tst_Keys : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { m_program.reset(); }
    void keysDoWhatClicksDo_data();
    void keysDoWhatClicksDo();

private:
    // A fresh program; route 12 (5 stops, a tape whose first two entries step) on disk.
    void start();
    QStringList trace() const;

    QTemporaryDir m_dir;
    std::unique_ptr<FakeHostLib> m_host;
    std::unique_ptr<FakeSoundPlayer> m_sound;
    std::unique_ptr<FakeSpeech> m_speech;
    std::unique_ptr<FakeClock> m_clock;
    std::unique_ptr<Lumina> m_program;
};

void tst_Keys::initTestCase()
{
    std::vector<FareRecord> stops(5);
    for (size_t s = 0; s < stops.size(); ++s)
        stops[s].Values[0] = qint16(100 + 10 * s);
    QFile fares(m_dir.filePath(QStringLiteral("12.hy3")));
    QVERIFY(fares.open(QIODevice::WriteOnly) && FareFileWriter().write(&fares, stops));
    QFile tape(m_dir.filePath(QStringLiteral("12tp.csv")));
    QVERIFY(tape.open(QIODevice::WriteOnly));
    tape.write(cp932::encode(QStringLiteral("一,1,0\r\n二,1,0\r\n三,0,0\r\n")));
}

void tst_Keys::start()
{
    // The old doubles go first: each uninstalls itself.
    m_program.reset();
    m_host.reset(), m_sound.reset(), m_speech.reset(), m_clock.reset();
    m_host = std::make_unique<FakeHostLib>();
    m_sound = std::make_unique<FakeSoundPlayer>();
    m_speech = std::make_unique<FakeSpeech>();
    m_clock = std::make_unique<FakeClock>();
    routeState() = RouteState();
    m_program = std::make_unique<Lumina>();
    m_program->seams().loadIni = [] {};
    m_program->seams().saveIni = [] {};
    m_program->startUp();
    frmOption *options = m_program->options();
    options->Text2[0]->setText(m_dir.path());
    options->Text2[1]->setText(m_dir.path());
    for (int field : {0, 1, 7})
        options->txtSelectSound[size_t(field)]->setText(QStringLiteral("sound%1.wav").arg(field));
}

// Sounds, speech, waits, messages, the keypad displays, the stop and the open dialogs.
QStringList tst_Keys::trace() const
{
    QStringList log = m_speech->log;
    for (const auto &play : m_sound->plays)
        log << QStringLiteral("play %1 %2 %3").arg(play.path, play.slot).arg(play.synchronous);
    for (int pause : m_clock->pauses)
        log << QStringLiteral("pause %1").arg(pause);
    for (const auto &message : m_host->messages)
        log << message.text;
    const frmCtl *panel = m_program->panel();
    return log << panel->Label2[0]->text() + u'-' + panel->Label2[2]->text()
               << QString::number(routeState().CurStop)
               << m_program->board()->Degit[1]->Value().toString()
               << QString::number(panel->findChildren<QDialog *>().size());
}

void tst_Keys::keysDoWhatClicksDo_data()
{
    // Keys, and the buttons a mouse clicks for the same; Qt::Key_unknown shows
    // the digit lists. Keys held with Ctrl or Shift and unbound keys do nothing.
    QTest::addColumn<bool>("onBoard");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<QStringList>("buttons");
    const auto pad = Qt::KeypadModifier;
    QTest::newRow("route 12, section 2, a sixth digit refused")
        << true
        << Keys{Qt::Key_R, Qt::Key_1, Qt::Key_2, Qt::Key_0, Qt::Key_0, pad | Qt::Key_0, Qt::Key_9,
                Qt::ControlModifier | Qt::Key_1, Qt::Key_S, Qt::Key_2, pad | Qt::Key_Enter,
                Qt::ShiftModifier | Qt::Key_Right}
        << QStringList{"10", "1", "2", "0", "0", "0", "9", "11", "2", "reset"};
    QTest::newRow("steps") << false
                           << Keys{Qt::Key_R, Qt::Key_1, Qt::Key_2, Qt::Key_Return, Qt::Key_Right,
                                   Qt::Key_Right, Qt::Key_A, Qt::Key_Left}
                           << QStringList{"10", "1", "2", "reset", "forward", "forward", "back"};
    QTest::newRow("tape")
        << true
        << Keys{Qt::Key_R, Qt::Key_1, Qt::Key_2, Qt::Key_Return, Qt::Key_PageDown, Qt::Key_PageDown,
                Qt::Key_Escape, Qt::Key_PageUp, Qt::Key_F2}
        << QStringList{"10", "1", "2", "reset", "next", "next", "stop", "tapeback", "adjust"};
    // The keypad hidden behind the lists takes no digits; Enter sets the lists' route.
    QTest::newRow("lists") << false << Keys{Qt::Key_unknown, Qt::Key_1, Qt::Key_Return}
                           << QStringList{"lists", "lists reset"};
}

void tst_Keys::keysDoWhatClicksDo()
{
    QFETCH(bool, onBoard);
    QFETCH(Keys, keys);
    QFETCH(QStringList, buttons);
    start();
    frmCtl *panel = m_program->panel();
    // On the panel the keys go to a control with arrow keys of its own.
    QWidget *target = onBoard ? static_cast<QWidget *>(m_program->board()) : panel->HScroll1[0];
    for (const QKeyCombination key : keys) {
        if (key.key() == Qt::Key_unknown)
            panel->Frame1_DblClick(1);
        else
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
    const QStringList byKeys = trace();

    start();
    panel = m_program->panel();
    for (const QString &b : buttons) {
        if (b == u"lists") {
            panel->Frame1_DblClick(1);
            continue;
        }
        QPushButton *button = b == u"reset" ? panel->Command1[1]
            : b == u"lists reset"           ? panel->Command1[0]
            : b == u"forward"               ? panel->Command2[1]
            : b == u"back"                  ? panel->Command2[0]
            : b == u"tapeback"              ? panel->cmdTapeBack
            : b == u"next"                  ? panel->cmdTapeNext
            : b == u"stop"                  ? panel->cmdTapeStop
            : b == u"adjust"                ? panel->cmdTapeSet
                                            : panel->CommandButton1[size_t(b.toInt())];
        QVERIFY2(button->toolTip().startsWith(QStringLiteral("キー：")), qPrintable(b));
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    QCOMPARE(byKeys, trace());
}

LUMINA_TEST_MAIN(tst_Keys)
#include "tst_keys.moc"
