#pragma once

#include <QFile>
#include <QString>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace lumina::test {

// Writes a 16-bit mono PCM WAV file of a sine tone at half scale.
inline bool writeToneWave(const QString &path, double hz, int milliseconds, int rate = 44100)
{
    const int frames = rate * milliseconds / 1000;
    QByteArray pcm(frames * 2, '\0');
    for (int i = 0; i < frames; ++i) {
        const auto v = qint16(std::lround(16383.0 * std::sin(2 * std::numbers::pi * hz * i / rate)));
        qToLittleEndian(v, pcm.data() + 2 * i);
    }
    QByteArray head("RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\0\0\0\0\0\0\0\0\x02\0\x10\0data\0\0\0\0", 44);
    qToLittleEndian(quint32(36 + pcm.size()), head.data() + 4);
    qToLittleEndian(quint32(rate), head.data() + 24);
    qToLittleEndian(quint32(rate * 2), head.data() + 28);
    qToLittleEndian(quint32(pcm.size()), head.data() + 40);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(head + pcm) == head.size() + pcm.size();
}

} // namespace lumina::test
