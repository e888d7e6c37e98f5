#include "video/AudioMix.h"

#include "sound/SoundBackend.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace lumina {

namespace {

// The clip's samples as floats, `channels` to a frame.
std::vector<float> normalised(const PcmClip &clip)
{
    const QAudioFormat &f = clip.format;
    const int bytes = f.bytesPerSample();
    const qsizetype count = bytes > 0 ? clip.data.size() / bytes : 0;
    std::vector<float> out(size_t(count), 0.0f);
    const char *data = clip.data.constData();
    for (qsizetype i = 0; i < count; ++i)
        out[size_t(i)] = f.normalizedSampleValue(data + i * bytes);
    return out;
}

StereoClipPtr resampled(const std::vector<float> &in, int channels, int rate, double gain)
{
    auto clip = std::make_shared<StereoClip>();
    const qint64 inFrames = channels > 0 ? qint64(in.size()) / channels : 0;
    if (inFrames == 0 || rate <= 0)
        return clip;
    const qint64 outFrames = inFrames * kMixRate / rate;
    clip->samples.resize(size_t(outFrames * 2));
    const auto at = [&](qint64 frame, int side) {
        const int c = std::min(side, channels - 1);
        return double(in[size_t(std::min(frame, inFrames - 1) * channels + c)]);
    };
    for (qint64 i = 0; i < outFrames; ++i) {
        // Integer arithmetic picks the source frame, so the result never
        // depends on rounding of a long running sum.
        const qint64 scaled = i * rate;
        const qint64 frame = scaled / kMixRate;
        const double t = double(scaled % kMixRate) / kMixRate;
        for (int side = 0; side < 2; ++side) {
            const double v = at(frame, side) * (1.0 - t) + at(frame + 1, side) * t;
            clip->samples[size_t(i * 2 + side)] = float(v * gain);
        }
    }
    return clip;
}

} // namespace

StereoClipPtr toStereoClip(const PcmClip &clip)
{
    if (!clip.format.isValid())
        return nullptr;
    return resampled(normalised(clip), clip.format.channelCount(), clip.format.sampleRate(), 1.0);
}

StereoClipPtr monoToStereoClip(const std::vector<qint16> &samples, int rate, double gain)
{
    std::vector<float> in(samples.size());
    std::transform(samples.begin(), samples.end(), in.begin(),
                   [](qint16 s) { return float(s) / 32768.0f; });
    return resampled(in, 1, rate, gain);
}

ClipLibrary::ClipLibrary(SoundDecoder &decoder)
    : m_decoder(decoder)
{
}

StereoClipPtr ClipLibrary::clip(const QString &path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    if (const auto found = m_clips.constFind(key); found != m_clips.cend())
        return *found;
    const PcmClipPtr decoded = m_decoder.decode(path, soundTypeOf(path));
    StereoClipPtr clip = decoded ? toStereoClip(*decoded) : nullptr;
    m_clips.insert(key, clip);
    return clip;
}

void SlotMixer::cut(int channel, qint64 at)
{
    for (Voice &v : m_voices) {
        if (v.channel == channel)
            v.end = std::min(v.end, at);
    }
}

void SlotMixer::start(int channel, qint64 atMs, StereoClipPtr clip)
{
    const qint64 at = atMs * kMixFramesPerMs;
    cut(channel, at);
    if (clip && clip->frames() > 0)
        m_voices.push_back(Voice{channel, at, at + clip->frames(), std::move(clip)});
}

void SlotMixer::stop(int channel, qint64 atMs)
{
    cut(channel, atMs * kMixFramesPerMs);
}

std::vector<qint16> SlotMixer::take(qint64 first, qint64 count)
{
    std::erase_if(m_voices, [first](const Voice &v) { return v.end <= first; });
    std::vector<float> sum(size_t(count * 2), 0.0f);
    for (const Voice &v : m_voices) {
        const qint64 from = std::max(first, v.start);
        const qint64 to = std::min(first + count, v.end);
        for (qint64 f = from; f < to; ++f) {
            const size_t src = size_t((f - v.start) * 2);
            const size_t dst = size_t((f - first) * 2);
            sum[dst] += v.clip->samples[src];
            sum[dst + 1] += v.clip->samples[src + 1];
        }
    }
    std::vector<qint16> out(sum.size());
    std::transform(sum.begin(), sum.end(), out.begin(), [](float s) {
        return qint16(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
    });
    return out;
}

} // namespace lumina
