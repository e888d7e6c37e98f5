#include "route/FareFile.h"

#include "base/CodePage.h"
#include "base/DeviceRead.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QtEndian>

namespace lumina {

void FareFileReader::raise(Error error, const QString &text)
{
    m_error = error;
    m_errorString = text;
}

// Reads exactly `size` bytes. `record` (1-based, 0 for the count) only
// names the place in the message.
bool FareFileReader::readExact(QIODevice *device, char *data, qint64 size, int record)
{
    bool failed; // readFully sets it on every call
    const qint64 done = readFully(device, data, size, failed);
    if (failed) {
        raise(Error::DeviceError,
              QCoreApplication::translate("lumina::FareFile", "運賃データを読み込めませんでした（%1）。")
                  .arg(device->errorString()));
        return false;
    }
    if (done == size)
        return true;
    if (record == 0) {
        raise(Error::Truncated,
              QCoreApplication::translate("lumina::FareFile", "運賃データが壊れています。データの数を読み取れません。"));
    } else {
        raise(Error::Truncated,
              QCoreApplication::translate("lumina::FareFile", "運賃データが途中で終わっています。データの数は%1ですが、"
                             "%2番目のデータが欠けています。")
                  .arg(m_count)
                  .arg(record));
    }
    return false;
}

bool FareFileReader::read(QIODevice *device, std::vector<FareRecord> &records)
{
    records.clear();
    m_hasCount = false;
    m_count = 0;
    m_error = Error::NoError;
    m_errorString.clear();

    if (!device || !device->isReadable()) {
        raise(Error::DeviceError, QCoreApplication::translate("lumina::FareFile", "運賃データを読み込めませんでした（%1）。")
                                      .arg(device ? device->errorString() : QString()));
        return false;
    }
    if (!readCount(device))
        return false;
    std::vector<FareRecord> loaded(static_cast<size_t>(m_count));
    QByteArray buffer;
    for (int s = 1; s <= m_count; ++s) {
        if (!readRecord(device, s, buffer, loaded[size_t(s - 1)]))
            return false;
    }
    records = std::move(loaded);
    return true;
}

// The count the file starts with, within the table's entries.
bool FareFileReader::readCount(QIODevice *device)
{
    char countBytes[hy3::kCountSize];
    const qint64 got = device->read(countBytes, hy3::kCountSize);
    if (got < 0) {
        raise(Error::DeviceError, QCoreApplication::translate("lumina::FareFile", "運賃データを読み込めませんでした（%1）。")
                                      .arg(device->errorString()));
        return false;
    }
    if (got == 0 && device->atEnd()) {
        // An empty file is a route with nothing registered yet.
        m_hasCount = true;
        return true;
    }
    // A device may hand over fewer bytes than asked, or none before its end
    // (a pipe): the rest of the count must still come from the device.
    if (got < hy3::kCountSize && !readExact(device, countBytes + got, hy3::kCountSize - got, 0))
        return false;
    m_count = qFromLittleEndian<qint16>(countBytes);
    m_hasCount = true;

    if (m_count < 0) {
        raise(Error::NegativeCount,
              QCoreApplication::translate("lumina::FareFile", "運賃データが壊れています。データの数が%1になっています。").arg(m_count));
        return false;
    }
    if (m_count > FareTable::kEntryCount) {
        raise(Error::TooManyRecords,
              QCoreApplication::translate("lumina::FareFile", "運賃データの停留所が多すぎます。データの数は%1ですが、"
                             "扱えるのは%2までです。")
                  .arg(m_count)
                  .arg(FareTable::kEntryCount));
        return false;
    }
    return true;
}

// Record `stop` (1-based); `buffer` is reused from one record to the next.
bool FareFileReader::readRecord(QIODevice *device, int stop, QByteArray &buffer,
                                FareRecord &record)
{
    char lengthBytes[2];
    if (!readExact(device, lengthBytes, 2, stop))
        return false;
    const int nameLength = qFromLittleEndian<quint16>(lengthBytes);
    const int rest = nameLength + hy3::kFixedRecordSize - 2;
    buffer.resize(rest);
    if (!readExact(device, buffer.data(), rest, stop))
        return false;

    const char *p = buffer.constData();
    record.stopName = cp932::decode(QByteArrayView(p, nameLength));
    p += nameLength;
    record.ticketNumber = qFromLittleEndian<qint16>(p);
    p += 2;
    for (int v = 0; v < FareRecord::kValueCount; ++v, p += 2)
        record.values[size_t(v)] = qFromLittleEndian<qint16>(p);
    return true;
}

QByteArray FareFileWriter::toBytes(const std::vector<FareRecord> &records)
{
    m_errorString.clear();
    if (records.size() > size_t(FareTable::kEntryCount)) {
        m_errorString = QCoreApplication::translate("lumina::FareFile", "停留所が%1あります。運賃データに入れられるのは%2までです。")
                            .arg(records.size())
                            .arg(FareTable::kEntryCount);
        return {};
    }
    std::vector<QByteArray> names;
    names.reserve(records.size());
    qsizetype total = hy3::kCountSize;
    for (size_t s = 0; s < records.size(); ++s) {
        bool ok = false;
        QByteArray name = cp932::encode(records[s].stopName, &ok);
        if (!ok) {
            m_errorString =
                QCoreApplication::translate("lumina::FareFile", "%1番目の停留所名「%2」にはShift-JIS（コードページ932）で"
                               "表せない文字があります。")
                    .arg(s + 1)
                    .arg(records[s].stopName);
            return {};
        }
        if (name.size() > 0xFFFF) {
            m_errorString = QCoreApplication::translate("lumina::FareFile", "%1番目の停留所名が長すぎます（%2バイト）。")
                                .arg(s + 1)
                                .arg(name.size());
            return {};
        }
        total += hy3::kFixedRecordSize + name.size();
        names.push_back(std::move(name));
    }

    QByteArray out(total, Qt::Uninitialized);
    char *p = out.data();
    qToLittleEndian<qint16>(qint16(records.size()), p);
    p += 2;
    for (size_t s = 0; s < records.size(); ++s) {
        const QByteArray &name = names[s];
        qToLittleEndian<quint16>(quint16(name.size()), p);
        p += 2;
        std::copy(name.cbegin(), name.cend(), p);
        p += name.size();
        qToLittleEndian<qint16>(records[s].ticketNumber, p);
        p += 2;
        for (qint16 v : records[s].values) {
            qToLittleEndian<qint16>(v, p);
            p += 2;
        }
    }
    Q_ASSERT(p == out.constData() + out.size());
    return out;
}

bool FareFileWriter::write(QIODevice *device, const std::vector<FareRecord> &records)
{
    const QByteArray bytes = toBytes(records);
    if (bytes.isEmpty())
        return false;
    if (!device || !device->isWritable()) {
        m_errorString = QCoreApplication::translate("lumina::FareFile", "運賃データを書き込めませんでした（%1）。")
                            .arg(device ? device->errorString() : QString());
        return false;
    }
    if (device->write(bytes) != bytes.size()) {
        m_errorString =
            QCoreApplication::translate("lumina::FareFile", "運賃データを書き込めませんでした（%1）。").arg(device->errorString());
        return false;
    }
    return true;
}

} // namespace lumina
