#pragma once

#include <QString>

namespace lumina {

// Named sound slots ("S1".."S4", and voiceSlot()), one open sound each. The
// program holds one player (see soundPlayer()); tests install a recording double.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Plays `path` in `slot`, replacing what the slot held. A synchronous call
    // returns when the sound has ended. An empty or missing file plays nothing.
    virtual void play(const QString &path, const QString &slot, bool synchronous) = 0;
    // Silences one slot; the others play on.
    virtual void stop(const QString &slot) = 0;
    virtual void stopAll() = 0;
};

// The slot of a recorded announcement: it plays as speech would, so neither
// a chime nor a step sound cuts it, nor it them.
inline QString voiceSlot()
{
    return QStringLiteral("VOICE");
}

// The process-wide player; setSoundPlayer(nullptr) restores the default.
SoundPlayer &soundPlayer();
void setSoundPlayer(SoundPlayer *replacement);

} // namespace lumina
