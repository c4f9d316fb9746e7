#include "shell/Application.h"
#include "tests/TestScreens.h"

#include <gtest/gtest.h>

// Widget tests need one application object for the whole run: the program's own, so
// its error report can be tested too.
int main(int argc, char **argv) {
    QTemporaryDir screens;
    UseTestScreens(screens);
    TAplicacion app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
