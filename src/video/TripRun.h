#pragma once

#include "base/Clock.h"
#include "hostlib/HostLib.h"
#include "route/TripFile.h"
#include "settings/SettingsFile.h"
#include "sound/SoundPlayer.h"
#include "sound/Speech.h"

#include <QDateTime>

#include <functional>
#include <memory>

namespace lumina {

class BoardWindow;
class PanelController;
class PanelWindow;

// A sound the trip starts or stops, at its moment in the trip.
struct TripSound {
    enum Kind { Play, Stop, Speak };
    qint64 atMs = 0;
    Kind kind = Play;
    // The slots "S1".."S4" are 0..3, recorded announcements 4, speech 5.
    int channel = 0;
    QString source; // the file played, or the text spoken
    bool synchronous = false;

};

// How a trip is played: the program's options, the board's scale, the clock
// at the start and the frames a second.
struct TripSetup {
    SettingsFile settings;
    int scale = 1;
    bool lateNight = false;
    QDateTime start;
    int fps = 30;
};

// A trip played on the program's own board, panel and controller, hidden,
// in virtual time: each action is the click of its button, and every wait
// the program makes (the lamp test, a synchronous sound) passes in the
// trip's time, frame by frame. While it runs, the clock, the sound player,
// the speech engine and the message boxes are the run's own.
class TripRun
{
public:
    // How long a sound file plays, -1 for one the player would not play.
    using SoundLength = std::function<qint64(const QString &path)>;
    // Frame `index` is due: the board shows that moment. False stops the run.
    using FrameReady = std::function<bool(qint64 index)>;
    using SoundEvent = std::function<void(const TripSound &)>;

    TripRun(const TripSetup &setup, SoundLength soundLength);
    ~TripRun();

    BoardWindow &board() { return *m_board; }
    // Changes whenever the board may show something new, apart from the
    // strip's scrolling and the clock's minutes.
    quint64 boardSerial() const { return m_serial; }
    // The trip's time now.
    qint64 nowMs() const { return m_nowUs / 1000; }

    // Plays the trip to its end. False when the program refused something
    // (a route that cannot be set, a tape the trip needs that cannot be
    // read) or a frame stopped it: errorString() says which.
    bool play(const Trip &trip, const FrameReady &frame, const SoundEvent &sound);
    QString errorString() const { return m_error; }
    // Frames a trip of this length fills.
    static qint64 frameCount(qint64 lengthMs, int fps);

private:
    class Seams;

    bool perform(const TripStep &step, bool needsTape);
    void click(const char *objectName);
    void setChecked(const char *objectName, bool on);
    void wait(qint64 ms);
    bool advanceTo(qint64 us);
    void moveTo(qint64 us);

    TripSetup m_setup;
    std::unique_ptr<Seams> m_seams;
    std::unique_ptr<BoardWindow> m_board;
    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<PanelController> m_controller;
    qint64 m_nowUs = 0;
    qint64 m_nextFrame = 0;
    quint64 m_serial = 0;
    const FrameReady *m_frame = nullptr;
    bool m_stopped = false;
    QString m_error;
};

} // namespace lumina
