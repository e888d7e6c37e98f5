#pragma once

#include "sound/PcmClip.h"

#include <QObject>

namespace lumina {

// Turns a sound file into PCM; a null result means it cannot be played.
class SoundDecoder
{
public:
    virtual ~SoundDecoder() = default;
    virtual PcmClipPtr decode(const QString &path, SoundType type) = 0;
};

// Channels 0..3 are the slots "S1".."S4"; channel 4 plays recorded
// announcements.
constexpr int kSoundChannels = 5;

// The audio device, one channel per sound slot. Channels sound at once;
// starting a channel replaces what it played.
class SoundOutput : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // False when no device takes the sound (none present, refused format).
    virtual bool start(int channel, PcmClipPtr clip) = 0;
    // Silences and releases the channel; a channel never started is fine.
    virtual void close(int channel) = 0;
    virtual bool isPlaying(int channel) const = 0;

signals:
    // The channel's sound has ended, was closed or failed.
    void finished(int channel);
};

} // namespace lumina
