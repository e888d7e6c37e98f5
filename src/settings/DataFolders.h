#pragma once

#include <QString>
#include <QStringList>

namespace lumina {

// The program's own data sit in "<prefix>/share/lumina" beside "<prefix>/bin",
// in an installed tree and in the build tree alike, so the program finds them
// the same way in both.

// "<folder of the executable>/../share", cleaned.
QString dataFolderBeside(const QString &executablePath);

// Whether the executable belongs to a system-wide install: the data folder
// beside it is one of the platform's data folders (the user's own or one of
// XDG_DATA_DIRS).
bool isSystemInstall(const QString &executablePath, const QStringList &dataFolders);

// The folder of the bundled sample data: "share/lumina/samples" beside the
// executable, or else the first of the data folders that holds
// "lumina/samples". Empty when there is none.
QString sampleDataFolder(const QString &executablePath, const QStringList &dataFolders);

// The platform's data folders, the user's own first.
QStringList systemDataFolders();
// The sample data folder of the running program.
QString sampleDataFolder();

} // namespace lumina
