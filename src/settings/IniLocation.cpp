#include "settings/IniLocation.h"

#include "base/Paths.h"
#include "settings/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace lumina {

namespace {

// Permission bits say little on some file systems (access lists, read-only
// mounts, and root on Unix), so ask the file system itself.
bool probeWritable(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        QTemporaryFile probe(joinFolder(path, QStringLiteral("probe-XXXXXX.tmp")));
        return probe.open();
    }
    if (!info.exists())
        return false;
    QFile file(path);
    // Opening for writing without truncation leaves the file as it is.
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

} // namespace

IniLocation IniLocation::forThisProgram()
{
    IniLocation location;
    location.executablePath = QCoreApplication::applicationFilePath();
    location.userConfigFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    location.writable = probeWritable;
    location.installed = isSystemInstall(location.executablePath, systemDataFolders());
    return location;
}

QString IniLocation::fileName() const
{
    QString name = QFileInfo(executablePath).fileName();
    if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name + QLatin1String(".in4");
}

QString IniLocation::besideExecutable() const
{
    return joinFolder(QFileInfo(executablePath).path(), fileName());
}

QString IniLocation::inUserConfig() const
{
    return joinFolder(userConfigFolder, fileName());
}

bool IniLocation::portable() const
{
    if (installed)
        return false;
    const QString beside = besideExecutable();
    if (QFileInfo::exists(beside))
        return writable && writable(beside);
    return writable && writable(QFileInfo(executablePath).path());
}

QString IniLocation::pathForLoad() const
{
    if (!chosenFile.isEmpty())
        return chosenFile;
    const QString beside = besideExecutable();
    if (userConfigFolder.isEmpty())
        return beside;
    const QString user = inUserConfig();
    if (portable()) {
        // A folder that became writable since (a run with more rights) still
        // starts from the user's own file until one is written beside.
        if (!QFileInfo::exists(beside) && QFileInfo::exists(user))
            return user;
        return beside;
    }
    if (QFileInfo::exists(user))
        return user;
    return beside;
}

QString IniLocation::pathForSave() const
{
    if (!chosenFile.isEmpty())
        return chosenFile;
    if (portable() || userConfigFolder.isEmpty())
        return besideExecutable();
    return inUserConfig();
}

bool IniLocation::hasSettingsFile() const
{
    const QString path = pathForLoad();
    return !path.isEmpty() && QFileInfo::exists(path);
}

} // namespace lumina
