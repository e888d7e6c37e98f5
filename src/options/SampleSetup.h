#pragma once

#include <QString>

namespace lumina {

struct SettingsFile;

// Sets the options up for the bundled sample data (a first start with no
// settings file): the fare data folder is the sample folder itself, the
// announcement folder its "tape" subfolder, and each sound field of the sample
// sound table names its file in the "sounds" subfolder when that file exists.
// Fields whose file is missing are left as they are.
void applySampleSetup(SettingsFile &settings, const QString &sampleFolder);

} // namespace lumina
