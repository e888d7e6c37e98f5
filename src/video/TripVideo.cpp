#include "video/TripVideo.h"

#include "app/SettingsStore.h"
#include "options/SampleSetup.h"
#include "settings/DataFolders.h"
#include "settings/OptionFields.h"
#include "settings/SettingsIo.h"
#include "shell/BoardWindow.h"
#include "sound/QtSoundDecoder.h"
#include "video/AudioMix.h"
#include "video/BoardFrames.h"
#include "video/SpeechSynth.h"
#include "video/TripRun.h"
#include "video/VideoEncoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <optional>

namespace lumina {

QDate videoDate()
{
    return QDate(2025, 4, 1);
}

bool readSettingsFile(const QString &path, SettingsFile &settings, QString &why)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("設定ファイル「%1」を開けませんでした。").arg(path);
        return false;
    }
    SettingsFile loaded = settings;
    SettingsReader reader;
    if (!reader.read(&file, loaded)) {
        why = QStringLiteral("設定ファイル「%1」は壊れているか、途中で終わっています。").arg(path);
        return false;
    }
    std::optional<IniFailure> failure = takeOptions(settings, loaded);
    if (!failure)
        failure = panelStateFailure(loaded.controlPanel);
    if (failure) {
        why = settingsLoadFailureMessage(*failure);
        return false;
    }
    settings.cells = loaded.cells;
    settings.controlPanel = loaded.controlPanel;
    return true;
}

namespace {

bool readTrip(const QString &path, Trip &trip, QString &why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    TripReader reader;
    if (reader.read(&file, trip))
        return true;
    why = reader.errorLine() > 0
              ? QStringLiteral("%1:%2: %3").arg(path).arg(reader.errorLine()).arg(reader.errorString())
              : QStringLiteral("%1: %2").arg(path, reader.errorString());
    return false;
}

// The sounds of a run into the mix, as they start and stop.
struct SoundDesk {
    QtSoundDecoder decoder;
    ClipLibrary clips{decoder};
    SpeechSynth speech{VoiceSettings::load()};
    SlotMixer mixer;
    qint64 mixed = 0; // frames of sound handed on

    void take(const TripSound &sound)
    {
        switch (sound.kind) {
        case TripSound::Play: mixer.start(sound.channel, sound.atMs, clips.clip(sound.source)); break;
        case TripSound::Speak: mixer.start(sound.channel, sound.atMs, speech.speak(sound.source)); break;
        case TripSound::Stop: mixer.stop(sound.channel, sound.atMs); break;
        }
    }
    std::vector<qint16> until(qint64 frame)
    {
        std::vector<qint16> out = mixer.take(mixed, std::max<qint64>(0, frame - mixed));
        mixed = std::max(mixed, frame);
        return out;
    }
};

} // namespace

bool TripVideo::make(const VideoRequest &request, const Progress &progress, const FrameTap &tap)
{
    Trip trip;
    TripSetup setup;
    setup.settings = initialRecords();
    if (!readTrip(request.tripFile, trip, m_error))
        return false;
    if (request.settingsFile.isEmpty())
        applySampleSetup(setup.settings, sampleDataFolder());
    else if (!readSettingsFile(request.settingsFile, setup.settings, m_error))
        return false;
    const QString container = containerOf(request.output);
    if (!request.output.isEmpty() && container.isEmpty()) {
        m_error = QStringLiteral("%1: .mp4、.webm、.mkv のどれかにしてください。").arg(request.output);
        return false;
    }
    setup.scale = request.scale;
    setup.lateNight = request.lateNight;
    setup.start = QDateTime(videoDate(), request.clock);
    setup.fps = request.fps;

    SoundDesk desk;
    TripRun run(setup, [&desk](const QString &path) {
        const StereoClipPtr clip = desk.clips.clip(path);
        return clip ? clip->lengthMs() : -1;
    });
    BoardFrames frames(run.board(), request.canvas, request.background);
    if (!frames.fits()) {
        m_error = QStringLiteral("盤面（%1x%2）がキャンバスに収まりません。")
                      .arg(run.board().width()).arg(run.board().height());
        return false;
    }

    std::unique_ptr<QTemporaryFile> part;
    VideoEncoder encoder;
    if (!request.output.isEmpty()) {
        // Beside the output, so the finished file is only renamed into place.
        const QFileInfo out(request.output);
        part = std::make_unique<QTemporaryFile>(
            out.absoluteDir().filePath(QStringLiteral(".%1-XXXXXX.part").arg(out.fileName())));
        if (!part->open()) {
            m_error = QStringLiteral("%1: %2").arg(request.output, part->errorString());
            return false;
        }
        part->close();
        if (!encoder.open(part->fileName(), container, frames.size(), request.fps)) {
            m_error = encoder.errorString();
            return false;
        }
    }

    const qint64 total = TripRun::frameCount(trip.lengthMs(), request.fps);
    const auto frameReady = [&](qint64 index) {
        const QRect changed = frames.update(run.boardSerial());
        std::vector<qint16> sound = desk.until(index * kMixRate / request.fps);
        if (tap)
            tap(frames.frame(), sound);
        if (part && (!encoder.addSound(sound) || !encoder.addFrame(frames.frame(), changed)))
            return false;
        if (progress)
            progress(index + 1, std::max(total, index + 1));
        return true;
    };
    const auto soundEvent = [&desk](const TripSound &sound) { desk.take(sound); };
    if (!run.play(trip, frameReady, soundEvent)) {
        m_error = encoder.errorString().isEmpty() ? run.errorString() : encoder.errorString();
        return false;
    }
    // The sound of the last frame.
    const std::vector<qint16> last = desk.until(run.nowMs() * kMixFramesPerMs);
    if (tap)
        tap(QImage(), last);
    if (!part)
        return true;
    if (!encoder.addSound(last) || !encoder.finish()) {
        m_error = encoder.errorString();
        return false;
    }
    // A temporary file is the owner's alone; a video is an ordinary file.
    part->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                         | QFileDevice::ReadOther);
    QFile::remove(request.output);
    if (!part->rename(request.output)) {
        m_error = QStringLiteral("%1: %2").arg(request.output, part->errorString());
        return false;
    }
    part->setAutoRemove(false);
    return true;
}

} // namespace lumina
