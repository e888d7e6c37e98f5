#include "sound/SoundSlots.h"

#include "base/Clock.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace lumina {

SoundType soundTypeOf(const QString &path)
{
    const QString ending = path.right(3).toUpper();
    if (ending == QLatin1String("WAV"))
        return SoundType::Wave;
    if (ending == QLatin1String("MP3"))
        return SoundType::Mpeg;
    if (ending == QLatin1String("MID"))
        return SoundType::Midi;
    return SoundType::None;
}

SlotSoundPlayer::SlotSoundPlayer(SoundDecoder &decoder, SoundOutput &output)
    : m_decoder(decoder)
    , m_output(output)
{
}

int SlotSoundPlayer::slotIndex(const QString &slot)
{
    const QString name = slot.trimmed().toUpper();
    if (name == voiceSlot())
        return kSoundChannels - 1;
    if (name.size() != 2 || name[0] != QLatin1Char('S'))
        return -1;
    const int n = name[1].digitValue();
    return n >= 1 && n < kSoundChannels ? n - 1 : -1;
}

void SlotSoundPlayer::play(const QString &path, const QString &slot, bool synchronous)
{
    const int channel = slotIndex(slot);
    if (channel < 0 || path.isEmpty() || !QFileInfo(path).isFile())
        return;
    m_output.close(channel);
    const SoundType type = soundTypeOf(path);
    if (type == SoundType::None)
        return;
    const PcmClipPtr clip = clipFor(path, type);
    if (!clip || !m_output.start(channel, clip))
        return;
    if (synchronous)
        waitForEnd(channel, clip->durationMs());
}

void SlotSoundPlayer::stop(const QString &slot)
{
    if (const int channel = slotIndex(slot); channel >= 0)
        m_output.close(channel);
}

void SlotSoundPlayer::stopAll()
{
    for (int channel = 0; channel < kSoundChannels; ++channel)
        m_output.close(channel);
}

PcmClipPtr SlotSoundPlayer::clipFor(const QString &path, SoundType type)
{
    // A file replaced under the same name is decoded again.
    const QFileInfo info(path);
    const QString key = info.absoluteFilePath();
    const QDateTime modified = info.lastModified();
    const auto found = m_cache.constFind(key);
    if (found != m_cache.cend() && found->modified == modified && found->size == info.size())
        return found->clip;

    Cached entry{modified, info.size(), m_decoder.decode(path, type)};
    qint64 held = 0;
    for (const Cached &c : std::as_const(m_cache))
        held += c.clip ? c.clip->data.size() : 0;
    if (entry.clip && held + entry.clip->data.size() > m_cacheLimit)
        m_cache.clear();
    m_cache.insert(key, entry);
    return entry.clip;
}

void SlotSoundPlayer::waitForEnd(int channel, qint64 lengthMs)
{
    if (!m_output.isPlaying(channel))
        return;
    const InputWait wait;
    QEventLoop loop;
    const auto ended =
        QObject::connect(&m_output, &SoundOutput::finished, &loop, [&loop, channel](int c) {
            if (c == channel)
                loop.quit();
        });
    QTimer::singleShot(int(lengthMs) + m_waitMarginMs, Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(ended);
}

} // namespace lumina
