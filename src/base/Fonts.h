#pragma once

#include <QString>

namespace lumina {

// The face names used throughout the program are those of the original board's
// fonts. registerFonts() maps each of them to an installed font, so the rest of
// the code can keep asking for them by name.
void registerFonts();

// Font families that stand in for the named faces (after registerFonts()).
QString substituteFamily(const QString &faceName);

} // namespace lumina
