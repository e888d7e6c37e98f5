// A synchronous sound holds the caller, not the program: timers and the
// stop-name strip go on, input is handled afterwards, and no device means no wait.
#include "TestMain.h"
#include "ToneWave.h"

#include "controls/ChimeiCtl_P.h"
#include "sound/QtSoundDecoder.h"
#include "sound/QtSoundOutput.h"
#include "sound/SoundSlots.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <qpa/qwindowsysteminterface.h>

using namespace lumina;

namespace {

// A device that plays in real time: each sound ends after its length.
class ClockOutput final : public SoundOutput
{
public:
    ClockOutput()
    {
        for (int channel = 0; channel < 4; ++channel) {
            auto &timer = m_timers[size_t(channel)];
            timer.setSingleShot(true);
            timer.setTimerType(Qt::PreciseTimer);
            timer.callOnTimeout(this, [this, channel] { emit finished(channel); });
        }
    }
    bool start(int channel, PcmClipPtr clip) override
    {
        m_timers[size_t(channel)].start(int(clip->durationMs()));
        return true;
    }
    void close(int channel) override { m_timers[size_t(channel)].stop(); }
    bool isPlaying(int channel) const override { return m_timers[size_t(channel)].isActive(); }

private:
    std::array<QTimer, 4> m_timers;
};

} // namespace

class tst_SoundWait : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void synchronousPlayKeepsTheProgramAlive();
    void noDeviceNoWait();

private:
    QTemporaryDir m_dir;
    QString m_wave;
};

void tst_SoundWait::initTestCase()
{
    // No sound server to be found, whatever the machine has.
    qputenv("PULSE_SERVER", "unix:/nonexistent/lumina-no-sound");
    m_wave = m_dir.filePath(QStringLiteral("300ms.wav"));
    QVERIFY(test::writeToneWave(m_wave, 880, 300));
}

void tst_SoundWait::synchronousPlayKeepsTheProgramAlive()
{
    QtSoundDecoder decoder;
    ClockOutput output;
    SlotSoundPlayer player(decoder, output);

    ChimeiCtl_P strip;
    strip.setScrollStartWait(0);
    strip.setSpeed(400);
    strip.show();
    strip.SetChimei(QStringLiteral("次は市役所前、市民病院入口です"));
    QPushButton button(QStringLiteral("データ送り"));
    button.resize(120, 40);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    QElapsedTimer clock;
    qint64 clickedAt = -1;
    connect(&button, &QPushButton::clicked, this, [&] { clickedAt = clock.elapsed(); });
    // A click while the sound plays, queued as the window system would.
    QTimer::singleShot(60, this, [&] {
        QWindow *window = button.windowHandle();
        const QPointF at(button.rect().center());
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                window, at, window->mapToGlobal(at),
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton,
                type);
    });
    const double before = strip.scrollPosition();

    clock.start();
    player.PlaySound(m_wave, QStringLiteral("S2"), true, 0);
    const qint64 returnedAt = clock.elapsed();

    QVERIFY2(returnedAt >= 300 && returnedAt < 600, qPrintable(QString::number(returnedAt)));
    QVERIFY(strip.scrollPosition() != before);
    QTRY_VERIFY(clickedAt >= 0);
    QVERIFY2(clickedAt >= returnedAt, qPrintable(QStringLiteral("%1 < %2").arg(clickedAt).arg(returnedAt)));
}

void tst_SoundWait::noDeviceNoWait()
{
    QtSoundDecoder decoder;
    QtSoundOutput output;
    SlotSoundPlayer player(decoder, output);
    QElapsedTimer clock;
    clock.start();
    player.PlaySound(m_wave, QStringLiteral("S1"), true, 0);
    QVERIFY2(clock.elapsed() < 300, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(!output.isPlaying(0));
    player.StopAllSounds();
}

LUMINA_TEST_MAIN(tst_SoundWait)
#include "tst_soundwait.moc"
