#pragma once

#include "settings/SettingsFile.h"
#include "shell/PanelWindow.h"
#include "sound/AnnouncementTape.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace lumina {

class BoardWindow;
class OptionsDialog;

// The control panel's handlers: route entry on the keypad and the digit lists,
// route setting with its lamp test, stepping, the board update, display clear,
// the scroll sliders, the settings and version buttons, the backlight switch
// and the options applied to the board.
class PanelController : public QObject
{
    Q_OBJECT

public:
    // `settings` is the program's, read for every option and written by the
    // options dialog.
    PanelController(BoardWindow *board, PanelWindow *panel, SettingsFile &settings,
                    QObject *parent = nullptr);
    ~PanelController() override;

    // Runs the options dialog modally; returns when it has been closed.
    std::function<void(OptionsDialog &)> runOptionsDialog;

    // Keypad key 0..9, PanelWindow::kRouteKey or kSectionKey.
    void pressKeypad(int key);
    // A click on a route digit list (true) or a section digit list (false).
    void digitListClicked(bool routeList);
    // "表示消去" switched on or off.
    void clearDisplay(bool cleared);
    void scrollStopName(int speed, int wait);
    // "設定...": the options dialog, then the stop name written again.
    void openOptions();
    // "ﾊﾞｰｼﾞｮﾝ": the version box.
    void showVersion();
    // "リセット": route setting from the digit lists or the keypad.
    void setRouteFrom(RouteEntrySource source);
    // The board once the lamp test of a route setting is over: every cell
    // at 0 until a stop writes it, stepping in reach, the ticket date kept.
    void routeStarted();
    // "データ戻し" / "データ送り".
    void step(Direction direction);
    // Shows stop `n` (1-based) of the route.
    void showStop(int n);
    // "コピー(&C)": the drawn ticket to the clipboard as a picture.
    void copyTicket();
    // Backlight state 0 (OFF), 1 (ON1) or 2 (ON2).
    void chooseBacklight(int state);

    // Start-up: starts the speech engine with this user's voice choice. The
    // tape group says "音合使用不可" until the engine is ready.
    void startSpeech();
    // Quit: lets the speech engine go.
    void releaseSpeech();
    // The tape buttons: "送り", "戻し", "■" and "調整".
    void tapeNext();
    void tapeBack();
    void tapeStop();
    void adjustTape();
    // The announcement tape of the route in force.
    AnnouncementTape &tape() { return m_tape; }
    // The pre-announcement sounds as chosen in the options dialog.
    PreAnnouncement preAnnouncement() const;

    // The options that shape the board, from the settings to the board; a new
    // ticket plug-in fills the company list and sizes the ticket preview.
    void applyOptions();

    // The five lines of the version box, each ended by CR LF.
    static QString versionText(int year);

private:
    void playSoundField(int field, const QString &slot, bool synchronous);
    void setSpeechAvailable(bool available);
    void connectPanel();
    // The tape group is usable with a loaded tape, speech and the board shown.
    void updateTapeGroup();
    void drawTicketPreview(int n, const QString &date, const QString &time);
    void takePlugIn(const QString &path);

    BoardWindow *m_board;
    PanelWindow *m_panel;
    SettingsFile &m_settings;
    std::unique_ptr<OptionsDialog> m_optionsDialog;
    // The plug-in whose companies the list holds.
    QString m_plugIn;
    AnnouncementTape m_tape;
    // Whether a speech engine is ready (the tape group needs it).
    bool m_speechAvailable = false;
    // Whether the keypad types into the route display (else the section's).
    bool m_keypadOnRoute = false;
};

} // namespace lumina
