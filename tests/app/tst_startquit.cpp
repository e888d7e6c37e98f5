#include "TestMain.h"

#include "../settings/SettingsFixtures.h"
#include "base/Geometry.h"

#include <QProcess>
#include <QStandardPaths>

using namespace lumina;
using namespace lumina::test;

// The real program under a window manager that draws frames (Xvfb with openbox): started with a
// settings file, quit through the panel's close button and the question, the file compared after.
class tst_StartQuit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        for (const char *tool : {"Xvfb", "openbox", "xdotool", "xprop", "xwininfo"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/setup.sh)").arg(QLatin1String(tool))));
        // Output nobody reads goes nowhere: a full pipe would stop the tool. Openbox's few words are kept.
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_windowManager.setStandardOutputFile(QProcess::nullDevice());
        const auto managed = [this] { return x11("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"); };
        // On a busy machine the window manager now and then fails to take over the display: then a
        // new display and a new window manager.
        for (int attempt = 1; attempt <= 3; ++attempt) {
            m_server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
            QVERIFY(m_server.waitForStarted(30000));
            QVERIFY(QTest::qWaitFor([this] { return m_server.canReadLine(); }, 60000));
            m_env.insert("DISPLAY", ':' + QString::fromLatin1(m_server.readLine().trimmed()));
            m_windowManager.setProcessEnvironment(m_env);
            m_windowManager.start("openbox", {"--replace"});
            QVERIFY(m_windowManager.waitForStarted(30000));
            if (QTest::qWaitFor(managed, 20000))
                return;
            qWarning() << "openbox has not taken over, try" << attempt << m_windowManager.readAllStandardError();
            cleanupTestCase();
        }
        QFAIL("no window manager");
    }
    void cleanupTestCase()
    {
        for (QProcess *p : {&m_windowManager, &m_server}) {
            p->terminate();
            p->waitForFinished(10000);
        }
    }
    void startAndQuitSavesWhatWasLoaded_data()
    {
        // Where the left button drags, relative to the board (at 100, 60); none: no drag.
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QPoint>("dragAt");
        QTest::addColumn<bool>("moves");
        const QByteArray board100x60 = settingsWith(9000, 6000, 1500, 900);
        QTest::newRow("between pixels") << settingsWith(9007, 6001, 1501, 899) << QPoint() << false;
        QTest::newRow("drag by fare cell 1") << board100x60 << QPoint(236, 59) << false;
        QTest::newRow("drag by the board") << board100x60 << QPoint(20, 20) << true;
    }
    void startAndQuitSavesWhatWasLoaded()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QPoint, dragAt);
        QFETCH(bool, moves);
        QTemporaryDir dir;
        QVERIFY(start(dir, settings));
        const QPoint board(100, 60);
        if (!dragAt.isNull()) {
            QCOMPARE(position(m_board), board);
            // As long a drag either way: a busy machine's window manager may take many steps to follow.
            const int movedAt = drag(board + dragAt, 300);
            QVERIFY(movedAt >= 0);
            QCOMPARE(movedAt > 0, moves);
        }
        const QPoint now = position(m_board);
        QCOMPARE(now != board, moves);
        QVERIFY(quit());
        const QByteArray saved = readFile(dir.filePath("lumina.in4"));
        if (moves)
            QCOMPARE(QPoint(parse(saved).board.left, parse(saved).board.top), now * 15);
        else
            QCOMPARE(saved.toHex(' '), settings.toHex(' '));
    }
