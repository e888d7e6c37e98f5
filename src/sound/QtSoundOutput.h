#pragma once

#include "sound/SoundBackend.h"

#include <QAudio>
#include <QElapsedTimer>
#include <QIODevice>
#include <QPointer>

#include <array>

class QAudioSink;

namespace lumina {

// Hands a clip to the audio device as it asks for data, and notes when it
// first asked (the start latency the benchmarks report).
class PcmSource final : public QIODevice
{
    Q_OBJECT
public:
    explicit PcmSource(PcmClipPtr clip, QObject *parent = nullptr);
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    // std::chrono::steady_clock at the first read, in nanoseconds; -1 before.
    qint64 firstReadNs() const { return m_firstReadNs; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    PcmClipPtr m_clip;
    qint64 m_pos = 0;
    qint64 m_firstReadNs = -1;
};

// One QAudioSink per channel on the default output device; the sound server
// mixes the channels.
class QtSoundOutput final : public SoundOutput
{
    Q_OBJECT
public:
    explicit QtSoundOutput(QObject *parent = nullptr);
    ~QtSoundOutput() override;

    bool start(int channel, PcmClipPtr clip) override;
    void close(int channel) override;
    bool isPlaying(int channel) const override;

    // The source of the channel's current sound, for latency measurements.
    const PcmSource *source(int channel) const;

private:
    struct Channel {
        QPointer<QAudioSink> sink;
        PcmSource *source = nullptr; // owned by the sink
        qint64 lengthMs = 0;
        QElapsedTimer started;
        bool playing = false;
    };
    void onState(int channel, QAudioSink *sink, QAudio::State state);
    void end(int channel);

    std::array<Channel, 4> m_channels;
};

} // namespace lumina
