#pragma once

#include <QString>

namespace lumina {

// A file in a folder: the folder, one "/" and the name, on every system (Qt
// reads "/" everywhere; native separators are for showing a path only). An
// empty folder gives the name alone; a separator the folder already ends with
// (either kind, as settings files written on another system hold them) is not
// doubled.
QString joinFolder(const QString &folder, const QString &fileName);

// A folder of the program's own data ("fonts", "soundfonts", ...): under
// "share/lumina" beside the program's "bin" (the build tree and an install
// alike), else under "lumina" in one of the platform's data folders. Empty
// when none holds it.
QString programDataFolder(const QString &name);

} // namespace lumina
