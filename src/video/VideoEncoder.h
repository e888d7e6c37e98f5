#pragma once

#include "video/I420Image.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace lumina {

// The container a file name asks for: .mp4 (H.264, AAC), .webm (VP9, Opus)
// or .mkv (H.264, AAC). Empty for anything else.
QString containerOf(const QString &path);

// Picture and sound into a video file through GStreamer. Frames come as
// 32-bit RGB pictures of one size, converted to the encoder's YUV here, and
// only where they changed; the sound as 16-bit stereo at 48 kHz.
class VideoEncoder
{
public:
    VideoEncoder();
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder &) = delete;
    VideoEncoder &operator=(const VideoEncoder &) = delete;

    // `size` in pixels, both even. False (and errorString()) when an element
    // is missing or the file cannot be opened.
    bool open(const QString &path, const QString &container, QSize size, int fps);
    // The next frame; `changed` is the part that differs from the frame
    // before (the first frame is converted whole).
    bool addFrame(const QImage &frame, const QRect &changed);
    // Sound after what was added before.
    bool addSound(const std::vector<qint16> &interleaved);
    // Ends the streams and waits for the file to be complete.
    bool finish();
    QString errorString() const { return m_error; }

    // The GStreamer elements a container needs that are not installed.
    static QStringList missingElements(const QString &container);

private:
    bool push(void *source, void *buffer);
    // Whether the pipeline reported an error within `wait` nanoseconds.
    bool failedOnBus(quint64 wait);
    // Takes the error message and always returns true.
    bool failWith(void *errorMessage);
    bool fail(const QString &why);

    void *m_pipeline = nullptr; // GstElement
    void *m_video = nullptr;
    void *m_audio = nullptr;
    QSize m_size;
    int m_fps = 30;
    qint64 m_frames = 0;
    qint64 m_soundFrames = 0;
    I420Image m_yuv; // the last frame, converted where it changed
    QString m_error;
};

} // namespace lumina
