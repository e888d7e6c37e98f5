#pragma once

#include <QString>

namespace lumina {

class Lumina;
struct IniLocation;

// A first start (no settings file at all) runs on the bundled sample data: where
// the settings file would be read, the options dialog is set up for the sample
// folder instead, so route 12 works at once and every event has its sound. A
// settings file that exists is read as it is. Call before startUp().
void startWithSamplesIfNew(Lumina &program, const IniLocation &location, const QString &sampleFolder);

} // namespace lumina
