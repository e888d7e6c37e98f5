#include "app/BoardPicture.h"

#include "app/SettingsStore.h"
#include "controls/StopNameStrip.h"
#include "hostlib/HostLib.h"
#include "options/OptionsDialog.h"
#include "panel/PanelController.h"
#include "route/FareTable.h"
#include "route/RouteSetting.h"
#include "settings/SettingsIo.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace lumina {

// A host that shows nothing: every box is kept as text and answered as closed.
class BoardPictures::Host final : public HostLib
{
public:
    QStringList messages;

    int digitDialog(QWidget *, qint16, qint16 &, qint16 &, qint16 &) override { return 0; }
    int versionBox(QWidget *, int, const QString &) override { return 0; }
    int datePicker(QWidget *, SystemTime &) override { return 0; }
    QString fileDialog(QWidget *, int, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    QString folderDialog(QWidget *, const QString &) override { return {}; }
    QString saveFileDialog(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
    int colourDialog(QWidget *, OleColor &, CustomColors &) override { return 0; }
    MessageResult messageBox(QWidget *, const QString &text, const QString &, MessageButtons buttons,
                         MessageIcon) override
    {
        messages << text;
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
    bool openFolder(const QString &) override { return false; }
};

BoardPictures::BoardPictures()
    : m_host(new Host)
{
    setHost(m_host);
}

BoardPictures::~BoardPictures()
{
    setHost(nullptr);
    delete m_host;
}

const QStringList &BoardPictures::messages() const
{
    return m_host->messages;
}

int BoardPictures::stopCount() const
{
    return routeState().stopCount;
}

namespace {

// A settings file named on purpose must be whole; the program would start
// with what a damaged one holds, a picture would silently show something else.
QString settingsProblem(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("設定ファイル「%1」を開けませんでした。").arg(path);
    SettingsFile records = initialRecords();
    SettingsReader reader;
    if (!reader.read(&file, records))
        return QStringLiteral("設定ファイル「%1」は壊れているか、途中で終わっています。").arg(path);
    return {};
}

} // namespace

bool BoardPictures::prepare(const BoardPictureRequest &request)
{
    m_program.buildWindows();
    BoardWindow *board = m_program.board();
    // The picture shows the board as it starts, before the clock's first tick.
    board->Timer1->stop();
    board->ChimeiCtl->setClock([this] { return m_stripTime; });

    if (!request.settingsFile.isEmpty()) {
        const QString problem = settingsProblem(request.settingsFile);
        if (!problem.isEmpty()) {
            m_host->messages << problem;
            return false;
        }
        IniTargets targets;
        targets.board = board;
        targets.panel = m_program.panel();
        targets.options = m_program.options();
        targets.setProp = [this] { m_program.seams().setProp(); };
        targets.loadPlugIn = [this](const QString &path) { m_program.options()->SetPlgin(path); };
        IniLocation location;
        location.chosenFile = request.settingsFile;
        SettingsFile records = initialRecords();
        if (!loadIni(targets, location, records))
            return false;
    }
    board->setBoardScale(request.scale);
    m_program.shapeBoard();
    m_program.panel()->Check2->setChecked(request.lateNight);

    // The route number the file is named after, as the program finds a
    // route's file by its number.
    RouteEntry entry{QFileInfo(request.routeFile).completeBaseName(), request.section};
    RouteLoad load = loadRouteFile(request.routeFile, entry);
    if (!load.loaded()) {
        m_host->messages << load.message;
        return false;
    }
    applyRoute(routeState(), std::move(load));
    m_program.controlPanel()->routeStarted();
    return true;
}

QImage BoardPictures::picture(int n)
{
    RouteState &route = routeState();
    if (n < 1 || n > route.stopCount)
        return {};
    route.currentStop = qint16(n - 1);
    m_program.controlPanel()->DispData(n);
    // A long name waits below the strip and then rises; the first frame with
    // the name at the top is the one that shows it. One scroll round at a
    // time, so no frame is skipped; a scroll of more than ten minutes is
    // not waited for.
    StopNameStrip *strip = m_program.board()->ChimeiCtl;
    constexpr qint64 kRound = 1000000 / StopNameStrip::kRoundsPerSecond;
    for (qint64 end = m_stripTime + 600LL * 1000000;
         strip->isScrolling() && strip->layerTop() > 0 && m_stripTime < end;) {
        m_stripTime += kRound;
        strip->advanceScroll();
    }
    return m_program.board()->grab().toImage();
}

} // namespace lumina
