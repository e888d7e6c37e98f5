#include "base/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lumina {

QString joinFolder(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty())
        return fileName;
    const bool hasSeparator = folder.endsWith(u'\\') || folder.endsWith(u'/');
    return (hasSeparator ? folder.chopped(1) : folder) + u'/' + fileName;
}

QString programDataFolder(const QString &name)
{
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/lumina/") + name;
    for (const QString &data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates << joinFolder(data, QStringLiteral("lumina/") + name);
    for (const QString &folder : candidates) {
        if (QFileInfo(folder).isDir())
            return QDir::cleanPath(folder);
    }
    return {};
}

} // namespace lumina
