// Whatever a ticket plug-in file holds, the reader must end, and what it takes
// must keep within the bounds and draw without fault. Run (see tests/CMakeLists.txt):
//   build-fuzz/bin/fuzz_plugin -max_len=8192 -dict=tests/hostlib/plugin.dict /tmp/corpus samples/plugins

#include "../support/FailingDevice.h"
#include "hostlib/TicketPlugin.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdint>
#include <cstdlib>

using namespace lumina;

// Qt's font database keeps fontconfig's patterns for the whole run; they are
// freed by no one before the leak check at exit.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*=false");
    // Text drawing needs a GUI application's font database. It lives to the end:
    // taking it down at exit would leave Qt's font caches to the leak check.
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    test::ReadBuffer buffer(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    TicketPluginReader reader;
    const std::optional<TicketPlugin> plugin = reader.read(&buffer);
    if (!plugin) {
        if (reader.errorString().isEmpty())
            std::abort();
        return 0;
    }
    const PlugInInfo &info = plugin->info;
    if (size > size_t(plugin::kMaxFileBytes) || info.previewWidth < plugin::kMinPreviewTwips
        || info.previewWidth > plugin::kMaxPreviewWidth || info.previewHeight > plugin::kMaxPreviewHeight
        || plugin->elements.size() > plugin::kMaxElements || plugin->companies.size() > plugin::kMaxCompanies
        || info.companyCount != plugin->companies.size())
        std::abort();

    QImage image(info.previewWidth / 15, info.previewHeight / 15, QImage::Format_RGB32);
    image.fill(Qt::white);
    const TicketFields fields{QStringLiteral("星見台ニュータウン入口"), QStringLiteral("12-07-2026"),
                              QStringLiteral("08:05:00"), 12345, -7, 301, 1};
    QPainter painter(&image);
    plugin->draw(painter, fields);
    const QString back = plugin->stopNameFor(fields.stopName);
    if (plugin->stopNameMaxLength > 0 && back.size() > plugin->stopNameMaxLength)
        std::abort();
    return 0;
}
