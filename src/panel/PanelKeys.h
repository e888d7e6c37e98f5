#pragma once

#include "shell/PanelWindow.h"

#include <QObject>
#include <QString>

#include <Qt>

class QKeyEvent;

namespace lumina {

class BoardWindow;

struct PanelKeyBinding {
    Qt::Key key;
    PanelKey press;
    int digit;          // for PanelKey::Digit
    const char16_t *name; // as the tool tips name the key
};

inline constexpr PanelKeyBinding kPanelKeys[] = {
    {Qt::Key_0, PanelKey::Digit, 0, u"0"}, {Qt::Key_1, PanelKey::Digit, 1, u"1"},
    {Qt::Key_2, PanelKey::Digit, 2, u"2"}, {Qt::Key_3, PanelKey::Digit, 3, u"3"},
    {Qt::Key_4, PanelKey::Digit, 4, u"4"}, {Qt::Key_5, PanelKey::Digit, 5, u"5"},
    {Qt::Key_6, PanelKey::Digit, 6, u"6"}, {Qt::Key_7, PanelKey::Digit, 7, u"7"},
    {Qt::Key_8, PanelKey::Digit, 8, u"8"}, {Qt::Key_9, PanelKey::Digit, 9, u"9"},
    {Qt::Key_R, PanelKey::RouteKey, 0, u"R"},
    {Qt::Key_S, PanelKey::SectionKey, 0, u"S"},
    {Qt::Key_Return, PanelKey::RouteSet, 0, u"Enter"},
    {Qt::Key_Enter, PanelKey::RouteSet, 0, u"Enter"},
    {Qt::Key_Left, PanelKey::StepBack, 0, u"←"},
    {Qt::Key_Right, PanelKey::StepForward, 0, u"→"},
    {Qt::Key_PageUp, PanelKey::TapeBack, 0, u"Page Up"},
    {Qt::Key_PageDown, PanelKey::TapeNext, 0, u"Page Down"},
    {Qt::Key_Escape, PanelKey::TapeStop, 0, u"Esc"},
    {Qt::Key_F2, PanelKey::TapeAdjust, 0, u"F2"},
};

// The binding of a key pressed with `modifiers`; keys held with Ctrl, Alt,
// Shift or Meta are left to others (the board's own shortcuts among them).
const PanelKeyBinding *panelKeyBinding(int key, Qt::KeyboardModifiers modifiers);

// Keyboard driving: while the board or the panel is the active window, keys
// press the panel's buttons, so a key does exactly what a click on its button
// does (sounds, speech, waits and all). The board is watched from here, so
// it knows nothing of the panel. Each button's tool tip names its key.
class PanelKeys : public QObject
{
    Q_OBJECT

public:
    PanelKeys(BoardWindow *board, PanelWindow *panel, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Each button's tool tip names its key, in the language in use.
    void nameKeys();
    bool ours(QObject *receiver) const;

    BoardWindow *m_board;
    PanelWindow *m_panel;
};

} // namespace lumina
