// The control panel's and the board's own parts of the settings: what they keep
// between runs and how they take it back.

#include "settings/IniError.h"
#include "settings/OptionFields.h"
#include "settings/SettingsFile.h"
#include "shell/WindowPosition.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace lumina {

namespace {

// A push button that works as a check box reads 0 or 1; a check box 2 greyed.
qint16 checkValue(const QAbstractButton *box)
{
    if (auto *check = qobject_cast<const QCheckBox *>(box))
        return check->checkState() == Qt::PartiallyChecked ? 2 : check->isChecked() ? 1 : 0;
    return box->isChecked() ? 1 : 0;
}

// Writing a new value runs the button's click handling, as a click would. A
// push button shows greyed as on.
void setCheckValue(QAbstractButton *box, qint16 value)
{
    auto *check = qobject_cast<QCheckBox *>(box);
    if (!check && value == 2)
        value = 1;
    if (checkValue(box) == value)
        return;
    if (check)
        check->setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
    else
        box->setChecked(value != 0);
    emit box->clicked(box->isChecked());
}

} // namespace

void BoardWindow::savePosition(BoardPosition &position) const
{
    if (m_place) {
        m_place->save(position.left, position.top);
        return;
    }
    position.left = twipsFromPixels(pos().x());
    position.top = twipsFromPixels(pos().y());
}

void BoardWindow::restorePosition(const BoardPosition &position)
{
    if (!m_place)
        m_place = new WindowPlace(this);
    m_place->restore(position.left, position.top);
}

void PanelWindow::saveState(ControlPanelState &state) const
{
    if (m_place) {
        m_place->save(state.left, state.top);
    } else {
        state.left = twipsFromPixels(pos().x());
        state.top = twipsFromPixels(pos().y());
    }
    state.scrollSpeed = m_scrollBars[ScrollSpeed]->value();
    state.scrollWait = m_scrollBars[ScrollWait]->value();
    state.panelSentBack = m_panelSentBack;
    state.preview = checkValue(m_previewToggle);
    state.lateNight = checkValue(m_lateNight);
}

std::optional<IniFailure> PanelWindow::restoreState(const ControlPanelState &state)
{
    if (!m_place)
        m_place = new WindowPlace(this);
    m_place->restore(state.left, state.top);
    // A value beyond a bar's range is taken as the nearest end.
    const qint32 values[2] = {state.scrollSpeed, state.scrollWait};
    for (size_t i = 0; i < 2; ++i) {
        QScrollBar *bar = m_scrollBars[i];
        bar->setValue(int(std::clamp<qint32>(values[i], bar->minimum(), bar->maximum())));
    }
    m_panelSentBack = state.panelSentBack;

    const std::pair<QAbstractButton *, qint16> checks[] = {{m_previewToggle, state.preview},
                                                           {m_lateNight, state.lateNight}};
    for (const auto &[box, value] : checks) {
        if (!isCheckValue(value))
            return iniFailure(iniError::kInvalidPropertyValue);
        setCheckValue(box, value);
    }

    // The entry frame seen at the last exit is seen again.
    sendEntryPanelBack(m_panelSentBack);
    return std::nullopt;
}

bool PanelWindow::positionRestored() const
{
    return m_place && m_place->placed();
}

} // namespace lumina
