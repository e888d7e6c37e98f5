#include "video/TripRun.h"

#include "panel/PanelController.h"
#include "settings/IniError.h"
#include "route/RouteSetting.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"
#include "sound/SoundBackend.h"
#include "sound/SoundSlots.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace lumina {

// The outside effects of a run: time passes only when the run says so, a
// sound or a word is written down instead of heard, a message box is kept
// instead of shown.
class TripRun::Seams final : public Clock, public SoundPlayer, public Speech, public HostLib
{
public:
    Seams(TripRun &run, SoundLength length)
        : m_run(run)
        , m_length(std::move(length))
    {
        setClock(this);
        setSoundPlayer(this);
        setSpeech(this);
        setHost(this);
    }
    ~Seams() override
    {
        setClock(nullptr);
        setSoundPlayer(nullptr);
        setSpeech(nullptr);
        setHost(nullptr);
    }

    QStringList messages;
    const SoundEvent *sound = nullptr;

    // Clock.
    QDateTime now() const override { return m_run.m_setup.start.addMSecs(m_run.nowMs()); }
    void pause(int milliseconds) override { m_run.wait(milliseconds); }

    // SoundPlayer, as the live slots play.
    void play(const QString &path, const QString &slot, bool synchronous) override
    {
        const int channel = SlotSoundPlayer::slotIndex(slot);
        if (channel < 0 || !QFileInfo(path).isFile())
            return;
        const qint64 length = soundTypeOf(path) == SoundType::None ? -1 : m_length(path);
        if (length < 0) {
            // The slot was closed before the file turned out unplayable.
            stop(slot);
            return;
        }
        tell({m_run.nowMs(), TripSound::Play, channel, path, synchronous});
        if (synchronous)
            m_run.wait(length);
    }
    void stop(const QString &slot) override
    {
        if (const int channel = SlotSoundPlayer::slotIndex(slot); channel >= 0)
            tell({m_run.nowMs(), TripSound::Stop, channel, QString(), false});
    }
    void stopAll() override
    {
        for (int channel = 0; channel < kSoundChannels; ++channel)
            tell({m_run.nowMs(), TripSound::Stop, channel, QString(), false});
    }

    // Speech: always ready, never holding anything.
    void start(const VoiceSettings &) override {}
    void release() override {}
    bool isReady() const override { return true; }
    void speak(const QString &text) override
    {
        tell({m_run.nowMs(), TripSound::Speak, kSpeechChannel, text, false});
    }
    void stop() override { tell({m_run.nowMs(), TripSound::Stop, kSpeechChannel, QString(), false}); }
    int status() const override { return Ready; }
    QStringList engines() const override { return {}; }
    QList<QLocale> languages() const override { return {}; }
    QList<VoiceInfo> voices() const override { return {}; }
    VoiceSettings settings() const override { return {}; }

