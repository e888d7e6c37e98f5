#include "FixtureRows.h"
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
    void parse_data() { test::fixtureTable("shell/command-line.txt", 5); }
    void parse()
    {
        QFETCH(QStringList, row);
        const QStringList actions{"run", "help", "version", "fail"};
        const auto action = CommandLine::Action(actions.indexOf(row[1]));
        QVERIFY(actions.contains(row[1]));
        const QString text = QString(row[3]).replace(QLatin1String("\\n"), QLatin1String("\n"));
        const CommandLine result =
            parseCommandLine(QStringList{"/usr/bin/lumina"} + row[0].split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(result.action, action);
        QCOMPARE(result.settingsFile, QString(row[2]).replace(QLatin1String("{cwd}"), QDir::currentPath()));
        QCOMPARE(result.exitStatus(), action == CommandLine::Action::Fail ? 2 : 0);
        QVERIFY2(result.text.contains(text), qPrintable(result.text));
        QVERIFY(result.text.isEmpty() || result.text.endsWith(QLatin1Char('\n')));
    }
};

LUMINA_TEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
