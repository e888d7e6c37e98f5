#include "app/SettingsStore.h"

#include "base/Paths.h"

#include "base/CodePage.h"
#include "hostlib/HostLib.h"
#include "settings/OptionFields.h"
#include "settings/SettingsIo.h"
#include "shell/BoardWindow.h"
#include "app/Lumina.h"
#include "shell/PanelWindow.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

namespace lumina {

namespace {

Q_LOGGING_CATEGORY(lcIni, "lumina.settings")

// The texts of this file, under a translation context of their own.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(lumina::SettingsStore)
};

QString loadModuleLine()
{
    return Text::tr("モジュール:%1").arg(QStringLiteral("mdlIniIo.LoadIni()"));
}

void showFailure(QWidget *owner, const IniFailure &failure, const QString &moduleLine = QString())
{
    host().messageBox(owner, iniFailureMessage(failure, moduleLine),
                      QCoreApplication::applicationName(), MessageButtons::Ok, MessageIcon::None);
}

// The current state of everything the file holds.
SettingsFile collect(const IniTargets &targets, const SettingsFile &settings)
{
    SettingsFile s = settings;
    if (targets.board)
        targets.board->saveCells(s.cells);
    if (targets.panel)
        targets.panel->saveState(s.controlPanel);
    if (targets.board)
        targets.board->savePosition(s.board);
    return s;
}

// A copy of a damaged settings file beside it ("<name>.damaged.in4",
// numbered when taken), or in the user's folder when the executable's folder
// takes no files. Returns the copy's path, empty when none could be made.
QString keepDamagedFile(const QString &path, const IniLocation &location)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName() + QStringLiteral(".damaged");
    for (const QString &folder : {info.absolutePath(), location.userConfigFolder}) {
        if (folder.isEmpty() || !QDir().mkpath(folder))
            continue;
        for (int n = 1; n < 1000; ++n) {
            const QString number = n > 1 ? QStringLiteral("-%1").arg(n) : QString();
            const QString copy = joinFolder(folder, base + number + QStringLiteral(".in4"));
            if (QFileInfo::exists(copy))
                continue;
            if (QFile::copy(path, copy))
                return copy;
            break;
        }
    }
    return {};
}

// Where the copy of a damaged file went, for the message that reports it.
QString keptNote(const QString &kept)
{
    return kept.isEmpty() ? Text::tr("元のファイルの控えを作れませんでした。終了時に上書きされます。")
                          : Text::tr("元のファイルは「%1」として残しました。").arg(QDir::toNativeSeparators(kept));
}

// The load's module line, and where the file that failed to load was kept.
QString keptAside(const QString &path, const IniLocation &location)
{
    return loadModuleLine() + QStringLiteral("\r\n\r\n") + keptNote(keepDamagedFile(path, location));
}

QString damagedFileMessage(const QString &path, const SettingsReader &reader, const QString &kept)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = Text::tr("設定ファイル「%1」は壊れているか、途中で終わっています。").arg(QDir::toNativeSeparators(path)) + crlf;
    if (reader.fieldsRead() == 0) {
        text += Text::tr("使える設定はありませんでした。すべて既定の値で始めます。");
    } else {
        text += Text::tr("先頭の%1バイト（全%2項目のうち初めの%3項目）の設定を使い、"
                               "残りは既定の値で始めます。")
                    .arg(reader.bytesRead())
                    .arg(settingsFieldCount())
                    .arg(reader.fieldsRead());
    }
    return text + crlf + keptNote(kept);
}

