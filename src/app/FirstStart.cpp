#include "app/FirstStart.h"

#include "options/SampleSetup.h"
#include "settings/IniLocation.h"
#include "app/Lumina.h"

namespace lumina {

void startWithSamplesIfNew(Lumina &program, const IniLocation &location, const QString &sampleFolder)
{
    if (sampleFolder.isEmpty() || location.hasSettingsFile())
        return;
    // With no file the load keeps every value, these among them.
    applySampleSetup(program.settings(), sampleFolder);
}

} // namespace lumina
