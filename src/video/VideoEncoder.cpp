#include "video/VideoEncoder.h"

#include "video/AudioMix.h"

#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>


namespace lumina {

namespace {

struct Chain {
    const char *video;
    const char *audio;
    const char *muxer;
};

// H.264 keyframes every two seconds keep a video easy to cut.
Chain chainFor(const QString &container)
{
    if (container == u"webm")
        return {"vp9enc deadline=1 cpu-used=8 row-mt=true threads=2", "opusenc bitrate=128000",
                "webmmux"};
    // A board is mostly still: quality-based rate at a quick preset keeps its
    // dots crisp at a fraction of real time.
    const char *h264 = "x264enc speed-preset=superfast pass=qual quantizer=20 key-int-max=60 threads=2 "
                       "bframes=0 rc-lookahead=0 sync-lookahead=0 ! "
                       "video/x-h264,profile=high";
    if (container == u"mkv")
        return {h264, "avenc_aac bitrate=192000", "matroskamux"};
    return {h264, "avenc_aac bitrate=192000", "mp4mux"};
}

QStringList elementNames(const Chain &chain)
{
    QStringList names{QStringLiteral("appsrc"), QStringLiteral("audioconvert"),
                      QStringLiteral("filesink")};
    for (const char *part : {chain.video, chain.audio, chain.muxer})
        names << QString::fromLatin1(part).section(u' ', 0, 0);
    return names;
}

void ensureGst()
{
    static const bool started = [] {
        gst_init(nullptr, nullptr);
        return true;
    }();
    Q_UNUSED(started);
}

} // namespace

QString containerOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"mp4" || suffix == u"webm" || suffix == u"mkv" ? suffix : QString();
}

QStringList VideoEncoder::missingElements(const QString &container)
{
    ensureGst();
    QStringList missing;
    for (const QString &name : elementNames(chainFor(container))) {
        GstElementFactory *factory = gst_element_factory_find(name.toLatin1().constData());
        if (!factory)
            missing << name;
        else
            gst_object_unref(factory);
    }
    return missing;
}

VideoEncoder::VideoEncoder() = default;

VideoEncoder::~VideoEncoder()
{
    if (!m_pipeline)
        return;
    gst_element_set_state(GST_ELEMENT(m_pipeline), GST_STATE_NULL);
    gst_object_unref(m_video);
    gst_object_unref(m_audio);
    gst_object_unref(m_pipeline);
}

bool VideoEncoder::fail(const QString &why)
{
    if (m_error.isEmpty())
        m_error = why;
    return false;
}

bool VideoEncoder::open(const QString &path, const QString &container, QSize size, int fps)
{
    ensureGst();
    if (const QStringList missing = missingElements(container); !missing.isEmpty())
        return fail(QCoreApplication::translate("lumina::VideoEncoder", "GStreamer の要素がありません: %1").arg(missing.join(u", ")));
    const Chain chain = chainFor(container);
    const QString description =
        QStringLiteral("appsrc name=video format=time "
                       "caps=video/x-raw,format=I420,width=%1,height=%2,framerate=%3/1,"
                       "colorimetry=bt709,interlace-mode=progressive ! "
                       "queue max-size-buffers=2 max-size-bytes=0 max-size-time=0 ! %4 ! mux. "
                       "appsrc name=audio format=time "
                       "caps=audio/x-raw,format=S16LE,rate=%5,channels=2,layout=interleaved ! "
                       "queue max-size-buffers=0 max-size-bytes=0 max-size-time=0 ! "
                       "audioconvert ! %6 ! mux. %7 name=mux ! filesink name=sink")
            .arg(size.width()).arg(size.height()).arg(fps)
            .arg(QLatin1String(chain.video)).arg(kMixRate)
            .arg(QLatin1String(chain.audio), QLatin1String(chain.muxer));
    GError *error = nullptr;
    // Fatal errors only: a half-built pipeline is never handed back.
    GstElement *pipeline = gst_parse_launch_full(description.toUtf8().constData(), nullptr,
                                                 GST_PARSE_FLAG_FATAL_ERRORS, &error);
    if (!pipeline) {
        const QString why = error ? QString::fromUtf8(error->message) : QString();
        g_clear_error(&error);
        return fail(why);
    }
    m_pipeline = pipeline;
    m_video = gst_bin_get_by_name(GST_BIN(pipeline), "video");
    m_audio = gst_bin_get_by_name(GST_BIN(pipeline), "audio");
    gst_child_proxy_set(GST_CHILD_PROXY(pipeline), "sink::location", QFile::encodeName(path).constData(), nullptr);
    m_size = size;
    m_fps = fps;
    m_yuv = I420Image(size);
    if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        return fail(QCoreApplication::translate("lumina::VideoEncoder", "「%1」に書き込めませんでした。").arg(path));
    return true;
}

