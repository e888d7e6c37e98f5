#pragma once

#include "settings/IniError.h"
#include "settings/IniLocation.h"
#include "settings/SettingsFile.h"

#include <functional>
#include <optional>

namespace lumina {

class BoardWindow;
class PanelWindow;

// The windows whose own state (the fare cells' digit settings, the panel's
// controls, the window positions) the settings file fills and is filled from.
// Either may be missing; its part of the settings then passes from load to
// save unchanged.
struct IniTargets {
    BoardWindow *board = nullptr;
    PanelWindow *panel = nullptr;
    // Applies the options to the board.
    std::function<void()> setProp;
    // What the file held at the load: a text code page 932 cannot hold is
    // saved as it was there.
    SettingsFile *asLoaded = nullptr;
};

// Reads the settings file into `settings` (the program's) and the targets. No
// file (or an empty one) changes nothing and says nothing. A file that ends
// early applies the fields it holds; every field after its end keeps the value
// it has now. Any other failure shows the load message and stops there.
// Returns false when a message was shown.
bool loadIni(const IniTargets &targets, const IniLocation &location, SettingsFile &settings);

// Writes `settings` with the targets' own state into the settings file. The old
// file is replaced only by a completely written new one; any failure shows the
// save message and leaves the old file as it was. Returns false on failure.
bool saveIni(const IniTargets &targets, const IniLocation &location, SettingsFile &settings);

// The message of a settings file whose load stopped at `failure`.
QString settingsLoadFailureMessage(const IniFailure &failure);

// The values the program has without a settings file (the fixed ticket date is
// today's).
SettingsFile initialRecords();
// Where this run's settings file lives. Tests point it elsewhere before start-up.
IniLocation &iniLocation();

// The start-up and quit calls, on the running program's windows.
void LoadIni();
void SaveIni();

} // namespace lumina
