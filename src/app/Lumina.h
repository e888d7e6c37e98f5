#pragma once

#include "settings/SettingsFile.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace lumina {

class BoardWindow;
class PanelWindow;
class PanelController;
class TripPlayer;

// The calls that start-up and quit make into the other parts of the program.
// Each defaults to the real operation; tests replace them to watch the order.
struct Seams {
    std::function<void()> initFareCells;
    std::function<void()> setProp;
    std::function<void()> initSpeech;
    std::function<void()> loadIni;
    std::function<void()> clearStopName;
    std::function<void()> stopAllSounds;
    std::function<void()> releaseSpeech;
    std::function<void()> saveIni;
    // Ends the program; the default leaves the event loop with status 0.
    std::function<void()> exit;
};

// The running program: the three windows and the start and stop sequences.
class Lumina : public QObject
{
    Q_OBJECT

public:
    Lumina();
    ~Lumina() override;

    // The instance of this run (the last one created).
    static Lumina *instance();

    BoardWindow *board() const { return m_board.get(); }
    PanelWindow *panel() const { return m_panel.get(); }
    PanelController *controlPanel() const { return m_controlPanel.get(); }
    TripPlayer *tripPlayer() const { return m_tripPlayer.get(); }
    // The settings of this run, from the settings file's load to its save; the
    // one place every option is read from. Changed by the options dialog's
    // "OK" and by loading a settings file, each followed by applySettings().
    SettingsFile &settings() { return m_settings; }
    // The settings file as it was read at start-up (empty without one).
    SettingsFile &settingsAsLoaded() { return m_settingsAsLoaded; }
    // The options onto the board and the panel.
    void applySettings();

    // The start-up notice when the code page converter is missing.
    static QString codePageMissingMessage();

    // Real implementations of every seam.
    Seams defaultSeams();
    Seams &seams() { return m_seams; }

    // Runs the board's load sequence and shows the windows.
    void startUp();
    // The first steps of it: the three windows with their defaults and the
    // options applied, nothing shown yet.
    void buildWindows();
    // The board's rounded outline, for its present size.
    void shapeBoard();
    // Asks the quit question; on Yes runs the quit sequence. Returns whether
    // the program is ending.
    bool requestQuit();
    bool quitting() const { return m_quitting; }
    // Reads the trip file and plays it on the panel from now; a file refused
    // is told in a message box and nothing plays.
    void playTrip(const QString &path);
    // "運行を再生...": the trip file the user chooses, played.
    void chooseTrip();
    // Whether the panel may still be placed again once its frame is known.
    bool panelSettling() const { return m_panelSettle.isActive(); }

private:
    void initBoardDefaults();
    void placeWindows();
    void placePanelAtBottomRight();
    void shutDown();

    SettingsFile m_settings;
    SettingsFile m_settingsAsLoaded;

    std::unique_ptr<BoardWindow> m_board;
    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<PanelController> m_controlPanel;
    std::unique_ptr<TripPlayer> m_tripPlayer;
    Seams m_seams;
    QTimer m_panelSettle;
    bool m_quitting = false;
};

} // namespace lumina
