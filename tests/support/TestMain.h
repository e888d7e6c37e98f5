#pragma once

#include "base/Fonts.h"

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, but with the program's font substitutions registered so that
// widgets render with the same faces as the program.
#define LUMINA_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char **argv)                                                          \
    {                                                                                        \
        QApplication app(argc, argv);                                                        \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                             \
        lumina::registerFonts();                                                             \
        TestClass tc;                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                           \
        return QTest::qExec(&tc, argc, argv);                                                \
    }
