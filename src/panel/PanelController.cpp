#include "panel/PanelController.h"
#include "base/Geometry.h"

#include "controls/StopNameStrip.h"
#include "controls/DigitRow.h"
#include "controls/FareCell.h"
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
#include "base/Colors.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"
#include "sound/SoundPlayer.h"
#include "sound/Speech.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace lumina {

namespace {

constexpr int kRouteDigits = 5;
constexpr int kSectionDigits = 3;
constexpr int kLampTestMilliseconds = 3000;

// The selected index of an option-button group, or `fallback`.
template<size_t N>
int chosenIndex(const std::array<QRadioButton *, N> &group, int fallback)
{
    for (size_t i = 0; i < N; ++i) {
        if (group[i] && group[i]->isChecked())
            return int(i);
    }
    return fallback;
}

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

    for (int i = 0; i < 12; ++i)
        connect(m_panel->CommandButton1[size_t(i)], &QPushButton::clicked, this,
                [this, i] { CommandButton1_Click(i); });
    for (DigitList *list : m_panel->List2)
        connect(list, &DigitList::chosen, this, [this] { List_Click(true); });
    for (DigitList *list : m_panel->List3)
        connect(list, &DigitList::chosen, this, [this] { List_Click(false); });
    for (int k = 0; k < 2; ++k) {
        connect(m_panel->Command1[size_t(k)], &QPushButton::clicked, this,
                [this, k] { Command1_Click(k); });
        connect(m_panel->Command2[size_t(k)], &QPushButton::clicked, this,
                [this, k] { Command2_Click(k); });
        connect(m_panel->HScroll1[size_t(k)], &QScrollBar::valueChanged, this,
                [this, k] { HScroll1_Change(k); });
    }
    connect(m_panel->Check1, &QPushButton::toggled, this, [this] { Check1_Click(); });
    connect(m_panel->Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(m_panel->Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    for (int i = 0; i < 3; ++i)
        connect(m_panel->Option4[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { Option4_Click(i); });
    connect(m_panel->cmdTapeNext, &QPushButton::clicked, this, [this] { cmdTapeNext_Click(); });
    connect(m_panel->cmdTapeBack, &QPushButton::clicked, this, [this] { cmdTapeBack_Click(); });
    connect(m_panel->cmdTapeStop, &QPushButton::clicked, this, [this] { cmdTapeStop_Click(); });
    connect(m_panel->cmdTapeSet, &QPushButton::clicked, this, [this] { cmdTapeSet_Click(); });
    // Also when the settings restore the switch.
    connect(m_panel->Check4, &QPushButton::toggled, this, [this] { Check4_Click(); });
    connect(m_panel->picSeirikenPrev, &TicketPicture::mouseDown, this,
            &PanelController::picSeirikenPrev_MouseDown);
    connect(m_panel->MnuHideCopy, &QAction::triggered, this, [this] { MnuHideCopy_Click(); });
    // The keyboard presses the same buttons.
    new PanelKeys(m_board, m_panel, this);
}

PanelController::~PanelController() = default;

void PanelController::Check4_Click()
{
    const bool open = m_panel->Check4->isChecked();
    m_panel->setOuterWidth(open ? PanelWindow::kOpenWidth : PanelWindow::kClosedWidth);
    m_panel->Check4->setText(open ? QStringLiteral("<<") : QStringLiteral(">>"));
    m_panel->Check4->setToolTip(open ? QStringLiteral("整理券プレビューを隠します")
                                     : QStringLiteral("整理券プレビューを開きます"));
    // A panel placed at the screen's right edge would open beyond it; it
    // moves left just enough to stay whole on the screen.
    if (open && m_panel->isVisible()) {
        if (const QScreen *screen = m_panel->screen()) {
            const QRect area = screen->availableGeometry();
            const QRect frame = m_panel->frameGeometry();
            if (frame.right() > area.right())
                m_panel->move(std::max(area.left(), m_panel->x() - (frame.right() - area.right())),
                              m_panel->y());
        }
    }
}

void PanelController::picSeirikenPrev_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        m_panel->MnuHide->popup(globalPos);
}

void PanelController::MnuHideCopy_Click()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(m_panel->picSeirikenPrev->image());
}

void PanelController::drawSeiriken(int n, const QString &date, const QString &time)
{
    TicketPicture *picture = m_panel->picSeirikenPrev;
    picture->Cls();
    if (m_settings.ticketPreview.usePreview != 0) {
        RouteState &route = routeState();
        FareRecord &entry = route.fares.entry(n);
        QString stopName = entry.stopName;
        QString ticketDate = date;
        host().drawTicket(m_settings.ticketPreview.plugIn, picture->image(), stopName,
                                 ticketDate, time, route.routeNumber.toInt(), entry.ticketNumber,
                                 qint16(n), m_panel->Combo1->currentIndex());
        entry.stopName = stopName;
    }
    picture->Refresh();
}

void PanelController::playSoundField(int field, const QString &slot, bool synchronous)
{
    if (const QString *path = soundFile(m_settings.sounds, field))
        soundPlayer().play(*path, slot, synchronous);
}

void PanelController::CommandButton1_Click(int index)
{
    // The key sound comes first, also for a digit that is refused below.
    playSoundField(1, QStringLiteral("S1"), false);
    if (index == 10 || index == 11) {
        m_panel->keypadTarget = index == 10;
        m_panel->Label2[index == 10 ? 0 : 2]->clear();
        return;
    }
    if (index < 0 || index > 9)
        return;
    QLabel *display = m_panel->Label2[m_panel->keypadTarget ? 0 : 2];
    const int limit = m_panel->keypadTarget ? kRouteDigits : kSectionDigits;
    if (display->text().size() >= limit)
        return;
    display->setText(display->text() + QString::number(index));
}

void PanelController::List_Click(bool routeList)
{
    playSoundField(routeList ? 1 : 0, QStringLiteral("S1"), false);
}

void PanelController::Check1_Click()
{
    const bool clear = m_panel->Check1->isChecked();
    if (clear) {
        m_board->stopNameStrip->setStopName(QString());
        for (int i = 1; i <= kCellCount; ++i)
            m_board->fareCells[size_t(i)]->blankAllPositions();
        m_board->clockTimer->stop();
        for (DigitRow *digit : m_board->clockDigits)
            digit->setValue(QString());
    } else if (m_board->clockDigits[0]->isVisible()) {
        m_board->clockTimer->start();
    }
    for (QWidget *frame : m_panel->Frame1)
        frame->setEnabled(!clear);
    for (QPushButton *step : m_panel->Command2)
        step->setEnabled(!clear);
    m_panel->Frame6->setEnabled(!clear);
    updateTapeFrame();
    if (!clear)
        DispData(routeState().currentStop + 1);
}

void PanelController::HScroll1_Change(int index)
{
    m_panel->Label1[size_t(index)]->setText(QString::number(m_panel->HScroll1[size_t(index)]->value()));
    m_board->stopNameStrip->setSpeed(m_panel->HScroll1[0]->value());
    m_board->stopNameStrip->setScrollStartWait(m_panel->HScroll1[1]->value());
}

void PanelController::Command4_Click()
{
    m_board->setEnabled(false);
    m_panel->setEnabled(false);
    // One dialog for the run, so it opens again at the page it was left on.
    if (!m_optionsDialog) {
        m_optionsDialog = std::make_unique<OptionsDialog>();
        connect(m_optionsDialog.get(), &OptionsDialog::applyRequested, this, [this] {
            m_settings = m_optionsDialog->settings();
            SetProp();
        });
    }
    m_optionsDialog->setSettings(m_settings);
    runOptionsDialog(*m_optionsDialog);
    m_board->setEnabled(true);
    m_panel->setEnabled(true);
    // Font and colour changes show at once on the stop name.
    m_board->stopNameStrip->setStopName(QString());
    const RouteState &route = routeState();
    if (FareTable::contains(route.currentStop + 1))
        m_board->stopNameStrip->setStopName(route.fares.entry(route.currentStop + 1).stopName);
}

QString PanelController::versionText(int year)
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("型番：") + PanelWindow::modelName() + crlf
        + QStringLiteral("バージョン：%1.%2.%3")
              .arg(LUMINA_VERSION_MAJOR)
              .arg(LUMINA_VERSION_MINOR)
              .arg(LUMINA_VERSION_PATCH)
        + crlf + crlf + QStringLiteral("配布：ルミナ プロジェクト") + crlf
        + QStringLiteral("開発：ルミナ開発チーム (C) %1").arg(year, 4, 10, QLatin1Char('0')) + crlf;
}

