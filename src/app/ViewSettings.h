#pragma once

#include "base/Language.h"

#include <QString>

namespace lumina {

// How the user likes to see the board, kept per user in the configuration
// folder. Not in the .in4 settings file: that file is shared with other copies
// of the program and stays byte for byte as they write it.
QString viewSettingsPath();
// The board scale last chosen, 1 when none was chosen or the value is unusable.
int storedBoardScale();
void storeBoardScale(int scale);
// Whether the board was last kept above other windows.
bool storedStaysOnTop();
void storeStaysOnTop(bool on);
// The interface language chosen in the options; System when none was chosen.
LanguageChoice storedLanguageChoice();
void storeLanguageChoice(LanguageChoice choice);

} // namespace lumina
