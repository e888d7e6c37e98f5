// lumina-fare: turns fare data files (.hy3) into comma-separated text and back.
//
//   lumina-fare dump FILE.hy3             stops as UTF-8 CSV on standard output
//   lumina-fare build FILE.csv -o FILE.hy3

#include "route/FareCsv.h"
#include "route/FareFile.h"

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

int usage()
{
    err() << "usage: lumina-fare dump FILE.hy3\n"
             "       lumina-fare build FILE.csv -o FILE.hy3\n";
    err().flush();
    return 2;
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
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("dump"))
        return dump(args[1]);
    if (args.size() == 4 && args[0] == QLatin1String("build")) {
        if (args[2] == QLatin1String("-o"))
            return build(args[1], args[3]);
        if (args[1] == QLatin1String("-o"))
            return build(args[3], args[2]);
    }
    return usage();
}
