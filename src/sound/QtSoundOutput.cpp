#include "sound/QtSoundOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include <chrono>
#include <cstring>

namespace lumina {

namespace {

// The sound server takes a short sound whole (up to two seconds of it), so a
// busy window thread cannot starve it; the first samples go out at once
// whatever the size. Buffers much under 100 ms stall Qt's PulseAudio sink.
constexpr int kMinBufferMs = 100;
constexpr int kMaxBufferMs = 2000;

} // namespace

PcmSource::PcmSource(PcmClipPtr clip, QObject *parent)
    : QIODevice(parent)
    , m_clip(std::move(clip))
{
    open(QIODevice::ReadOnly);
}

qint64 PcmSource::bytesAvailable() const
{
    return m_clip->data.size() - m_pos + QIODevice::bytesAvailable();
}

qint64 PcmSource::readData(char *data, qint64 maxSize)
{
    if (m_firstReadNs < 0)
        m_firstReadNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count();
    const qint64 n = qMin(maxSize, qint64(m_clip->data.size()) - m_pos);
    if (n <= 0)
        return 0;
    std::memcpy(data, m_clip->data.constData() + m_pos, size_t(n));
    m_pos += n;
    return n;
}

QtSoundOutput::QtSoundOutput(QObject *parent)
    : SoundOutput(parent)
{
}

QtSoundOutput::~QtSoundOutput()
{
    for (Channel &c : m_channels)
        delete c.sink.data();
}

bool QtSoundOutput::start(int channel, PcmClipPtr clip)
{
    if (channel < 0 || channel >= int(m_channels.size()) || !clip)
        return false;
    close(channel);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(clip->format))
        return false;

    Channel &c = m_channels[size_t(channel)];
    auto *sink = new QAudioSink(device, clip->format);
    const auto &f = clip->format;
    sink->setBufferSize(qBound(qsizetype(f.bytesForDuration(kMinBufferMs * 1000)), clip->data.size(),
                               qsizetype(f.bytesForDuration(kMaxBufferMs * 1000))));
    auto *source = new PcmSource(clip, sink);
    connect(sink, &QAudioSink::stateChanged, this,
            [this, channel, sink](QAudio::State state) { onState(channel, sink, state); });
    c.sink = sink;
    c.source = source;
    c.lengthMs = clip->durationMs();
    c.playing = true;
    c.started.start();
    sink->start(source);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        close(channel);
        return false;
    }
    return true;
}

void QtSoundOutput::onState(int channel, QAudioSink *sink, QAudio::State state)
{
    Channel &c = m_channels[size_t(channel)];
    if (c.sink != sink || !c.playing)
        return;
    if (state == QAudio::IdleState) {
        // The device has taken the last bytes; they still sound for up to one
        // buffer. Report the end when the sound has really had its length.
        const qint64 left = c.lengthMs - c.started.elapsed();
        if (left > 0) {
            QTimer::singleShot(int(left), sink, [this, channel, sink] {
                if (m_channels[size_t(channel)].sink == sink)
                    end(channel);
            });
            return;
        }
        end(channel);
    } else if (state == QAudio::StoppedState) {
        end(channel);
    }
}

void QtSoundOutput::end(int channel)
{
    Channel &c = m_channels[size_t(channel)];
    if (!c.playing)
        return;
    c.playing = false;
    emit finished(channel);
}

void QtSoundOutput::close(int channel)
{
    if (channel < 0 || channel >= int(m_channels.size()))
        return;
    Channel &c = m_channels[size_t(channel)];
    QAudioSink *sink = c.sink.data();
    c.sink.clear();
    c.source = nullptr;
    const bool wasPlaying = c.playing;
    c.playing = false;
    if (sink) {
        sink->disconnect(this);
        sink->stop();
        // Not deleted at once: this may run inside one of the sink's own signals.
        sink->deleteLater();
    }
    if (wasPlaying)
        emit finished(channel);
}

bool QtSoundOutput::isPlaying(int channel) const
{
    return channel >= 0 && channel < int(m_channels.size()) && m_channels[size_t(channel)].playing;
}

const PcmSource *QtSoundOutput::source(int channel) const
{
    if (channel < 0 || channel >= int(m_channels.size()))
        return nullptr;
    return m_channels[size_t(channel)].source;
}

} // namespace lumina
