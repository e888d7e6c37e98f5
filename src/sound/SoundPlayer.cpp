#include "sound/SoundPlayer.h"

#include "sound/QtSoundDecoder.h"
#include "sound/QtSoundOutput.h"
#include "sound/SoundSlots.h"

#include <QCoreApplication>

namespace lumina {

namespace {

// The program's player: Qt Multimedia and FluidSynth behind the four slots.
struct DevicePlayer {
    QtSoundDecoder decoder;
    QtSoundOutput output;
    SlotSoundPlayer player{decoder, output};
};

DevicePlayer *g_device = nullptr;
SoundPlayer *g_override = nullptr;

void releaseDevicePlayer()
{
    delete g_device;
    g_device = nullptr;
}

} // namespace

SoundPlayer &soundPlayer()
{
    if (g_override)
        return *g_override;
    if (!g_device) {
        g_device = new DevicePlayer;
        // The audio sinks must go before the application object does.
        qAddPostRoutine(releaseDevicePlayer);
    }
    return g_device->player;
}

void setSoundPlayer(SoundPlayer *replacement)
{
    g_override = replacement;
}

} // namespace lumina
