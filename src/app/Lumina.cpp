#include "app/Lumina.h"
#include "app/ViewSettings.h"

#include "base/CodePage.h"
#include "base/Language.h"
#include "hostlib/HostLib.h"
#include "panel/PanelController.h"
#include "panel/TripPlayer.h"
#include "route/TripFile.h"
#include "settings/DataFolders.h"
#include "app/SettingsStore.h"
#include "base/Colors.h"
#include "shell/BoardWindow.h"
#include "base/Geometry.h"
#include "shell/PanelWindow.h"
#include "sound/SoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace lumina {

namespace {
Lumina *g_instance = nullptr;
constexpr int kFrameSettleMs = 300;
}

QString Lumina::codePageMissingMessage()
{
    return tr("文字コード「windows-31j」（シフトJIS）の変換機能が見つかりません。\r\n"
              "停留所名などの日本語の文字を正しく読み書きできません。\r\n"
              "設定ファイルを壊さないよう、終了しても設定は保存しません。");
}

Lumina::Lumina()
    : m_settings(initialRecords())
{
    g_instance = this;
    m_seams = defaultSeams();
}

Lumina::~Lumina()
{
    if (g_instance == this)
        g_instance = nullptr;
}

Lumina *Lumina::instance()
{
    return g_instance;
}

Seams Lumina::defaultSeams()
{
    Seams s;
    s.initFareCells = [this] {
        m_board->resetCells();
    };
    s.setProp = [this] { applySettings(); };
    s.initSpeech = [this] {
        if (m_controlPanel)
            m_controlPanel->startSpeech();
    };
    s.loadIni = [] { LoadIni(); };
    s.clearStopName = [this] {
        if (m_board)
            m_board->setStopName(QString());
    };
    s.stopAllSounds = [] { soundPlayer().stopAll(); };
    s.releaseSpeech = [this] {
        if (m_controlPanel)
            m_controlPanel->releaseSpeech();
    };
    s.saveIni = [] { SaveIni(); };
    s.exit = [] { QCoreApplication::exit(0); };
    return s;
}

void Lumina::buildWindows()
{
    m_board = std::make_unique<BoardWindow>();
    // The panel's controls exist from the start (the options reach its backlight
    // switch before it is shown); its load handler runs at step 4.
    m_panel = std::make_unique<PanelWindow>();
    connect(m_panel.get(), &PanelWindow::closeRequested, this,
            [this](bool *accept) { *accept = requestQuit(); });

    // 1. Fare cells first: style and blank.
    m_seams.initFareCells();
    // 2. Option defaults and board pictures, then the options onto the board.
    initBoardDefaults();
    // 3. The options dialog is loaded by now and stays hidden.
    // 4. The control panel: modeless, no owner; its load handler names the board
    //    and shapes the keys.
    m_panel->load(m_board.get());

    m_tripPlayer = std::make_unique<TripPlayer>(m_panel.get());
    connect(m_tripPlayer.get(), &TripPlayer::playingChanged, m_board.get(), &BoardWindow::setTripPlaying);
    connect(m_board.get(), &BoardWindow::tripPlayRequested, this, &Lumina::chooseTrip);
    connect(m_board.get(), &BoardWindow::tripStopRequested, m_tripPlayer.get(), &TripPlayer::stop);
}

