#pragma once

#include "settings/SettingsFile.h"

#include <QStringList>

#include <QByteArray>
#include <QString>

class QIODevice;

namespace lumina {

// The settings file form: eleven items one after the other, little-endian, no
// header and no padding. A string is an unsigned 16-bit byte count followed by
// that many code page 932 bytes.

// Longest string the form can hold, in bytes.
constexpr int kMaxStringBytes = 0xFFFF;

// Bytes of a file whose strings are all empty, and of one whose strings are
// all at their longest: counted from the fields themselves, so they follow
// any change of the form. Reading never goes past the longest.
qint64 settingsFileBaseSize();
qint64 settingsFileMaxSize();
inline const qint64 kSettingsFileBaseSize = settingsFileBaseSize();
inline const qint64 kSettingsFileMaxSize = settingsFileMaxSize();

class SettingsReader
{
public:
    enum class Status {
        Complete,    // every field was read
        Truncated,   // the file ended early; the fields before the end were read
        DeviceError, // the device failed or was not open for reading
    };

    // Reads the fields in file order into `settings`. A field that the file does
    // not hold completely, and every field after it, keeps the value it has in
    // `settings` (so a caller passes in the values that should survive a short
    // file). Returns true when every field was read. Bytes after the last field
    // are never read.
    bool read(QIODevice *device, SettingsFile &settings);

    Status status() const { return m_status; }
    // Number of fields taken from the file (the item count 60 included).
    int fieldsRead() const { return m_fieldsRead; }
    qint64 bytesRead() const { return m_bytesRead; }
    QString errorString() const { return m_error; }

private:
    Status m_status = Status::Complete;
    int m_fieldsRead = 0;
    qint64 m_bytesRead = 0;
    QString m_error;
};

// The file would hold "?" for a character code page 932 has no form for: each
// text field of `settings` with such a character takes the value of the same
// field in `fallback` (empty when that one cannot be stored either). Returns the
// texts given up, in file order.
QStringList keepStorableTexts(SettingsFile &settings, const SettingsFile &fallback);

class SettingsWriter
{
public:
    // The file form of `settings`. Strings longer than the form allows are cut at
    // the last whole character that fits; characters without a code page 932
    // form become "?".
    static QByteArray toBytes(const SettingsFile &settings);

    // Writes the file form to `device`. Returns false, with errorString() set,
    // when the device refuses any part of it.
    bool write(QIODevice *device, const SettingsFile &settings);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};

// Number of fields in the file form, the item count included.
int settingsFieldCount();

} // namespace lumina
