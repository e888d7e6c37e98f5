#pragma once

#include "route/BoardUpdate.h"
#include "settings/IniError.h"
#include "settings/SettingsFile.h"

#include <optional>
#include <tuple>

// Every option in the order of the controls on the options dialog, each with
// its kind: a text, a check value (0 off, 1 on, 2 greyed), a colour, a list
// choice (0-based, -1 for none) out of a given number of entries, or a group of
// option values (-1 chosen, 0 not) of which choosing one unchooses the others.
//
// One walk serves every direction: `v` is handed the same field of each record
// passed, so a visitor can compare, copy or show them.
namespace lumina {

// Entries of the dialog's lists.
constexpr int kTicketStyleChoices = 12;
constexpr int kCellChoices = kCellCount;
constexpr int kDataColumnChoices = 150;
constexpr int kStripFontChoices = 5;

template<typename Visitor, typename... Records>
void visitOptionFields(Visitor &v, Records &...s)
{
    v.text(s.folders.fareDataFolder...);
    v.text(s.folders.announcementDataFolder...);

    v.check(s.panel.autoTicketNumbers...);
    for (size_t i = 0; i < 3; ++i)
        v.colour(s.panel.ticketNumberColours[i]...);
    v.choice(kTicketStyleChoices, s.panel.ticketNumberStyle...);
    v.check(s.panel.leadingZero...);
    v.group(std::tie(s.panel.panelsAutomatic, s.panel.panelsIndividual)...);
    v.group(std::tie(s.panel.offBuiltIn, s.panel.offUserPanel)...);
    v.group(std::tie(s.panel.on1BuiltIn, s.panel.on1UserPanel)...);
    v.group(std::tie(s.panel.on2BuiltIn, s.panel.on2UserPanel)...);
    for (size_t i = 0; i < 3; ++i)
        v.text(s.panel.userPanelImages[i]...);

    v.colour(s.infoDigits.backColour...);
    v.colour(s.infoDigits.unlitColour...);
    v.colour(s.infoDigits.litColour...);
    v.check(s.infoDigits.showStopOrder...);
    v.choice(kCellChoices, s.infoDigits.stopOrderCell...);
    v.check(s.infoDigits.countFromZero...);
    v.check(s.infoDigits.showTicketNumber...);
    v.choice(kCellChoices, s.infoDigits.ticketNumberCell...);
    v.check(s.infoDigits.showRouteNumber...);
    v.choice(kCellChoices, s.infoDigits.routeNumberCell...);
    v.check(s.infoDigits.showDataColumn...);
    v.choice(kDataColumnChoices, s.infoDigits.dataColumn...);
    v.choice(kCellChoices, s.infoDigits.dataColumnCell...);

    v.colour(s.stopName.backColour...);
    v.colour(s.stopName.textColour...);
    v.choice(kStripFontChoices, s.stopName.font...);
    v.check(s.stopName.bold...);

    // The playing method sits above the mode on the dialog and comes first.
    v.text(s.sounds.routeSetSound...);
    v.text(s.sounds.resetSound...);
    v.group(std::tie(s.sounds.stepSynchronous, s.sounds.stepAsynchronous)...);
    v.group(std::tie(s.sounds.stepAlways, s.sounds.stepByColumn)...);
    v.text(s.sounds.stepSound...);
    v.choice(kDataColumnChoices, s.sounds.stepColumn...);
    for (size_t i = 0; i < 3; ++i)
        v.text(s.sounds.stepSoundByValue[i]...);
    v.group(std::tie(s.sounds.preSynchronous, s.sounds.preAsynchronous)...);
    v.group(std::tie(s.sounds.preAlways, s.sounds.preByFlag)...);
    v.text(s.sounds.preSound...);
    for (size_t i = 0; i < 3; ++i)
        v.text(s.sounds.preSoundByFlag[i]...);

    v.check(s.ticketPreview.usePreview...);
    v.text(s.ticketPreview.plugIn...);
    v.group(std::tie(s.ticketPreview.dateRenewed, s.ticketPreview.dateKept,
                     s.ticketPreview.dateFixed)...);
    v.text(s.ticketPreview.fixedDate...);
}

// Takes the options of `from` into `into` in dialog order, as the dialog took
// them from a settings file: a check value outside 0..2 or a list choice
// outside its list stops the walk with error 380, and `into` keeps its own
// value for that field and every field after it. Choosing an option of a group
// unchooses the others. The custom colours are taken whatever happens.
std::optional<IniFailure> takeOptions(SettingsFile &into, const SettingsFile &from);

// The sound fields, numbered as on the options page (2 has no field).
namespace soundField {
constexpr int kRouteSet = 0;
constexpr int kReset = 1;
constexpr int kPre = 3;
constexpr int kPreFlag1 = 4;
constexpr int kStep = 7;
constexpr int kStepValue1 = 8;
constexpr int kCount = 11;
} // namespace soundField

// The file of sound field `field`, or nullptr for a number without a field.
QString *soundFile(SoundSettings &sounds, int field);
const QString *soundFile(const SoundSettings &sounds, int field);

// Whether a stored check value is one a check box can show: 0 off, 1 on, 2 greyed.
constexpr bool isCheckValue(qint16 value)
{
    return value >= 0 && value <= 2;
}

// The failure of the panel's stored state that its controls would refuse.
std::optional<IniFailure> panelStateFailure(const ControlPanelState &state);

// What the board update reads of the settings; late night is the panel's.
BoardOptions boardOptions(const SettingsFile &settings, bool lateNight);

// The index of the chosen option of a group, or `none` when none is.
template<typename... Values>
int chosenOption(int none, const Values &...values)
{
    int index = 0;
    int chosen = none;
    ((chosen = chosen == none && values != kNotChosen ? index : chosen, ++index), ...);
    return chosen;
}

} // namespace lumina
