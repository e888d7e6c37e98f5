#include "app/BoardPicture.h"

#include "app/SettingsStore.h"
#include "base/Clock.h"
#include "controls/StopNameStrip.h"
#include "route/BoardUpdate.h"
#include "route/RouteSetting.h"
#include "settings/OptionFields.h"
#include "settings/SettingsIo.h"
#include "shell/BoardWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace lumina {

BoardPictures::BoardPictures()
    : m_settings(initialRecords())
{
}

BoardPictures::~BoardPictures() = default;

void BoardPictures::note(const BoardProblem &problem)
{
    if (problem)
        m_messages << problem->text;
}

bool readSettingsFile(const QString &path, SettingsFile &settings, QString &why)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        why = QCoreApplication::translate("lumina::BoardPictures", "設定ファイル「%1」を開けませんでした。").arg(path);
        return false;
    }
    SettingsFile loaded = settings;
    SettingsReader reader;
    if (!reader.read(&file, loaded)) {
        why = QCoreApplication::translate("lumina::BoardPictures", "設定ファイル「%1」は壊れているか、途中で終わっています。").arg(path);
        return false;
    }
    std::optional<IniFailure> failure = takeOptions(settings, loaded);
    if (!failure)
        failure = panelStateFailure(loaded.controlPanel);
    if (failure) {
        why = settingsLoadFailureMessage(*failure);
        return false;
    }
    settings.cells = loaded.cells;
    settings.controlPanel = loaded.controlPanel;
    return true;
}

bool BoardPictures::prepare(const BoardPictureRequest &request)
{
    if (QString why; !request.settingsFile.isEmpty() && !readSettingsFile(request.settingsFile, m_settings, why)) {
        m_messages << why;
        return false;
    }
    m_board = std::make_unique<BoardWindow>();
    // The picture shows the board as it starts, before the clock's first tick.
    m_board->stopClock();
    m_board->setStripClock([this] { return m_stripTime; });
    m_board->restoreCells(m_settings);
    note(m_board->applyOptions(m_settings));
    // The panel starts with the backlight off.
    note(m_board->showBacklight(0, m_settings.panel));
    m_board->setBoardScale(request.scale);
    m_board->applyRoundRegion();
    m_lateNight = request.lateNight;

    // The route number the file is named after, as the program finds a
    // route's file by its number.
    RouteEntry entry{QFileInfo(request.routeFile).completeBaseName(), request.section};
    RouteLoad load = loadRouteFile(request.routeFile, entry);
    if (!load.loaded()) {
        m_messages << load.message;
        return false;
    }
    applyRoute(m_route, std::move(load));
    const TicketPreviewSettings &ticket = m_settings.ticketPreview;
    m_route.ticketDate = ticketDateAtSetting(
        chosenOption(2, ticket.dateRenewed, ticket.dateKept, ticket.dateFixed),
        clock().now().date(), ticket.fixedDate);
    return true;
}

QImage BoardPictures::picture(int n)
{
    if (!m_board || n < 1 || n > m_route.stopCount)
        return {};
    m_board->showFares(
        boardView(m_route, n, boardOptions(m_settings, m_lateNight), clock().now()));
    m_board->setStopName(m_route.fares.entry(n).stopName);
    // A long name waits below the strip and then rises; the first frame with
    // the name at the top is the one that shows it. One scroll round at a
    // time, so no frame is skipped; a scroll of more than ten minutes is
    // not waited for.
    constexpr qint64 kRound = 1000000 / StopNameStrip::kRoundsPerSecond;
    for (qint64 end = m_stripTime + 600LL * 1000000;
         m_board->stopNameRising() && m_stripTime < end;) {
        m_stripTime += kRound;
        m_board->advanceStopName();
    }
    return m_board->boardPicture();
}

} // namespace lumina
