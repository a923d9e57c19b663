// SPDX-License-Identifier: MIT
// main() of every test program. The build compiles it once per kind of test:
// plain logic tests get a QCoreApplication; drawing tests (FUMI_TEST_GUI) a
// QGuiApplication and widget tests (FUMI_TEST_WIDGETS) a QApplication, both
// with the Japanese faces in place as the program sets them at start-up.
#include <gtest/gtest.h>

#if defined(FUMI_TEST_WIDGETS)
#include <QApplication>
using TestApplication = QApplication;
#elif defined(FUMI_TEST_GUI)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#if defined(FUMI_TEST_WIDGETS) || defined(FUMI_TEST_GUI)
#include "vertical/japanese_faces.h"
#endif

int main(int argc, char** argv)
{
    TestApplication app(argc, argv);
#if defined(FUMI_TEST_WIDGETS) || defined(FUMI_TEST_GUI)
    SubstituteJapaneseFaces();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
