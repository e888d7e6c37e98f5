#pragma once

#include <QString>
#include <QStringList>

namespace lumina {

// The face names used throughout the program are those of the original board's
// fonts. registerFonts() first adds the fonts shipped in the program's own
// "fonts" folder, then maps each face to a font there or installed on the
// system, so the rest of the code can keep asking for them by name.
void registerFonts();

// Where the bitmap fonts (PCF) are looked for: the program's own "fonts"
// folder first, then where X11 systems keep them.
QStringList bitmapFontFolders();

// Font families that stand in for the named faces (after registerFonts()).
QString substituteFamily(const QString &faceName);

} // namespace lumina
