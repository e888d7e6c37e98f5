#pragma once

#include "app/SettingsStore.h"
#include "base/Fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

namespace lumina::test {

// Why the drawing tests cannot run here (the fonts this machine lacks), empty when all are there.
QByteArray missingFonts();
// Compares `image` pixel for pixel with tests/data/reference/<name>.png; with
// LUMINA_UPDATE_REFERENCE=1 in the environment it rewrites the stored picture instead.
// Returns an empty string on a match, else what differs.
QString compareWithReference(const QImage &image, const QString &name);
// Declares `columns` (all QString) and adds one row for each line of tests/data/<file>:
// tab-separated, the first field naming the row; lines starting with '#' are comments.
void addRows(const QString &file, const QStringList &columns);
// Points the per-user folders (configuration, data) into `dir`, so that no run
// reads or writes a user's files or another run's.
void isolateUserFolders(const QString &dir);
// The control of `parent` named `name` (its old designer name, `index` for a %1); none ends the run.
template<typename T = QAbstractButton>
T *control(const QObject *parent, const QString &name, int index = -1)
{
    if (T *found = parent->findChild<T *>(index < 0 ? name : name.arg(index)))
        return found;
    qFatal("no control %s %d", qPrintable(name), index);
}

} // namespace lumina::test

// A test that draws text needs the installed faces: without them it is skipped with
// the reason, or fails when LUMINA_REQUIRE_FONTS=1 (as in .ci/run).
#define LUMINA_REQUIRE_FONTS()                                                               \
    do {                                                                                     \
        if (const QByteArray why_ = lumina::test::missingFonts(); !why_.isEmpty()) {         \
            if (qEnvironmentVariableIntValue("LUMINA_REQUIRE_FONTS"))                        \
                QFAIL(why_.constData());                                                     \
            QSKIP(why_.constData());                                                         \
        }                                                                                    \
    } while (false)

#define LUMINA_COMPARE_REFERENCE(image, name)                                                \
    do {                                                                                     \
        const QString diff_ = lumina::test::compareWithReference((image), (name));           \
        QVERIFY2(diff_.isEmpty(), qPrintable(diff_));                                        \
    } while (false)

// Like QTEST_MAIN, with the program's style and font substitutions, the settings
// files of this run inside a temporary folder of its own, and the C locale.
#define LUMINA_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char **argv)                                                          \
    {                                                                                        \
        QTemporaryDir settingsDir_;                                                          \
        lumina::test::isolateUserFolders(settingsDir_.path());                               \
        /* The C locale: texts as written, as the tables and pictures hold them. */          \
        qputenv("LC_ALL", "C.UTF-8");                                                        \
        qunsetenv("LANGUAGE");                                                               \
        QApplication app(argc, argv);                                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                             \
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));             \
        lumina::registerFonts();                                                             \
        lumina::iniLocation().executablePath = settingsDir_.filePath(QStringLiteral("ルミナ")); \
        lumina::iniLocation().userConfigFolder = settingsDir_.filePath(QStringLiteral("config")); \
        TestClass tc;                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                           \
        return QTest::qExec(&tc, argc, argv);                                                \
    }
