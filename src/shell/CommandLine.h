#pragma once

#include "base/Language.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lumina {

// What the program's command line asks for.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };

    Action action = Action::Run;
    // "--settings FILE", made absolute against the working folder; empty for the
    // usual settings file.
    QString settingsFile;
    // "--play TRIP": the trip played once both windows show; empty for none.
    QString tripFile;
    // "--lang ja|en": the interface language over the saved choice; nothing
    // when not given.
    std::optional<LanguageChoice> language;
    // The help or version text for standard output, or the complaint for
    // standard error, each ending with a line break.
    QString text;

    // 0 for help and version, 2 for a command line that cannot be used.
    int exitStatus() const { return action == Action::Fail ? 2 : 0; }
};

// Reads the arguments (the program's path first). The window system's own
// options (-platform NAME, -style NAME, -reverse, ...) are passed over: the
// application object takes them. Needs a QCoreApplication for the help text.
CommandLine parseCommandLine(const QStringList &arguments);

} // namespace lumina
