#include "shell/Application.h"

#include <gtest/gtest.h>

// Widget tests need one application object for the whole run: the program's own, so
// its error report can be tested too.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TAplicacion app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
