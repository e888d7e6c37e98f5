#include "TestMain.h"

#include "settings/DataFolders.h"
#include "settings/IniLocation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace lumina;

// Where the program looks for its data and its settings file, built and installed.
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
    // "@" stands for the scratch folder.
    QString at(QString path) const { return path.replace(QLatin1Char('@'), m_dir.path()); }
    QStringList at(const QStringList &paths) const
    {
        QStringList out;
        for (const QString &p : paths)
            out << at(p);
        return out;
    }
};

void tst_InstallLayout::systemInstall_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QStringList>("dataFolders");
    QTest::addColumn<bool>("installed");
    const QStringList xdg{"/home/u/.local/share", "/usr/local/share", "/usr/share/"};
    QTest::newRow("/usr") << "/usr/bin/lumina" << xdg << true;
    QTest::newRow("/usr/local") << "/usr/local/bin/lumina" << xdg << true;
    QTest::newRow("user's prefix") << "/home/u/.local/bin/lumina" << xdg << true;
    QTest::newRow("build tree") << "/work/lumina/build/bin/lumina" << xdg << false;
    QTest::newRow("own folder") << "/opt/lumina/bin/lumina" << xdg << false;
    QTest::newRow("no data folders") << "/usr/bin/lumina" << QStringList() << false;
    // A prefix reached through a link is still the system's.
    QTest::newRow("linked prefix") << "@/link/bin/lumina" << QStringList{"@/real/share"} << true;
}

void tst_InstallLayout::systemInstall()
{
    QFETCH(QString, executable);
    QFETCH(QStringList, dataFolders);
    QFETCH(bool, installed);
    QVERIFY(QDir().mkpath(at("@/real/bin")) && QDir().mkpath(at("@/real/share")));
    QFile::link(at("@/real"), at("@/link"));
    QCOMPARE(isSystemInstall(at(executable), at(dataFolders)), installed);
}

void tst_InstallLayout::sampleFolder_data()
{
    QTest::addColumn<QStringList>("folders"); // created before the lookup
    QTest::addColumn<QStringList>("dataFolders");
    QTest::addColumn<QString>("found");
    const QString beside = "@/prefix/share/lumina/samples";
    const QString system = "@/system/lumina/samples";
    QTest::newRow("beside the executable") << QStringList{beside} << QStringList{"@/system"} << beside;
    QTest::newRow("beside wins") << QStringList{beside, system} << QStringList{"@/system"} << beside;
    QTest::newRow("system data folder") << QStringList{system} << QStringList{"@/none", "@/system"} << system;
    QTest::newRow("none") << QStringList{"@/prefix/share/lumina"} << QStringList{"@/system"} << QString();
}

void tst_InstallLayout::sampleFolder()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, dataFolders);
    QFETCH(QString, found);
    m_dir.remove();
    QVERIFY(QDir().mkpath(at("@/prefix/bin")));
    for (const QString &folder : folders)
        QVERIFY(QDir().mkpath(at(folder)));
    QCOMPARE(sampleDataFolder(at("@/prefix/bin/lumina"), at(dataFolders)), at(found));
}

void tst_InstallLayout::builtTreeHasTheSamples()
{
    // The tests run from the build tree's bin/, as the program does: the build
    // lays the sample data out where the program looks for it.
    const QString samples = sampleDataFolder(QCoreApplication::applicationFilePath(), {});
    QVERIFY2(!samples.isEmpty(), "no share/lumina/samples beside the build's bin/");
    QVERIFY(QFileInfo(samples + QStringLiteral("/12.hy3")).size() > 0);
    QVERIFY(!isSystemInstall(QCoreApplication::applicationFilePath(), systemDataFolders()));
}

void tst_InstallLayout::settingsFile_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QStringList>("files"); // existing before the start
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QString>("save");
    QTest::addColumn<bool>("exists");
    // The folder is writable in every row, as for the administrator.
    QTest::newRow("installed, first start") << true << QStringList() << "" << "@/bin/lumina.in4"
                                            << "@/config/lumina.in4" << false;
    QTest::newRow("installed") << true << QStringList{"@/config/lumina.in4"} << ""
                               << "@/config/lumina.in4" << "@/config/lumina.in4" << true;
    QTest::newRow("portable") << false << QStringList{"@/config/lumina.in4"} << ""
                              << "@/config/lumina.in4" << "@/bin/lumina.in4" << true;
    QTest::newRow("chosen, new") << false << QStringList{"@/bin/lumina.in4"} << "@/b.in4"
                                 << "@/b.in4" << "@/b.in4" << false;
    QTest::newRow("chosen, installed") << true << QStringList{"@/config/lumina.in4", "@/b.in4"}
                                       << "@/b.in4" << "@/b.in4" << "@/b.in4" << true;
}

void tst_InstallLayout::settingsFile()
{
    QFETCH(bool, installed);
    QFETCH(QStringList, files);
    QFETCH(QString, chosen);
    QFETCH(QString, load);
    QFETCH(QString, save);
    QFETCH(bool, exists);
    m_dir.remove();
    QVERIFY(QDir().mkpath(at("@/bin")) && QDir().mkpath(at("@/config")));
    for (const QString &file : files) {
        QFile f(at(file));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    IniLocation location;
    location.executablePath = at("@/bin/lumina");
    location.userConfigFolder = at("@/config");
    location.writable = [](const QString &) { return true; };
    location.installed = installed;
    location.chosenFile = at(chosen);
    QCOMPARE(location.pathForLoad(), at(load));
    QCOMPARE(location.pathForSave(), at(save));
    QCOMPARE(location.hasSettingsFile(), exists);
}

LUMINA_TEST_MAIN(tst_InstallLayout)
#include "tst_installlayout.moc"
