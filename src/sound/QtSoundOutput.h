#pragma once

#include "sound/SoundBackend.h"

#include <QElapsedTimer>
#include <QPointer>

#include <array>

class QAudioSink;
class QIODevice;
class QTimer;

namespace lumina {

// One QAudioSink per channel on the default output device; the sound server
// mixes the channels. The decoded sound is pushed into the sink as soon as it
// starts, so its first samples reach the server within the call.
class QtSoundOutput final : public SoundOutput
{
    Q_OBJECT
public:
    explicit QtSoundOutput(QObject *parent = nullptr);
    ~QtSoundOutput() override;

    bool start(int channel, PcmClipPtr clip) override;
    void close(int channel) override;
    bool isPlaying(int channel) const override;

    // std::chrono::steady_clock, in nanoseconds, when the channel's current
    // sound first went to the device; -1 when none did.
    qint64 firstWriteNs(int channel) const;

private:
    struct Channel {
        QPointer<QAudioSink> sink;
        QIODevice *io = nullptr; // owned by the sink
        QTimer *feeder = nullptr; // child of the sink
        PcmClipPtr clip;
        QByteArray padded; // a sound shorter than the device's start threshold, with silence after it
        qint64 written = 0;
        QElapsedTimer started;
        qint64 firstWriteNs = -1;
        bool playing = false;
    };
    void feed(int channel);
    void end(int channel);

    std::array<Channel, kSoundChannels> m_channels;
};

} // namespace lumina
