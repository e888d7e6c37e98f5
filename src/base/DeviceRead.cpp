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

} // namespace lumina
