#include "panel/PanelController.h"

#include "base/Clock.h"
#include "base/Paths.h"
#include "base/CodePage.h"
#include "hostlib/HostLib.h"
#include "options/OptionsDialog.h"
#include "options/VoiceDialog.h"
#include "panel/PanelKeys.h"
#include "route/BoardUpdate.h"
#include "route/FareTable.h"
#include "route/RouteSetting.h"
#include "settings/OptionFields.h"
#include "hostlib/TicketPlugin.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"
#include "sound/SoundPlayer.h"
#include "sound/Speech.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>


namespace lumina {

namespace {

constexpr int kLampTestMilliseconds = 3000;

void showProblem(QWidget *owner, const BoardProblem &problem)
{
    if (problem)
        host().messageBox(owner, problem->text, problem->title, MessageButtons::Ok, MessageIcon::Critical);
}

} // namespace

PanelController::PanelController(BoardWindow *board, PanelWindow *panel, SettingsFile &settings,
                                 QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_panel(panel)
    , m_settings(settings)
{
    runOptionsDialog = [](OptionsDialog &dialog) { dialog.exec(); };
    connectPanel();
    // The keyboard presses the same buttons.
    new PanelKeys(m_board, m_panel, this);
}

PanelController::~PanelController() = default;

void PanelController::connectPanel()
{
    PanelWindow *panel = m_panel;
    connect(panel, &PanelWindow::keypadPressed, this, &PanelController::pressKeypad);
    connect(panel, &PanelWindow::digitListChosen, this, &PanelController::digitListClicked);
    connect(panel, &PanelWindow::routeSetRequested, this, &PanelController::setRouteFrom);
    connect(panel, &PanelWindow::stepRequested, this, &PanelController::step);
    connect(panel, &PanelWindow::scrollChanged, this, &PanelController::scrollStopName);
    // A restore that leaves a slider where it starts moves nothing: the strip
    // takes the sliders' values now, as their readouts show them.
    scrollStopName(panel->scrollSpeed(), panel->scrollWait());
    connect(panel, &PanelWindow::clearToggled, this, &PanelController::clearDisplay);
    connect(panel, &PanelWindow::optionsRequested, this, &PanelController::openOptions);
    connect(panel, &PanelWindow::versionRequested, this, &PanelController::showVersion);
    connect(panel, &PanelWindow::backlightChosen, this, &PanelController::chooseBacklight);
    connect(panel, &PanelWindow::tapeNextRequested, this, &PanelController::tapeNext);
    connect(panel, &PanelWindow::tapeBackRequested, this, &PanelController::tapeBack);
    connect(panel, &PanelWindow::tapeStopRequested, this, &PanelController::tapeStop);
    connect(panel, &PanelWindow::tapeAdjustRequested, this, &PanelController::adjustTape);
    connect(panel, &PanelWindow::copyTicketRequested, this, &PanelController::copyTicket);
}

void PanelController::copyTicket()
{
    // An image replaces whatever the clipboard held, text included.
    QGuiApplication::clipboard()->setImage(m_panel->ticketImage());
}

void PanelController::drawTicketPreview(int n, const QString &date, const QString &time)
{
    m_panel->clearTicket();
    if (m_settings.ticketPreview.usePreview != 0) {
        RouteState &route = routeState();
        FareRecord &entry = route.fares.entry(n);
        QString stopName = entry.stopName;
        QString ticketDate = date;
        host().drawTicket(m_settings.ticketPreview.plugIn, m_panel->ticketImage(), stopName,
                                 ticketDate, time, route.routeNumber.toInt(), entry.ticketNumber,
                                 qint16(n), m_panel->companyIndex());
        entry.stopName = stopName;
    }
    m_panel->showTicket();
}

void PanelController::playSoundField(int field, const QString &slot, bool synchronous)
{
    if (const QString *path = soundFile(m_settings.sounds, field))
        soundPlayer().play(*path, slot, synchronous);
}

void PanelController::pressKeypad(int key)
{
    // The key sound comes first, also for a digit that is refused below.
    playSoundField(1, QStringLiteral("S1"), false);
    if (key == PanelWindow::kRouteKey || key == PanelWindow::kSectionKey) {
        m_keypadOnRoute = key == PanelWindow::kRouteKey;
        if (m_keypadOnRoute)
            m_panel->setKeypadRoute(QString());
        else
            m_panel->setKeypadSection(QString());
        return;
    }
    Q_ASSERT(key >= 0 && key <= 9); // the panel has no other keys
    const QString shown = m_keypadOnRoute ? m_panel->keypadRoute() : m_panel->keypadSection();
    const int limit = m_keypadOnRoute ? PanelWindow::kRouteDigits : PanelWindow::kSectionDigits;
    if (shown.size() >= limit)
        return;
    if (m_keypadOnRoute)
        m_panel->setKeypadRoute(shown + QString::number(key));
    else
        m_panel->setKeypadSection(shown + QString::number(key));
}

void PanelController::digitListClicked(bool routeList)
{
    playSoundField(routeList ? 1 : 0, QStringLiteral("S1"), false);
}

void PanelController::clearDisplay(bool cleared)
{
    m_board->setDisplayCleared(cleared);
    m_panel->setRouteControlsEnabled(!cleared);
    updateTapeGroup();
    if (!cleared)
        showStop(routeState().currentStop + 1);
}

void PanelController::scrollStopName(int speed, int wait)
{
    m_board->setScroll(speed, wait);
}

void PanelController::openOptions()
{
    m_board->setEnabled(false);
    m_panel->setEnabled(false);
    // One dialog for the run, so it opens again at the page it was left on.
    if (!m_optionsDialog) {
        m_optionsDialog = std::make_unique<OptionsDialog>();
        connect(m_optionsDialog.get(), &OptionsDialog::applyRequested, this, [this] {
            m_settings = m_optionsDialog->settings();
            applyOptions();
        });
    }
    m_optionsDialog->setSettings(m_settings);
    runOptionsDialog(*m_optionsDialog);
    m_board->setEnabled(true);
    m_panel->setEnabled(true);
    // Font and colour changes show at once on the stop name.
    m_board->setStopName(QString());
    const RouteState &route = routeState();
    if (FareTable::contains(route.currentStop + 1))
        m_board->setStopName(route.fares.entry(route.currentStop + 1).stopName);
}

QString PanelController::versionText(int year)
{
    return tr("型番：%1\r\nバージョン：%2\r\n\r\n配布：ルミナ プロジェクト\r\n開発：ルミナ開発チーム (C) %3\r\n")
        .arg(PanelWindow::modelName(),
             QStringLiteral("%1.%2.%3").arg(LUMINA_VERSION_MAJOR).arg(LUMINA_VERSION_MINOR).arg(LUMINA_VERSION_PATCH),
             QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')));
}

void PanelController::showVersion()
{
    m_board->setEnabled(false);
    host().versionBox(m_panel, 1, versionText(clock().now().date().year()));
    m_board->setEnabled(true);
}

void PanelController::setRouteFrom(RouteEntrySource source)
{
    const QString fareFolder = m_settings.folders.fareDataFolder;
    const QString tapeFolder = m_settings.folders.announcementDataFolder;

    playSoundField(0, QStringLiteral("S1"), false);

    RouteEntry entry;
    if (source == RouteEntrySource::Keypad)
        entry = entryFromKeypad(m_panel->keypadRoute(), m_panel->keypadSection());
    else
        entry = entryFromLists(m_panel->listedRoute(), m_panel->listedSection());
    // The announcement file is read before the fare file, as the sound above
    // already plays, but it goes into force only with the route.
    TapeLoad tape = readTape(joinFolder(tapeFolder, tapeFileName(routeKey(entry.routeNumber))));

    // A route that fails any check leaves the previous one wholly in force,
    // its tape included.
    RouteState &route = routeState();
    if (!setRoute(route, fareFolder, entry, m_panel))
        return;
    m_tape.load(std::move(tape));
    updateTapeGroup();

    // Lamp test: every segment of every cell lit for three seconds.
    m_board->setStopName(QStringLiteral("系統選別中"));
    m_board->lightAllCells();
    {
        const InputWait wait;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        clock().pause(kLampTestMilliseconds);
    }
    routeStarted();
    showStop(route.currentStop + 1);
}

void PanelController::routeStarted()
{
    m_board->setAllCells(0);
    m_panel->setSteppingEnabled(true);
    m_panel->setClearEnabled(true);
    const TicketPreviewSettings &ticket = m_settings.ticketPreview;
    routeState().ticketDate = ticketDateAtSetting(
        chosenOption(2, ticket.dateRenewed, ticket.dateKept, ticket.dateFixed),
        clock().now().date(), ticket.fixedDate);
}

void PanelController::step(Direction direction)
{
    RouteState &route = routeState();
    if (!stepRoute(route, int(direction)))
        return;
    const FareRecord &arrived = route.fares.entry(route.currentStop + 1);
    const SoundSettings &sounds = m_settings.sounds;
    const int field = stepSoundField(sounds.stepAlways != kNotChosen, arrived, sounds.stepColumn + 1);
    if (field >= 0)
        playSoundField(field, QStringLiteral("S2"), sounds.stepSynchronous != kNotChosen);
    showStop(route.currentStop + 1);
}

void PanelController::showStop(int n)
{
    RouteState &route = routeState();
    if (!FareTable::contains(n))
        return;

    const BoardView view =
        boardView(route, n, boardOptions(m_settings, m_panel->lateNight()), clock().now());

    m_board->showFares(view);
    drawTicketPreview(n, view.ticketDate, view.ticketTime);
    // Let the board show the fares before the stop name starts; input waits so
    // that a click cannot start another update inside this one.
    {
        const InputWait wait;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    m_board->setStopName(route.fares.entry(n).stopName);
}

void PanelController::startSpeech()
{
    connect(&speech(), &Speech::readyChanged, this, &PanelController::setSpeechAvailable,
            Qt::UniqueConnection);
    speech().start(VoiceSettings::load());
    setSpeechAvailable(speech().isReady());
}

void PanelController::releaseSpeech()
{
    disconnect(&speech(), &Speech::readyChanged, this, &PanelController::setSpeechAvailable);
    speech().release();
}

void PanelController::setSpeechAvailable(bool available)
{
    m_speechAvailable = available;
    m_panel->showSpeechAvailable(available);
    updateTapeGroup();
}

void PanelController::updateTapeGroup()
{
    // The voice can be adjusted before any route; recorded entries play
    // without a speech engine.
    const bool cleared = m_panel->displayCleared();
    m_panel->setTapeEnabled(m_tape.loaded() && !cleared, m_speechAvailable && !cleared);
}

PreAnnouncement PanelController::preAnnouncement() const
{
    const SoundSettings &chosen = m_settings.sounds;
    PreAnnouncement sounds;
    sounds.always = chosen.preAlways != kNotChosen;
    sounds.synchronous = chosen.preSynchronous != kNotChosen;
    sounds.alwaysSound = chosen.preSound;
    sounds.flagSounds = chosen.preSoundByFlag;
    return sounds;
}

void PanelController::tapeNext()
{
    m_tape.forward(preAnnouncement());
    // The entry now current decides, also when the tape stood at its end.
    if (m_tape.stepFlag(m_tape.position()) == 1)
        step(Direction::Forward);
}

void PanelController::tapeBack()
{
    m_tape.back(preAnnouncement());
    if (m_tape.stepFlag(m_tape.position()) == 1)
        step(Direction::Back);
}

void PanelController::tapeStop()
{
    m_tape.stop();
}

void PanelController::adjustTape()
{
    // Window-modal but not blocking: the panel waits, the board goes on.
    auto *dialog = new VoiceDialog(m_panel);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void PanelController::chooseBacklight(int state)
{
    if (state < 0 || state > 2)
        return;
    showProblem(m_panel, m_board->showBacklight(state, m_settings.panel));
}

void PanelController::applyOptions()
{
    showProblem(m_board, m_board->applyOptions(m_settings));
    chooseBacklight(m_panel->backlight());
    takePlugIn(m_settings.ticketPreview.plugIn);
}

void PanelController::takePlugIn(const QString &path)
{
    if (path == m_plugIn)
        return;
    PlugInInfo info;
    if (path.isEmpty() || host().plugInInfo(path, info) == 0)
        return;
    m_plugIn = path;
    m_panel->setTicketSize(info.previewWidth, info.previewHeight);
    // The company list belongs to the plug-in: a new one replaces it whole.
    m_panel->replaceCompanies(path, info.companyCount);
}

} // namespace lumina
