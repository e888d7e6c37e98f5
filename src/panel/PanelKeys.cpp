#include "panel/PanelKeys.h"

#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QApplication>
#include <QKeyEvent>

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

    nameKeys();
}

// Every button a key can press names its key; the "リセット" of both entry
// panels share Enter.
void PanelKeys::nameKeys()
{
    for (const PanelKeyBinding &binding : kPanelKeys)
        m_panel->nameKey(binding.press, binding.digit, tr("キー：%1").arg(QString::fromUtf16(binding.name)));
}

bool PanelKeys::ours(QObject *receiver) const
{
    // Keys reach a window's QWindow first; only the widget's own turn counts.
    const auto *widget = qobject_cast<const QWidget *>(receiver);
    return widget && (widget->window() == m_board || widget->window() == m_panel);
}

bool PanelKeys::eventFilter(QObject *watched, QEvent *event)
{
    // The panel's captions have just been set anew; the key names follow.
    if (event->type() == QEvent::LanguageChange && watched == m_panel)
        nameKeys();
    // While a dialog holds the panel (the voice adjustment is modal to it
    // alone) its buttons cannot be clicked, so their keys cannot either.
    if (event->type() != QEvent::KeyPress || !ours(watched) || QApplication::activeModalWidget())
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const PanelKeyBinding *binding = panelKeyBinding(key->key(), key->modifiers());
    if (!binding)
        return QObject::eventFilter(watched, event);
    // A button out of reach (no route yet, the display cleared, the keypad
    // hidden) leaves the key to the control that has the focus.
    if (!m_panel->canPress(binding->press, binding->digit))
        return QObject::eventFilter(watched, event);
    // One press, one click, however long the key is held: a held Enter must
    // not set the route over and over.
    if (!key->isAutoRepeat())
        m_panel->press(binding->press, binding->digit);
    return true;
}

} // namespace lumina
