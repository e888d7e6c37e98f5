#include "TestMain.h"

#include "shell/CommandLine.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

using namespace lumina;

// The command lines of the program and of the fare tool.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parse_data();
    void parse();
    void programs_data();
    void programs();
};

void tst_CommandLine::initTestCase()
{
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
}

void tst_CommandLine::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("settings");
    QTest::addColumn<QString>("text"); // a part of the text to show
    using A = CommandLine::Action;
    const QString cwd = QDir::currentPath();
    QTest::newRow("nothing") << QStringList() << int(A::Run) << "" << "";
    QTest::newRow("settings") << QStringList{"--settings", "/a/b.in4"} << int(A::Run) << "/a/b.in4" << "";
    QTest::newRow("relative settings") << QStringList{"--settings", "x/b.in4"} << int(A::Run)
                                       << cwd + "/x/b.in4" << "";
    QTest::newRow("help-all") << QStringList{"--help-all"} << int(A::ShowHelp) << "" << "--settings <FILE>";
    QTest::newRow("version, stray") << QStringList{"-v", "x"} << int(A::ShowVersion) << "" << "lumina 9.8.7\n";
    // The window system's options belong to the application object.
    QTest::newRow("toolkit options") << QStringList{"-platform", "offscreen", "-reverse", "--style=fusion",
                                                    "-style", "fusion", "--settings", "/s.in4"}
                                     << int(A::Run) << "/s.in4" << "";
    QTest::newRow("unknown") << QStringList{"--bogus"} << int(A::Fail) << ""
                             << "lumina: Unknown option 'bogus'.\nTry 'lumina --help'";
    QTest::newRow("missing value") << QStringList{"--settings"} << int(A::Fail) << "" << "settings";
    QTest::newRow("empty value") << QStringList{"--settings="} << int(A::Fail) << "" << "file name";
    QTest::newRow("stray argument") << QStringList{"12.hy3"} << int(A::Fail) << "" << "'12.hy3'";
}

void tst_CommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(int, action);
    QFETCH(QString, settings);
    QFETCH(QString, text);
    const CommandLine result = parseCommandLine(QStringList{"/usr/bin/lumina"} + args);
    QCOMPARE(int(result.action), action);
    QCOMPARE(result.settingsFile, settings);
    QCOMPARE(result.exitStatus(), action == int(CommandLine::Action::Fail) ? 2 : 0);
    QVERIFY2(result.text.contains(text), qPrintable(result.text));
    QVERIFY(result.text.isEmpty() || result.text.endsWith(QLatin1Char('\n')));
}

void tst_CommandLine::programs_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("lumina --version") << "lumina" << QStringList{"--version"} << 0 << "lumina 1." << "";
    QTest::newRow("lumina --bogus") << "lumina" << QStringList{"--bogus"} << 2 << ""
                                    << "Unknown option 'bogus'";
    QTest::newRow("fare --help") << "lumina-fare" << QStringList{"--help"} << 0
                                 << "lumina-fare build FILE.csv -o FILE.hy3" << "";
    QTest::newRow("fare --bogus") << "lumina-fare" << QStringList{"--bogus", "dump", "x"} << 2 << ""
                                  << "Unknown option 'bogus'";
}

void tst_CommandLine::programs()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    // No display at all: these answers must not need one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + program, args);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString stdOut = QString::fromUtf8(process.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitCode(), status);
    QVERIFY2(stdOut.contains(out) && (!out.isEmpty() || stdOut.isEmpty()), qPrintable(stdOut));
    QVERIFY2(stdErr.contains(err) && (!err.isEmpty() || stdErr.isEmpty()), qPrintable(stdErr));
}

LUMINA_TEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
