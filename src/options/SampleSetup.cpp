#include "base/Paths.h"
#include "options/SampleSetup.h"

#include "options/OptionsDialog.h"
#include "settings/IniLocation.h"
#include "sound/SampleSounds.h"

#include <QFileInfo>
#include <QLineEdit>

namespace lumina {

namespace {
const QString kTapeFolder = QStringLiteral("tape");
}

void applySampleSetup(OptionsDialog &dialog, const QString &sampleFolder)
{
    if (sampleFolder.isEmpty())
        return;
    dialog.Text2[0]->setText(sampleFolder);
    dialog.Text2[1]->setText(joinFolder(sampleFolder, kTapeFolder));

    const QString sounds = joinFolder(sampleFolder, QString::fromLatin1(kSampleSoundFolder));
    for (const SampleSound &sound : kSampleSounds) {
        if (sound.field < 0 || size_t(sound.field) >= dialog.txtSelectSound.size())
            continue;
        QLineEdit *field = dialog.txtSelectSound[size_t(sound.field)];
        const QString file = joinFolder(sounds, QString::fromLatin1(sound.file));
        if (field && QFileInfo(file).isFile())
            field->setText(file);
    }
}

} // namespace lumina
