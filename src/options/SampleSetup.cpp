#include "base/Paths.h"
#include "options/SampleSetup.h"

#include "settings/OptionFields.h"
#include "sound/SampleSounds.h"

#include <QFileInfo>

namespace lumina {

namespace {
const QString kTapeFolder = QStringLiteral("tape");
}

void applySampleSetup(SettingsFile &settings, const QString &sampleFolder)
{
    if (sampleFolder.isEmpty())
        return;
    settings.folders.fareDataFolder = sampleFolder;
    settings.folders.announcementDataFolder = joinFolder(sampleFolder, kTapeFolder);

    const QString sounds = joinFolder(sampleFolder, QString::fromLatin1(kSampleSoundFolder));
    for (const SampleSound &sound : kSampleSounds) {
        QString *field = soundFile(settings.sounds, sound.field);
        const QString file = joinFolder(sounds, QString::fromLatin1(sound.file));
        if (field && QFileInfo(file).isFile())
            *field = file;
    }
}

} // namespace lumina
