#include "base/Paths.h"

#include <QDir>

namespace lumina {

QString joinFolder(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty())
        return fileName;
    const bool hasSeparator = folder.endsWith(u'\\') || folder.endsWith(u'/');
    return (hasSeparator ? folder.chopped(1) : folder) + QDir::separator() + fileName;
}

} // namespace lumina
