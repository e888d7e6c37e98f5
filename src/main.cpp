#include "base/Fonts.h"
#include "base/Language.h"
#include "app/Lumina.h"
#include "sound/QtSpeech.h"
#include "settings/DataFolders.h"
#include "app/SettingsStore.h"
#include "shell/CommandLine.h"
#include "app/FirstStart.h"
#include "app/ViewSettings.h"
#include "shell/BoardWindow.h"
#include "shell/PanelWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QIcon>
#include <QLoggingCategory>
#include <QStyleFactory>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <functional>

namespace {

Q_LOGGING_CATEGORY(lcStartup, "lumina.startup", QtWarningMsg)

// Says once, under "lumina.startup" at info level, when both main windows are
// on screen; a start-up measurement waits for that line. Then runs `shown`.
class StartupProbe : public QObject
{
public:
    StartupProbe(QWidget *board, QWidget *panel, const QElapsedTimer &sinceMain, std::function<void()> shown)
        : m_board(board), m_panel(panel), m_sinceMain(sinceMain), m_shown(std::move(shown))
    {
        for (QWidget *w : {board, panel}) {
            if (w && w->windowHandle())
                w->windowHandle()->installEventFilter(this);
        }
        check();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose)
            check();
        return QObject::eventFilter(watched, event);
    }

private:
    static bool exposed(QWidget *w) { return w && w->windowHandle() && w->windowHandle()->isExposed(); }

    void check()
    {
        if (m_told || !exposed(m_board) || !exposed(m_panel))
            return;
        m_told = true;
        qCInfo(lcStartup, "both windows shown, %lld ms after main()", m_sinceMain.elapsed());
        // From the event loop, not from inside the window system's event.
        QTimer::singleShot(0, this, m_shown);
    }

    QWidget *m_board;
    QWidget *m_panel;
    const QElapsedTimer &m_sinceMain;
    std::function<void()> m_shown;
    bool m_told = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();
    QCoreApplication::setApplicationName(QStringLiteral("Lumina"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(LUMINA_VERSION_MAJOR)
                                                .arg(LUMINA_VERSION_MINOR)
                                                .arg(LUMINA_VERSION_PATCH));

    // The command line is read before the windowing system is reached, so that
    // --help, --version and a mistake are answered without a display.
    lumina::CommandLine commandLine;
    // The language: --lang, else the one chosen in the options, else the system's.
    const auto language = [&] {
        return lumina::preferredChoice(commandLine.language, lumina::storedLanguageChoice());
    };
    {
        QCoreApplication reader(argc, argv);
        commandLine = lumina::parseCommandLine(QCoreApplication::arguments());
        // Help and complaints in the language the user reads.
        if (commandLine.action != lumina::CommandLine::Action::Run) {
            lumina::Translations::instance().choose(language());
            commandLine = lumina::parseCommandLine(QCoreApplication::arguments());
        }
    }
    if (commandLine.action != lumina::CommandLine::Action::Run) {
        std::FILE *stream = commandLine.action == lumina::CommandLine::Action::Fail ? stderr : stdout;
        std::fputs(commandLine.text.toLocal8Bit().constData(), stream);
        return commandLine.exitStatus();
    }

    QApplication app(argc, argv);
    lumina::Translations::instance().choose(language());
    QGuiApplication::setDesktopFileName(QStringLiteral(LUMINA_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lumina/" LUMINA_APP_ID ".svg")));
    // One look on every platform, so the faces match the layouts.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The panel's close request is the only way out; hiding windows must not end
    // the program on its own.
    QApplication::setQuitOnLastWindowClosed(false);
    lumina::registerFonts();

    // The announcements speak through the platform's speech engine.
    lumina::QtSpeech speechEngine;
    lumina::setSpeech(&speechEngine);
    lumina::IniLocation &location = lumina::iniLocation();
    location.chosenFile = commandLine.settingsFile;

    lumina::Lumina program;
    lumina::startWithSamplesIfNew(program, location, lumina::sampleDataFolder());
    program.startUp();
    const StartupProbe probe(program.board(), program.panel(), sinceMain, [&] {
        if (!commandLine.tripFile.isEmpty())
            program.playTrip(commandLine.tripFile);
    });
    const int status = app.exec();
    lumina::setSpeech(nullptr);
    return status;
}
