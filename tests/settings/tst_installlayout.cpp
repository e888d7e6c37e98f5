#include "TestMain.h"

#include "settings/DataFolders.h"
#include "settings/IniLocation.h"

#include <QDir>
#include <QFile>
#include <QSet>

using namespace lumina;

// Where the program finds its data and its settings file, built and installed.
// In the tables "@" stands for a scratch folder.
class tst_InstallLayout : public QObject
{
    Q_OBJECT

private slots:
    void systemInstall_data();
    void systemInstall();
    void sampleFolder_data();
    void sampleFolder();
    void builtTreeHasTheSamples();
    void settingsFile_data();
    void settingsFile();
    void realProbe();

private:
    QString at(QString path) const { return path.replace(QLatin1Char('@'), m_dir.path()); }
    QTemporaryDir m_dir;
};

void tst_InstallLayout::systemInstall_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<bool>("installed");
    QTest::newRow("/usr") << "/usr/bin/lumina" << true;
    QTest::newRow("build tree") << "/work/lumina/build/bin/lumina" << false;
    // Links on either side do not hide a match.
    QTest::newRow("linked prefix") << "@/link/bin/lumina" << true;
    QTest::newRow("linked data folder") << "@/real/bin/lumina" << true;
    QTest::newRow("no executable") << "" << false;
}

void tst_InstallLayout::systemInstall()
{
    QFETCH(QString, executable);
    QFETCH(bool, installed);
    QVERIFY(QDir().mkpath(at("@/real/share")));
    QFile::link(at("@/real"), at("@/link"));
    const QStringList xdg{"", "/usr/local/share", "/usr/share/", at("@/link/share")};
    QCOMPARE(isSystemInstall(at(executable), xdg), installed);
}

void tst_InstallLayout::sampleFolder_data()
{
    QTest::addColumn<QString>("folders");
    QTest::addColumn<QString>("found");
    const QString beside = "@/prefix/share/lumina/samples";
    const QString system = "@/system/lumina/samples";
    QTest::newRow("beside wins") << system + "," + beside << beside;
    QTest::newRow("system data folder") << system << system;
    QTest::newRow("none") << "@/prefix/share/lumina" << QString();
}

void tst_InstallLayout::sampleFolder()
{
    QFETCH(QString, folders);
    QFETCH(QString, found);
    QVERIFY(m_dir.remove());
    for (const QString &folder : folders.split(QLatin1Char(',')))
        QVERIFY(QDir().mkpath(at(folder)));
    QCOMPARE(sampleDataFolder(at("@/prefix/bin/lumina"), {QString(), at("@/none"), at("@/system")}), at(found));
}

void tst_InstallLayout::builtTreeHasTheSamples()
{
    // The tests run from the build tree's bin/, as the program does.
    const QString samples = sampleDataFolder();
    QVERIFY2(QFileInfo(samples + QStringLiteral("/12.hy3")).size() > 0, qPrintable(samples));
    QVERIFY(!isSystemInstall(QCoreApplication::applicationFilePath(), systemDataFolders()));
}

void tst_InstallLayout::settingsFile_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("folderWritable");
    QTest::addColumn<int>("besideFile"); // 0 none, 1 writable, 2 read-only
    QTest::addColumn<bool>("userFile");
    QTest::addColumn<bool>("chosen"); // a file named by the user
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("save");
    // Portable use: the file stays beside the executable.
    QTest::newRow("portable, first start") << false << true << 0 << false << false << "beside" << "beside";
    // The folder became writable since: the user's file is read and the next
    // save lands beside the executable.
    QTest::newRow("folder became writable") << false << true << 0 << true << false << "user" << "beside";
    // A writable file beside the executable wins even in a locked folder.
    QTest::newRow("writable file, locked folder") << false << false << 1 << true << false << "beside" << "beside";
    QTest::newRow("locked, first start") << false << false << 0 << false << false << "beside" << "user";
    QTest::newRow("shipped file") << false << false << 2 << false << false << "beside" << "user";
    QTest::newRow("shipped file, user's own") << false << false << 2 << true << false << "user" << "user";
    // A read-only file in a writable folder is not written over.
    QTest::newRow("read-only file") << false << true << 2 << false << false << "beside" << "user";
    // Installed system-wide: the user's folder even where root may write.
    QTest::newRow("installed, first start") << true << true << 0 << false << false << "beside" << "user";
    QTest::newRow("installed") << true << true << 1 << true << false << "user" << "user";
    QTest::newRow("chosen") << false << true << 1 << false << true << "chosen" << "chosen";
}

void tst_InstallLayout::settingsFile()
{
    QFETCH(bool, installed);
    QFETCH(bool, folderWritable);
    QFETCH(int, besideFile);
    QFETCH(bool, userFile);
    QFETCH(bool, chosen);
    QFETCH(QString, load);
    QFETCH(QString, save);
    QVERIFY(m_dir.remove() && QDir().mkpath(at("@/bin")) && QDir().mkpath(at("@/config")));
    IniLocation location;
    location.executablePath = at("@/bin/LUMINA.EXE"); // the settings file drops ".exe"
    location.userConfigFolder = at("@/config");
    location.installed = installed;
    const QMap<QString, QString> paths{
        {"beside", at("@/bin/LUMINA.in4")}, {"user", at("@/config/LUMINA.in4")}, {"chosen", at("@/b.in4")}};
    if (chosen)
        location.chosenFile = paths["chosen"];
    QSet<QString> writable;
    if (folderWritable)
        writable << at("@/bin");
    if (besideFile == 1)
        writable << paths["beside"];
    for (const QString &file : {besideFile ? paths["beside"] : QString(), userFile ? paths["user"] : QString()})
        QVERIFY(file.isEmpty() || QFile(file).open(QIODevice::WriteOnly));
    location.writable = [&writable](const QString &path) { return writable.contains(path); };

    QCOMPARE(location.besideExecutable(), paths["beside"]);
    QCOMPARE(location.pathForLoad(), paths[load]);
    QCOMPARE(location.pathForSave(), paths[save]);
    QCOMPARE(location.hasSettingsFile(), QFile::exists(paths[load]));
}

void tst_InstallLayout::realProbe()
{
    QTemporaryDir dir;
    IniLocation location = IniLocation::forThisProgram();
    QCOMPARE(location.fileName(), QStringLiteral("tst_installlayout.in4"));
    QVERIFY(location.writable(dir.path()));
    QVERIFY(!location.writable(dir.filePath(QStringLiteral("missing"))));
    // The probe leaves nothing behind, and a file it asks about stays as it was.
    QVERIFY(QDir(dir.path()).isEmpty());
    QFile file(dir.filePath(QStringLiteral("x.in4")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("abc") == 3);
    file.close();
    QVERIFY(location.writable(file.fileName()));
    QCOMPARE(file.size(), 3);
}

LUMINA_TEST_MAIN(tst_InstallLayout)
#include "tst_installlayout.moc"
