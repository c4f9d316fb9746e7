#include "tests/TestScreens.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Widgets need one application object for the whole run.
class WidgetEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "dialogs_tests";
        static char *argv[] = {name, nullptr};
        UseTestScreens(screens);
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }

private:
    QTemporaryDir screens;
    std::unique_ptr<QApplication> app;
};

const auto *const environment = ::testing::AddGlobalTestEnvironment(new WidgetEnvironment);

} // namespace
