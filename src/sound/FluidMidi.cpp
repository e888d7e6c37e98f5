#include "sound/FluidMidi.h"

#include "base/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef LUMINA_HAVE_FLUIDSYNTH
#include <fluidsynth.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace lumina {

QStringList soundFontCandidates()
{
    QStringList paths;
    const QString named = qEnvironmentVariable("LUMINA_SOUNDFONT");
    if (!named.isEmpty())
        paths << named;
    if (const QString shipped = programDataFolder(QStringLiteral("soundfonts")); !shipped.isEmpty()) {
        const QDir folder(shipped);
        const QStringList patterns{QStringLiteral("*.sf2"), QStringLiteral("*.sf3")};
        for (const QString &name : folder.entryList(patterns, QDir::Files, QDir::Name))
            paths << folder.filePath(name);
    }
#ifdef LUMINA_HAVE_FLUIDSYNTH
    fluid_settings_t *settings = new_fluid_settings();
    char *builtIn = nullptr;
    if (settings && fluid_settings_dupstr(settings, "synth.default-soundfont", &builtIn) == FLUID_OK
        && builtIn) {
        paths << QFile::decodeName(builtIn);
        fluid_free(builtIn);
    }
    delete_fluid_settings(settings);
#endif
    paths << QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2")
          << QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2")
          << QStringLiteral("/usr/share/sounds/sf3/default-GM.sf3")
          << QStringLiteral("/usr/share/soundfonts/default.sf2")
          << QStringLiteral("/usr/share/soundfonts/FluidR3_GM.sf2");
    if (QCoreApplication::instance())
        paths << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("soundfont.sf2"));
    paths.removeDuplicates();
    return paths;
}

QString findSoundFont()
{
    for (const QString &path : soundFontCandidates()) {
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

#ifdef LUMINA_HAVE_FLUIDSYNTH

namespace {

constexpr int kBlockFrames = 1024;
// A runaway file (an endless loop of tempo changes) stops here.
constexpr qint64 kLongestFrames = qint64(FluidMidi::kSampleRate) * 600;
// Notes ring on after the last event; render their release, at most this long.
constexpr qint64 kTailFrames = qint64(FluidMidi::kSampleRate) * 3;
constexpr int kSilentLevel = 8;
constexpr double kPeakTarget = 0.7; // -3 dB of full scale

bool silent(const qint16 *samples, int count)
{
    for (int i = 0; i < count; ++i) {
        if (std::abs(int(samples[i])) > kSilentLevel)
            return false;
    }
    return true;
}

} // namespace

FluidMidi::~FluidMidi()
{
    if (m_synth)
        delete_fluid_synth(static_cast<fluid_synth_t *>(m_synth));
    if (m_settings)
        delete_fluid_settings(static_cast<fluid_settings_t *>(m_settings));
}

bool FluidMidi::ensureSynth()
{
    if (m_synth || m_failed)
        return m_synth != nullptr;
    m_failed = true;
    const QString font = findSoundFont();
    if (font.isEmpty())
        return false;
    // The library's messages would only repeat what the silent failure means.
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);

    auto *settings = new_fluid_settings();
    if (!settings)
        return false;
    fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setnum(settings, "synth.gain", 0.6);
    // The player follows the samples we render, not the wall clock.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // Only the instruments a file uses are read from the (large) soundfont.
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
    auto *synth = new_fluid_synth(settings);
    if (!synth || fluid_synth_sfload(synth, QFile::encodeName(font).constData(), 1) == FLUID_FAILED) {
        if (synth)
            delete_fluid_synth(synth);
        delete_fluid_settings(settings);
        return false;
    }
    m_settings = settings;
    m_synth = synth;
    m_failed = false;
    return true;
}

namespace {

// A synthesiser plays far below full scale; the rendering is brought up to the
// level of the other event sounds, never by more than 18 dB.
PcmClipPtr levelledClip(std::vector<qint16> pcm)
{
    int peak = 1;
    for (qint16 v : pcm)
        peak = std::max(peak, std::abs(int(v)));
    const double gain = std::min(kPeakTarget * 32767.0 / peak, 8.0);
    if (gain > 1.0) {
        for (qint16 &v : pcm)
            v = qint16(std::lround(v * gain));
    }
    auto clip = std::make_shared<PcmClip>();
    clip->format.setSampleFormat(QAudioFormat::Int16);
    clip->format.setChannelCount(2);
    clip->format.setSampleRate(FluidMidi::kSampleRate);
    clip->data = QByteArray(reinterpret_cast<const char *>(pcm.data()),
                            qsizetype(pcm.size() * sizeof(qint16)));
    return clip;
}

} // namespace

PcmClipPtr FluidMidi::render(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray midi = file.readAll();
    if (!midi.startsWith("MThd"))
        return nullptr;

    QMutexLocker locker(&m_lock);
    if (!ensureSynth())
        return nullptr;
    auto *synth = static_cast<fluid_synth_t *>(m_synth);
    fluid_player_t *player = new_fluid_player(synth);
    if (!player)
        return nullptr;
    // From memory, so that any file name the program can open works.
    if (fluid_player_add_mem(player, midi.constData(), size_t(midi.size())) != FLUID_OK
        || fluid_player_play(player) != FLUID_OK) {
        delete_fluid_player(player);
        return nullptr;
    }

    std::vector<qint16> pcm;
    std::vector<qint16> block(kBlockFrames * 2);
    qint64 frames = 0;
    // The player lingers on after the last event; the song ends at its last tick
    // and what still rings is rendered below.
    auto playing = [player] {
        const int total = fluid_player_get_total_ticks(player); // known once loaded
        return fluid_player_get_status(player) == FLUID_PLAYER_PLAYING
            && (total <= 0 || fluid_player_get_current_tick(player) < total);
    };
    while (playing() && frames < kLongestFrames) {
        fluid_synth_write_s16(synth, kBlockFrames, block.data(), 0, 2, block.data(), 1, 2);
        pcm.insert(pcm.end(), block.begin(), block.end());
        frames += kBlockFrames;
    }
    fluid_player_stop(player);
    delete_fluid_player(player);
    const bool played = frames > 0;
    fluid_synth_all_notes_off(synth, -1);
    for (qint64 tail = 0; tail < kTailFrames; tail += kBlockFrames) {
        fluid_synth_write_s16(synth, kBlockFrames, block.data(), 0, 2, block.data(), 1, 2);
        if (silent(block.data(), int(block.size())))
            break;
        pcm.insert(pcm.end(), block.begin(), block.end());
    }
    fluid_synth_system_reset(synth);
    if (!played)
        return nullptr;

    return levelledClip(std::move(pcm));
}

#else

FluidMidi::~FluidMidi() = default;

bool FluidMidi::ensureSynth()
{
    return false;
}

PcmClipPtr FluidMidi::render(const QString &)
{
    return nullptr;
}

#endif

} // namespace lumina
