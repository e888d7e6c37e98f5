#pragma once

#include "settings/SettingsFile.h"
#include "sound/AnnouncementTape.h"

#include <QDateTime>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

namespace lumina {

class BoardWindow;
class PanelWindow;
class OptionsDialog;
class TicketPicture;

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
    // Whether a speech engine is ready (the tape group needs it).
    bool SpeechAvailable = false;

    // Keypad key 0..9, 10 "系統", 11 "区間".
    void CommandButton1_Click(int index);
    // A click on a route digit list (true) or a section digit list (false).
    void List_Click(bool routeList);
    // "表示消去" switched on or off.
    void Check1_Click();
    void HScroll1_Change(int index);
    // "設定...": the options dialog, then the stop name written again.
    void Command4_Click();
    // "ﾊﾞｰｼﾞｮﾝ": the version box.
    void Command8_Click();
    // "リセット": route setting from the digit lists (0) or the keypad (1).
    void Command1_Click(int index);
    // The board once the lamp test of a route setting is over: every cell
    // at 0 until a stop writes it, stepping in reach, the ticket date kept.
    void routeStarted();
    // "データ戻し" (0) / "データ送り" (1).
    void Command2_Click(int index);
    // Shows stop `n` (1-based) of the route.
    void DispData(int n);
    // ">>" / "<<": opens or closes the ticket preview.
    void Check4_Click();
    // A mouse button down over the ticket preview: the right one offers the
    // pop-up menu at `globalPos`.
    void picSeirikenPrev_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    // "コピー(&C)": the drawn ticket to the clipboard as a picture.
    void MnuHideCopy_Click();
    // Backlight state 0 (OFF), 1 (ON1) or 2 (ON2).
    void Option4_Click(int index);

    // Start-up: starts the speech engine with this user's voice choice. The
    // tape group says "音合使用不可" until the engine is ready.
    void InitSpeech();
    // Quit: lets the speech engine go.
    void ReleaseSpeech();
    // The tape buttons: "送り", "戻し", "■" and "調整".
    void cmdTapeNext_Click();
    void cmdTapeBack_Click();
    void cmdTapeStop_Click();
    void cmdTapeSet_Click();
    // The announcement tape of the route in force.
    AnnouncementTape &tape() { return m_tape; }
    // The pre-announcement sounds as chosen in the options dialog.
    PreAnnouncement preAnnouncement() const;

    // The options that shape the board, from the settings to the board; a new
    // ticket plug-in fills the company list and sizes the ticket preview.
    void SetProp();

    // The five lines of the version box, each ended by CR LF.
    static QString versionText(int year);

private:
    void playSoundField(int field, const QString &slot, bool synchronous);
    void setSpeechAvailable(bool available);
    // The tape group is usable with a loaded tape, speech and the board shown.
    void updateTapeFrame();
    void drawSeiriken(int n, const QString &date, const QString &time);
    void takePlugIn(const QString &path);

    BoardWindow *m_board;
    PanelWindow *m_panel;
    SettingsFile &m_settings;
    std::unique_ptr<OptionsDialog> m_optionsDialog;
    // The plug-in whose companies the list holds.
    QString m_plugIn;
    AnnouncementTape m_tape;
};

} // namespace lumina
