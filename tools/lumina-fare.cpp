// lumina-fare: turns fare data files (.hy3) into comma-separated text and back.
//
//   lumina-fare dump FILE.hy3             stops as UTF-8 CSV on standard output
//   lumina-fare build FILE.csv -o FILE.hy3
//   lumina-fare --help | --version

#include "route/FareCsv.h"
#include "route/FareFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

using namespace lumina;

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

const char kUsage[] = "usage: lumina-fare dump FILE.hy3\n"
                      "       lumina-fare build FILE.csv -o FILE.hy3\n";

int usage(const QString &complaint = QString())
{
    if (!complaint.isEmpty())
        err() << "lumina-fare: " << complaint << '\n';
    err() << kUsage << "Try 'lumina-fare --help' for more information.\n";
    err().flush();
    return 2;
}

int print(const QString &text)
{
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << text;
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}

int fail(const QString &file, const QString &message)
{
    err() << "lumina-fare: " << file << ": " << message << '\n';
    err().flush();
    return 1;
}

int dump(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(path, file.errorString());
    FareFileReader reader;
    std::vector<FareRecord> records;
    if (!reader.read(&file, records))
        return fail(path, reader.errorString());
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << fareCsv(records);
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}

int build(const QString &csvPath, const QString &outPath)
{
    QFile in(csvPath);
    if (!in.open(QIODevice::ReadOnly))
        return fail(csvPath, in.errorString());
    const QByteArray bytes = in.readAll();
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fail(csvPath, QStringLiteral("UTF-8 として読めない文字があります。"));

    FareCsvReader csv;
    std::vector<FareRecord> records;
    if (!csv.read(text, records))
        return fail(csvPath, csv.errorString());

    FareFileWriter writer;
    const QByteArray data = writer.toBytes(records);
    if (data.isEmpty())
        return fail(csvPath, writer.errorString());

    // Written aside and renamed, so a failed build never leaves half a file.
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit())
        return fail(outPath, out.errorString());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumina-fare"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(LUMINA_VERSION_MAJOR)
                                                .arg(LUMINA_VERSION_MINOR)
                                                .arg(LUMINA_VERSION_PATCH));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString::fromLatin1(kUsage) +
        QStringLiteral("\nTurns Lumina's fare data files (.hy3) into comma-separated text\n"
                       "(UTF-8, one stop a line: name, ticket number, 150 values) and back."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption output(QStringLiteral("o"),
                                    QStringLiteral("The fare data file that build writes."),
                                    QStringLiteral("FILE.hy3"));
    parser.addOption(output);
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("dump or build"));
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The fare data file to dump, or the text to build from."));

    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))
        return print(parser.helpText());
    if (parser.isSet(version))
        return print(QStringLiteral("lumina-fare %1\n").arg(QCoreApplication::applicationVersion()));

    const QStringList args = parser.positionalArguments();
    if (args.size() == 2 && args[0] == QLatin1String("dump") && !parser.isSet(output))
        return dump(args[1]);
    if (args.size() == 2 && args[0] == QLatin1String("build") && parser.isSet(output))
        return build(args[1], parser.value(output));
    return usage();
}
