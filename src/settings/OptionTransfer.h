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

// Every option in the order of the controls on the dialog, each with the record
// field that carries it. One walk serves both directions: `v` is handed each
// control and its field and moves the value one way or the other. Dialog and
// records are const where the walk only reads them.
template<typename Dialog, typename Records, typename Visitor>
void visitOptions(Dialog &dlg, Records &s, Visitor &v)
{
    v.text(dlg.Text2[0], s.folders.fareDataFolder);
    v.text(dlg.Text2[1], s.folders.announcementDataFolder);

    auto &p = s.panel;
    v.check(dlg.Check1, p.autoTicketNumbers);
    for (size_t i = 0; i < 3; ++i)
        v.colour(dlg.Command5[i], p.ticketNumberColours[i]);
    v.combo(dlg.Combo2, p.ticketNumberStyle);
    v.check(dlg.Check2, p.leadingZero);
    v.option(dlg.Option3[Dialog::kPanelsAutomatic], p.panelsAutomatic);
    v.option(dlg.Option3[Dialog::kPanelsIndividual], p.panelsIndividual);
    v.option(dlg.Option3[Dialog::kBuiltInPanel[0]], p.offBuiltIn);
    v.option(dlg.Option3[Dialog::kUserPanel[0]], p.offUserPanel);
    v.option(dlg.Option3[Dialog::kBuiltInPanel[1]], p.on1BuiltIn);
    v.option(dlg.Option3[Dialog::kUserPanel[1]], p.on1UserPanel);
    v.option(dlg.Option3[Dialog::kBuiltInPanel[2]], p.on2BuiltIn);
    v.option(dlg.Option3[Dialog::kUserPanel[2]], p.on2UserPanel);
    for (size_t i = 0; i < 3; ++i)
        v.text(dlg.txtSelectPanel[i], p.userPanelImages[i]);
    v.panelImagesDone();

    auto &d = s.infoDigits;
    v.colour(dlg.Command8[0], d.backColour);
    v.colour(dlg.Command8[1], d.unlitColour);
    v.colour(dlg.Command8[2], d.litColour);
    v.check(dlg.Check3[0], d.showStopOrder);
    v.combo(dlg.Combo4[0], d.stopOrderCell);
    v.check(dlg.Check3[4], d.countFromZero);
    v.check(dlg.Check3[1], d.showTicketNumber);
    v.combo(dlg.Combo4[1], d.ticketNumberCell);
    v.check(dlg.Check3[2], d.showRouteNumber);
    v.combo(dlg.Combo4[2], d.routeNumberCell);
    v.check(dlg.Check3[3], d.showDataColumn);
    v.combo(dlg.Combo4[4], d.dataColumn);
    v.combo(dlg.Combo4[3], d.dataColumnCell);

    v.colour(dlg.Command9[0], s.stopName.backColour);
    v.colour(dlg.Command9[1], s.stopName.textColour);
    v.combo(dlg.Combo3, s.stopName.font);
    v.check(dlg.Check4, s.stopName.bold);

    // The playing method sits above the mode on the dialog and comes first.
    auto &snd = s.sounds;
    v.text(dlg.txtSelectSound[0], snd.routeSetSound);
    v.text(dlg.txtSelectSound[1], snd.resetSound);
    v.option(dlg.Option6[0], snd.stepSynchronous);
    v.option(dlg.Option6[1], snd.stepAsynchronous);
    v.option(dlg.Option2[0], snd.stepAlways);
    v.option(dlg.Option2[1], snd.stepByColumn);
    v.text(dlg.txtSelectSound[7], snd.stepSound);
    v.combo(dlg.Combo1, snd.stepColumn);
    for (size_t i = 0; i < 3; ++i)
        v.text(dlg.txtSelectSound[8 + i], snd.stepSoundByValue[i]);
    v.option(dlg.Option7[0], snd.preSynchronous);
    v.option(dlg.Option7[1], snd.preAsynchronous);
    v.option(dlg.Option2[2], snd.preAlways);
    v.option(dlg.Option2[3], snd.preByFlag);
    v.text(dlg.txtSelectSound[3], snd.preSound);
    for (size_t i = 0; i < 3; ++i)
        v.text(dlg.txtSelectSound[4 + i], snd.preSoundByFlag[i]);

    auto &t = s.ticketPreview;
    v.check(dlg.chkUseSeiriPrev, t.usePreview);
    v.text(dlg.txtSeiriPlgDir, t.plugIn);
    v.option(dlg.Option4[0], t.dateRenewed);
    v.option(dlg.Option4[1], t.dateKept);
    v.option(dlg.Option4[2], t.dateFixed);
    v.text(dlg.Label10, t.fixedDate);
}

// Controls into records.
struct OptionReader {
    using T = ControlTransfer;
    void text(const auto *control, QString &field) { field = T::textValue(control); }
    void check(const auto *control, qint16 &field) { field = T::checkValue(control); }
    void option(const auto *control, qint16 &field) { field = T::optionValue(control); }
    void combo(const auto *control, qint16 &field) { field = T::comboValue(control); }
    void colour(const auto *control, OleColor &field) { field = T::colourValue(control); }
    void panelImagesDone() {}
};

// Records into controls; after a failure the rest is left as it was.
struct OptionWriter {
    ControlTransfer t;
    const OptionTransferHooks &hooks;
    void text(auto *control, const QString &field) { t.setTextValue(control, field); }
    void check(auto *control, qint16 field) { t.setCheckValue(control, field); }
    void option(auto *control, qint16 field) { t.setOptionValue(control, field); }
    void combo(auto *control, qint16 field) { t.setComboValue(control, field); }
    void colour(auto *control, OleColor field) { t.setColourValue(control, field); }
    // The user panel paths take effect on the board through the backlight
    // switch: click the state the panel shows once more (the third when
    // neither of the first two is chosen).
    void panelImagesDone()
    {
        if (t.failed() || !hooks.backlight[2])
            return;
        QAbstractButton *state = hooks.backlight[2];
        for (size_t i = 0; i < 2; ++i) {
            if (hooks.backlight[i] && hooks.backlight[i]->isChecked()) {
                state = hooks.backlight[i];
                break;
            }
        }
        ControlTransfer::runClick(state);
    }
};

template<typename Dialog>
void GetOptionInfo(const Dialog &dlg, SettingsFile &s)
{
    OptionReader reader;
    visitOptions(dlg, s, reader);
}

// Restores the dialog from the records. Returns the first failure (a value a
// control cannot take); the fields after it are left as they were.
template<typename Dialog>
std::optional<IniFailure> SetOptionInfo(Dialog &dlg, const SettingsFile &s,
                                        const OptionTransferHooks &hooks = {})
{
    OptionWriter writer{{}, hooks};
    visitOptions(dlg, s, writer);
    if (writer.t.failed())
        return writer.t.failure;
    if (hooks.loadPlugIn)
        hooks.loadPlugIn(ControlTransfer::textValue(dlg.txtSeiriPlgDir));
    return std::nullopt;
}

} // namespace lumina
