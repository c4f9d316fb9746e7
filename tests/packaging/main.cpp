#include <QGuiApplication>

#include <gtest/gtest.h>

// The icon checks paint, which wants one application object for the whole run.
int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
