#include "sound/QtSoundOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

#include <chrono>

namespace lumina {

namespace {

// The sound server takes a short sound whole (up to two seconds of it), so a
// busy window thread cannot starve it. A sound server starts playing only
// once it holds a minimum, so shorter sounds are followed by silence up to
// kMinBufferMs; much smaller buffers also stall Qt's PulseAudio sink.
constexpr int kMinBufferMs = 100;
constexpr int kMaxBufferMs = 2000;
constexpr int kFeedMs = 50;

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

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
    const QAudioFormat &format = clip->format;
    if (device.isNull() || !device.isFormatSupported(format))
        return false;

    Channel &c = m_channels[size_t(channel)];
    const qsizetype minBytes = format.bytesForDuration(kMinBufferMs * 1000);
    auto *sink = new QAudioSink(device, format);
    sink->setBufferSize(qBound(minBytes, clip->data.size(),
                               qsizetype(format.bytesForDuration(kMaxBufferMs * 1000))));
    connect(sink, &QAudioSink::stateChanged, this, [this, channel, sink](QAudio::State state) {
        if (state == QAudio::StoppedState && m_channels[size_t(channel)].sink == sink)
            end(channel); // the device failed or went away
    });
    c.sink = sink;
    c.clip = clip;
    if (clip->data.size() < minBytes)
        c.padded = clip->data + QByteArray(minBytes - clip->data.size(), '\0');
    c.written = 0;
    c.firstWriteNs = -1;
    c.playing = true;
    c.io = sink->start();
    if (!c.io || sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        close(channel);
        return false;
    }
    c.started.start();
    c.feeder = new QTimer(sink);
    c.feeder->setInterval(kFeedMs);
    connect(c.feeder, &QTimer::timeout, this, [this, channel] { feed(channel); });
    feed(channel);
    if (c.playing && c.written < (c.padded.isEmpty() ? c.clip->data : c.padded).size())
        c.feeder->start();
    return c.playing;
}

void QtSoundOutput::feed(int channel)
{
    Channel &c = m_channels[size_t(channel)];
    if (!c.sink || !c.playing)
        return;
    const QByteArray &data = c.padded.isEmpty() ? c.clip->data : c.padded;
    const int frame = c.clip->format.bytesPerFrame();
    qint64 n = qMin(qint64(c.sink->bytesFree()), data.size() - c.written);
    n -= n % frame;
    if (n > 0) {
        if (c.firstWriteNs < 0)
            c.firstWriteNs = steadyNs();
        const qint64 put = c.io->write(data.constData() + c.written, n);
        if (put > 0)
            c.written += put;
    }
    if (c.written < data.size())
        return;
    c.feeder->stop();
    // All of it is with the device now; it ends once it has had its length.
    QAudioSink *sink = c.sink;
    const qint64 left = c.clip->durationMs() - c.started.elapsed();
    QTimer::singleShot(int(qMax<qint64>(0, left)), sink, [this, channel, sink] {
        if (m_channels[size_t(channel)].sink == sink)
            end(channel);
    });
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
    c.io = nullptr;
    c.feeder = nullptr;
    c.clip.reset();
    c.padded.clear();
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

qint64 QtSoundOutput::firstWriteNs(int channel) const
{
    if (channel < 0 || channel >= int(m_channels.size()))
        return -1;
    return m_channels[size_t(channel)].firstWriteNs;
}

} // namespace lumina
