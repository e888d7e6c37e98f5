#include "sound/AnnouncementTape.h"

#include "sound/SoundPlayer.h"
#include "sound/Speech.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

// QT_LOGGING_RULES="lumina.tape.debug=true" shows every announcement.
Q_LOGGING_CATEGORY(lcTape, "lumina.tape", QtInfoMsg)

namespace lumina {

namespace {

const QString kForwardSlot = QStringLiteral("S3");
const QString kBackSlot = QStringLiteral("S2");

} // namespace

bool namesRecording(const QString &text)
{
    if (text.contains(u'/') || text.contains(u'\\'))
        return false;
    const QString suffix = text.right(4).toLower();
    return suffix == u".wav" || suffix == u".mp3" || suffix == u".mid";
}

QString recordingIn(const QString &folder, const QString &text)
{
    if (!namesRecording(text))
        return {};
    const QString path = QDir(folder).filePath(text);
    return QFileInfo(path).isFile() ? path : QString();
}

QString tapeFileName(const QString &routeKey)
{
    return routeKey + QStringLiteral("tp.csv");
}

QString findTapeFile(const QString &path)
{
    const QFileInfo named(path);
    if (named.exists())
        return path;
    // The options dialog writes the name "*****Tp.csv" and files made on a
    // system that ignores case carry any case; here case counts, so look.
    const QDir folder = named.dir();
    const QStringList all = folder.entryList(QDir::Files, QDir::Name);
    for (const QString &name : all) {
        if (name.compare(named.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return path;
}

TapeLoad readTape(const QString &path)
{
    TapeLoad load;
    load.path = findTapeFile(path);
    QFile file(load.path);
    if (!file.open(QIODevice::ReadOnly)) {
        load.errorString = file.errorString();
        return load;
    }
    TapeFileReader reader;
    load.ok = reader.read(&file, load.entries);
    load.errorString = reader.errorString();
    // A fault leaves the lines after it as empty entries.
    while (load.entries.size() < reader.lineCount())
        load.entries.append(TapeEntry{});
    return load;
}

void AnnouncementTape::load(TapeLoad tape)
{
    m_entries = std::move(tape.entries);
    m_folder = QFileInfo(tape.path).path();
    m_loaded = tape.ok;
    m_position = 0;
    if (!tape.ok)
        qCDebug(lcTape) << "announcement file" << tape.path << "not used:" << tape.errorString;
}

qint16 AnnouncementTape::stepFlag(int n) const
{
    return n >= 1 && n <= count() ? m_entries[n - 1].stepFlag : 0;
}

qint16 AnnouncementTape::soundFlag(int n) const
{
    return n >= 1 && n <= count() ? m_entries[n - 1].soundFlag : 0;
}

QString AnnouncementTape::text(int n) const
{
    return n >= 1 && n <= count() ? m_entries[n - 1].text : QString();
}

QString AnnouncementTape::recordingOf(int n) const
{
    return recordingIn(m_folder, text(n));
}

QString AnnouncementTape::flagSound(const PreAnnouncement &sounds) const
{
    const int flag = soundFlag(m_position);
    return flag >= 1 && flag <= int(sounds.flagSounds.size()) ? sounds.flagSounds[size_t(flag - 1)]
                                                              : QString();
}

bool AnnouncementTape::forward(const PreAnnouncement &sounds)
{
    ++m_position;
    if (m_position > count()) {
        m_position = count();
        return false;
    }
    announce(sounds.always ? sounds.alwaysSound : flagSound(sounds), kForwardSlot,
             sounds.synchronous);
    return true;
}

bool AnnouncementTape::back(const PreAnnouncement &sounds)
{
    --m_position;
    if (m_position < 1) {
        m_position = 1;
        return false;
    }
    // Going back, only the entry's own flag chooses a sound.
    announce(flagSound(sounds), kBackSlot, sounds.synchronous);
    return true;
}

void AnnouncementTape::announce(const QString &preSound, const QString &slot, bool synchronous)
{
    stop();
    if (!preSound.isEmpty()) {
        qCDebug(lcTape) << "pre-announcement sound" << preSound << "in" << slot
                        << (synchronous ? "(synchronous)" : "");
        soundPlayer().play(preSound, slot, synchronous);
    }
    // A recording is the announcement's voice: like speech it never holds the
    // panel, and it plays beside an asynchronous chime.
    if (const QString recording = recordingOf(m_position); !recording.isEmpty()) {
        qCDebug(lcTape) << "entry" << m_position << "played:" << recording;
        soundPlayer().play(recording, voiceSlot(), false);
        return;
    }
    qCDebug(lcTape) << "entry" << m_position << "spoken:" << text(m_position);
    Speech &engine = speech();
    engine.speak(text(m_position));
    if (engine.status() == Speech::Error)
        engine.stop();
}

void AnnouncementTape::stop()
{
    speech().stop();
    soundPlayer().stop(voiceSlot());
}

} // namespace lumina
