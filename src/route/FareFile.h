#pragma once

#include "route/FareTable.h"

#include <QByteArray>
#include <QString>

#include <vector>

class QIODevice;

namespace lumina {

// The fare data file (.hy3), little-endian, no padding:
//   int16 N, then N records of
//   uint16 L, L bytes of name in code page 932, int16 ticket number, 150 x int16.
// Bytes after record N are ignored.
namespace hy3 {
constexpr int kCountSize = 2;
constexpr int kFixedRecordSize = 2 + 2 + FareRecord::kValueCount * 2; // 304 + L in all
} // namespace hy3

class FareFileReader
{
public:
    enum class Error {
        NoError,
        NegativeCount,
        TooManyRecords,
        Truncated,
        DeviceError,
    };

    // Reads the whole file from the device's current position. Returns false
    // when the file cannot be used; `records` is then left empty. A file of
    // zero bytes reads as a count of 0.
    bool read(QIODevice *device, std::vector<FareRecord> &records);

    // The count the file announces; valid once the first two bytes were read
    // (hasCount()), also when the records after it are unusable.
    bool hasCount() const { return m_hasCount; }
    qint16 recordCount() const { return m_count; }

    Error error() const { return m_error; }
    bool hasError() const { return m_error != Error::NoError; }
    QString errorString() const { return m_errorString; }

private:
    bool readCount(QIODevice *device);
    bool readRecord(QIODevice *device, int stop, QByteArray &buffer, FareRecord &record);
    bool readExact(QIODevice *device, char *data, qint64 size, int record);
    void raise(Error error, const QString &text);

    bool m_hasCount = false;
    qint16 m_count = 0;
    Error m_error = Error::NoError;
    QString m_errorString;
};

class FareFileWriter
{
public:
    // Writes `records` in the byte-exact file form. Checks everything before
    // the first byte is written: at most 301 records, every name held by code
    // page 932 and no longer than 65535 bytes there.
    bool write(QIODevice *device, const std::vector<FareRecord> &records);
    // The file form in memory; empty (and errorString() set) when refused.
    QByteArray toBytes(const std::vector<FareRecord> &records);

    QString errorString() const { return m_errorString; }

private:
    QString m_errorString;
};

} // namespace lumina
