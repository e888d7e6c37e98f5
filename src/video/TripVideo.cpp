#include "video/TripVideo.h"

#include "app/BoardPicture.h"
#include "app/SettingsStore.h"
#include "options/SampleSetup.h"
#include "settings/DataFolders.h"
#include "shell/BoardWindow.h"
#include "sound/QtSoundDecoder.h"
#include "video/AudioMix.h"
#include "video/BoardFrames.h"
#include "video/SpeechSynth.h"
#include "video/TripRun.h"
#include "video/VideoEncoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace lumina {

QDate videoDate()
{
    return QDate(2025, 4, 1);
}

namespace {

bool readTrip(const QString &path, Trip &trip, QString &why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        why = file.errorString();
        return false;
    }
    TripReader reader;
    if (reader.read(&file, trip))
        return true;
    // The reason names the line at fault.
    why = reader.errorString();
    return false;
}

// The sounds of a run into the mix, as they start and stop.
struct SoundDesk {
    QtSoundDecoder decoder;
    ClipLibrary clips{decoder};
    SpeechSynth speech{VoiceSettings::load()};
    SlotMixer mixer;
    qint64 mixed = 0; // frames of sound handed on
    QString speechError; // a spoken entry the library could not speak

    void take(const TripSound &sound)
    {
        switch (sound.kind) {
        case TripSound::Play: mixer.start(sound.channel, sound.atMs, clips.clip(sound.source)); break;
        case TripSound::Speak:
            if (!speech.ready())
                speechError = speech.errorString();
            mixer.start(sound.channel, sound.atMs, speech.speak(sound.source));
            break;
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

// The video under a temporary name beside where it goes, renamed into place
// only when complete; dropped otherwise.
class OutputFile
{
public:
    explicit OutputFile(const QString &path)
        : m_path(path)
    {
    }
    bool isOpen() const { return bool(m_part); }
    QString errorString() const { return m_encoder.errorString(); }

    bool open(const QString &container, QSize size, int fps, QString &why)
    {
        const QFileInfo out(m_path);
        m_part = std::make_unique<QTemporaryFile>(
            out.absoluteDir().filePath(QStringLiteral(".%1-XXXXXX.part").arg(out.fileName())));
        if (!m_part->open()) {
            why = m_part->errorString();
            return false;
        }
        m_part->close();
        if (m_encoder.open(m_part->fileName(), container, size, fps))
            return true;
        why = m_encoder.errorString();
        return false;
    }
    bool add(const QImage &frame, const QRect &changed, const std::vector<qint16> &sound)
    {
        return m_encoder.addSound(sound) && m_encoder.addFrame(frame, changed);
    }
    bool finish(const std::vector<qint16> &sound, QString &why)
    {
        if (!m_encoder.addSound(sound) || !m_encoder.finish()) {
            why = m_encoder.errorString();
            return false;
        }
        // A temporary file is the owner's alone; a video is an ordinary file.
        m_part->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner
                               | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        QFile::remove(m_path);
        if (!m_part->rename(m_path)) {
            why = m_part->errorString();
            return false;
        }
        m_part->setAutoRemove(false);
        return true;
    }

private:
    QString m_path;
    std::unique_ptr<QTemporaryFile> m_part;
    VideoEncoder m_encoder;
};

} // namespace

bool TripVideo::prepare(const VideoRequest &request, Trip &trip, TripSetup &setup)
{
    setup.settings = initialRecords();
    m_blamed = request.tripFile;
    if (!readTrip(request.tripFile, trip, m_error))
        return false;
    m_blamed = request.settingsFile;
    if (request.settingsFile.isEmpty())
        applySampleSetup(setup.settings, sampleDataFolder());
    else if (!readSettingsFile(request.settingsFile, setup.settings, m_error))
        return false;
    if (!request.output.isEmpty() && containerOf(request.output).isEmpty()) {
        m_blamed = request.output;
        m_error = QCoreApplication::translate("lumina::TripVideo", ".mp4、.webm、.mkv のどれかにしてください。");
        return false;
    }
    setup.scale = request.scale;
    setup.lateNight = request.lateNight;
    setup.start = QDateTime(videoDate(), request.clock);
    setup.fps = request.fps;
    m_blamed = request.output;
    return true;
}

bool TripVideo::make(const VideoRequest &request, const Progress &progress, const FrameTap &tap)
{
    Trip trip;
    TripSetup setup;
    if (!prepare(request, trip, setup))
        return false;
    SoundDesk desk;
    TripRun run(setup, [&desk](const QString &path) {
        const StereoClipPtr clip = desk.clips.clip(path);
        return clip ? clip->lengthMs() : -1;
    });
    BoardFrames frames(run.board(), request.canvas, request.background);
    if (!frames.fits()) {
        m_error = QCoreApplication::translate("lumina::TripVideo", "盤面（%1x%2）がキャンバスに収まりません。")
                      .arg(run.board().width()).arg(run.board().height());
        return false;
    }
    OutputFile out(request.output);
    if (!request.output.isEmpty()
        && !out.open(containerOf(request.output), frames.size(), request.fps, m_error))
        return false;

    const qint64 total = TripRun::frameCount(trip.lengthMs(), request.fps);
    const auto frameReady = [&](qint64 index) {
        const QRect changed = frames.update(run.boardSerial());
        const std::vector<qint16> sound = desk.until(index * kMixRate / request.fps);
        if (tap)
            tap(frames.frame(), sound);
        if (out.isOpen() && !out.add(frames.frame(), changed, sound))
            return false;
        if (progress)
            progress(index + 1, std::max(total, index + 1));
        return true;
    };
    const auto soundEvent = [&desk](const TripSound &sound) { desk.take(sound); };
    const bool played = run.play(trip, frameReady, soundEvent);
    if (!played || !desk.speechError.isEmpty()) {
        // A refusal of the program's is the trip's; a failed encode the video's.
        m_blamed = out.errorString().isEmpty() ? request.tripFile : request.output;
        m_error = !out.errorString().isEmpty() ? out.errorString()
                  : !played                    ? run.errorString()
                                               : desk.speechError;
        return false;
    }
    // The sound of the last frame.
    const std::vector<qint16> last = desk.until(run.nowMs() * kMixFramesPerMs);
    if (tap)
        tap(QImage(), last);
    if (out.isOpen() && !out.finish(last, m_error))
        return false;
    return true;
}

} // namespace lumina
