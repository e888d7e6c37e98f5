#include "app/FirstStart.h"

#include "options/SampleSetup.h"
#include "settings/IniLocation.h"
#include "app/Lumina.h"

namespace lumina {

void startWithSamplesIfNew(Lumina &program, const IniLocation &location, const QString &sampleFolder)
{
    if (sampleFolder.isEmpty() || location.hasSettingsFile())
        return;
    Seams &seams = program.seams();
    seams.loadIni = [&program, sampleFolder, load = seams.loadIni] {
        // With no file the load keeps every value; it still runs, so whatever
        // it does besides reading keeps happening.
        if (load)
            load();
        if (program.options())
            applySampleSetup(*program.options(), sampleFolder);
    };
}

} // namespace lumina
