#pragma once

#include "sound/PcmClip.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

namespace lumina {

class SoundDecoder;

// A video's sound: 48 000 frames a second, two channels.
inline constexpr int kMixRate = 48000;
inline constexpr int kMixFramesPerMs = kMixRate / 1000;

// A sound ready to mix: interleaved left/right samples in -1..1.
struct StereoClip {
    std::vector<float> samples;
    qint64 frames() const { return qint64(samples.size() / 2); }
    qint64 lengthMs() const { return (frames() + kMixFramesPerMs - 1) / kMixFramesPerMs; }
};
using StereoClipPtr = std::shared_ptr<const StereoClip>;

// Any decoded clip at the mix's rate and channels: mono is heard on both
// sides, extra channels are dropped, the rate is changed by linear
// interpolation (the same samples in, the same samples out).
StereoClipPtr toStereoClip(const PcmClip &clip);
// 16-bit mono samples at `rate`, scaled by `gain`.
StereoClipPtr monoToStereoClip(const std::vector<qint16> &samples, int rate, double gain);

// Every sound file a trip plays, decoded once as the program's player would
// (WAV and MP3 through Qt, MIDI through FluidSynth). Null for a file the
// player would not play.
class ClipLibrary
{
public:
    explicit ClipLibrary(SoundDecoder &decoder);
    StereoClipPtr clip(const QString &path);

private:
    SoundDecoder &m_decoder;
    QHash<QString, StereoClipPtr> m_clips;
};

// The channels of the mix: the four slots, recorded announcements and
// speech. Each holds one sound at a time, as the live player does: a new
// sound, or a stop, cuts the one before.
class SlotMixer
{
public:
    static constexpr int kSpeechChannel = 5;

    void start(int channel, qint64 atMs, StereoClipPtr clip);
    void stop(int channel, qint64 atMs);
    // Frames [first, first + count) as interleaved 16-bit samples; sounds
    // ending before `first` are let go, as no later call reaches them.
    std::vector<qint16> take(qint64 first, qint64 count);

private:
    struct Voice {
        int channel = 0;
        qint64 start = 0; // in frames
        qint64 end = 0;   // exclusive
        StereoClipPtr clip;
    };
    void cut(int channel, qint64 at);

    std::vector<Voice> m_voices;
};

} // namespace lumina
