#include "panel/TripPlayer.h"

#include "base/Clock.h"

#include <QApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <limits>

namespace lumina {

namespace {

Q_LOGGING_CATEGORY(lcTrip, "lumina.trip", QtWarningMsg)

// How often a step held back by a modal box looks again; a wait of the panel
// says itself when it is over.
constexpr int kModalRetryMs = 100;

} // namespace

TripPlayer::TripPlayer(PanelWindow *panel, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TripPlayer::playDue);
    // A step held back by a wait is pressed from the event loop once the wait
    // is over, never from inside the handler that waited.
    connect(&InputWaits::instance(), &InputWaits::allEnded, this, &TripPlayer::schedule);
}

void TripPlayer::play(const Trip &trip)
{
    m_trip = trip;
    m_next = 0;
    m_start = clock().now();
    setPlaying(!m_trip.steps.isEmpty());
    schedule();
}

void TripPlayer::stop()
{
    m_timer.stop();
    setPlaying(false);
}

void TripPlayer::setPlaying(bool playing)
{
    if (std::exchange(m_playing, playing) != playing)
        emit playingChanged(playing);
}

qint64 TripPlayer::msToNextStep() const
{
    if (!m_playing)
        return -1;
    return std::max<qint64>(0, m_trip.steps[m_next].atMs - m_start.msecsTo(clock().now()));
}

void TripPlayer::schedule()
{
    if (m_playing)
        m_timer.start(int(std::min<qint64>(msToNextStep(), std::numeric_limits<int>::max())));
}

void TripPlayer::playDue()
{
    if (!m_playing || InputWaits::instance().running())
        return;
    if (QApplication::activeModalWidget()) {
        m_timer.start(kModalRetryMs);
        return;
    }
    if (msToNextStep() > 0) {
        schedule();
        return;
    }
    const TripStep step = m_trip.steps[m_next++];
    qCDebug(lcTrip) << "line" << step.line << tripActionWords(step.action) << step.route << step.section
                    << "due" << step.atMs << "ms, now" << m_start.msecsTo(clock().now()) << "ms";
    if (step.action != TripAction::End)
        perform(step);
    if (step.action == TripAction::End || m_next == m_trip.steps.size())
        stop();
    else
        schedule();
}

void TripPlayer::perform(const TripStep &step)
{
    switch (step.action) {
    case TripAction::Route:
        return keyRoute(step);
    case TripAction::Next:
        return pressIfAble(PanelKey::StepForward);
    case TripAction::Back:
        return pressIfAble(PanelKey::StepBack);
    case TripAction::TapeNext:
        return pressIfAble(PanelKey::TapeNext);
    case TripAction::TapeBack:
        return pressIfAble(PanelKey::TapeBack);
    case TripAction::TapeStop:
        return pressIfAble(PanelKey::TapeStop);
    case TripAction::ClearOn:
    case TripAction::ClearOff:
        // "表示消去" stays down once pressed: only a change presses it.
        if (m_panel->displayCleared() != (step.action == TripAction::ClearOn))
            pressIfAble(PanelKey::Clear);
        return;
    case TripAction::NightOn:
    case TripAction::NightOff:
        if (m_panel->lateNight() != (step.action == TripAction::NightOn))
            pressIfAble(PanelKey::LateNight);
        return;
    case TripAction::BacklightOff:
    case TripAction::BacklightOn1:
    case TripAction::BacklightOn2:
        return pressIfAble(PanelKey::Backlight, int(step.action) - int(TripAction::BacklightOff));
    case TripAction::End:
        return;
    }
}

void TripPlayer::keyRoute(const TripStep &step)
{
    // The keypad's keys are pressed where a finger would find them: the keypad
    // is brought to the front as a double-click on the digit lists would.
    if (!m_panel->keypadSeen())
        m_panel->sendEntryPanelBack(0);
    pressIfAble(PanelKey::RouteKey);
    for (QChar digit : step.route)
        pressIfAble(PanelKey::Digit, digit.digitValue());
    pressIfAble(PanelKey::SectionKey);
    for (QChar digit : step.section)
        pressIfAble(PanelKey::Digit, digit.digitValue());
    pressIfAble(PanelKey::RouteSet);
}

void TripPlayer::pressIfAble(PanelKey key, int digit)
{
    if (m_panel->canPress(key, digit))
        m_panel->press(key, digit);
    else
        qCDebug(lcTrip) << "button out of reach:" << int(key) << digit;
}

} // namespace lumina
