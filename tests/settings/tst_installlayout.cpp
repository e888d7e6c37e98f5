#include "TestMain.h"

#include "settings/DataFolders.h"
#include "settings/IniLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

private:
    QTemporaryDir m_dir;
    QString at(QString path) const { return path.replace(QLatin1Char('@'), m_dir.path()); }
    QStringList at(QStringList paths) const
    {
        for (QString &p : paths)
            p = at(p);
        return paths;
    }
    // A fresh scratch folder holding these folders (ending "/") and files.
    bool make(const QStringList &entries)
    {
        m_dir.remove();
        for (const QString &entry : at(entries)) {
            if (!QDir().mkpath(entry.endsWith(QLatin1Char('/')) ? entry : QFileInfo(entry).path()))
                return false;
            QFile file(entry);
            if (!entry.endsWith(QLatin1Char('/')) && !file.open(QIODevice::WriteOnly))
                return false;
        }
        return true;
    }
};

void tst_InstallLayout::systemInstall_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<bool>("installed");
    QTest::newRow("/usr") << "/usr/bin/lumina" << true;
    QTest::newRow("user's prefix") << "/home/u/.local/bin/lumina" << true;
    QTest::newRow("build tree") << "/work/lumina/build/bin/lumina" << false;
    QTest::newRow("own folder") << "/opt/lumina/bin/lumina" << false;
    // Links on either side do not hide a match.
    QTest::newRow("linked prefix") << "@/link/bin/lumina" << true;
    QTest::newRow("linked data folder") << "@/real/bin/lumina" << true;
}

void tst_InstallLayout::systemInstall()
{
    QFETCH(QString, executable);
    QFETCH(bool, installed);
    QVERIFY(make({"@/real/bin/", "@/real/share/"}));
    QVERIFY(QFile::link(at("@/real"), at("@/link")));
    const QStringList xdg{"/home/u/.local/share", "/usr/local/share", "/usr/share/", at("@/link/share")};
    QCOMPARE(isSystemInstall(at(executable), xdg), installed);
}

void tst_InstallLayout::sampleFolder_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("found");
    const QString beside = "@/prefix/share/lumina/samples/";
    const QString system = "@/system/lumina/samples/";
    QTest::newRow("beside the executable") << QStringList{beside} << beside;
    QTest::newRow("beside wins") << QStringList{system, beside} << beside;
    QTest::newRow("system data folder") << QStringList{system} << system;
    QTest::newRow("none") << QStringList{"@/prefix/share/lumina/"} << QString();
}

void tst_InstallLayout::sampleFolder()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, found);
    QVERIFY(make(folders << "@/prefix/bin/"));
    QCOMPARE(sampleDataFolder(at("@/prefix/bin/lumina"), at({"@/none", "@/system"})),
             QDir::cleanPath(at(found)));
}

void tst_InstallLayout::builtTreeHasTheSamples()
{
    // The tests run from the build tree's bin/, as the program does.
    const QString samples = sampleDataFolder(QCoreApplication::applicationFilePath(), {});
    QVERIFY2(QFileInfo(samples + QStringLiteral("/12.hy3")).size() > 0, qPrintable(samples));
    QVERIFY(!isSystemInstall(QCoreApplication::applicationFilePath(), systemDataFolders()));
}

void tst_InstallLayout::settingsFile_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("save");
    // The program's folder is writable in every row, as for the administrator.
    QTest::newRow("installed, first start") << true << QStringList() << "" << "@/bin/lumina.in4"
                                            << "@/config/lumina.in4";
    QTest::newRow("installed") << true << QStringList{"@/config/lumina.in4"} << ""
                               << "@/config/lumina.in4" << "@/config/lumina.in4";
    QTest::newRow("chosen, new") << false << QStringList{"@/bin/lumina.in4"} << "@/b.in4" << "@/b.in4"
                                 << "@/b.in4";
    QTest::newRow("chosen, installed") << true << QStringList{"@/config/lumina.in4", "@/b.in4"}
                                       << "@/b.in4" << "@/b.in4" << "@/b.in4";
}

void tst_InstallLayout::settingsFile()
{
    QFETCH(bool, installed);
    QFETCH(QStringList, files);
    QFETCH(QString, chosen);
    QFETCH(QString, load);
    QFETCH(QString, save);
    QVERIFY(make(files << "@/bin/" << "@/config/"));
    IniLocation location;
    location.executablePath = at("@/bin/lumina");
    location.userConfigFolder = at("@/config");
    location.writable = [](const QString &) { return true; };
    location.installed = installed;
    location.chosenFile = at(chosen);
    QCOMPARE(location.pathForLoad(), at(load));
    QCOMPARE(location.pathForSave(), at(save));
    QCOMPARE(location.hasSettingsFile(), files.contains(load));
}

LUMINA_TEST_MAIN(tst_InstallLayout)
#include "tst_installlayout.moc"
