#pragma once

#include <QString>

#include <functional>

namespace lumina {

// Where the settings file lives. It carries the executable's name with the
// extension ".in4" and sits beside the executable, so that a copy of the program
// in another folder or under another name has settings of its own. When the
// executable's folder cannot be written (a system-wide install), the file of the
// same name lives in the user's configuration folder instead.
struct IniLocation {
    // The executable file, with its folder.
    QString executablePath;
    // The user's configuration folder for this program.
    QString userConfigFolder;
    // Whether a folder (creating a file there) or an existing file may be written.
    std::function<bool(const QString &path)> writable;
    // A settings file named on the command line: read and written in place of
    // the usual one, so several set-ups can live side by side.
    QString chosenFile;
    // The executable runs from a system-wide install. Its settings then live in
    // the user's folder even when the program's folder could be written (run by
    // the administrator), so no user's settings land among the system's files.
    bool installed = false;

    // The running program: its executable, the platform's configuration folder
    // and a probe that really tries to create a file.
    static IniLocation forThisProgram();

    // "<executable name>.in4": the name without a trailing ".exe".
    QString fileName() const;
    QString besideExecutable() const;
    QString inUserConfig() const;

    // The file to read at start: the one beside the executable when it can also
    // be written back there; otherwise the user's file if there is one, and last
    // a read-only file beside the executable, so a settings file shipped with a
    // system-wide install still gives the first start its values. A user's file
    // is never passed over for a file that does not exist.
    QString pathForLoad() const;
    // The file to write at quit: beside the executable whenever a writable file is
    // there or the folder takes new files; otherwise the user's file.
    QString pathForSave() const;
    // Whether there is a settings file to read at all.
    bool hasSettingsFile() const;

private:
    bool portable() const;
};


} // namespace lumina
