#pragma once

#include "sound/SoundBackend.h"
#include "sound/SoundPlayer.h"

#include <QDateTime>
#include <QHash>

namespace lumina {

// The sound slots "S1".."S4" and voiceSlot() on top of a decoder and an output device:
// close-then-open per slot, silent failure, decoded sounds cached, and a
// synchronous play that waits without freezing the windows.
class SlotSoundPlayer final : public SoundPlayer
{
public:
    // A synchronous wait ends at the latest this long after the sound should
    // have ended, so a stalled device never hangs the program.
    static constexpr int kDefaultWaitMarginMs = 500;

    SlotSoundPlayer(SoundDecoder &decoder, SoundOutput &output);

    void play(const QString &path, const QString &slot, bool synchronous) override;
    void stop(const QString &slot) override;
    void stopAll() override;

    // "S1".."S4" to 0..3 and voiceSlot() to 4 (any case, blanks around
    // ignored); -1 for anything else.
    static int slotIndex(const QString &slot);

    void setWaitMargin(int milliseconds) { m_waitMarginMs = milliseconds; }
    // Decoded sounds kept beyond the one playing are dropped past this size.
    void setCacheLimit(qint64 bytes) { m_cacheLimit = bytes; }

private:
    PcmClipPtr clipFor(const QString &path, SoundType type);
    void waitForEnd(int slot, qint64 lengthMs);

    struct Cached {
        QDateTime modified;
        qint64 size = 0;
        PcmClipPtr clip; // null: the file could not be decoded
    };

    SoundDecoder &m_decoder;
    SoundOutput &m_output;
    QHash<QString, Cached> m_cache;
    qint64 m_cacheLimit = 64 * 1024 * 1024;
    int m_waitMarginMs = kDefaultWaitMarginMs;
};


} // namespace lumina
