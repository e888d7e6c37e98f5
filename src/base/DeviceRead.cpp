#include "base/DeviceRead.h"

#include <QIODevice>

namespace lumina {

ReadStatus readWhole(QIODevice *device, QByteArray &bytes, qint64 limit)
{
    QByteArray piece(64 * 1024, Qt::Uninitialized);
    while (true) {
        const qint64 got = device->read(piece.data(), piece.size());
        if (got < 0 || (got == 0 && !device->atEnd()))
            return ReadStatus::Failed;
        if (got == 0)
            return ReadStatus::Whole;
        bytes.append(piece.constData(), got);
        if (bytes.size() > limit)
            return ReadStatus::TooLarge;
    }
}

qint64 readFully(QIODevice *device, char *data, qint64 size, bool &failed)
{
    qint64 done = 0;
    failed = false;
    while (done < size) {
        const qint64 got = device->read(data + done, size - done);
        failed = got < 0;
        if (got <= 0)
            break;
        done += got;
    }
    return done;
}

} // namespace lumina
