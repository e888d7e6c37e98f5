#pragma once

#include "sound/Speech.h"
#include "video/AudioMix.h"

#include <QString>

namespace lumina {

// Speech made offline through the espeak-ng library with its Japanese voice,
// at the rate, pitch and volume of the user's voice choice. The library reads
// kana, not kanji, as the live engine does.
class SpeechSynth
{
public:
    explicit SpeechSynth(const VoiceSettings &voice);

    // False when the library or its Japanese voice is missing; speak() then
    // gives silence.
    bool ready() const { return m_ready; }
    QString errorString() const { return m_error; }
    // The same text with the same voice gives the same samples within a
    // process, made the first time it is asked for.
    StereoClipPtr speak(const QString &text);

    // The choice's -1..1 rate and pitch and 0..1 volume in the library's terms.
    static int libraryRate(double rate);
    static int libraryPitch(double pitch);
    static int libraryVolume(double volume);

private:
    VoiceSettings m_voice;
    int m_sampleRate = 0;
    bool m_ready = false;
    QString m_error;
};

} // namespace lumina