    // HostLib: nothing is asked; a message is what the run reports.
    int digitDialog(QWidget *, qint16, qint16 &, qint16 &, qint16 &) override { return 0; }
    int versionBox(QWidget *, int, const QString &) override { return 0; }
    int datePicker(QWidget *, SystemTime &) override { return 0; }
    QString fileDialog(QWidget *, int, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString folderDialog(QWidget *, const QString &) override { return {}; }
    QString saveFileDialog(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    int colourDialog(QWidget *, OleColor &, CustomColors &) override { return 0; }
    MessageResult messageBox(QWidget *, const QString &text, const QString &, MessageButtons,
                             MessageIcon) override
    {
        messages << QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        return MessageResult::Ok;
    }
    bool openFolder(const QString &) override { return false; }

    static constexpr int kSpeechChannel = kSoundChannels;

private:
    void tell(const TripSound &event)
    {
        if (sound && *sound)
            (*sound)(event);
    }

    TripRun &m_run;
    SoundLength m_length;
};

TripRun::TripRun(const TripSetup &setup, SoundLength soundLength)
    : m_setup(setup)
    , m_seams(std::make_unique<Seams>(*this, std::move(soundLength)))
{
    m_board = std::make_unique<BoardWindow>();
    m_panel = std::make_unique<PanelWindow>();
    // As the program starts: cells, then the controller with the options and
    // the panel's own state. Speech needs no starting: the seams always speak.
    m_board->resetCells();
    m_controller = std::make_unique<PanelController>(m_board.get(), m_panel.get(), m_setup.settings);
    m_controller->applyOptions();
    m_panel->load(m_board.get());
    m_panel->restoreState(m_setup.settings.controlPanel);
    m_board->restoreCells(m_setup.settings);
    m_controller->applyOptions();
    // The clock ticks in the trip's time, drawn frame by frame below.
    m_board->stopClock();
    m_board->setStripClock([this] { return m_nowUs; });
    m_board->setBoardScale(m_setup.scale);
    m_board->applyRoundRegion();
    if (m_setup.lateNight)
        setChecked("Check2", true);
}

// The controller goes first, then the windows it drives: the members' reverse order.
TripRun::~TripRun() = default;

qint64 TripRun::frameCount(qint64 lengthMs, int fps)
{
    return (lengthMs * fps + 999) / 1000;
}

void TripRun::click(const char *objectName)
{
    // A disabled button ignores the click, as it does under the mouse.
    if (auto *button = m_panel->findChild<QAbstractButton *>(QLatin1String(objectName)))
        button->click();
}

void TripRun::setChecked(const char *objectName, bool on)
{
    auto *button = m_panel->findChild<QAbstractButton *>(QLatin1String(objectName));
    if (button && button->isChecked() != on)
        button->click();
}

void TripRun::moveTo(qint64 us)
{
    m_nowUs = us;
    m_board->advanceStopName();
    // The clock's digits show the trip's time as its one-second tick would; a
    // hidden or blanked clock takes the time without showing it.
    m_board->showTime();
}

bool TripRun::advanceTo(qint64 us)
{
    for (;;) {
        const qint64 frameUs = m_nextFrame * 1000000 / m_setup.fps;
        if (frameUs >= us || m_stopped)
            break;
        moveTo(frameUs);
        if (!(*m_frame)(m_nextFrame)) {
            m_stopped = true;
            break;
        }
        ++m_nextFrame;
    }
    moveTo(std::max(us, m_nowUs));
    return !m_stopped;
}

void TripRun::wait(qint64 ms)
{
    // What the board shows now is what the wait shows.
    ++m_serial;
    advanceTo(m_nowUs + ms * 1000);
}

bool TripRun::play(const Trip &trip, const FrameReady &frame, const SoundEvent &sound)
{
    m_frame = &frame;
    m_seams->sound = &sound;
    const bool needsTape = std::any_of(trip.steps.cbegin(), trip.steps.cend(), [](const TripStep &s) {
        return s.action == TripAction::TapeNext || s.action == TripAction::TapeBack;
    });
    bool ok = true;
    for (const TripStep &step : trip.steps) {
        // An action due inside a wait happens when the wait is over; so does
        // the end, which every trip has last.
        if (!advanceTo(std::max(step.atMs * 1000, m_nowUs)))
            break;
        if (step.action == TripAction::End)
            break;
        ok = perform(step, needsTape);
        ++m_serial;
        if (!ok)
            break;
    }
    m_seams->sound = nullptr;
    m_frame = nullptr;
    if (m_stopped && m_error.isEmpty())
        m_error = QCoreApplication::translate("lumina::TripRun", "中断しました。");
    return ok && !m_stopped;
}

bool TripRun::perform(const TripStep &step, bool needsTape)
{
    switch (step.action) {
    case TripAction::Route: {
        m_seams->messages.clear();
        const auto key = [this](int k) {
            click(QStringLiteral("CommandButton1_%1").arg(k).toLatin1().constData());
        };
        key(PanelWindow::kRouteKey);
        for (const QChar digit : step.route)
            key(digit.digitValue());
        key(PanelWindow::kSectionKey);
        for (const QChar digit : step.section)
            key(digit.digitValue());
        click("Command1_1");
        if (!m_seams->messages.isEmpty()) {
            m_error = QCoreApplication::translate("lumina::TripRun", "%1 行目: %2").arg(step.line).arg(m_seams->messages.join(u' '));
            return false;
        }
        if (needsTape && !m_controller->tape().loaded()) {
            m_error = QCoreApplication::translate("lumina::TripRun", "%1 行目: 系統 %2 の放送用データ（%3）を読めません。")
                          .arg(step.line)
                          .arg(step.route, tapeFileName(routeKey(step.route)));
            return false;
        }
        return true;
    }
    case TripAction::Next: click("Command2_1"); break;
    case TripAction::Back: click("Command2_0"); break;
    case TripAction::TapeNext: click("cmdTapeNext"); break;
    case TripAction::TapeBack: click("cmdTapeBack"); break;
    case TripAction::TapeStop: click("cmdTapeStop"); break;
    case TripAction::ClearOn: setChecked("Check1", true); break;
    case TripAction::ClearOff: setChecked("Check1", false); break;
    case TripAction::NightOn: setChecked("Check2", true); break;
    case TripAction::NightOff: setChecked("Check2", false); break;
    case TripAction::BacklightOff: click("Option4_0"); break;
    case TripAction::BacklightOn1: click("Option4_1"); break;
    case TripAction::BacklightOn2: click("Option4_2"); break;
    case TripAction::End: break;
    }
    return true;
}

} // namespace lumina
