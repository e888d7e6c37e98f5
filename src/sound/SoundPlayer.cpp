#include "sound/SoundPlayer.h"

namespace lumina {

namespace {

// Until a playback backend is in place the program is silent; every caller
// already goes through the slot interface.
class SilentSoundPlayer final : public SoundPlayer
{
public:
    void PlaySound(const QString &, const QString &, bool, int) override {}
    void StopAllSounds() override {}
};

SoundPlayer *g_override = nullptr;

} // namespace

SoundPlayer &soundPlayer()
{
    if (g_override)
        return *g_override;
    static SilentSoundPlayer silent;
    return silent;
}

void setSoundPlayer(SoundPlayer *replacement)
{
    g_override = replacement;
}

} // namespace lumina