private:
    // Output of an X tool on our display, or a null array on failure.
    QByteArray x11(const QString &program, const QStringList &args)
    {
        QProcess tool;
        tool.setProcessEnvironment(m_env);
        tool.setStandardErrorFile(QProcess::nullDevice());
        tool.start(program, args);
        if (!tool.waitForFinished(30000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            return {};
        const QByteArray out = tool.readAllStandardOutput().trimmed();
        return out.isNull() ? QByteArray("") : out;
    }
    QByteArray findWindow(const QString &title)
    {
        return x11("xdotool", {"search", "--sync", "--onlyvisible", "--name", title}).split('\n').value(0);
    }
    // The window shown now with that title; none if there is none yet.
    QByteArray visibleWindow(const QString &title)
    {
        return x11("xdotool", {"search", "--onlyvisible", "--name", title}).split('\n').value(0);
    }
    // A copy of the program in `dir` with `settings` beside it, until the window manager has framed the panel.
    bool start(const QTemporaryDir &dir, const QByteArray &settings)
    {
        const QString exe = dir.filePath("lumina");
        if (!QFile::copy(LUMINA_PROGRAM, exe) || !writeFile(dir.filePath("lumina.in4"), settings))
            return false;
        m_program.kill(); // left over from a failed test
        m_program.waitForFinished();
        QProcessEnvironment env = m_env;
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        m_program.setProcessEnvironment(env);
        m_program.setStandardOutputFile(QProcess::nullDevice());
        m_program.setStandardErrorFile(QProcess::nullDevice());
        m_program.start(exe, {});
        m_panel = findWindow("^集中操作盤$");
        m_board = findWindow("^ルミナ - ");
        if (m_panel.isEmpty() || m_board.isEmpty()) {
            qWarning() << "windows not found:" << m_panel << m_board << m_program.state();
            return false;
        }
        const SettingsFile loaded = parse(settings);
        const QPoint placed(px(loaded.controlPanel.left), px(loaded.controlPanel.top));
        return QTest::qWaitFor([&] { return panelFramePosition() == placed; }, 60000);
    }
    // The panel's close button (Alt+F4 under openbox), then Yes to the question. On a busy machine the
    // board, shown last, can take the focus from the panel after it was activated: Alt+F4 then reaches
    // the board, which never closes, and is pressed again on the panel.
    bool quit()
    {
        QByteArray question;
        for (int attempt = 1; attempt <= 3 && question.isEmpty(); ++attempt) {
            if (x11("xdotool", {"windowactivate", "--sync", m_panel, "key", "--clearmodifiers", "alt+F4"}).isNull())
                return false;
            if (!QTest::qWaitFor([&] { return !(question = visibleWindow("^ルミナの終了確認$")).isEmpty(); }, 15000))
                qWarning() << "no quit question, try" << attempt << "; active:" << x11("xdotool", {"getactivewindow", "getwindowname"});
        }
        if (question.isEmpty() || x11("xdotool", {"windowactivate", "--sync", question, "key", "Return"}).isNull())
            return false;
        return m_program.waitForFinished(60000) && m_program.exitStatus() == QProcess::NormalExit && m_program.exitCode() == 0;
    }
    // The outer edge of the panel's frame; none before the window manager framed it.
    QPoint panelFramePosition()
    {
        const QList<QByteArray> extents = x11("xprop", {"-id", m_panel, "_NET_FRAME_EXTENTS"}).split('=').value(1).split(',');
        if (extents.size() != 4)
            return {};
        return position(m_panel) - QPoint(extents[0].trimmed().toInt(), extents[2].trimmed().toInt());
    }
    QPoint position(const QByteArray &window)
    {
        const QByteArray info = x11("xwininfo", {"-id", window});
        const auto value = [&info](const char *key) {
            const qsizetype at = info.indexOf(key);
            return at < 0 ? -1 : info.mid(at + qstrlen(key)).split('\n').value(0).trimmed().toInt();
        };
        return QPoint(value("Absolute upper-left X:"), value("Absolute upper-left Y:"));
    }
    // Drags from `from` a step at a time until the board follows; returns the step it moved at (0: never).
    int drag(QPoint from, int maxSteps)
    {
        const QPoint before = position(m_board);
        const auto mouse = [this](const QStringList &args, QPoint p = {}) {
            return !x11("xdotool", args + QStringList{QString::number(p.x()), QString::number(p.y())}).isNull();
        };
        if (!mouse({"mousemove", "--sync"}, from) || x11("xdotool", {"mousedown", "1"}).isNull())
            return -1;
        int movedAt = 0;
        for (int step = 1; step <= maxSteps && !movedAt; ++step) {
            if (!mouse({"mousemove", "--sync"}, from + QPoint(3 + step % 2, 2) * step / 2 + QPoint(step % 2, 0)))
                return -1;
            if (position(m_board) != before)
                movedAt = step;
        }
        return x11("xdotool", {"mouseup", "1"}).isNull() ? -1 : movedAt;
    }
    static QByteArray settingsWith(qint32 panelLeft, qint32 panelTop, qint32 boardLeft, qint32 boardTop)
    {
        SettingsFile s = parse(fixture("defaults.in4"));
        s.controlPanel.left = panelLeft;
        s.controlPanel.top = panelTop;
        s.board = {boardLeft, boardTop};
        return SettingsWriter::toBytes(s);
    }
    QProcessEnvironment m_env = QProcessEnvironment::systemEnvironment();
    QProcess m_server, m_windowManager, m_program;
    QByteArray m_board, m_panel;
};

LUMINA_TEST_MAIN(tst_StartQuit)
#include "tst_startquit.moc"
