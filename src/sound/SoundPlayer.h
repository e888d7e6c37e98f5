#pragma once

#include <QString>

namespace lumina {

// Named sound slots ("S1".."S4"), one open sound each. The program holds one
// player (see soundPlayer()); tests install a recording double.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    // Plays `path` in `slot`, replacing what the slot held. A synchronous call
    // returns when the sound has ended. An empty or missing file plays nothing.
    virtual void play(const QString &path, const QString &slot, bool synchronous) = 0;
    virtual void stopAll() = 0;
};

// The process-wide player; setSoundPlayer(nullptr) restores the default.
SoundPlayer &soundPlayer();
void setSoundPlayer(SoundPlayer *replacement);

} // namespace lumina
