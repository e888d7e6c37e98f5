#include "Command.h"
#include "FareChecks.h"

#include "route/FareCsv.h"

namespace lumina::fare {

namespace {

int dump(const Invocation &call)
{
    const QString in = call.files.at(0);
    QByteArray bytes;
    if (!readInput(call.command, in, bytes))
        return Refused;
    const RouteCheck route = checkFareFile(bytes);
    // A file the program refuses is no route to edit: an empty one would
    // otherwise dump as nothing and build back into the same refused file.
    if (!route.problems.isEmpty())
        return refuse(call.command, in, route.problems.join(QStringLiteral(" ")));
    return writeOutput(call.command, call.parser.value(QStringLiteral("o")), fareCsv(route.records).toUtf8());
}

} // namespace

Command dumpCommand()
{
    Command c;
    c.name = QStringLiteral("dump");
    c.synopsis = QStringLiteral("FILE.hy3 [-o FILE.csv]");
    c.summary = Text::tr("Write a fare data file as UTF-8 CSV, one stop a line.");
    c.details = Text::tr("Each line is a stop: its name, the ticket number issued there, then the\n"
        "150 values (fares for ticket numbers 1..60, then values 61..150).\n"
        "A file the program would refuse (broken, or fewer than two stops) is an error.");
    c.options = {outputOption(Text::tr("The CSV written (default: standard output)."), QStringLiteral("FILE.csv"))};
    c.run = dump;
    return c;
}

} // namespace lumina::fare
