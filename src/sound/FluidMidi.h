#pragma once

#include "sound/PcmClip.h"

#include <QMutex>
#include <QStringList>

namespace lumina {

// Where the General MIDI soundfont is looked for, first match wins: the file
// named by the environment variable LUMINA_SOUNDFONT, the soundfonts shipped in
// the program's own "soundfonts" folder (by name), FluidSynth's own default,
// the places Linux distributions install one, and "soundfont.sf2" beside the
// program.
QStringList soundFontCandidates();
QString findSoundFont();

// Renders a standard MIDI file to 16-bit stereo PCM through FluidSynth, faster
// than real time. The soundfont is loaded by the first render and kept. Safe to
// call from a worker thread, one render at a time.
class FluidMidi
{
public:
    static constexpr int kSampleRate = 44100;

    FluidMidi() = default;
    ~FluidMidi();
    FluidMidi(const FluidMidi &) = delete;
    FluidMidi &operator=(const FluidMidi &) = delete;

    // Null when FluidSynth or a soundfont is missing or the file is no MIDI file.
    PcmClipPtr render(const QString &path);

private:
    bool ensureSynth();

    QMutex m_lock;
    void *m_settings = nullptr; // fluid_settings_t, kept opaque outside the adapter
    void *m_synth = nullptr;    // fluid_synth_t
    bool m_failed = false;
};

} // namespace lumina
