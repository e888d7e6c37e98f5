#include "settings/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumina {

namespace {

const QString kSamplesInData = QStringLiteral("lumina/samples");

// Symbolic links (/bin to /usr/bin, a linked prefix) must not hide a match.
QString canonicalOrClean(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

} // namespace

QString dataFolderBeside(const QString &executablePath)
{
    return QDir::cleanPath(QFileInfo(executablePath).absolutePath() + QStringLiteral("/../share"));
}

bool isSystemInstall(const QString &executablePath, const QStringList &dataFolders)
{
    if (executablePath.isEmpty())
        return false;
    const QString share = canonicalOrClean(dataFolderBeside(executablePath));
    for (const QString &folder : dataFolders) {
        if (!folder.isEmpty() && canonicalOrClean(folder) == share)
            return true;
    }
    return false;
}

QString sampleDataFolder(const QString &executablePath, const QStringList &dataFolders)
{
    QStringList candidates;
    if (!executablePath.isEmpty())
        candidates << dataFolderBeside(executablePath);
    candidates << dataFolders;
    for (const QString &data : candidates) {
        if (data.isEmpty())
            continue;
        const QString samples = QDir::cleanPath(data + QLatin1Char('/') + kSamplesInData);
        if (QFileInfo(samples).isDir())
            return samples;
    }
    return QString();
}

QStringList systemDataFolders()
{
    return QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
}

QString sampleDataFolder()
{
    return sampleDataFolder(QCoreApplication::applicationFilePath(), systemDataFolders());
}

} // namespace lumina