void PanelController::Command8_Click()
{
    m_board->setEnabled(false);
    host().versionBox(m_panel, 1, versionText(clock().now().date().year()));
    m_board->setEnabled(true);
}

void PanelController::Command1_Click(int index)
{
    const QString fareFolder = m_settings.folders.fareDataFolder;
    const QString tapeFolder = m_settings.folders.announcementDataFolder;

    playSoundField(0, QStringLiteral("S1"), false);

    RouteEntry entry;
    if (index == 1) {
        entry = entryFromKeypad(m_panel->Label2[0]->text(), m_panel->Label2[2]->text());
    } else {
        std::array<int, 5> route{};
        std::array<int, 3> section{};
        for (size_t i = 0; i < route.size(); ++i)
            route[i] = m_panel->List2[i]->currentRow();
        for (size_t i = 0; i < section.size(); ++i)
            section[i] = m_panel->List3[i]->currentRow();
        entry = entryFromLists(route, section);
    }
    // The announcement file is read before the fare file, as the sound above
    // already plays, but it goes into force only with the route.
    TapeLoad tape = readTape(joinFolder(tapeFolder, tapeFileName(routeKey(entry.routeNumber))));

    // A route that fails any check leaves the previous one wholly in force,
    // its tape included.
    RouteState &route = routeState();
    if (!setRoute(route, fareFolder, entry, m_panel))
        return;
    m_tape.load(std::move(tape));
    updateTapeFrame();

    // Lamp test: every segment of every cell lit for three seconds.
    m_board->stopNameStrip->setStopName(QStringLiteral("系統選別中"));
    for (int i = 1; i <= kCellCount; ++i)
        m_board->fareCells[size_t(i)]->lightAllPositions();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    clock().pause(kLampTestMilliseconds);
    routeStarted();
    DispData(route.currentStop + 1);
}

