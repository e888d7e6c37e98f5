#include "Command.h"
#include "FareChecks.h"

#include "route/FareFile.h"

namespace lumina::fare {

namespace {

int build(const Invocation &call)
{
    if (!call.parser.isSet(QStringLiteral("o")))
        return misuse(call.command, Text::tr("-o FILE.hy3 is needed: the fare data file to write"));
    const QString in = call.files.at(0);
    QByteArray bytes;
    if (!readInput(call.command, in, bytes))
        return Refused;
    // Every problem at once, so one round of editing can mend them all.
    const RouteCheck route = checkFareCsv(bytes);
    for (const QString &problem : route.problems)
        refuse(call.command, in, problem);
    if (!route.problems.isEmpty())
        return Refused;
    FareFileWriter writer;
    const QByteArray data = writer.toBytes(route.records);
    if (data.isEmpty())
        return refuse(call.command, in, writer.errorString());
    return writeOutput(call.command, call.parser.value(QStringLiteral("o")), data);
}

} // namespace

Command buildCommand()
{
    Command c;
    c.name = QStringLiteral("build");
    c.synopsis = QStringLiteral("FILE.csv -o FILE.hy3");
    c.summary = Text::tr("Make a fare data file from UTF-8 CSV (as dump writes it).");
    c.details = Text::tr("Blank lines and lines starting with # are skipped. Nothing is written when\n"
        "the program would refuse the result: every problem is told with its line.\n"
        "Name the file after the route number: route 34 is read from 34.hy3.");
    c.options = {QCommandLineOption(QStringLiteral("o"),
                                    Text::tr("The fare data file written (\"-\": standard output)."),
                                    QStringLiteral("FILE.hy3"))};
    c.run = build;
    return c;
}

} // namespace lumina::fare
