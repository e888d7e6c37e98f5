#include "sound/WaveFile.h"

#include <QIODevice>
#include <QtEndian>

namespace lumina {

namespace {

constexpr quint16 kPcm = 1;
constexpr quint16 kFloat = 3;
constexpr quint16 kExtensible = 0xFFFE;

PcmClipPtr fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return nullptr;
}

quint16 u16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

QAudioFormat::SampleFormat sampleFormat(quint16 tag, quint16 bits)
{
    if (tag == kPcm && bits == 8)
        return QAudioFormat::UInt8;
    if (tag == kPcm && bits == 16)
        return QAudioFormat::Int16;
    if (tag == kPcm && bits == 32)
        return QAudioFormat::Int32;
    if (tag == kFloat && bits == 32)
        return QAudioFormat::Float;
    return QAudioFormat::Unknown;
}

} // namespace

PcmClipPtr readWave(QIODevice *device, QString *error)
{
    if (!device || !device->isReadable())
        return fail(error, QStringLiteral("not readable"));
    const QByteArray riff = device->read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return fail(error, QStringLiteral("not a RIFF WAVE file"));

    QAudioFormat format;
    bool haveFormat = false;
    for (;;) {
        const QByteArray header = device->read(8);
        if (header.size() < 8)
            return fail(error, QStringLiteral("no data chunk"));
        const QByteArray id = header.left(4);
        const quint32 size = u32(header, 4);
        if (id == "fmt ") {
            if (size < 16 || size > 1024)
                return fail(error, QStringLiteral("bad format chunk"));
            const QByteArray fmt = device->read(size + (size & 1));
            if (fmt.size() < qsizetype(size))
                return fail(error, QStringLiteral("truncated format chunk"));
            quint16 tag = u16(fmt, 0);
            const quint16 channels = u16(fmt, 2);
            const quint32 rate = u32(fmt, 4);
            const quint16 bits = u16(fmt, 14);
            if (tag == kExtensible && size >= 40)
                tag = u16(fmt, 24); // the sub-format GUID starts with the plain tag
            const QAudioFormat::SampleFormat sf = sampleFormat(tag, bits);
            if (sf == QAudioFormat::Unknown || channels < 1 || channels > 8 || rate < 1000
                || rate > 384000)
                return fail(error, QStringLiteral("unsupported sample format"));
            format.setSampleFormat(sf);
            format.setChannelCount(channels);
            format.setSampleRate(int(rate));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return fail(error, QStringLiteral("data before format"));
            // Some writers leave the size open (0 or all ones) when streaming.
            const qint64 rest = device->bytesAvailable();
            const qint64 want = size == 0 || size == 0xFFFFFFFF ? rest : qint64(size);
            auto clip = std::make_shared<PcmClip>();
            clip->format = format;
            clip->data = device->read(want);
            const int frame = format.bytesPerFrame();
            clip->data.truncate(clip->data.size() - clip->data.size() % frame);
            if (clip->data.isEmpty())
                return fail(error, QStringLiteral("no samples"));
            return clip;
        } else {
            const qint64 skip = qint64(size) + (size & 1);
            if (device->skip(skip) != skip)
                return fail(error, QStringLiteral("truncated chunk"));
        }
    }
}

} // namespace lumina
