#include "Command.h"
#include "FareChecks.h"

#include "base/CodePage.h"
#include "hostlib/TicketPlugin.h"
#include "route/TripFile.h"
#include "sound/AnnouncementTape.h"
#include "sound/TapeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

namespace lumina::fare {

namespace {

struct FileCheck {
    QStringList problems;
    QString summary; // said after "ok"
};

FileCheck routeCheck(const RouteCheck &route)
{
    return {route.problems, routeSummary(route.records)};
}

FileCheck checkHy3(const QByteArray &bytes, const QString &)
{
    return routeCheck(checkFareFile(bytes));
}

FileCheck checkCsv(const QByteArray &bytes, const QString &)
{
    return routeCheck(checkFareCsv(bytes));
}

// Problems of one announcement line (1-based `n`) that the program would pass
// over in silence: it reads a flag it cannot use as 0 and speaks the name of
// a recording that is not there.
QStringList tapeLineProblems(const QByteArray &raw, int n, const QString &folder, bool &recorded)
{
    QStringList problems;
    const QString text = cp932::decode(raw);
    // UTF-8 text is mostly also valid code page 932 bytes, read as other
    // characters: valid UTF-8 beyond ASCII is taken for what it is.
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString asUtf8 = utf8.decode(raw);
    const bool looksUtf8 = !utf8.hasError() && asUtf8.size() < raw.size();
    bool encodable = false;
    if (looksUtf8 || cp932::encode(text, &encodable) != raw || !encodable) {
        problems << Text::tr("line %1: bytes that are no Shift-JIS (code page 932); was the file saved "
                                 "as UTF-8?").arg(n);
    }
    const QStringList fields = TapeFileReader::splitLine(text);
    if (fields.size() > 3)
        problems << Text::tr("line %1: %2 fields; at most 3: the text, the step and the sound.")
                        .arg(n)
                        .arg(fields.size());
    static const QRegularExpression step(QStringLiteral("^[01]?$"));
    static const QRegularExpression sound(QStringLiteral("^[0-3]?$"));
    if (!step.match(fields.value(1)).hasMatch())
        problems << Text::tr("line %1: the step \"%2\" is 0 or 1.").arg(n).arg(fields.value(1));
    if (!sound.match(fields.value(2)).hasMatch())
        problems << Text::tr("line %1: the pre-announcement sound \"%2\" is 0 to 3.")
                        .arg(n)
                        .arg(fields.value(2));
    const QString name = fields.value(0);
    recorded = !folder.isEmpty() && !recordingIn(folder, name).isEmpty();
    if (!recorded && !folder.isEmpty() && namesRecording(name)) {
        problems << Text::tr("line %1: the recording \"%2\" is not in this file's folder (its name "
                                 "would be read out as it stands).").arg(n).arg(name);
    }
    return problems;
}

FileCheck checkTape(const QByteArray &bytes, const QString &path)
{
    FileCheck check;
    if (bytes.size() > TapeFileReader::kMaxFileSize)
        return {{Text::tr("larger than %1 bytes.").arg(TapeFileReader::kMaxFileSize)}, {}};
    QByteArray text = bytes;
    text.replace("\r\n", "\n").replace('\r', '\n');
    QList<QByteArray> lines = text.split('\n');
    if (text.endsWith('\n'))
        lines.removeLast();
    const QString folder = isStandardStream(path) ? QString() : QFileInfo(path).absolutePath();
    int recordings = 0;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        bool recorded = false;
        check.problems += tapeLineProblems(lines[n], int(n + 1), folder, recorded);
        recordings += recorded ? 1 : 0;
    }
    if (lines.isEmpty())
        check.problems << Text::tr("no announcements.");
    check.summary =
        Text::tr("%1 announcements, %2 of them recordings").arg(lines.size()).arg(recordings);
    return check;
}

FileCheck checkPlugin(const QByteArray &bytes, const QString &)
{
    TicketPluginReader reader;
    const std::optional<TicketPlugin> plugin = reader.read(bytes);
    if (!plugin) {
        // A JSON fault comes with its byte; a person looks for its line.
        static const QRegularExpression at(QStringLiteral("^not JSON at byte (\\d+)"));
        const QRegularExpressionMatch found = at.match(reader.errorString());
        const QString line = found.hasMatch()
            ? Text::tr("line %1: ").arg(bytes.left(found.captured(1).toInt()).count('\n') + 1)
            : QString();
        return {{line + reader.errorString()}, {}};
    }
    const PlugInInfo &info = plugin->info;
    return {{}, Text::tr("ticket plug-in, preview %1 x %2 twips, %3 elements, %4 companies")
                    .arg(info.previewWidth)
                    .arg(info.previewHeight)
                    .arg(plugin->elements.size())
                    .arg(plugin->companies.size())};
}

FileCheck checkTrip(const QByteArray &bytes, const QString &)
{
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    TripReader reader;
    Trip trip;
    if (!reader.read(&device, trip))
        return {{reader.errorString()}, {}};
    return {{}, Text::tr("trip of %1 steps, %2 long").arg(trip.steps.size()).arg(tripTime(trip.lengthMs()))};
}

struct FileKind {
    const char *name;
    const char *suffix; // the end of the file name, any case
    FileCheck (*check)(const QByteArray &bytes, const QString &path);
};

// The kinds of file `check` knows, the first whose suffix fits a name is
// taken.
const FileKind kKinds[] = {
    {"tape", "tp.csv", checkTape},
    {"csv", ".csv", checkCsv},
    {"hy3", ".hy3", checkHy3},
    {"plugin", ".4sp", checkPlugin},
    {"trip", ".trip", checkTrip},
};

const FileKind *kindNamed(const QString &name)
{
    for (const FileKind &kind : kKinds) {
        if (name == QLatin1StringView(kind.name))
            return &kind;
    }
    return nullptr;
}

const FileKind *kindOf(const QString &path)
{
    for (const FileKind &kind : kKinds) {
        if (path.endsWith(QLatin1StringView(kind.suffix), Qt::CaseInsensitive))
            return &kind;
    }
    return nullptr;
}

int checkOne(const QString &command, const QString &path, const QString &typeName)
{
    const FileKind *kind = typeName.isEmpty() ? kindOf(path) : kindNamed(typeName);
    if (!kind && !typeName.isEmpty())
        return misuse(command,
                      Text::tr("--type takes hy3, csv, tape, plugin or trip, not '%1'").arg(typeName));
    // A file that is not there is told as such, whatever its name says.
    QByteArray bytes;
    if (!kind && isStandardStream(path))
        return misuse(command, Text::tr("the kind of standard input is not known; give --type"));
    if (!readInput(command, path, bytes))
        return Refused;
    if (!kind)
        return misuse(command,
                      Text::tr("%1: the kind of file is not told by its name; give --type").arg(path));
    const FileCheck check = kind->check(bytes, path);
    for (const QString &problem : check.problems)
        refuse(command, path, problem);
    if (!check.problems.isEmpty())
        return Refused;
    return writeOutput(command, QStringLiteral("-"),
                       Text::tr("%1: ok: %2\n").arg(shownName(path), check.summary).toUtf8());
}

int checkFiles(const Invocation &call)
{
    int worst = Done;
    for (const QString &path : call.files)
        worst = std::max(worst, checkOne(call.command, path, call.parser.value(QStringLiteral("type"))));
    return worst;
}

} // namespace

Command checkCommand()
{
    Command c;
    c.name = QStringLiteral("check");
    c.synopsis = QStringLiteral("FILE... [--type KIND]");
    c.summary = Text::tr("Check fare data, fare CSV, announcement files, ticket plug-ins and trips.");
    c.details = Text::tr("The kind is told by the name: *tp.csv (any case) an announcement file,\n"
        "*.csv a fare CSV, *.hy3 a fare data file, *.4SP a ticket plug-in, *.trip a trip.\n"
        "Every problem is told with its line; a good file gets \"ok\" and a summary.");
    c.options = {QCommandLineOption(QStringLiteral("type"),
                                    Text::tr("The kind of every FILE: hy3, csv, tape, plugin or trip "
                                                   "(needed for \"-\")."),
                                    QStringLiteral("KIND"))};
    c.maxFiles = -1;
    c.run = checkFiles;
    return c;
}

} // namespace lumina::fare
