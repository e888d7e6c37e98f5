#include "TestMain.h"

#include <QProcess>
#include <QTemporaryDir>

// From starting the program's process to both main windows on screen, on a first
// start. Run under the display to measure, e.g.
//   xvfb-run -a -s '-screen 0 1280x1024x24' build-rel/bin/bench_startup
class bench_Startup : public QObject
{
    Q_OBJECT

private slots:
    void startUp();
};

void bench_Startup::startUp()
{
    QTemporaryDir scratch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("lumina.startup.info=true"));
    QBENCHMARK {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setReadChannel(QProcess::StandardError);
        // A settings file that does not exist: every run is a first start.
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/lumina"),
                      {QStringLiteral("--settings"), scratch.filePath(QStringLiteral("new.in4"))});
        QByteArray said;
        while (!said.contains("both windows shown") && process.waitForReadyRead(10000))
            said += process.readAllStandardError();
        QVERIFY2(said.contains("both windows shown"), said.constData());
        process.kill();
        process.waitForFinished();
    }
}

LUMINA_TEST_MAIN(bench_Startup)
#include "bench_startup.moc"
