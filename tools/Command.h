#pragma once

// One command of lumina-fare and the helpers every command shares: reading
// a file or standard input, writing a file or standard output, and saying
// what went wrong on one line.

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

namespace lumina::fare {

// lumina-fare's own texts are written in English; translations/lumina-fare_ja.ts
// holds their Japanese.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(lumina::fare)
};

// The exit status, the same for every command.
enum Exit : int {
    Done = 0,
    Refused = 1, // a file refused, not found, not read or not written
    Misuse = 2,  // the command line is wrong
};

// A command line handed to one command, already parsed against its options.
struct Invocation {
    QString command;
    QStringList files; // the arguments after the command name
    const QCommandLineParser &parser;
};

struct Command {
    QString name;
    QString synopsis; // what follows the name on the usage line
    QString summary;  // one line for the command list
    QString details;  // the paragraph of `help COMMAND`
    QList<QCommandLineOption> options;
    int minFiles = 1;
    int maxFiles = 1; // -1: any number
    bool drawsBoard = false; // needs the widgets (and a platform, offscreen by default)
    int (*run)(const Invocation &) = nullptr;
};

// "-o FILE", written to standard output when not given; `description` says
// so in the help.
inline QCommandLineOption outputOption(const QString &description, const QString &valueName)
{
    return QCommandLineOption(QStringLiteral("o"), description, valueName, QStringLiteral("-"));
}

// "-" names standard input or output.
bool isStandardStream(const QString &path);
// The file as messages name it.
QString shownName(const QString &path);

// "lumina-fare COMMAND: FILE: problem" on standard error, one line; returns Refused.
int refuse(const QString &command, const QString &file, const QString &problem);
// "lumina-fare COMMAND: problem (see ...)" on standard error; returns Misuse.
int misuse(const QString &command, const QString &problem);

// The whole content of `path`, or of standard input for "-". False (and the
// reason told) when it cannot be read.
bool readInput(const QString &command, const QString &path, QByteArray &bytes);
// Writes `bytes` to `path` whole (aside and renamed), or to standard output
// for "-". Returns Done, or Refused with the reason told.
int writeOutput(const QString &command, const QString &path, const QByteArray &bytes);

// A message meant for a message box, as one line.
QString oneLine(QString message);

// The commands, in the order help lists them.
Command dumpCommand();
Command buildCommand();
Command renderCommand();
Command checkCommand();
Command tripCommand();
Command importCommand();

} // namespace lumina::fare