void PanelController::routeStarted()
{
    for (int i = 1; i <= kCellCount; ++i)
        m_board->fareCells[size_t(i)]->setValue(0);

    for (QPushButton *step : m_panel->Command2)
        step->setEnabled(true);
    m_panel->Check1->setEnabled(true);
    const TicketPreviewSettings &ticket = m_settings.ticketPreview;
    routeState().ticketDate = ticketDateAtSetting(
        chosenOption(2, ticket.dateRenewed, ticket.dateKept, ticket.dateFixed),
        clock().now().date(), ticket.fixedDate);
}

void PanelController::Command2_Click(int index)
{
    RouteState &route = routeState();
    if (!stepRoute(route, index))
        return;
    const FareRecord &arrived = route.fares.entry(route.currentStop + 1);
    const SoundSettings &sounds = m_settings.sounds;
    const int field = stepSoundField(sounds.stepAlways != kNotChosen, arrived, sounds.stepColumn + 1);
    if (field >= 0)
        playSoundField(field, QStringLiteral("S2"), sounds.stepSynchronous != kNotChosen);
    DispData(route.currentStop + 1);
}

void PanelController::DispData(int n)
{
    RouteState &route = routeState();
    if (!FareTable::contains(n))
        return;

    const BoardView view =
        boardView(route, n, boardOptions(m_settings, m_panel->Check2->isChecked()), clock().now());

    m_board->showFares(view);
    drawSeiriken(n, view.ticketDate, view.ticketTime);
    // Let the board show the fares before the stop name starts; input waits so
    // that a click cannot start another update inside this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_board->stopNameStrip->setStopName(route.fares.entry(n).stopName);
}

void PanelController::InitSpeech()
{
    setSpeechAvailable(false);
    connect(&speech(), &Speech::readyChanged, this, &PanelController::setSpeechAvailable,
            Qt::UniqueConnection);
    speech().start(VoiceSettings::load());
    setSpeechAvailable(speech().isReady());
}

void PanelController::ReleaseSpeech()
{
    disconnect(&speech(), &Speech::readyChanged, this, &PanelController::setSpeechAvailable);
    speech().release();
}

void PanelController::setSpeechAvailable(bool available)
{
    SpeechAvailable = available;
    m_panel->grpM_Tape->setTitle(available ? QStringLiteral("音合使用可")
                                           : QStringLiteral("音合使用不可"));
    updateTapeFrame();
}

void PanelController::updateTapeFrame()
{
    m_panel->grpM_Tape->setEnabled(SpeechAvailable && m_tape.loaded()
                                   && !m_panel->Check1->isChecked());
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

void PanelController::cmdTapeNext_Click()
{
    m_tape.forward(preAnnouncement());
    // The entry now current decides, also when the tape stood at its end.
    if (m_tape.stepFlag(m_tape.position()) == 1)
        Command2_Click(1);
}

void PanelController::cmdTapeBack_Click()
{
    m_tape.back(preAnnouncement());
    if (m_tape.stepFlag(m_tape.position()) == 1)
        Command2_Click(0);
}

void PanelController::cmdTapeStop_Click()
{
    m_tape.stop();
}

void PanelController::cmdTapeSet_Click()
{
    // Window-modal but not blocking: the panel waits, the board goes on.
    auto *dialog = new VoiceDialog(m_panel);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void PanelController::Option4_Click(int index)
{
    if (index < 0 || index > 2)
        return;
    showProblem(m_panel, m_board->showBacklight(index, m_settings.panel));
}

void PanelController::SetProp()
{
    showProblem(m_board, m_board->applyOptions(m_settings));
    Option4_Click(chosenIndex(m_panel->Option4, 2));
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
    m_panel->picSeirikenPrev->resize(px(info.previewWidth), px(info.previewHeight));
    // The company list belongs to the plug-in: a new one replaces it whole.
    m_panel->Combo1->clear();
    if (info.companyCount >= 1)
        host().addPlugInCompanies(path, m_panel->Combo1);
}

} // namespace lumina
