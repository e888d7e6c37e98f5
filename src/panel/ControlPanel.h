#pragma once

#include <QDateTime>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>

namespace lumina {

class Form1;
class frmCtl;
class frmOption;

// The control panel's handlers: route entry on the keypad and the digit lists,
// route setting with its lamp test, stepping, the board update, display clear,
// the scroll sliders, the settings and version buttons, the backlight switch
// and the options applied to the board.
class ControlPanel : public QObject
{
    Q_OBJECT

public:
    ControlPanel(Form1 *board, frmCtl *panel, frmOption *options, QObject *parent = nullptr);

    // Where time comes from, and how the lamp test waits. The default wait
    // keeps the windows painting and holds back mouse and keyboard input
    // until it is over; tests replace both.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    std::function<void(int milliseconds)> pause;
    // Shows the options dialog modally; returns when it has been closed.
    std::function<void()> showOptions;
    // Loading the route's announcement data; empty until the tape exists.
    std::function<void(const QString &folder, const QString &routeKey)> loadTape;
    // Whether speech was found usable at start-up (the tape group needs it).
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

    // The ticket-number labels for one of the twelve styles.
    void SeirikenNumSet(int style, int zeroFill);
    // The options that shape the board, from the options dialog to the board.
    void SetProp();

    // The five lines of the version box, each ended by CR LF.
    static QString versionText(int year);

private:
    void playSoundField(int field, const QString &slot, bool synchronous);
    void waitWithoutInput(int milliseconds);
    void drawSeiriken(int n, const QString &date, const QString &time);

    Form1 *m_board;
    frmCtl *m_panel;
    frmOption *m_options;
};

} // namespace lumina
