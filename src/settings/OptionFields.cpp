#include "settings/OptionFields.h"

#include <utility>

namespace lumina {

namespace {

// Copies field by field until the first value the dialog could not take.
struct OptionTaker {
    std::optional<IniFailure> failure;

    bool stopped() const { return failure.has_value(); }
    void stop() { failure = iniFailure(iniError::kInvalidPropertyValue); }

    template<typename T>
    void take(T &into, const T &from)
    {
        if (!stopped())
            into = from;
    }
    void text(QString &into, const QString &from) { take(into, from); }
    void colour(OleColor &into, const OleColor &from) { take(into, from); }
    void check(qint16 &into, const qint16 &from)
    {
        if (!stopped() && !isCheckValue(from))
            stop();
        take(into, from);
    }
    void choice(int count, qint16 &into, const qint16 &from)
    {
        if (!stopped() && (from < -1 || from >= count))
            stop();
        take(into, from);
    }
    // Any value other than 0 chooses its option.
    template<typename... Into, typename... From>
    void group(std::tuple<Into &...> into, std::tuple<From &...> from)
    {
        groupAt(into, from, std::index_sequence_for<Into...>{});
    }

private:
    template<typename Group, typename From, size_t... I>
    void groupAt(Group &into, const From &from, std::index_sequence<I...>)
    {
        (takeOption(into, std::get<I>(into), std::get<I>(from)), ...);
    }

    template<typename Group>
    void takeOption(Group &group, qint16 &target, qint16 source)
    {
        if (stopped())
            return;
        if (source == kNotChosen) {
            target = kNotChosen;
            return;
        }
        std::apply([](auto &...member) { ((member = kNotChosen), ...); }, group);
        target = kChosen;
    }
};

} // namespace

std::optional<IniFailure> takeOptions(SettingsFile &into, const SettingsFile &from)
{
    OptionTaker taker;
    into.customColours = from.customColours;
    visitOptionFields(taker, into, from);
    return taker.failure;
}

std::optional<IniFailure> panelStateFailure(const ControlPanelState &state)
{
    if (!isCheckValue(state.preview) || !isCheckValue(state.lateNight))
        return iniFailure(iniError::kInvalidPropertyValue);
    return std::nullopt;
}

BoardOptions boardOptions(const SettingsFile &settings, bool lateNight)
{
    const InfoDigitSettings &info = settings.infoDigits;
    const TicketPreviewSettings &ticket = settings.ticketPreview;
    BoardOptions options;
    options.lateNight = lateNight;
    options.infoOn = {info.showStopOrder != 0, info.showTicketNumber != 0,
                      info.showRouteNumber != 0, info.showDataColumn != 0,
                      info.countFromZero != 0};
    options.infoIndex = {info.stopOrderCell, info.ticketNumberCell, info.routeNumberCell,
                         info.dataColumnCell, info.dataColumn};
    // With no date mode chosen (a settings file can leave it so) the date
    // shown is the fixed one.
    options.dateMode = chosenOption(2, ticket.dateRenewed, ticket.dateKept, ticket.dateFixed);
    options.fixedDate = ticket.fixedDate;
    return options;
}

QString *soundFile(SoundSettings &sounds, int field)
{
    using namespace soundField;
    if (field == kRouteSet)
        return &sounds.routeSetSound;
    if (field == kReset)
        return &sounds.resetSound;
    if (field == kPre)
        return &sounds.preSound;
    if (field >= kPreFlag1 && field < kPreFlag1 + 3)
        return &sounds.preSoundByFlag[size_t(field - kPreFlag1)];
    if (field == kStep)
        return &sounds.stepSound;
    if (field >= kStepValue1 && field < kStepValue1 + 3)
        return &sounds.stepSoundByValue[size_t(field - kStepValue1)];
    return nullptr;
}

const QString *soundFile(const SoundSettings &sounds, int field)
{
    return soundFile(const_cast<SoundSettings &>(sounds), field);
}

} // namespace lumina