// Writing in place (the folder takes no new files) truncates the file first. A
// copy of the old file in the user's folder comes first, and a failed write
// puts the old bytes back, so the old settings survive whole in any case.
bool saveInPlace(QWidget *owner, const QString &path, const QByteArray &bytes,
                 const IniLocation &location)
{
    QByteArray oldBytes;
    if (QFile old(path); old.open(QIODevice::ReadOnly)) {
        oldBytes = old.readAll(); // and closed before the file is written over below
    } else {
        showFailure(owner, iniFailureFor(old.error()));
        return false;
    }

    const QString backup =
        joinFolder(location.userConfigFolder, location.fileName() + QStringLiteral(".bak"));
    {
        QSaveFile copy(backup);
        if (location.userConfigFolder.isEmpty() || !QDir().mkpath(location.userConfigFolder)
            || !copy.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
            || copy.write(oldBytes) != oldBytes.size() || !copy.commit()) {
            qCWarning(lcIni) << backup << copy.errorString();
            showFailure(owner, iniFailureFor(copy.error()));
            return false;
        }
    }

    const auto writeWhole = [&path](const QByteArray &content, QFileDevice::FileError *error) {
        QFile file(path);
        // Unbuffered, QFile writes until all is written or the system refuses.
        const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)
                        && file.write(content) == content.size();
        if (error)
            *error = file.error();
        return ok;
    };

    QFileDevice::FileError error = QFileDevice::NoError;
    if (writeWhole(bytes, &error)) {
        QFile::remove(backup);
        return true;
    }
    qCWarning(lcIni) << path << "could not be written in place";
    QString extra;
    if (writeWhole(oldBytes, nullptr))
        QFile::remove(backup);
    else
        extra = Text::tr("元の設定ファイルの控え：%1").arg(backup);
    showFailure(owner, iniFailureFor(error), extra);
    return false;
}

// What a settings file held, into the settings and the windows, in the order
// of the options dialog, the panel and the board; stops at the first value a
// control could not take, and says why.
std::optional<IniFailure> apply(const IniTargets &targets, const SettingsFile &loaded, SettingsFile &settings)
{
    // The windows' own parts pass on whole; the options stop at a bad value.
    settings.controlPanel = loaded.controlPanel;
    settings.board = loaded.board;
    settings.cells = loaded.cells;
    if (targets.board)
        targets.board->restoreCells(loaded);

    auto failure = takeOptions(settings, loaded);
    if (!failure && targets.panel)
        failure = targets.panel->restoreState(loaded.controlPanel);
    if (failure)
        return failure;
    if (targets.board)
        targets.board->restorePosition(loaded.board);
    if (targets.setProp)
        targets.setProp();
    return std::nullopt;
}

} // namespace

bool loadIni(const IniTargets &targets, const IniLocation &location, SettingsFile &settings)
{
    const QString path = location.pathForLoad();
    QWidget *owner = targets.board;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // No file, or a name the file system cannot use: the program keeps
        // the values it starts with.
        if (!QFileInfo::exists(path))
            return true;
        showFailure(owner, iniFailureFor(file.error()), loadModuleLine());
        return false;
    }

    // Fields the file does not reach keep what the windows show now.
    SettingsFile loaded = collect(targets, settings);
    SettingsReader reader;
    reader.read(&file, loaded);
    file.close();
    if (targets.asLoaded && reader.status() != SettingsReader::Status::DeviceError)
        *targets.asLoaded = loaded;
    switch (reader.status()) {
    case SettingsReader::Status::Complete:
        break;
    case SettingsReader::Status::Truncated:
        if (reader.bytesRead() == 0)
            return true; // an empty file holds no settings
        qCWarning(lcIni) << path << reader.errorString()
                         << "- the fields after it keep their current values";
        // Whatever the file held stays on disk: the quit writes a whole new one.
        host().messageBox(owner, damagedFileMessage(path, reader, keepDamagedFile(path, location)),
                          QCoreApplication::applicationName(), MessageButtons::Ok, MessageIcon::Warning);
        break;
    case SettingsReader::Status::DeviceError:
        qCWarning(lcIni) << path << reader.errorString();
        showFailure(owner, iniFailure(iniError::kDeviceIo), keptAside(path, location));
        return false;
    }
    // A value refused part-way leaves the fields after it at their defaults,
    // and the quit writes those: the file as it was is kept aside first.
    if (const auto failure = apply(targets, loaded, settings)) {
        showFailure(owner, *failure, keptAside(path, location));
        return false;
    }
    return true;
}

