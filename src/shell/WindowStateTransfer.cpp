// The control panel's and the board's own parts of the settings: what they keep
// between runs and how they take it back.

#include "settings/ControlValues.h"
#include "settings/SettingsFile.h"
#include "settings/WindowPosition.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

namespace lumina {

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

void PanelWindow::GetCtrlDataInfo(ControlPanelState &state) const
{
    if (m_place) {
        m_place->save(state.left, state.top);
    } else {
        state.left = twipsFromPixels(pos().x());
        state.top = twipsFromPixels(pos().y());
    }
    state.scrollSpeed = HScroll1[0]->value();
    state.scrollWait = HScroll1[1]->value();
    state.entryPanelIndex = entryPanelIndex;
    state.preview = ControlTransfer::checkValue(Check4);
    state.lateNight = ControlTransfer::checkValue(Check2);
}

std::optional<IniFailure> PanelWindow::SetCtrlDataInfo(const ControlPanelState &state)
{
    if (!m_place)
        m_place = new WindowPlace(this);
    m_place->restore(state.left, state.top);
    // A value beyond a bar's range is taken as the nearest end.
    const qint32 values[2] = {state.scrollSpeed, state.scrollWait};
    for (size_t i = 0; i < 2; ++i) {
        QScrollBar *bar = HScroll1[i];
        bar->setValue(int(std::clamp<qint32>(values[i], bar->minimum(), bar->maximum())));
    }
    entryPanelIndex = state.entryPanelIndex;

    ControlTransfer t;
    t.setCheckValue(Check4, state.preview);
    t.setCheckValue(Check2, state.lateNight);
    if (t.failed())
        return t.failure;

    // The entry frame seen at the last exit is seen again.
    Frame1_DblClick(entryPanelIndex);
    return std::nullopt;
}

bool PanelWindow::positionRestored() const
{
    return m_place && m_place->placed();
}

} // namespace lumina
