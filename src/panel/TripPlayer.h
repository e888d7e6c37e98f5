#pragma once

#include "route/TripFile.h"
#include "shell/PanelWindow.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace lumina {

// Plays a trip on the control panel: each step presses the panel's buttons
// at its time from the start, by the program's clock. A step falls due while
// the panel holds input back (the lamp test, a synchronous sound) or a modal
// box is up: it is pressed when that is over, as a click made then would be.
// The user's own clicks go on meanwhile; the trip simply presses on.
class TripPlayer : public QObject
{
    Q_OBJECT

public:
    explicit TripPlayer(PanelWindow *panel, QObject *parent = nullptr);

    // Starts `trip` from its first step, now; a trip playing is given up.
    void play(const Trip &trip);
    void stop();
    bool playing() const { return m_playing; }
    // Milliseconds until the next step falls due, 0 when it is overdue.
    qint64 msToNextStep() const;
    // The step now due, if the panel is free to take a press; what the timer
    // runs. A step not yet due (or held back) waits for a later call.
    void playDue();

signals:
    void playingChanged(bool playing);

private:
    void schedule();
    void perform(const TripStep &step);
    void keyRoute(const TripStep &step);
    // Presses the button unless it is out of reach, as a click on it would.
    void pressIfAble(PanelKey key, int digit = 0);
    void setPlaying(bool playing);

    PanelWindow *m_panel;
    Trip m_trip;
    qsizetype m_next = 0;
    QDateTime m_start;
    QTimer m_timer;
    bool m_playing = false;
};

} // namespace lumina
