#include "sound/QtSoundDecoder.h"

#include "sound/WaveFile.h"

#include "base/Clock.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace lumina {

QtSoundDecoder::QtSoundDecoder()
{
    // Qt's GStreamer decoder cannot take planar audio, which FFmpeg's MP3
    // decoders give; with gstreamer1.0-libav installed they tie with mpg123 on
    // rank and win by name, and every MP3 fails. The rank is read when
    // GStreamer starts, which is on the first sound, after this; a rank the
    // user set is left alone.
    if (!qEnvironmentVariableIsSet("GST_PLUGIN_FEATURE_RANK"))
        qputenv("GST_PLUGIN_FEATURE_RANK", "mpg123audiodec:PRIMARY");
}

PcmClipPtr QtSoundDecoder::decode(const QString &path, SoundType type)
{
    switch (type) {
    case SoundType::Wave: {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            if (PcmClipPtr clip = readWave(&file))
                return clip;
        }
        return decodeWithQt(path);
    }
    case SoundType::Mpeg:
        return decodeWithQt(path);
    case SoundType::Midi:
        return renderMidi(path);
    case SoundType::None:
        break;
    }
    return nullptr;
}

PcmClipPtr QtSoundDecoder::decodeWithQt(const QString &path, int limitMs)
{
    QAudioDecoder decoder;
    auto clip = std::make_shared<PcmClip>();
    bool failed = false;
    const InputWait wait;
    QEventLoop loop;
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        const QAudioBuffer buffer = decoder.read();
        if (!buffer.isValid())
            return;
        if (!clip->format.isValid())
            clip->format = buffer.format();
        if (buffer.format() == clip->format)
            clip->data.append(buffer.constData<char>(), buffer.byteCount());
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, &QEventLoop::quit);
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop,
                     [&] {
                         failed = true;
                         loop.quit();
                     });
    QTimer::singleShot(limitMs, &loop, [&] {
        failed = true;
        loop.quit();
    });
    decoder.setSource(QUrl::fromLocalFile(path));
    decoder.start();
    if (decoder.error() == QAudioDecoder::NoError)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    else
        failed = true;
    decoder.stop();
    if (failed || clip->data.isEmpty() || !clip->format.isValid())
        return nullptr;
    return clip;
}

PcmClipPtr QtSoundDecoder::renderMidi(const QString &path)
{
    // Loading the soundfont the first time takes a moment; the windows go on
    // painting meanwhile.
    PcmClipPtr clip;
    QThread *worker = QThread::create([this, path, &clip] { clip = m_midi.render(path); });
    const InputWait wait;
    QEventLoop loop;
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    delete worker;
    return clip;
}

} // namespace lumina
