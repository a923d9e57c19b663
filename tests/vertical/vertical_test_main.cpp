// main() of the drawing tests: a QApplication with the Japanese faces in place.
#include <gtest/gtest.h>

#include <QApplication>

#include "vertical/japanese_faces.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SubstituteJapaneseFaces();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
