#include "TestMain.h"

#include "settings/IniLocation.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

using namespace lumina;

class tst_IniLocation : public QObject
{
    Q_OBJECT

private slots:
    void nameFollowsTheExecutable_data();
    void nameFollowsTheExecutable();
    void choice_data();
    void choice();
    void realProbe();
};

void tst_IniLocation::nameFollowsTheExecutable_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("settings");
    QTest::newRow("plain") << "/opt/lumina/bin/lumina" << "/opt/lumina/bin/lumina.in4";
    QTest::newRow("windows") << "C:/ルミナ/LUMINA.EXE" << "C:/ルミナ/LUMINA.in4";
    QTest::newRow("renamed copy") << "/home/u/ルミナ2号" << "/home/u/ルミナ2号.in4";
    QTest::newRow("dots kept") << "/x/lumina-1.0" << "/x/lumina-1.0.in4";
    QTest::newRow("dots before exe") << "/x/my.app.exe" << "/x/my.app.in4";
}

void tst_IniLocation::nameFollowsTheExecutable()
{
    QFETCH(QString, executable);
    QFETCH(QString, settings);
    IniLocation location;
    location.executablePath = executable;
    QCOMPARE(location.besideExecutable(), settings);
}

void tst_IniLocation::choice_data()
{
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<int>("besideFile"); // 0 none, 1 writable, 2 read-only
    QTest::addColumn<bool>("userFile");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("save");
    // Portable use: the file stays beside the executable.
    QTest::newRow("portable, first start") << true << 0 << false << "beside" << "beside";
    QTest::newRow("portable") << true << 1 << true << "beside" << "beside";
    // Installed first, the folder writable later: the user's file is read and
    // the next save lands beside the executable.
    QTest::newRow("folder became writable") << true << 0 << true << "user" << "beside";
    // A writable file beside the executable wins even in a locked folder.
    QTest::newRow("writable file, locked folder") << false << 1 << true << "beside" << "beside";
    // System-wide install.
    QTest::newRow("installed, first start") << false << 0 << false << "beside" << "user";
    QTest::newRow("installed") << false << 0 << true << "user" << "user";
    QTest::newRow("installed with shipped file") << false << 2 << false << "beside" << "user";
    QTest::newRow("shipped file, user's own") << false << 2 << true << "user" << "user";
    // A read-only file in a writable folder is not written over.
    QTest::newRow("read-only file") << true << 2 << false << "beside" << "user";
}

void tst_IniLocation::choice()
{
    QFETCH(bool, folderWritable);
    QFETCH(int, besideFile);
    QFETCH(bool, userFile);
    QFETCH(QString, load);
    QFETCH(QString, save);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString exeFolder = dir.filePath(QStringLiteral("bin"));
    const QString userFolder = dir.filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkpath(exeFolder));
    QVERIFY(QDir().mkpath(userFolder));

    IniLocation location;
    location.executablePath = exeFolder + QStringLiteral("/ルミナ");
    location.userConfigFolder = userFolder;
    const QString beside = location.besideExecutable();
    const QString user = location.inUserConfig();
    QCOMPARE(user, userFolder + QStringLiteral("/ルミナ.in4"));

    QSet<QString> writable;
    if (folderWritable)
        writable << exeFolder;
    if (besideFile) {
        QFile f(beside);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (besideFile == 1)
            writable << beside;
    }
    if (userFile) {
        QFile f(user);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    location.writable = [&writable](const QString &path) { return writable.contains(path); };

    QCOMPARE(location.pathForLoad(), load == QLatin1String("beside") ? beside : user);
    QCOMPARE(location.pathForSave(), save == QLatin1String("beside") ? beside : user);
}

void tst_IniLocation::realProbe()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    IniLocation location = IniLocation::forThisProgram();
    QVERIFY(location.executablePath.endsWith(QStringLiteral("tst_inilocation")));
    QCOMPARE(location.fileName(), QStringLiteral("tst_inilocation.in4"));
    QVERIFY(location.writable(dir.path()));
    QVERIFY(!location.writable(dir.filePath(QStringLiteral("missing"))));
    // The probe leaves nothing behind.
    QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    QFile file(dir.filePath(QStringLiteral("x.in4")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("abc");
    file.close();
    QVERIFY(location.writable(file.fileName()));
    QCOMPARE(file.size(), 3);
}

LUMINA_TEST_MAIN(tst_IniLocation)
#include "tst_inilocation.moc"
