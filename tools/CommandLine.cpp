#include "Command.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace lumina::fare {

namespace {

void sayOnStandardError(const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

bool isStandardStream(const QString &path)
{
    return path == u"-";
}

QString shownName(const QString &path)
{
    return isStandardStream(path) ? Text::tr("(standard input)") : path;
}

QString oneLine(QString message)
{
    message.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    message.replace(u'\n', u' ');
    message.replace(u'\r', u' ');
    return message.simplified();
}

int refuse(const QString &command, const QString &file, const QString &problem)
{
    sayOnStandardError(
        QStringLiteral("lumina-fare %1: %2: %3").arg(command, shownName(file), oneLine(problem)));
    return Refused;
}

int misuse(const QString &command, const QString &problem)
{
    const QString who = command.isEmpty() ? QStringLiteral("lumina-fare")
                                          : QStringLiteral("lumina-fare ") + command;
    const QString help = command.isEmpty() ? QStringLiteral("lumina-fare --help")
                                           : QStringLiteral("lumina-fare help ") + command;
    sayOnStandardError(Text::tr("%1: %2 (see '%3')").arg(who, problem, help));
    return Misuse;
}

bool readInput(const QString &command, const QString &path, QByteArray &bytes)
{
    QFile file;
    bool opened = false;
    if (isStandardStream(path)) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(path);
        if (!QFileInfo::exists(path)) {
            refuse(command, path, Text::tr("no such file (looked for %1)")
                                      .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
            return false;
        }
        if (QFileInfo(path).isDir()) {
            refuse(command, path, Text::tr("a folder, not a file"));
            return false;
        }
        opened = file.open(QIODevice::ReadOnly);
    }
    if (opened)
        bytes = file.readAll();
    if (!opened || file.error() != QFileDevice::NoError) {
        refuse(command, path, Text::tr("cannot read: %1").arg(file.errorString()));
        return false;
    }
    return true;
}

int writeOutput(const QString &command, const QString &path, const QByteArray &bytes)
{
    if (isStandardStream(path)) {
        QFile out;
        // A full disk or a closed pipe shows only when the data leaves the
        // buffer, so the flush is checked as well as the write.
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush()
            || std::fflush(stdout) != 0) {
            return refuse(command, Text::tr("(standard output)"), Text::tr("cannot write: %1")
                                             .arg(out.errorString().isEmpty() ? Text::tr("write error")
                                                                              : out.errorString()));
        }
        return Done;
    }
    const QFileInfo target(path);
    if (!target.absoluteDir().exists()) {
        return refuse(command, path, Text::tr("cannot write: no such folder (looked for %1)")
                                         .arg(QDir::toNativeSeparators(target.absolutePath())));
    }
    // Written aside and renamed, so a failure never leaves half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return refuse(command, path, Text::tr("cannot write: %1").arg(file.errorString()));
    return Done;
}

} // namespace lumina::fare
