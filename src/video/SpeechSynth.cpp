#include "video/SpeechSynth.h"

#include <espeak-ng/speak_lib.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lumina {

namespace {

// The library keeps one engine per process; it is started once and kept.
int startLibrary()
{
    static const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr,
                                              espeakINITIALIZE_DONT_EXIT);
    return rate;
}

// The library carries state from one text to the next (the same text comes
// out a few samples different the second time), so each text is made once
// per process and kept: a run speaks the same words the same way.
QHash<QString, StereoClipPtr> &spokenTexts()
{
    static QHash<QString, StereoClipPtr> spoken;
    return spoken;
}

int collect(short *wave, int count, espeak_EVENT *events)
{
    auto *out = static_cast<std::vector<qint16> *>(events->user_data);
    if (wave && count > 0)
        out->insert(out->end(), wave, wave + count);
    return 0;
}

} // namespace

int SpeechSynth::libraryRate(double rate)
{
    // 175 words a minute is the library's own pace; the choice's ends reach
    // its slowest and a brisk announcer's.
    const double r = std::clamp(rate, -1.0, 1.0);
    return int(std::lround(r < 0 ? 175 + r * 95 : 175 + r * 175));
}

int SpeechSynth::libraryPitch(double pitch)
{
    return int(std::lround(50 + std::clamp(pitch, -1.0, 1.0) * 50));
}

int SpeechSynth::libraryVolume(double volume)
{
    return int(std::lround(std::clamp(volume, 0.0, 1.0) * 100));
}

SpeechSynth::SpeechSynth(const VoiceSettings &voice)
    : m_voice(voice)
{
    m_sampleRate = startLibrary();
    if (m_sampleRate <= 0) {
        m_error = QCoreApplication::translate("lumina::SpeechSynth", "espeak-ng を始められませんでした。");
        return;
    }
    if (espeak_SetVoiceByName("ja") != EE_OK) {
        m_error = QCoreApplication::translate("lumina::SpeechSynth", "espeak-ng に日本語の声がありません。");
        return;
    }
    m_ready = true;
}

StereoClipPtr SpeechSynth::speak(const QString &text)
{
    const QString key = QStringLiteral("%1 %2 %3 %4")
                            .arg(libraryRate(m_voice.rate))
                            .arg(libraryPitch(m_voice.pitch))
                            .arg(libraryVolume(m_voice.volume))
                            .arg(text);
    if (const auto found = spokenTexts().constFind(key); found != spokenTexts().cend())
        return *found;
    std::vector<qint16> samples;
    if (m_ready && !text.trimmed().isEmpty()) {
        espeak_SetSynthCallback(collect);
        espeak_SetVoiceByName("ja");
        espeak_SetParameter(espeakRATE, libraryRate(m_voice.rate), 0);
        espeak_SetParameter(espeakPITCH, libraryPitch(m_voice.pitch), 0);
        espeak_SetParameter(espeakVOLUME, libraryVolume(m_voice.volume), 0);
        const QByteArray utf8 = text.toUtf8();
        // The library works synchronously: the call returns with every sample collected.
        espeak_Synth(utf8.constData(), size_t(utf8.size() + 1), 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, nullptr, &samples);
    }
    StereoClipPtr clip = monoToStereoClip(samples, std::max(m_sampleRate, 1), 1.0);
    spokenTexts().insert(key, clip);
    return clip;
}

} // namespace lumina
