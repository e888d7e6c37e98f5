#include "TestMain.h"

#include "settings/SettingsIo.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace lumina;

// The real program under a window manager that draws title bars and borders
// (Xvfb with openbox): started with a settings file, quit through the panel's
// close button and the question, and the file compared byte for byte.
class tst_StartQuit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void startAndQuitSavesWhatWasLoaded_data();
    void startAndQuitSavesWhatWasLoaded();
    void draggingTheBoard_data();
    void draggingTheBoard();

private:
    // Runs an X tool on our display; its output, or a null array on failure.
    QByteArray x11(const QString &program, const QStringList &args, int timeoutMs = 30000);
    // Starts the program in `dir` with `settings`; returns the board's and the
    // panel's window ids once the panel is framed.
    bool start(QProcess &program, const QTemporaryDir &dir, const QByteArray &settings);
    bool quit(QProcess &program, const QByteArray &panel);
    // The first shown window whose title matches, once there is one.
    QByteArray findWindow(const QString &title);
    // The board's outer top-left corner on the screen.
    QPoint boardPosition();
    // Drags from `from` (screen) step by step; see the definition.
    int drag(QPoint from, int maxSteps);
    static QByteArray settingsWith(qint32 panelLeft, qint32 panelTop, qint32 boardLeft,
                                   qint32 boardTop);

    QString m_display;
    QProcess m_server;
    QProcess m_windowManager;
    QByteArray m_board;
    QByteArray m_panel;
};

void tst_StartQuit::initTestCase()
{
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "xprop", "xwininfo"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/setup.sh)")
                                 .arg(QLatin1String(tool))));
    }
    // The server picks a free display number and tells it on its output. What
    // the X programs print besides goes nowhere: a pipe nobody reads while a
    // tool runs would fill up and stop them.
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                            QStringLiteral("-screen"), QStringLiteral("0"),
                                            QStringLiteral("1280x1024x24"),
                                            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QVERIFY(m_server.waitForStarted(30000));
    QVERIFY(QTest::qWaitFor([this] { return m_server.canReadLine(); }, 60000));
    m_display = QLatin1Char(':') + QString::fromLatin1(m_server.readLine().trimmed());
    QVERIFY(m_display.size() > 1);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    m_windowManager.setProcessEnvironment(env);
    m_windowManager.setStandardOutputFile(QProcess::nullDevice());
    m_windowManager.setStandardErrorFile(QProcess::nullDevice());
    const auto managed = [this] {
        return x11(QStringLiteral("xprop"),
                   {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
            .contains("window id");
    };
    // On a busy machine the window manager has now and then not taken over
    // the display: give it a few tries.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        m_windowManager.start(QStringLiteral("openbox"), {QStringLiteral("--replace")});
        QVERIFY(m_windowManager.waitForStarted(30000));
        if (QTest::qWaitFor(managed, 20000))
            return;
        qWarning() << "openbox has not taken over" << m_display << "(try" << attempt << ")"
                   << m_windowManager.state() << m_windowManager.exitCode();
        m_windowManager.kill();
        m_windowManager.waitForFinished(10000);
    }
    QFAIL("no window manager");
}

void tst_StartQuit::cleanupTestCase()
{
    for (QProcess *p : {&m_windowManager, &m_server}) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(10000))
                p->kill();
            p->waitForFinished(10000);
        }
    }
}

QByteArray tst_StartQuit::x11(const QString &program, const QStringList &args, int timeoutMs)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(env);
    tool.setStandardErrorFile(QProcess::nullDevice());
    tool.start(program, args);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
    const QByteArray out = tool.readAllStandardOutput().trimmed();
    return out.isNull() ? QByteArray("") : out;
}

QByteArray tst_StartQuit::settingsWith(qint32 panelLeft, qint32 panelTop, qint32 boardLeft,
                                       qint32 boardTop)
{
    QFile fixture(QStringLiteral(LUMINA_TEST_DATA "/settings/defaults.in4"));
    if (!fixture.open(QIODevice::ReadOnly))
        return {};
    SettingsFile s;
    SettingsReader().read(&fixture, s);
    s.controlPanel.left = panelLeft;
    s.controlPanel.top = panelTop;
    s.board.left = boardLeft;
    s.board.top = boardTop;
    return SettingsWriter::toBytes(s);
}

bool tst_StartQuit::start(QProcess &program, const QTemporaryDir &dir, const QByteArray &settings)
{
    // The settings file sits beside the executable: run a copy of it.
    const QString exe = dir.filePath(QStringLiteral("lumina"));
    if (!QFile::copy(QStringLiteral(LUMINA_PROGRAM), exe))
        return false;
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile file(dir.filePath(QStringLiteral("lumina.in4")));
    if (!file.open(QIODevice::WriteOnly) || file.write(settings) != settings.size())
        return false;
    file.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.path());
    program.setStandardOutputFile(QProcess::nullDevice());
    program.setStandardErrorFile(QProcess::nullDevice());
    program.start(exe, {});
    if (!program.waitForStarted(30000))
        return false;
    m_panel = findWindow(QStringLiteral("^集中操作盤$"));
    m_board = findWindow(QStringLiteral("^ルミナ - "));
    if (m_panel.isEmpty() || m_board.isEmpty()) {
        qWarning() << "windows not found:" << m_panel << m_board << program.state();
        return false;
    }
    // Framed by the window manager.
    const auto framed = [this] {
        return x11(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::fromLatin1(m_panel),
                                             QStringLiteral("_NET_FRAME_EXTENTS")})
            .contains("= ");
    };
    if (!QTest::qWaitFor(framed, 60000)) {
        qWarning() << "panel never framed";
        return false;
    }
    // Past the program's own settling of the panel (300 ms after start-up).
    QTest::qWait(400);
    return true;
}

