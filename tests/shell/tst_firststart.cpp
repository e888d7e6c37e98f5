#include "FakeHostLib.h"
#include "FixtureRows.h"
#include "TestMain.h"

#include "options/SampleSetup.h"
#include "settings/OptionFields.h"
#include "settings/IniLocation.h"
#include "shell/CommandLine.h"
#include "app/FirstStart.h"
#include "app/Lumina.h"

#include <QDir>

using namespace lumina;
using lumina::test::FakeHostLib;

// An empty file at `path`, in folders made for it.
static bool touch(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).path()) && test::writeFile(path, {});
}

// How the program starts: its command line; a first start without settings runs on the sample data.
class tst_FirstStart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7")); }
    void commandLine_data() { test::fixtureTable("shell/command-line.txt", 6); }
    void commandLine()
    {
        QFETCH(QStringList, row);
        const QStringList actions{"run", "help", "version", "fail"};
        const auto action = CommandLine::Action(actions.indexOf(row[1]));
        const QString text = QString(row[3]).replace(QLatin1String("\\n"), QLatin1String("\n"));
        const CommandLine result =
            parseCommandLine(QStringList{"/usr/bin/lumina-test"} + row[0].split(u' ', Qt::SkipEmptyParts));
        QCOMPARE(result.action, action);
        QCOMPARE(result.settingsFile, QString(row[2]).replace(QLatin1String("{cwd}"), QDir::currentPath()));
        QCOMPARE(result.tripFile, QString(row[4]).replace(QLatin1String("{cwd}"), QDir::currentPath()));
        QCOMPARE(result.exitStatus(), action == CommandLine::Action::Fail ? 2 : 0);
        QVERIFY2(result.text.contains(text), qPrintable(result.text));
        QVERIFY(result.text.isEmpty() || result.text.endsWith(QLatin1Char('\n')));
    }
    // A folder where a file should be (step.wav) is no sound.
    void sampleSounds()
    {
        FakeHostLib fake;
        QTemporaryDir samples;
        for (const QString name : {"route.wav", "key.wav", "pre.wav", "chime.mp3", "melody.mid", "step.wav/"})
            QVERIFY(name.endsWith(u'/') ? QDir().mkpath(samples.filePath("sounds/" + name))
                                        : touch(samples.filePath("sounds/" + name)));
        SettingsFile settings;
        applySampleSetup(settings, samples.path());
        QCOMPARE(settings.folders.announcementDataFolder, samples.filePath("tape"));
        QStringList set;
        QVERIFY(!soundFile(settings.sounds, 2) && !soundFile(settings.sounds, soundField::kCount)); // numbers without a field
        for (int i = 0; i < soundField::kCount; ++i) {
            const QString *field = soundFile(settings.sounds, i);
            if (!field || field->isEmpty())
                continue;
            QVERIFY2(field->startsWith(samples.filePath("sounds/")), qPrintable(*field));
            set << QStringLiteral("%1 %2").arg(i).arg(QFileInfo(*field).fileName());
        }
        QCOMPARE(set, QStringList({"0 route.wav", "1 key.wav", "3 pre.wav", "4 pre.wav", "5 chime.mp3", "6 melody.mid",
                                   "9 chime.mp3", "10 melody.mid"}));
    }
    void startUp()
    {
        for (const auto &[settingsFile, samples] : {std::pair(false, true), std::pair(true, true), std::pair(false, false)}) {
            const bool sampleSetUp = samples && !settingsFile; // only a first start with samples at hand
            FakeHostLib fake;
            QTemporaryDir dir;
            const QString sampleFolder = samples ? dir.filePath("samples") : QString();
            if (samples)
                QVERIFY(touch(dir.filePath("samples/sounds/route.wav")));
            IniLocation location;
            location.executablePath = dir.filePath("bin/lumina");
            location.chosenFile = dir.filePath("set-up.in4");
            if (settingsFile)
                QVERIFY(touch(location.chosenFile));
            Lumina program;
            int loads = 0;
            program.seams().loadIni = [&] { ++loads; };
            startWithSamplesIfNew(program, location, sampleFolder);
            program.startUp();
            QCOMPARE(loads, 1);
            QCOMPARE(program.settings().folders.fareDataFolder, sampleSetUp ? sampleFolder : QString());
            const QString routeSound = sampleSetUp ? dir.filePath("samples/sounds/route.wav") : QString();
            QCOMPARE(program.settings().sounds.routeSetSound, routeSound);
            QVERIFY(fake.messages.isEmpty());
        }
    }
};

LUMINA_TEST_MAIN(tst_FirstStart)
#include "tst_firststart.moc"
