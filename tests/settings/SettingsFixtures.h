#pragma once
// File helpers shared by the settings tests of tests/settings and tests/app.
#include "FailingDevice.h"
#include "FixtureRows.h"
#include "settings/SettingsIo.h"

#include <QFile>

namespace lumina::test {

// A stored settings file of tests/data/settings.
inline QByteArray fixture(const char *name)
{
    const QByteArray bytes = readFile(QStringLiteral(LUMINA_TEST_DATA "/settings/") + QLatin1String(name));
    if (bytes.isEmpty())
        qFatal("missing fixture %s", name);
    return bytes;
}

// What the reader makes of `bytes`, starting from `start` (fields past a file's end keep them).
inline SettingsFile parse(const QByteArray &bytes, SettingsFile start = {})
{
    ReadBuffer buffer(bytes);
    SettingsReader().read(&buffer, start);
    return start;
}

} // namespace lumina::test
