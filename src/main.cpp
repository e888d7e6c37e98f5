#include "base/Fonts.h"
#include "app/Lumina.h"
#include "sound/QtSpeech.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumina"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(LUMINA_VERSION_MAJOR)
                                            .arg(LUMINA_VERSION_MINOR)
                                            .arg(LUMINA_VERSION_PATCH));
    // One look on every platform, so the faces match the layouts.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The panel's close request is the only way out; hiding windows must not end
    // the program on its own.
    QApplication::setQuitOnLastWindowClosed(false);
    lumina::registerFonts();

    // The announcements speak through the platform's speech engine.
    lumina::QtSpeech speechEngine;
    lumina::setSpeech(&speechEngine);

    lumina::Lumina program;
    program.startUp();
    const int status = app.exec();
    lumina::setSpeech(nullptr);
    return status;
}