bool tst_StartQuit::quit(QProcess &program, const QByteArray &panel)
{
    // The panel's close button (Alt+F4 under openbox), then Yes to the question.
    if (x11(QStringLiteral("xdotool"),
            {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::fromLatin1(panel),
             QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("alt+F4")})
            .isNull())
        return false;
    const QByteArray question = findWindow(QStringLiteral("^ルミナの終了確認$"));
    if (question.isEmpty())
        qWarning() << "no quit question";
    if (question.isEmpty()
        || x11(QStringLiteral("xdotool"),
               {QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                QString::fromLatin1(question), QStringLiteral("key"), QStringLiteral("Return")})
               .isNull())
        return false;
    if (!program.waitForFinished(60000)) {
        qWarning() << "the program did not end after Yes";
        return false;
    }
    return program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
}

void tst_StartQuit::startAndQuitSavesWhatWasLoaded_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("whole pixels") << settingsWith(9000, 6000, 1500, 900);
    QTest::newRow("between pixels") << settingsWith(9007, 6001, 1501, 899);
}

void tst_StartQuit::startAndQuitSavesWhatWasLoaded()
{
    QFETCH(QByteArray, settings);
    QVERIFY(!settings.isEmpty());
    QTemporaryDir dir;
    QProcess program;
    QVERIFY(start(program, dir, settings));
    QVERIFY(quit(program, m_panel));
    QFile saved(dir.filePath(QStringLiteral("lumina.in4")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll().toHex(' '), settings.toHex(' '));
}

QByteArray tst_StartQuit::findWindow(const QString &title)
{
    return x11(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                QStringLiteral("--name"), title})
        .split('\n')
        .value(0);
}

QPoint tst_StartQuit::boardPosition()
{
    const QByteArray info =
        x11(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::fromLatin1(m_board)});
    const auto value = [&info](const char *key) {
        const qsizetype at = info.indexOf(key);
        return at < 0 ? -1 : info.mid(at + qstrlen(key)).split('\n').value(0).trimmed().toInt();
    };
    return QPoint(value("Absolute upper-left X:"), value("Absolute upper-left Y:"));
}

int tst_StartQuit::drag(QPoint from, int maxSteps)
{
    // The button goes down, then the pointer moves a step at a time until the
    // board follows it (or the steps run out); returns the step it moved at.
    const QPoint before = boardPosition();
    const auto xdo = [this](const QStringList &args) {
        return !x11(QStringLiteral("xdotool"), args).isNull();
    };
    const auto at = [](QPoint p) {
        return QStringList{QString::number(p.x()), QString::number(p.y())};
    };
    if (!xdo(QStringList{QStringLiteral("mousemove"), QStringLiteral("--sync")} + at(from)
             + QStringList{QStringLiteral("mousedown"), QStringLiteral("1")}))
        return -1;
    int movedAt = 0;
    for (int step = 1; step <= maxSteps && !movedAt; ++step) {
        if (!xdo(QStringList{QStringLiteral("mousemove"), QStringLiteral("--sync")}
                 + at(from + QPoint(3 + step % 2, 2) * step / 2 + QPoint(step % 2, 0))))
            return -1;
        if (boardPosition() != before)
            movedAt = step;
    }
    return xdo({QStringLiteral("mouseup"), QStringLiteral("1")}) ? movedAt : -1;
}

void tst_StartQuit::draggingTheBoard_data()
{
    // Where the left button goes down, relative to the board (at 100, 60).
    QTest::addColumn<QPoint>("at");
    QTest::newRow("fare cell 1") << QPoint(236, 59);
    QTest::newRow("ticket-number label 1") << QPoint(236, 39);
}

void tst_StartQuit::draggingTheBoard()
{
    QFETCH(QPoint, at);
    const QByteArray settings = settingsWith(9000, 6000, 1500, 900);
    QTemporaryDir dir;
    QProcess program;
    QVERIFY(start(program, dir, settings));
    const QPoint board(100, 60);
    QCOMPARE(boardPosition(), board);
    QCOMPARE(drag(board + at, 30), 0);
    QCOMPARE(boardPosition(), board);
    // The same drag by the board's own surface moves it, and the new place is
    // what the quit saves.
    const int movedAt = drag(board + QPoint(20, 20), 300);
    QVERIFY(movedAt > 0);
    QVERIFY2(movedAt <= 30, "the window manager was too slow to tell");
    const QPoint moved = boardPosition();
    QVERIFY(moved != board);
    QVERIFY(quit(program, m_panel));

    QFile saved(dir.filePath(QStringLiteral("lumina.in4")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    SettingsFile s;
    QVERIFY(SettingsReader().read(&saved, s));
    QCOMPARE(QPoint(s.board.left, s.board.top), moved * 15);
}

LUMINA_TEST_MAIN(tst_StartQuit)
#include "tst_startquit.moc"
