#pragma once

#include "settings/ControlValues.h"
#include "settings/SettingsFile.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <functional>

// The transfer between the settings records and the controls of the options
// dialog. The dialog's controls hold the live option values; these two walk
// them in one fixed order, the order of the controls on the dialog. The order
// matters when restoring, because writing a check box or choosing an option
// button runs its click handling, which enables and shows dependent controls.
//
// Written over any dialog type with the options dialog's public controls, so
// the walk can be checked against a stand-in dialog as well.
namespace lumina {

// Where restoring reaches beyond the dialog.
struct OptionTransferHooks {
    // The control panel's three backlight buttons OFF, ON1, ON2; the chosen one
    // is clicked again once the user panel paths are restored, so they show.
    std::array<QAbstractButton *, 3> backlight{};
    // Loads the ticket plug-in named by the dialog's plug-in path.
    std::function<void(const QString &)> loadPlugIn;
};

template<typename Dialog>
void GetOptionInfo(const Dialog &dlg, SettingsFile &s)
{
    using T = ControlTransfer;
    s.folders.fareDataFolder = T::textValue(dlg.Text2[0]);
    s.folders.announcementDataFolder = T::textValue(dlg.Text2[1]);

    auto &p = s.panel;
    p.autoTicketNumbers = T::checkValue(dlg.Check1);
    for (size_t i = 0; i < 3; ++i)
        p.ticketNumberColours[i] = T::colourValue(dlg.Command5[i]);
    p.ticketNumberStyle = T::comboValue(dlg.Combo2);
    p.leadingZero = T::checkValue(dlg.Check2);
    p.panelsAutomatic = T::optionValue(dlg.Option3[0]);
    p.panelsIndividual = T::optionValue(dlg.Option3[1]);
    p.offBuiltIn = T::optionValue(dlg.Option3[7]);
    p.offUserPanel = T::optionValue(dlg.Option3[6]);
    p.on1BuiltIn = T::optionValue(dlg.Option3[3]);
    p.on1UserPanel = T::optionValue(dlg.Option3[2]);
    p.on2BuiltIn = T::optionValue(dlg.Option3[4]);
    p.on2UserPanel = T::optionValue(dlg.Option3[5]);
    for (size_t i = 0; i < 3; ++i)
        p.userPanelImages[i] = T::textValue(dlg.txtSelectPanel[i]);

    auto &d = s.infoDigits;
    d.backColour = T::colourValue(dlg.Command8[0]);
    d.unlitColour = T::colourValue(dlg.Command8[1]);
    d.litColour = T::colourValue(dlg.Command8[2]);
    d.showStopOrder = T::checkValue(dlg.Check3[0]);
    d.stopOrderCell = T::comboValue(dlg.Combo4[0]);
    d.countFromZero = T::checkValue(dlg.Check3[4]);
    d.showTicketNumber = T::checkValue(dlg.Check3[1]);
    d.ticketNumberCell = T::comboValue(dlg.Combo4[1]);
    d.showRouteNumber = T::checkValue(dlg.Check3[2]);
    d.routeNumberCell = T::comboValue(dlg.Combo4[2]);
    d.showDataColumn = T::checkValue(dlg.Check3[3]);
    d.dataColumn = T::comboValue(dlg.Combo4[4]);
    d.dataColumnCell = T::comboValue(dlg.Combo4[3]);

    s.stopName.backColour = T::colourValue(dlg.Command9[0]);
    s.stopName.textColour = T::colourValue(dlg.Command9[1]);
    s.stopName.font = T::comboValue(dlg.Combo3);
    s.stopName.bold = T::checkValue(dlg.Check4);

    auto &snd = s.sounds;
    snd.routeSetSound = T::textValue(dlg.txtSelectSound[0]);
    snd.resetSound = T::textValue(dlg.txtSelectSound[1]);
    snd.stepSynchronous = T::optionValue(dlg.Option6[0]);
    snd.stepAsynchronous = T::optionValue(dlg.Option6[1]);
    snd.stepAlways = T::optionValue(dlg.Option2[0]);
    snd.stepByColumn = T::optionValue(dlg.Option2[1]);
    snd.stepSound = T::textValue(dlg.txtSelectSound[7]);
    snd.stepColumn = T::comboValue(dlg.Combo1);
    for (size_t i = 0; i < 3; ++i)
        snd.stepSoundByValue[i] = T::textValue(dlg.txtSelectSound[8 + i]);
    snd.preSynchronous = T::optionValue(dlg.Option7[0]);
    snd.preAsynchronous = T::optionValue(dlg.Option7[1]);
    snd.preAlways = T::optionValue(dlg.Option2[2]);
    snd.preByFlag = T::optionValue(dlg.Option2[3]);
    snd.preSound = T::textValue(dlg.txtSelectSound[3]);
    for (size_t i = 0; i < 3; ++i)
        snd.preSoundByFlag[i] = T::textValue(dlg.txtSelectSound[4 + i]);

    auto &t = s.ticketPreview;
    t.usePreview = T::checkValue(dlg.chkUseSeiriPrev);
    t.plugIn = T::textValue(dlg.txtSeiriPlgDir);
    t.dateRenewed = T::optionValue(dlg.Option4[0]);
    t.dateKept = T::optionValue(dlg.Option4[1]);
    t.dateFixed = T::optionValue(dlg.Option4[2]);
    t.fixedDate = T::textValue(dlg.Label10);
}

// Restores the dialog from the records. Returns the first failure (a value a
// control cannot take); the fields after it are left as they were.
template<typename Dialog>
std::optional<IniFailure> SetOptionInfo(Dialog &dlg, const SettingsFile &s,
                                        const OptionTransferHooks &hooks = {})
{
    ControlTransfer t;
    t.setTextValue(dlg.Text2[0], s.folders.fareDataFolder);
    t.setTextValue(dlg.Text2[1], s.folders.announcementDataFolder);

    const auto &p = s.panel;
    t.setCheckValue(dlg.Check1, p.autoTicketNumbers);
    for (size_t i = 0; i < 3; ++i)
        t.setColourValue(dlg.Command5[i], p.ticketNumberColours[i]);
    t.setComboValue(dlg.Combo2, p.ticketNumberStyle);
    t.setCheckValue(dlg.Check2, p.leadingZero);
    t.setOptionValue(dlg.Option3[0], p.panelsAutomatic);
    t.setOptionValue(dlg.Option3[1], p.panelsIndividual);
    t.setOptionValue(dlg.Option3[7], p.offBuiltIn);
    t.setOptionValue(dlg.Option3[6], p.offUserPanel);
    t.setOptionValue(dlg.Option3[3], p.on1BuiltIn);
    t.setOptionValue(dlg.Option3[2], p.on1UserPanel);
    t.setOptionValue(dlg.Option3[4], p.on2BuiltIn);
    t.setOptionValue(dlg.Option3[5], p.on2UserPanel);
    for (size_t i = 0; i < 3; ++i)
        t.setTextValue(dlg.txtSelectPanel[i], p.userPanelImages[i]);

    // The user panel paths take effect on the board through the backlight
    // switch: click the state the panel shows once more (the third when neither
    // of the first two is chosen).
    if (!t.failed() && hooks.backlight[2]) {
        QAbstractButton *state = hooks.backlight[2];
        for (size_t i = 0; i < 2; ++i) {
            if (hooks.backlight[i] && hooks.backlight[i]->isChecked()) {
                state = hooks.backlight[i];
                break;
            }
        }
        ControlTransfer::runClick(state);
    }

    const auto &d = s.infoDigits;
    t.setColourValue(dlg.Command8[0], d.backColour);
    t.setColourValue(dlg.Command8[1], d.unlitColour);
    t.setColourValue(dlg.Command8[2], d.litColour);
    t.setCheckValue(dlg.Check3[0], d.showStopOrder);
    t.setComboValue(dlg.Combo4[0], d.stopOrderCell);
    t.setCheckValue(dlg.Check3[4], d.countFromZero);
    t.setCheckValue(dlg.Check3[1], d.showTicketNumber);
    t.setComboValue(dlg.Combo4[1], d.ticketNumberCell);
    t.setCheckValue(dlg.Check3[2], d.showRouteNumber);
    t.setComboValue(dlg.Combo4[2], d.routeNumberCell);
    t.setCheckValue(dlg.Check3[3], d.showDataColumn);
    t.setComboValue(dlg.Combo4[4], d.dataColumn);
    t.setComboValue(dlg.Combo4[3], d.dataColumnCell);

    t.setColourValue(dlg.Command9[0], s.stopName.backColour);
    t.setColourValue(dlg.Command9[1], s.stopName.textColour);
    t.setComboValue(dlg.Combo3, s.stopName.font);
    t.setCheckValue(dlg.Check4, s.stopName.bold);

    // The playing method sits above the mode on the dialog and is restored first.
    const auto &snd = s.sounds;
    t.setTextValue(dlg.txtSelectSound[0], snd.routeSetSound);
    t.setTextValue(dlg.txtSelectSound[1], snd.resetSound);
    t.setOptionValue(dlg.Option6[0], snd.stepSynchronous);
    t.setOptionValue(dlg.Option6[1], snd.stepAsynchronous);
    t.setOptionValue(dlg.Option2[0], snd.stepAlways);
    t.setOptionValue(dlg.Option2[1], snd.stepByColumn);
    t.setTextValue(dlg.txtSelectSound[7], snd.stepSound);
    t.setComboValue(dlg.Combo1, snd.stepColumn);
    for (size_t i = 0; i < 3; ++i)
        t.setTextValue(dlg.txtSelectSound[8 + i], snd.stepSoundByValue[i]);
    t.setOptionValue(dlg.Option7[0], snd.preSynchronous);
    t.setOptionValue(dlg.Option7[1], snd.preAsynchronous);
    t.setOptionValue(dlg.Option2[2], snd.preAlways);
    t.setOptionValue(dlg.Option2[3], snd.preByFlag);
    t.setTextValue(dlg.txtSelectSound[3], snd.preSound);
    for (size_t i = 0; i < 3; ++i)
        t.setTextValue(dlg.txtSelectSound[4 + i], snd.preSoundByFlag[i]);

    const auto &tp = s.ticketPreview;
    t.setCheckValue(dlg.chkUseSeiriPrev, tp.usePreview);
    t.setTextValue(dlg.txtSeiriPlgDir, tp.plugIn);
    t.setOptionValue(dlg.Option4[0], tp.dateRenewed);
    t.setOptionValue(dlg.Option4[1], tp.dateKept);
    t.setOptionValue(dlg.Option4[2], tp.dateFixed);
    t.setTextValue(dlg.Label10, tp.fixedDate);

    if (t.failed())
        return t.failure;
    if (hooks.loadPlugIn)
        hooks.loadPlugIn(ControlTransfer::textValue(dlg.txtSeiriPlgDir));
    return std::nullopt;
}

} // namespace lumina
