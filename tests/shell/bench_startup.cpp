#include "TestMain.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

// From starting the program's process to both main windows on screen, with the
// sample set-up of a first start (sounds, announcements). Run under the display
// to measure, e.g.
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
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/lumina");
    // A settings file that does not exist: every run is a first start.
    const QStringList args{QStringLiteral("--settings"), scratch.filePath(QStringLiteral("new.in4"))};

    QBENCHMARK {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setReadChannel(QProcess::StandardError);
        process.start(program, args);
        QByteArray said;
        while (!said.contains("both windows shown")) {
            QVERIFY2(process.waitForReadyRead(10000), said.constData());
            said += process.readAllStandardError();
        }
        process.kill();
        process.waitForFinished();
    }
}

LUMINA_TEST_MAIN(bench_Startup)
#include "bench_startup.moc"
