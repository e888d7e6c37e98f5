#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QString>

#include <memory>

namespace lumina {

// A whole sound decoded to PCM once, shared by the cache and the slot that plays it.
struct PcmClip {
    QAudioFormat format;
    QByteArray data;

    qint64 durationMs() const
    {
        return format.isValid() ? format.durationForBytes(qint32(data.size())) / 1000 : 0;
    }
};
using PcmClipPtr = std::shared_ptr<const PcmClip>;

// How a sound file is played, chosen by the last three characters of its name
// made upper case and trimmed: "WAV", "MP3" or "MID"; anything else is not played.
enum class SoundType { None, Wave, Mpeg, Midi };
SoundType soundTypeOf(const QString &path);

} // namespace lumina
