#pragma once

#include "settings/IniError.h"
#include "settings/IniLocation.h"
#include "settings/SettingsFile.h"

#include <functional>
#include <optional>

namespace lumina {

class BoardWindow;
class PanelWindow;
class OptionsDialog;

// The windows that the settings file fills and is filled from. Any of them may be
// missing; its part of the records then passes from load to save unchanged.
struct IniTargets {
    BoardWindow *board = nullptr;
    PanelWindow *panel = nullptr;
    OptionsDialog *options = nullptr;
    // Applies the options to the board.
    std::function<void()> setProp;
    // Loads the ticket plug-in named by the options (empty: not available).
    std::function<void(const QString &)> loadPlugIn;
};

// Reads the settings file and applies it to the targets. No file (or an empty
// one) changes nothing and says nothing. A file that ends early applies the
// fields it holds; every field after its end keeps the value it has now. Any
// other failure shows the load message and stops there. `records` holds the
// values of this run and receives what was read.
// Returns false when a message was shown.
bool loadIni(const IniTargets &targets, const IniLocation &location, SettingsFile &records);

// Collects the records from the targets and writes the settings file. The old
// file is replaced only by a completely written new one; any failure shows the
// save message and leaves the old file as it was. Returns false on failure.
bool saveIni(const IniTargets &targets, const IniLocation &location, SettingsFile &records);

// The values the program has without a settings file (the fixed ticket date is
// today's).
SettingsFile initialRecords();
// The records of this run, from load to save; they start as initialRecords().
SettingsFile &iniRecords();
// Where this run's settings file lives. Tests point it elsewhere before start-up.
IniLocation &iniLocation();

// The start-up and quit calls, on the running program's windows.
void LoadIni();
void SaveIni();

} // namespace lumina
