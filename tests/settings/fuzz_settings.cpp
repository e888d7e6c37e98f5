// Whatever a settings file holds, the reader ends, stays inside the layout's
// bound and gives records that the writer turns into a file the reader takes
// back whole. Run (see tests/CMakeLists.txt for the build):
//   build-fuzz/bin/fuzz_settings -runs=200000 -max_len=4096 /tmp/settings-corpus tests/data/settings

#include "../support/FailingDevice.h"
#include "settings/SettingsIo.h"

#include <cstdint>
#include <cstdlib>

using namespace lumina;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    test::ReadBuffer buffer(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    SettingsFile settings;
    SettingsReader reader;
    const bool complete = reader.read(&buffer, settings);
    if (reader.bytesRead() > qint64(size) || reader.bytesRead() > kSettingsFileMaxSize)
        std::abort();
    if (complete != (reader.status() == SettingsReader::Status::Complete))
        std::abort();
    if (reader.status() == SettingsReader::Status::DeviceError)
        std::abort(); // a buffer never fails
    // What was read writes out as a whole file, and reads back to the same file form.
    const QByteArray written = SettingsWriter::toBytes(settings);
    test::ReadBuffer again(written);
    SettingsFile back;
    SettingsReader second;
    if (!second.read(&again, back) || second.bytesRead() != written.size() || SettingsWriter::toBytes(back) != written)
        std::abort();
    return 0;
}
