#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <limits>

class QIODevice;

namespace lumina {

enum class ReadStatus { Whole, Failed, TooLarge };

// Reads what is left of `device` into `bytes`, in pieces, because readAll()
// drops the device's reason for failing (errorString() keeps it here).
// Failed: the device reported an error, or handed over nothing before its
// end. TooLarge: more than `limit` bytes came; `bytes` then holds more than
// `limit`, so a caller can tell the size from the bytes alone. Either way
// `bytes` keeps what arrived.
ReadStatus readWhole(QIODevice *device, QByteArray &bytes,
                     qint64 limit = std::numeric_limits<qint64>::max());

// Reads until `size` bytes have come into `data` or the device ends, as a
// device may hand over fewer bytes than asked at a time (a pipe). The bytes
// that came; `failed` tells whether the device reported an error.
qint64 readFully(QIODevice *device, char *data, qint64 size, bool &failed);

} // namespace lumina
