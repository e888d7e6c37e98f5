#include "TestMain.h"

#include "shell/CommandLine.h"

#include <QDir>

using namespace lumina;

// The program's command line.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7")); }
    void parse_data();
    void parse();
};

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

LUMINA_TEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