void Lumina::playTrip(const QString &path)
{
    QFile file(path);
    TripReader reader;
    Trip trip;
    if (!file.open(QIODevice::ReadOnly) || !reader.read(&file, trip)) {
        const QString why = file.isOpen() ? reader.errorString() : file.errorString();
        host().messageBox(m_board.get(),
                          tr("運行ファイル「%1」は再生できません。\r\n%2").arg(QDir::toNativeSeparators(path), why),
                          QCoreApplication::applicationName(), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    m_tripPlayer->play(trip);
}

void Lumina::chooseTrip()
{
    const QString filter = tr("運行ファイル(*.trip)%1*.trip%1すべてのファイル(*.*)%1*.*%1%1").arg(QChar(0));
    // The bundled trips are where a first look finds them.
    const QString samples = sampleDataFolder();
    const QString folder = samples.isEmpty() ? QString() : QDir(samples).filePath(QStringLiteral("trips"));
    const QString path = host().fileDialog(m_board.get(), 0, filter, folder, tr("運行を再生"));
    if (!path.isEmpty())
        playTrip(path);
}

void Lumina::startUp()
{
    buildWindows();
    m_seams.initSpeech();
    m_panel->show();
    // 5. Panel on top.
    m_panel->raise();
    // 6, 7. Board top-left, panel bottom-right.
    placeWindows();
    // The scale the user chose last time, before the corners are rounded.
    m_board->setBoardScale(storedBoardScale());
    connect(m_board.get(), &BoardWindow::boardScaleChanged, this, [](int scale) { storeBoardScale(scale); });
    m_board->setStaysOnTop(storedStaysOnTop());
    connect(m_board.get(), &BoardWindow::staysOnTopChanged, this, [](bool on) { storeStaysOnTop(on); });
    // The language chosen in the options is the user's for the next start too.
    connect(&Translations::instance(), &Translations::chosen, this,
            [](LanguageChoice choice) { storeLanguageChoice(choice); });
    // 8, 9. Rounded corners; the board is painted when it is first shown.
    shapeBoard();
    // Without the code page every Japanese text would be written as "?": say
    // so once, before anything is read.
    if (!cp932::available()) {
        host().messageBox(m_panel.get(), codePageMissingMessage(),
                          QCoreApplication::applicationName(), MessageButtons::Ok, MessageIcon::Warning);
    }
    // 10. The settings file restores options, panel state and positions.
    m_seams.loadIni();
    // The board appears last, once its load sequence is done.
    m_board->show();
    m_panel->raise();

    // A window manager tells the size of the panel's frame only once the
    // panel is on screen; place it again then, unless the settings placed it
    // (they keep it where they put it) or the user has moved it meanwhile.
    if (!m_panel->positionRestored()) {
        const QPoint placed = m_panel->pos();
        m_panelSettle.setSingleShot(true);
        m_panelSettle.callOnTimeout(this, [this, placed] {
            if (m_panel && !m_quitting && !m_panel->positionRestored() && m_panel->pos() == placed)
                placePanelAtBottomRight();
        });
        m_panelSettle.start(kFrameSettleMs);
    }
}

void Lumina::applySettings()
{
    if (m_controlPanel)
        m_controlPanel->applyOptions();
}

void Lumina::initBoardDefaults()
{
    if (!m_controlPanel)
        m_controlPanel = std::make_unique<PanelController>(m_board.get(), m_panel.get(), m_settings);
    m_seams.setProp();
}

void Lumina::placeWindows()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    m_board->move(area.topLeft());
    placePanelAtBottomRight();
}

void Lumina::placePanelAtBottomRight()
{
    QScreen *screen = m_panel->screen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize frame = m_panel->frameGeometry().size();
    m_panel->move(area.right() + 1 - frame.width(), area.bottom() + 1 - frame.height());
}

void Lumina::shapeBoard()
{
    m_board->applyRoundRegion();
}

bool Lumina::requestQuit()
{
    if (m_quitting)
        return true;
    const MessageResult answer =
        host().messageBox(m_panel.get(), tr("ルミナを終了しますか？"), tr("ルミナの終了確認"), MessageButtons::YesNo, MessageIcon::Question);
    if (answer != MessageResult::Yes)
        return false;
    shutDown();
    return true;
}

void Lumina::shutDown()
{
    m_quitting = true;
    if (m_tripPlayer)
        m_tripPlayer->stop();
    m_seams.clearStopName();
    m_panel->deleteKeyRegions();
    m_seams.stopAllSounds();
    m_seams.releaseSpeech();
    m_seams.saveIni();
    m_seams.exit();
}

} // namespace lumina
