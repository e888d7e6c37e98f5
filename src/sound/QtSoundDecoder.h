#pragma once

#include "sound/FluidMidi.h"
#include "sound/SoundBackend.h"

namespace lumina {

// Plain PCM WAV files are read directly; other WAV and MP3 files go through
// Qt's QAudioDecoder, MIDI files through FluidSynth. Decoding keeps the windows
// painting (input waits) and gives up after a bound, so a broken file or a
// missing codec never hangs the program.
class QtSoundDecoder final : public SoundDecoder
{
public:
    static constexpr int kDecodeLimitMs = 10000;

    QtSoundDecoder();

    PcmClipPtr decode(const QString &path, SoundType type) override;

    static PcmClipPtr decodeWithQt(const QString &path, int limitMs = kDecodeLimitMs);

private:
    PcmClipPtr renderMidi(const QString &path);

    FluidMidi m_midi;
};

} // namespace lumina
