#include "FixtureRows.h"
#include "TestMain.h"

#include "settings/DataFolders.h"
#include "settings/IniLocation.h"

#include <QDir>
#include <QFile>
#include <QSet>

using namespace lumina;
using namespace lumina::test;

// Where the program finds its data and its settings file, built and installed.
// In the tables "@" stands for a scratch folder.
class tst_InstallLayout : public QObject
{
    Q_OBJECT
private slots:
    void systemInstall_data() { fixtureTable("settings/system-install.txt", 3); }
    void systemInstall()
    {
        QFETCH(QStringList, row);
#ifndef Q_OS_UNIX
        if (!row[0].isEmpty())
            QSKIP("the rows name Unix prefixes and symbolic links");
#endif
        QVERIFY(QDir().mkpath(at("@/real/share")));
        QFile::link(at("@/real"), at("@/link"));
        const QStringList xdg{"", "/usr/local/share", "/usr/share/", at("@/link/share")};
        QCOMPARE(isSystemInstall(at(row[0]), xdg), row[1] == u"1");
    }
    void sampleFolder_data() { fixtureTable("settings/sample-folder.txt", 3); }
    void sampleFolder()
    {
        QFETCH(QStringList, row);
        QVERIFY(m_dir.remove());
        for (const QString &folder : row[0].split(u','))
            QVERIFY(QDir().mkpath(at(folder)));
        QCOMPARE(sampleDataFolder(at("@/prefix/bin/lumina"), {QString(), at("@/none"), at("@/system")}), at(row[1]));
    }
    void settingsFile_data() { fixtureTable("settings/settings-file.txt", 8); }
    void settingsFile()
    {
        QFETCH(QStringList, row);
        const int besideFile = row[2].toInt();
        QVERIFY(m_dir.remove() && QDir().mkpath(at("@/bin")) && QDir().mkpath(at("@/config")));
        IniLocation location;
        location.executablePath = at("@/bin/LUMINA.EXE"); // the settings file drops ".exe"
        location.userConfigFolder = row[3] == u"2" ? QString() : at("@/config"); // 2: none
        location.installed = row[0] == u"1";
        const QMap<QString, QString> paths{
            {"beside", at("@/bin/LUMINA.in4")}, {"user", at("@/config/LUMINA.in4")}, {"chosen", at("@/b.in4")}};
        if (row[4] == u"1")
            location.chosenFile = paths["chosen"];
        QSet<QString> writable;
        if (row[1] == u"1")
            writable << at("@/bin");
        if (besideFile == 1)
            writable << paths["beside"];
        for (const QString &file : {besideFile ? paths["beside"] : QString(), row[3] == u"1" ? paths["user"] : QString()})
            QVERIFY(file.isEmpty() || QFile(file).open(QIODevice::WriteOnly));
        location.writable = [&writable](const QString &path) { return writable.contains(path); };
        QCOMPARE(location.besideExecutable(), paths["beside"]);
        QCOMPARE(location.pathForLoad(), paths[row[5]]);
        QCOMPARE(location.pathForSave(), paths[row[6]]);
        QCOMPARE(location.hasSettingsFile(), QFile::exists(paths[row[5]]));
    }
    // The tests run from the build tree's bin/, as the program does.
    void thisProgramInItsBuildTree()
    {
        const QString samples = sampleDataFolder();
        QVERIFY2(QFileInfo(samples + QStringLiteral("/12.hy3")).size() > 0, qPrintable(samples));
        QVERIFY(!isSystemInstall(QCoreApplication::applicationFilePath(), systemDataFolders()));
        QTemporaryDir dir;
        IniLocation location = IniLocation::forThisProgram();
        QCOMPARE(location.fileName(), QStringLiteral("tst_installlayout.in4"));
        QVERIFY(location.writable(dir.path()));
        QVERIFY(!location.writable(dir.filePath(QStringLiteral("missing"))));
        // The probe leaves nothing behind, and a file it asks about stays as it was.
        QVERIFY(QDir(dir.path()).isEmpty());
        const QString file = dir.filePath(QStringLiteral("x.in4"));
        QVERIFY(writeFile(file, "abc"));
        QVERIFY(location.writable(file));
        QCOMPARE(readFile(file), QByteArray("abc"));
    }
private:
    QString at(QString path) const { return path.replace(QLatin1Char('@'), m_dir.path()); }
    QTemporaryDir m_dir;
};

LUMINA_TEST_MAIN(tst_InstallLayout)
#include "tst_installlayout.moc"
