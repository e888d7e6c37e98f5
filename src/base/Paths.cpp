#include "base/Paths.h"

namespace lumina {

QString joinFolder(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty())
        return fileName;
    const bool hasSeparator = folder.endsWith(u'\\') || folder.endsWith(u'/');
    return (hasSeparator ? folder.chopped(1) : folder) + u'/' + fileName;
}

} // namespace lumina
