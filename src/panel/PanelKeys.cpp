#include "panel/PanelKeys.h"

#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace lumina {

const PanelKeyBinding *panelKeyBinding(int key, Qt::KeyboardModifiers modifiers)
{
    // The number pad's digits and Enter count as the main ones.
    if (modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier))
        return nullptr;
    for (const PanelKeyBinding &binding : kPanelKeys) {
        if (binding.key == key)
            return &binding;
    }
    return nullptr;
}

PanelKeys::PanelKeys(BoardWindow *board, PanelWindow *panel, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_panel(panel)
{
    // Keys go to whichever control has the focus; watching them on their way
    // there reaches every control of both windows, and none of a dialog's.
    qApp->installEventFilter(this);

    // Every button a key can press names its key; the "リセット" of both
    // entry panels share Enter.
    for (const PanelKeyBinding &binding : kPanelKeys) {
        for (bool keypadSeen : {true, false}) {
            QAbstractButton *target = buttonFor(binding, keypadSeen);
            const QString tip = QStringLiteral("キー：") + QString::fromUtf16(binding.name);
            if (target && !target->toolTip().contains(tip))
                target->setToolTip(tip);
        }
    }
}

QAbstractButton *PanelKeys::button(const PanelKeyBinding &binding) const
{
    return buttonFor(binding, m_panel->entryPanelIndex == 0);
}

QAbstractButton *PanelKeys::buttonFor(const PanelKeyBinding &binding, bool keypadSeen) const
{
    switch (binding.press) {
    case PanelKey::Digit:
        return keypadSeen ? m_panel->CommandButton1[size_t(binding.digit)] : nullptr;
    case PanelKey::RouteKey:
        return keypadSeen ? m_panel->CommandButton1[10] : nullptr;
    case PanelKey::SectionKey:
        return keypadSeen ? m_panel->CommandButton1[11] : nullptr;
    case PanelKey::RouteSet:
        return m_panel->Command1[keypadSeen ? 1 : 0];
    case PanelKey::StepBack:
        return m_panel->Command2[0];
    case PanelKey::StepForward:
        return m_panel->Command2[1];
    case PanelKey::TapeBack:
        return m_panel->cmdTapeBack;
    case PanelKey::TapeNext:
        return m_panel->cmdTapeNext;
    case PanelKey::TapeStop:
        return m_panel->cmdTapeStop;
    case PanelKey::TapeAdjust:
        return m_panel->cmdTapeSet;
    case PanelKey::None:
        break;
    }
    return nullptr;
}

bool PanelKeys::ours(QObject *receiver) const
{
    if (!receiver || !receiver->isWidgetType())
        return false;
    const QWidget *window = static_cast<QWidget *>(receiver)->window();
    return window == m_board || window == m_panel;
}

bool PanelKeys::eventFilter(QObject *watched, QEvent *event)
{
    // While a dialog holds the panel (the voice adjustment is modal to it
    // alone) its buttons cannot be clicked, so their keys cannot either.
    if (event->type() != QEvent::KeyPress || !ours(watched) || QApplication::activeModalWidget())
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const PanelKeyBinding *binding = panelKeyBinding(key->key(), key->modifiers());
    if (!binding)
        return QObject::eventFilter(watched, event);
    QAbstractButton *target = button(*binding);
    // A button out of reach (no route yet, the display cleared, the keypad
    // hidden) leaves the key to the control that has the focus.
    if (!target || !target->isEnabled())
        return QObject::eventFilter(watched, event);
    // One press, one click, however long the key is held: a held Enter must
    // not set the route over and over.
    if (!key->isAutoRepeat())
        target->click();
    return true;
}

} // namespace lumina
