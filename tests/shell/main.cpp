#include "shell/Application.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// Two offscreen screens: a common 1920 x 1080 one, where a first start is at factor 1
// and factor 3 does not fit, and beside it one of device pixel ratio 2.
constexpr const char *Screens = R"({"screens": [
    {"name": "main", "x": 0, "y": 0, "width": 1920, "height": 1080, "dpi": 96, "dpr": 1},
    {"name": "second", "x": 1920, "y": 0, "width": 1280, "height": 800, "dpi": 192, "dpr": 2}
]})";
} // namespace

// Widget tests need one application object for the whole run: the program's own, so
// its error report can be tested too.
int main(int argc, char **argv) {
    QTemporaryDir configDir;
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == QLatin1String("offscreen")) {
        QFile config(configDir.filePath(QStringLiteral("screens.json")));
        if (config.open(QIODevice::WriteOnly) && config.write(Screens) > 0) {
            config.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
        } else {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
    TAplicacion app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
