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

bool isRecordingName(const QString &text)
{
    if (text.contains(u'/') || text.contains(u'\\'))
        return false;
    const QString suffix = text.right(4).toLower();
    return suffix == u".wav" || suffix == u".mp3" || suffix == u".mid";
}

} // namespace

QString tapeFileName(const QString &routeKey)
{
    return routeKey + QStringLiteral("tp.csv");
}

TapeLoad readTape(const QString &path)
{
    TapeLoad load;
    load.path = path;
    QFile file(path);
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

void AnnouncementTape::LoadTape(TapeLoad load)
{
    m_entries = std::move(load.entries);
    m_folder = QFileInfo(load.path).path();
    m_loaded = load.ok;
    m_position = 0;
    if (!load.ok)
        qCDebug(lcTape) << "announcement file" << load.path << "not used:" << load.errorString;
}

qint16 AnnouncementTape::EntryStepFlag(int n) const
{
    return n >= 1 && n <= TapeCount() ? m_entries[n - 1].EntryStepFlag : 0;
}

qint16 AnnouncementTape::EntrySoundFlag(int n) const
{
    return n >= 1 && n <= TapeCount() ? m_entries[n - 1].EntrySoundFlag : 0;
}

QString AnnouncementTape::EntryText(int n) const
{
    return n >= 1 && n <= TapeCount() ? m_entries[n - 1].text : QString();
}

QString AnnouncementTape::recordingOf(int n) const
{
    const QString text = EntryText(n);
    if (!isRecordingName(text))
        return {};
    const QString path = QDir(m_folder).filePath(text);
    return QFileInfo(path).isFile() ? path : QString();
}

void AnnouncementTape::preAnnounce(const QString &sound, const QString &slot, bool synchronous)
{
    if (sound.isEmpty())
        return;
    qCDebug(lcTape) << "pre-announcement sound" << sound << "in" << slot
                    << (synchronous ? "(synchronous)" : "");
    soundPlayer().PlaySound(sound, slot, synchronous, 0);
}

bool AnnouncementTape::TapeForward(const PreAnnouncement &sounds)
{
    ++m_position;
    if (m_position > TapeCount()) {
        m_position = TapeCount();
        return false;
    }
    QString sound;
    if (sounds.always) {
        sound = sounds.alwaysSound;
    } else {
        const int flag = EntrySoundFlag(m_position);
        if (flag >= 1 && flag <= 3)
            sound = sounds.flagSounds[size_t(flag - 1)];
    }
    preAnnounce(sound, kForwardSlot, sounds.synchronous);
    AnnounceEntry(m_position, sounds.synchronous);
    return true;
}

bool AnnouncementTape::TapeBack(const PreAnnouncement &sounds)
{
    --m_position;
    if (m_position < 1) {
        m_position = 1;
        return false;
    }
    // Going back, only the entry's own flag chooses a sound.
    const int flag = EntrySoundFlag(m_position);
    if (flag >= 1 && flag <= 3)
        preAnnounce(sounds.flagSounds[size_t(flag - 1)], kBackSlot, sounds.synchronous);
    AnnounceEntry(m_position, sounds.synchronous);
    return true;
}

void AnnouncementTape::AnnounceEntry(int n, bool synchronous)
{
    if (n < 1 || n > TapeCount())
        return;
    Speech &engine = speech();
    engine.stop();
    const QString recording = recordingOf(n);
    if (!recording.isEmpty()) {
        qCDebug(lcTape) << "entry" << n << "played:" << recording;
        m_recordingPlayed = true;
        soundPlayer().PlaySound(recording, kForwardSlot, synchronous, 0);
        return;
    }
    qCDebug(lcTape) << "entry" << n << "spoken:" << EntryText(n);
    engine.speak(EntryText(n));
    if (engine.status() == Speech::Error)
        engine.stop();
}

void AnnouncementTape::TapeStop()
{
    speech().stop();
    // The player closes its slots only all together.
    if (m_recordingPlayed) {
        soundPlayer().StopAllSounds();
        m_recordingPlayed = false;
    }
}

} // namespace lumina
