#pragma once

#include <QList>
#include <QString>

class QIODevice;

namespace lumina {

// One announcement of the tape: the text to speak (or the name of a recording
// beside the tape file), whether the board steps with it, and which
// pre-announcement sound goes before it.
struct TapeEntry {
    QString text;
    qint16 stepFlag = 0;
    qint16 soundFlag = 0;

    friend bool operator==(const TapeEntry &, const TapeEntry &) = default;
};

// Reads an announcement file: code page 932 text, one entry a line, three
// comma-separated fields (text, step flag, sound flag). A field may be quoted
// ("" stands for a quote inside); blanks around a field are dropped. Fields
// left out at the end of a line count as 0, a flag that is no number as 0.
// CR LF, LF and CR end lines alike; a final line end adds no line.
class TapeFileReader
{
public:
    // Files beyond this size are refused instead of being read into memory.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    // Reads all entries. On failure (a line with more than three fields, a
    // device that cannot be read) `entries` keeps those of the lines before
    // the fault and errorString() tells what went wrong.
    bool read(QIODevice *device, QList<TapeEntry> &entries);

    // Lines of the file last read; the entries of a good file.
    qsizetype lineCount() const { return m_lineCount; }
    QString errorString() const { return m_errorString; }

    // The fields of one line, with quotes and blanks resolved.
    static QStringList splitLine(QStringView line);

private:
    qsizetype m_lineCount = 0;
    QString m_errorString;
};

// The bytes of an announcement file that TapeFileReader reads back as
// `entries`: code page 932, one "text,step,sound" line an entry ending in CR LF,
// the text quoted where it holds a comma or a quote.
QByteArray tapeFileBytes(const QList<TapeEntry> &entries);

} // namespace lumina