namespace {

// The whole file at `path`, replaced only once the new one is completely written.
bool writeSettingsFile(QWidget *owner, const QString &path, const SettingsFile &stored, const IniLocation &location)
{
    // A writable file in a folder that takes no new files can only be written
    // in place.
    const QString folder = QFileInfo(path).absolutePath();
    if (location.writable && !location.writable(folder) && QFileInfo::exists(path))
        return saveInPlace(owner, path, SettingsWriter::toBytes(stored), location);

    // A failure, a kill or a full disk on the way leaves the old file as it was.
    QSaveFile file(path);
    SettingsWriter writer;
    // Unbuffered, so a refused byte shows at once and the save is given up
    // before the new file could replace the old one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writer.write(&file, stored) && file.commit())
        return true;
    qCWarning(lcIni) << path << file.errorString() << writer.errorString();
    const IniFailure failure = iniFailureFor(file.error());
    file.cancelWriting();
    showFailure(owner, failure);
    return false;
}

void tellGivenUp(QWidget *owner, const QStringList &givenUp)
{
    QString text = Text::tr("次の設定は設定ファイルに保存できない文字を含むため、以前の値のまま保存しました。");
    for (const QString &value : givenUp)
        text += Text::tr("\r\n「%1」（文字「%2」）").arg(value, cp932::firstUnencodable(value));
    host().messageBox(owner, text, QCoreApplication::applicationName(), MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace

bool saveIni(const IniTargets &targets, const IniLocation &location, SettingsFile &settings)
{
    // Without the code page every string would be written as "?": the file on
    // disk is worth more than this run's settings. Start-up has said so.
    if (!cp932::available()) {
        qCWarning(lcIni) << "no code page 932 converter: the settings file is left as it is";
        return false;
    }
    const SettingsFile current = collect(targets, settings);
    QWidget *owner = targets.board;

    const QString path = location.pathForSave();
    if (path.isEmpty()) {
        showFailure(owner, iniFailure(iniError::kBadFileName));
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        showFailure(owner, iniFailure(iniError::kPathNotFound));
        return false;
    }
    // Never a "?" for a character: such a text is stored as the file had it.
    SettingsFile stored = current;
    const QStringList givenUp = keepStorableTexts(stored, targets.asLoaded ? *targets.asLoaded : SettingsFile());
    if (!writeSettingsFile(owner, path, stored, location))
        return false;
    settings = current;
    if (!givenUp.isEmpty())
        tellGivenUp(owner, givenUp);
    return true;
}

QString settingsLoadFailureMessage(const IniFailure &failure)
{
    return iniFailureMessage(failure, loadModuleLine());
}

SettingsFile initialRecords()
{
    SettingsFile s;
    const QDate today = QDate::currentDate();
    s.ticketPreview.fixedDate = fixedDateText(today.year(), today.month(), today.day());
    return s;
}

IniLocation &iniLocation()
{
    static IniLocation location = IniLocation::forThisProgram();
    return location;
}

namespace {

IniTargets programTargets()
{
    IniTargets targets;
    Lumina *program = Lumina::instance();
    if (!program)
        return targets;
    targets.board = program->board();
    targets.panel = program->panel();
    targets.asLoaded = &program->settingsAsLoaded();
    targets.setProp = [program] {
        if (program->seams().setProp)
            program->seams().setProp();
    };
    return targets;
}

} // namespace

void LoadIni()
{
    if (Lumina *program = Lumina::instance())
        loadIni(programTargets(), iniLocation(), program->settings());
}

void SaveIni()
{
    if (Lumina *program = Lumina::instance())
        saveIni(programTargets(), iniLocation(), program->settings());
}

} // namespace lumina
