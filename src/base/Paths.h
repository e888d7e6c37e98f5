#pragma once

#include <QString>

namespace lumina {

// A file in a folder: the folder, one "/" and the name, on every system (Qt
// reads "/" everywhere; native separators are for showing a path only). An
// empty folder gives the name alone; a separator the folder already ends with
// (either kind, as settings files written on another system hold them) is not
// doubled.
QString joinFolder(const QString &folder, const QString &fileName);

} // namespace lumina