bool VideoEncoder::failedOnBus(quint64 wait)
{
    GstBus *bus = gst_element_get_bus(GST_ELEMENT(m_pipeline));
    GstMessage *message = gst_bus_timed_pop_filtered(bus, wait, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    return message && failWith(message);
}

bool VideoEncoder::failWith(void *errorMessage)
{
    auto *message = static_cast<GstMessage *>(errorMessage);
    GError *error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    fail(error ? QString::fromUtf8(error->message) : QCoreApplication::translate("lumina::VideoEncoder", "エンコードに失敗しました。"));
    g_clear_error(&error);
    gst_message_unref(message);
    return true;
}

bool VideoEncoder::push(void *source, void *buffer)
{
    // The encoder sets the pace: a few frames wait at most, and a failure
    // downstream is noticed here instead of blocking for ever.
    GstAppSrc *src = GST_APP_SRC(source);
    const guint64 queued = source == m_video ? 2 * m_yuv.bytes.size() : 1024 * 1024;
    while (gst_app_src_get_current_level_bytes(src) > queued) {
        if (failedOnBus(2 * GST_MSECOND)) {
            gst_buffer_unref(static_cast<GstBuffer *>(buffer));
            return false;
        }
    }
    if (gst_app_src_push_buffer(src, static_cast<GstBuffer *>(buffer)) != GST_FLOW_OK)
        return fail(QCoreApplication::translate("lumina::VideoEncoder", "エンコードが途中で止まりました。"));
    return !failedOnBus(0);
}

bool VideoEncoder::addFrame(const QImage &frame, const QRect &changed)
{
    if (!m_pipeline || frame.size() != m_size)
        return fail(QCoreApplication::translate("lumina::VideoEncoder", "フレームの大きさが違います。"));
    const QImage rgb = frame.format() == QImage::Format_RGB32 || frame.format() == QImage::Format_ARGB32
                           ? frame
                           : frame.convertToFormat(QImage::Format_RGB32);
    m_yuv.convert(rgb, m_frames == 0 ? rgb.rect() : changed);
    GstBuffer *buffer = gst_buffer_new_memdup(m_yuv.bytes.data(), m_yuv.bytes.size());
    GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(guint64(m_frames), GST_SECOND, guint64(m_fps));
    GST_BUFFER_DURATION(buffer) = gst_util_uint64_scale(guint64(m_frames + 1), GST_SECOND,
                                                        guint64(m_fps)) - GST_BUFFER_PTS(buffer);
    ++m_frames;
    return push(m_video, buffer);
}

bool VideoEncoder::addSound(const std::vector<qint16> &interleaved)
{
    if (!m_pipeline)
        return false;
    const qint64 frames = qint64(interleaved.size() / 2);
    if (frames == 0)
        return true;
    GstBuffer *buffer = gst_buffer_new_memdup(interleaved.data(), interleaved.size() * sizeof(qint16));
    GST_BUFFER_PTS(buffer) = gst_util_uint64_scale(guint64(m_soundFrames), GST_SECOND, kMixRate);
    GST_BUFFER_DURATION(buffer) =
        gst_util_uint64_scale(guint64(m_soundFrames + frames), GST_SECOND, kMixRate)
        - GST_BUFFER_PTS(buffer);
    m_soundFrames += frames;
    return push(m_audio, buffer);
}

bool VideoEncoder::finish()
{
    if (!m_pipeline)
        return false;
    gst_app_src_end_of_stream(GST_APP_SRC(m_video));
    gst_app_src_end_of_stream(GST_APP_SRC(m_audio));
    GstBus *bus = gst_element_get_bus(GST_ELEMENT(m_pipeline));
    GstMessage *message = gst_bus_timed_pop_filtered(
        bus, GST_CLOCK_TIME_NONE, GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    gst_object_unref(bus);
    const bool ok = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (!ok && message)
        failWith(message);
    else if (message)
        gst_message_unref(message);
    gst_element_set_state(GST_ELEMENT(m_pipeline), GST_STATE_NULL);
    return ok;
}

} // namespace lumina
