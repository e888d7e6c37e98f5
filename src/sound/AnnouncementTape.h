#pragma once

#include "sound/TapeFile.h"

#include <QList>
#include <QString>

#include <array>

namespace lumina {

// Which pre-announcement sound plays, as chosen in the options dialog.
struct PreAnnouncement {
    bool always = false;                // "always" chosen: alwaysSound before every entry
    bool synchronous = false;           // the announcement waits for the sound
    QString alwaysSound;                // sound field 3
    std::array<QString, 3> flagSounds;  // sound fields 4..6, for sound flags 1..3
};

// An announcement file read, not yet in force: a route setting that fails
// must leave the previous tape as it was.
struct TapeLoad {
    QString path;
    QList<TapeEntry> entries; // one per line; empty ones past a fault
    bool ok = false;
    QString errorString;
};

// Whether an entry's text names a recording: a .wav, .mp3 or .mid file name
// (any case) without a folder.
bool namesRecording(const QString &text);
// The recording `text` names in `folder`, "" when it names none or the file
// is not there (the text is then spoken).
QString recordingIn(const QString &folder, const QString &text);

// "<route key>tp.csv".
QString tapeFileName(const QString &routeKey);
// `path`, or when it is missing the file in the same folder whose name
// differs from it only in case ("12Tp.csv" for "12tp.csv").
QString findTapeFile(const QString &path);
// Reads the announcement file at `path` (found as findTapeFile() does). A missing or unreadable file, or a
// line with too many fields, gives ok == false with the lines read before.
TapeLoad readTape(const QString &path);

// The announcement tape of the route in force: its entries and the position
// of the entry last announced (0 before the first). Speech goes to speech(),
// sounds and recordings to soundPlayer().
class AnnouncementTape
{
public:
    // Puts a tape in force: the entries are replaced and the position goes
    // back to 0, also when the load failed (the tape buttons are then off).
    void load(TapeLoad load);
    bool loaded() const { return m_loaded; }

    int count() const { return int(m_entries.size()); }
    int position() const { return m_position; }
    // The step and sound flags of entry n, 0 outside 1..count().
    qint16 stepFlag(int n) const;
    qint16 soundFlag(int n) const;
    QString text(int n) const;

    // Move the tape by one entry and announce it: the announcement playing
    // stops, the pre-announcement sound plays (and is waited for when
    // synchronous), then the entry is spoken or its recording played. Neither
    // waits for its end. At either end the position stays and nothing sounds;
    // the return tells whether the tape moved.
    bool forward(const PreAnnouncement &sounds);
    bool back(const PreAnnouncement &sounds);
    // Stops the announcement, spoken or recorded; other sounds play on.
    void stop();

    // The recording entry n names (a .wav, .mp3 or .mid file beside the
    // announcement file), or "" when it is to be spoken.
    QString recordingOf(int n) const;

private:
    // The sound the current entry's own flag chooses, "" for none.
    QString flagSound(const PreAnnouncement &sounds) const;
    void announce(const QString &preSound, const QString &slot, bool synchronous);

    QList<TapeEntry> m_entries;
    QString m_folder;
    int m_position = 0;
    bool m_loaded = false;
};

} // namespace lumina
